#include "keyer/port_map.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "keyer/serial_settings.h"

namespace vl::keyer {
namespace {

TEST(PortMap, DefaultsWhenNothingIsSaid) {
    PortMap map = parsePortMap("");
    EXPECT_EQ(map.device(1), "/dev/ttyUSB0");
    EXPECT_EQ(map.device(2), "/dev/ttyUSB1");
    EXPECT_EQ(map.device(3), "");
}

TEST(PortMap, HandEditedLinesOverrideTheDefaults) {
    PortMap map = parsePortMap(
        "\"2\",\"/dev/ttyS1\"\n"
        "\n"
        " 3 , /dev/ttyACM0 \r\n"
        "\"two\",\"/dev/ttyS9\"\r\n"
        "\"1\",\"\"\r\n"
        "\"2\",\"/dev/serial/by-id/usb-FTDI port\"");
    EXPECT_EQ(map.device(1), "/dev/ttyUSB0");
    EXPECT_EQ(map.device(2), "/dev/serial/by-id/usb-FTDI port");
    EXPECT_EQ(map.device(3), "/dev/ttyACM0");
    EXPECT_EQ(map.unreadLines, (std::vector<std::string>{"\"two\",\"/dev/ttyS9\"", "\"1\",\"\""}));
}

TEST(PortMap, ReadFromTheWorkingFolder) {
    auto dir = std::filesystem::temp_directory_path() / ("vl_ports_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    logbook::DataFolder folder(dir);
    EXPECT_EQ(loadPortMap(folder).device(1), "/dev/ttyUSB0");
    EXPECT_FALSE(loadPortMap(folder).readError.has_value()) << "a missing file is no fault";
    std::ofstream(dir / "vlports.TXT") << "\"1\",\"/dev/ttyS0\"\r\n";
    EXPECT_EQ(loadPortMap(folder).device(1), "/dev/ttyS0");
    EXPECT_FALSE(portMapProblem(loadPortMap(folder)).has_value());

    // Present but unreadable: a folder of that name, or a link to nowhere.
    std::filesystem::remove(dir / "vlports.TXT");
    std::filesystem::create_directory(dir / "VLPorts.txt");
    EXPECT_TRUE(loadPortMap(folder).readError.has_value());
    std::filesystem::remove(dir / "VLPorts.txt");
    std::filesystem::create_symlink(dir / "gone", dir / "VLPorts.txt");
    PortMap dangling = loadPortMap(folder);
    ASSERT_TRUE(dangling.readError.has_value());
    EXPECT_EQ(dangling.readError->number, ENOENT);
    EXPECT_EQ(portMapProblem(dangling)->description.rfind("VLPorts.txt cannot be read", 0), 0u);
    std::filesystem::remove_all(dir);
}

TEST(SerialSettings, ReadsTheSettingsText) {
    auto s = parseSerialSettings("9600,N,8,1");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->baud, 9600);
    EXPECT_EQ(s->parity, 'N');
    EXPECT_EQ(s->dataBits, 8);
    EXPECT_EQ(s->stopBits, 1);
    EXPECT_EQ(parseSerialSettings(" 1200, e ,7,2")->parity, 'E');
    for (const char* bad : {"", "9600", "9600,N,8", "9600,N,8,1,0", "9601,N,8,1", "9600,X,8,1", "9600,N,9,1",
                            "9600,N,8,3", "fast,N,8,1"}) {
        EXPECT_FALSE(parseSerialSettings(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace vl::keyer
