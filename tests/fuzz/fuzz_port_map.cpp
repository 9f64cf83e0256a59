// The ports file "VLPorts.txt": whatever it holds, a map that would open a
// device must name it exactly as a line of the file or a default does, and
// the system must open that very device: a NUL would cut the path short.
#include "fuzz_support.h"
#include "keyer/port_map.h"

using namespace vl::keyer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    const PortMap map = parsePortMap(content);
    const auto problem = portMapProblem(map);
    if (!map.unreadLines.empty()) VL_FUZZ_CHECK(problem.has_value());
    if (problem) return 0;
    for (const auto& [port, device] : map.devices) {
        VL_FUZZ_CHECK(!device.empty());
        VL_FUZZ_CHECK(device.find('\0') == std::string::npos);
        VL_FUZZ_CHECK(device == kDefaultPort1Device || device == kDefaultPort2Device ||
                      content.find(device) != std::string_view::npos);
    }
    return 0;
}
