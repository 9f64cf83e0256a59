#include "keyer/port_map.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>

#include "logbook/file_names.h"
#include "logbook/quoted_line.h"

namespace vl::keyer {

PortMap::PortMap() {
    devices[1] = std::string(kDefaultPort1Device);
    devices[2] = std::string(kDefaultPort2Device);
}

std::string PortMap::device(int port) const {
    auto it = devices.find(port);
    return it == devices.end() ? std::string() : it->second;
}

namespace {

// A device path the system would open as written: no control character (a
// NUL would end the path early and open another device), and no longer than
// the system takes.
bool fitForDevicePath(std::string_view device) {
    if (device.size() >= PATH_MAX) return false;
    for (char c : device) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

}  // namespace

PortMap parsePortMap(std::string_view content) {
    PortMap map;
    for (std::string_view line : logbook::splitLines(content)) {
        std::vector<std::string> fields = logbook::splitQuotedLine(line);
        int port = 0;
        bool ok = fields.size() >= 2;
        if (ok) {
            std::string_view number = logbook::trimBlanks(fields[0]);
            auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), port);
            ok = ec == std::errc() && end == number.data() + number.size() && port >= 1;
        }
        std::string_view device = ok ? logbook::trimBlanks(fields[1]) : std::string_view();
        if (device.empty() || !fitForDevicePath(device)) {
            map.unreadLines.emplace_back(line);
            continue;
        }
        map.devices[port] = std::string(device);
    }
    return map;
}

PortMap loadPortMap(const logbook::DataFolder& folder) {
    logbook::ReadResult file = folder.read(logbook::names::kSerialPorts);
    if (file.ok()) return parsePortMap(file.content);
    PortMap map;
    // Missing is fine; a link to nowhere names a choice that cannot be read.
    std::error_code ec;
    const bool missing =
        file.error->number == ENOENT &&
        !std::filesystem::exists(
            std::filesystem::symlink_status(folder.resolve(logbook::names::kSerialPorts), ec));
    if (!missing) map.readError = file.error;
    return map;
}

std::optional<KeyError> portMapProblem(const PortMap& map) {
    const std::string file(logbook::names::kSerialPorts);
    if (map.readError) {
        return KeyError{map.readError->number,
                        file + " cannot be read: " + map.readError->description};
    }
    if (!map.unreadLines.empty()) {
        return KeyError{EINVAL, file + " has a line that names no port and device: " +
                                    logbook::lineExcerpt(map.unreadLines.front())};
    }
    return std::nullopt;
}

}  // namespace vl::keyer
