#pragma once
// The serial port on Linux, by termios and the modem-control ioctls. Port
// numbers are mapped to devices by a PortMap (see port_map.h).
//
// Opening raises DTR and RTS on Linux, which would key the transmitter, so
// both are dropped in the same step; a device that refuses the modem-control
// lines (a pseudo-terminal, say) cannot key anything and fails to open.
#include <optional>
#include <string>
#include <string_view>

#include "keyer/comm_port.h"
#include "keyer/port_map.h"
#include "keyer/serial_settings.h"
#include "logbook/data_folder.h"

namespace vl::keyer {

// Why a device could not be opened as a keying port, for the operator: the
// device, the system's reason and, where there is one, the remedy, as
// "/dev/ttyUSB0: Permission denied: add your user to the dialout group and
// log in again".
std::string deviceFailure(std::string_view device, int number);

class LinuxCommPort : public CommPort {
public:
    // Devices from a fixed map.
    explicit LinuxCommPort(PortMap map);
    // Devices from "VLPorts.txt" in the folder, read again at every open, so
    // an edit takes effect without a restart. Opening fails when the file
    // exists but cannot be read or has a line that names no port and device.
    explicit LinuxCommPort(logbook::DataFolder folder);
    ~LinuxCommPort() override;
    LinuxCommPort(const LinuxCommPort&) = delete;
    LinuxCommPort& operator=(const LinuxCommPort&) = delete;

    std::optional<KeyError> setCommPort(std::int16_t port) override;
    std::int16_t commPort() const override { return port_; }
    std::optional<KeyError> setSettings(std::string_view settings) override;
    std::string settings() const override { return settingsText_; }
    std::optional<KeyError> setPortOpen(bool open) override;
    bool portOpen() const override { return fd_ >= 0; }
    std::optional<KeyError> setDTREnable(bool on) override;

    // The device the selected port opens.
    std::string devicePath() const;

private:
    PortMap portMap() const;
    std::optional<KeyError> open();
    void close();

    std::optional<PortMap> map_;
    std::optional<logbook::DataFolder> folder_;
    std::int16_t port_ = 1;
    std::string settingsText_{kKeyerSettings};
    SerialSettings settings_;
    int fd_ = -1;
};

}  // namespace vl::keyer
