#pragma once
// Which device each port number opens. The operator may keep a "VLPorts.txt"
// in the working folder with one quoted-field line per port:
//   "1","/dev/ttyUSB0"
//   "2","/dev/ttyUSB1"
// Ports 1 and 2 default to /dev/ttyUSB0 and /dev/ttyUSB1 when the file or
// their line is missing. A file that cannot be read, or that has a line that
// names no port and device, keeps every port from opening: the operator's
// choice is not known, and a guess could key the wrong transmitter.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keyer/key_line.h"
#include "logbook/data_folder.h"

namespace vl::keyer {

inline constexpr std::string_view kDefaultPort1Device = "/dev/ttyUSB0";
inline constexpr std::string_view kDefaultPort2Device = "/dev/ttyUSB1";

struct PortMap {
    std::map<int, std::string> devices;  // port number to device path
    // Lines of the file that name no port and device, as they stand.
    std::vector<std::string> unreadLines;
    // Why the file could not be read, when it exists but could not be.
    std::optional<logbook::FileError> readError;

    PortMap();
    // Empty when the port has no device.
    std::string device(int port) const;
};

// The defaults with the file's lines laid over them. A later line for the
// same port wins; a line without a whole port number and a device is left in
// `unreadLines`.
PortMap parsePortMap(std::string_view content);

// The map from "VLPorts.txt" in the folder; the defaults when the file is
// missing, with `readError` set when it exists but cannot be read.
PortMap loadPortMap(const logbook::DataFolder& folder);

// Why no port may be opened with this map: an error naming "VLPorts.txt"
// that quotes its first unread line or says it cannot be read. Empty when
// the map is sound.
std::optional<KeyError> portMapProblem(const PortMap& map);

}  // namespace vl::keyer
