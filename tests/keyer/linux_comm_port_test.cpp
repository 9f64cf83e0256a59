#include "keyer/linux_comm_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
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
    EXPECT_EQ(error->description,
              "/dev/no-such-serial-port: No such file or directory: plug in the serial adapter, "
              "or name its device in VLPorts.txt");
    EXPECT_FALSE(port.portOpen());
    // The commonest failure of all, for a newcomer, and one without a remedy.
    EXPECT_EQ(deviceFailure("/dev/ttyUSB0", EACCES),
              "/dev/ttyUSB0: Permission denied: add your user to the dialout group and log in "
              "again");
    EXPECT_EQ(deviceFailure("/dev/ttyUSB0", EIO), "/dev/ttyUSB0: Input/output error");
}

TEST(LinuxCommPort, PseudoTerminalRefusesDtrAndIsNotOpened) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string slave = ptsname(master);
    // The settings go on before DTR is tried: they include HUPCL, so the
    // system lowers DTR when a real port is closed by the program's death.
    const int held = open(slave.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    ASSERT_EQ(tcgetattr(held, &tio), 0);
    tio.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
    ASSERT_EQ(tcsetattr(held, TCSANOW, &tio), 0);

    std::size_t before = openDescriptors();
    LinuxCommPort port(mapPort1To(slave));
    std::optional<KeyError> error;
    openAsTheWindowDoes(port, 1, error);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->number == ENOTTY || error->number == EINVAL) << error->description;
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(openDescriptors(), before) << "the device is closed again";
    ASSERT_EQ(tcgetattr(held, &tio), 0);
    EXPECT_TRUE(tio.c_cflag & HUPCL);
    close(held);
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

TEST(LinuxCommPort, PortsFileThatCannotBeFollowedOpensNothing) {
    auto dir = std::filesystem::temp_directory_path() / ("vl_badports_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    LinuxCommPort port{logbook::DataFolder(dir)};
    const std::size_t before = openDescriptors();

    // Port 1's line lost its device: the default must not be keyed instead.
    std::ofstream(dir / "VLPorts.txt") << "\"1\"\r\n\"2\",\"/dev/ttyS1\"\r\n\"x\",\"y\"\r\n";
    std::optional<KeyError> error;
    openAsTheWindowDoes(port, 1, error);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number, EINVAL);
    EXPECT_EQ(error->description, "VLPorts.txt has a line that names no port and device: \"1\"");
    EXPECT_FALSE(port.portOpen());

    // A file that is there but cannot be read.
    std::filesystem::remove(dir / "VLPorts.txt");
    std::filesystem::create_directory(dir / "vlports.txt");
    openAsTheWindowDoes(port, 1, error);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description.rfind("VLPorts.txt cannot be read", 0), 0u) << error->description;
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(openDescriptors(), before);
    std::filesystem::remove_all(dir);

    // A fixed map that kept unread lines fails the same way.
    LinuxCommPort fixed{parsePortMap("\"1\",\"/dev/ttyS0\"\r\nttyS1\r\n")};
    openAsTheWindowDoes(fixed, 1, error);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description, "VLPorts.txt has a line that names no port and device: ttyS1");
}

// A device path the system would not open as written is refused with its
// line, which the message quotes cut short and with its control characters
// shown: a NUL would have opened the device named before it.
TEST(LinuxCommPort, DevicePathsWithControlCharactersOrPastTheSystemLimitOpenNothing) {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string pty = ::ptsname(master);
    const std::string prefix = "VLPorts.txt has a line that names no port and device: ";
    const std::string huge(10'000'000, 'x');
    struct Row {
        std::string line;
        std::string quoted;
    };
    const Row rows[] = {
        {"\"1\",\"" + pty + std::string("\0junk", 5) + "\"",
         "\"1\",\"" + pty + "?junk\""},
        {"\"1\",\"" + pty + "\x1b[0m\"", "\"1\",\"" + pty + "?[0m\""},
        {"\"1\",\"" + pty + "\x7f\"", "\"1\",\"" + pty + "?\""},
        {"\"1\",\"/dev/tty\tS0\"", "\"1\",\"/dev/tty\tS0\""},
        {"\"1\",\"/dev/" + huge + "\"", "\"1\",\"/dev/" + huge.substr(0, 30) + "..."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.quoted);
        LinuxCommPort port{parsePortMap(row.line + "\r\n")};
        std::optional<KeyError> error;
        openAsTheWindowDoes(port, 1, error);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number, EINVAL);
        EXPECT_EQ(error->description, prefix + row.quoted);
        EXPECT_FALSE(port.portOpen());
    }
    ::close(master);
}

}  // namespace
}  // namespace vl::keyer
