#pragma once
// Which device each port number opens. The operator may keep a "VLPorts.txt"
// in the working folder with one quoted-field line per port:
//   "1","/dev/ttyUSB0"
//   "2","/dev/ttyUSB1"
// Ports 1 and 2 default to /dev/ttyUSB0 and /dev/ttyUSB1 when the file or
// their line is missing.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/data_folder.h"

namespace vl::keyer {

inline constexpr std::string_view kDefaultPort1Device = "/dev/ttyUSB0";
inline constexpr std::string_view kDefaultPort2Device = "/dev/ttyUSB1";

struct PortMap {
    std::map<int, std::string> devices;  // port number to device path
    // Lines of the file that name no port and device, as they stand.
    std::vector<std::string> unreadLines;

    PortMap();
    // Empty when the port has no device.
    std::string device(int port) const;
};

// The defaults with the file's lines laid over them. A later line for the
// same port wins; a line without a whole port number and a device is left in
// `unreadLines`.
PortMap parsePortMap(std::string_view content);

// The map from "VLPorts.txt" in the folder; the defaults when the file is
// missing or cannot be read.
PortMap loadPortMap(const logbook::DataFolder& folder);

}  // namespace vl::keyer
