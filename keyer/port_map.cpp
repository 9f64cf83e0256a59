#include "keyer/port_map.h"

#include <charconv>

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
        if (device.empty()) {
            map.unreadLines.emplace_back(line);
            continue;
        }
        map.devices[port] = std::string(device);
    }
    return map;
}

PortMap loadPortMap(const logbook::DataFolder& folder) {
    if (!folder.exists(logbook::names::kSerialPorts)) return PortMap();
    logbook::ReadResult file = folder.read(logbook::names::kSerialPorts);
    if (!file.ok()) return PortMap();
    return parsePortMap(file.content);
}

}  // namespace vl::keyer
