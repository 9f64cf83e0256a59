#include "keyer/linux_comm_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "keyer/fake_clock.h"
#include "keyer/keyer.h"

namespace vl::keyer {
namespace {

std::size_t openDescriptors() {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                  std::filesystem::directory_iterator()));
}

PortMap mapPort1To(const std::string& device) {
    PortMap map;
    map.devices[1] = device;
    return map;
}

void openAsTheWindowDoes(LinuxCommPort& port, std::int16_t n, std::optional<KeyError>& error) {
    error = port.setCommPort(n);
    if (!error) error = port.setSettings(kKeyerSettings);
    if (!error) error = port.setPortOpen(true);
}

TEST(LinuxCommPort, MissingDeviceFailsToOpen) {
    LinuxCommPort port(mapPort1To("/dev/no-such-serial-port"));
    std::optional<KeyError> error;
    openAsTheWindowDoes(port, 1, error);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number, ENOENT);
    EXPECT_NE(error->description.find("/dev/no-such-serial-port"), std::string::npos);
    EXPECT_FALSE(port.portOpen());
}

TEST(LinuxCommPort, PseudoTerminalRefusesDtrAndIsNotOpened) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string slave = ptsname(master);

    std::size_t before = openDescriptors();
    LinuxCommPort port(mapPort1To(slave));
    std::optional<KeyError> error;
    openAsTheWindowDoes(port, 1, error);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->number == ENOTTY || error->number == EINVAL) << error->description;
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(openDescriptors(), before) << "the device is closed again";
    close(master);
}

TEST(LinuxCommPort, WithNothingOpen) {
    LinuxCommPort port{PortMap()};
    EXPECT_TRUE(port.setPortOpen(false).has_value()) << "closing fails";
    EXPECT_FALSE(port.setDTREnable(true).has_value()) << "DTR does nothing and succeeds";
    EXPECT_TRUE(port.setCommPort(0).has_value());
    EXPECT_EQ(port.commPort(), 1);
    EXPECT_TRUE(port.setSettings("9600,N,8").has_value());
    EXPECT_EQ(port.settings(), "9600,N,8,1");

    // The window may send with no port open: the text is timed, nothing fails.
    FakeClock clock;
    Keyer keyer;
    keyer.setClock(&clock);
    keyer.setKeyLine(&port);
    std::string text = "CQ";
    EXPECT_FALSE(keyer.Send_String(text).has_value());
    EXPECT_EQ(text, "CQ");
}

TEST(LinuxCommPort, DevicesFollowThePortsFileWithoutRestart) {
    auto dir = std::filesystem::temp_directory_path() / ("vl_commport_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    LinuxCommPort port{logbook::DataFolder(dir)};
    EXPECT_FALSE(port.setCommPort(2).has_value());
    EXPECT_EQ(port.devicePath(), "/dev/ttyUSB1");
    std::ofstream(dir / "VLPorts.txt") << "\"2\",\"/dev/ttyS1\"\r\n";
    EXPECT_EQ(port.devicePath(), "/dev/ttyS1");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vl::keyer
