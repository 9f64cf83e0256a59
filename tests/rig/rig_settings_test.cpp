#include "rig/rig_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include "case_name.h"

namespace vl::rig {
namespace {

struct SettingsCase {
    const char* content;
    RigSettings expected;
    const char* quoted;  // the line the problem quotes; nullptr when it is read
};

class ParseRigSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ParseRigSettings, ReadsTheLineOrReportsItAndStaysOff) {
    const RigSettingsRead read = parseRigSettings(GetParam().content);
    EXPECT_EQ(read.settings, GetParam().expected);
    if (!GetParam().quoted) {
        EXPECT_FALSE(read.problem.has_value()) << *read.problem;
        return;
    }
    ASSERT_TRUE(read.problem.has_value());
    EXPECT_EQ(*read.problem,
              std::string("VLRig.txt has a line that cannot be read, so the radio is not followed:\r\n") +
                  GetParam().quoted + "\r\nIt should read like \"2\",\"localhost:4532\",\"ON\".");
}

const RigSettings kDefaults{};

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseRigSettings,
    ::testing::Values(
        SettingsCase{"", kDefaults, nullptr}, SettingsCase{"\r\n  \r\n", kDefaults, nullptr},
        SettingsCase{"\"2\",\"localhost:4532\",\"ON\"\r\n", {2, "localhost:4532", true}, nullptr},
        SettingsCase{"\"3073\",\"/dev/ttyUSB0\",\"OFF\"", {3073, "/dev/ttyUSB0", false}, nullptr},
        // By hand: blanks, no quotes, small letters, LF, a missing FOLLOW.
        SettingsCase{" 1035 , /dev/serial/by-id/usb-Silicon_Labs , on \n", {1035, "/dev/serial/by-id/usb-Silicon_Labs", true}, nullptr},
        SettingsCase{"\"2\",\"radio.local:4532\"\r\n", {2, "radio.local:4532", false}, nullptr},
        SettingsCase{"\"2\",\"localhost:4532\",\"ON\",\"extra\"\r\n\"1\",\"x\",\"OFF\"\r\n",
                     {2, "localhost:4532", true}, nullptr},
        SettingsCase{"\"two\",\"localhost:4532\",\"ON\"\r\n", kDefaults,
                     "\"two\",\"localhost:4532\",\"ON\""},
        SettingsCase{"\"0\",\"localhost:4532\",\"ON\"", kDefaults, "\"0\",\"localhost:4532\",\"ON\""},
        SettingsCase{"\"2x\",\"localhost:4532\",\"ON\"", kDefaults, "\"2x\",\"localhost:4532\",\"ON\""},
        SettingsCase{"\"2\",\"  \",\"ON\"", kDefaults, "\"2\",\"  \",\"ON\""},
        SettingsCase{"\"2\"", kDefaults, "\"2\""},
        SettingsCase{"\"2\",\"localhost:4532\",\"YES\"", kDefaults, "\"2\",\"localhost:4532\",\"YES\""},
        // Control bytes are shown as '?', a long line is cut.
        SettingsCase{"\"2\",\"local\thost\x01\",\"ON\"", kDefaults, "\"2\",\"local?host?\",\"ON\""},
        SettingsCase{"\"99999999999999999999\",\"/dev/ttyUSB0/and/a/very/long/path/name/indeed\",\"ON\"",
                     kDefaults, "\"99999999999999999999\",\"/dev/ttyUSB0/and/a/very/long/path/na..."}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.content}); });

TEST(RigSettingsFile, WrittenByteExactAndReadBack) {
    char pattern[] = "/tmp/vl_rig_test_XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    const logbook::DataFolder folder(dir);
    // Missing: the defaults, not following, and nothing to report.
    RigSettingsRead missing = loadRigSettings(folder);
    EXPECT_EQ(missing.settings, RigSettings{});
    EXPECT_FALSE(missing.problem.has_value());

    ASSERT_FALSE(saveRigSettings(folder, {2, "localhost:4532", true}).has_value());
    std::ifstream in(dir / "VLRig.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "\"2\",\"localhost:4532\",\"ON\"\r\n");
    ASSERT_FALSE(saveRigSettings(folder, {3073, "/dev/ttyUSB0", false}).has_value());
    EXPECT_EQ(loadRigSettings(folder).settings, (RigSettings{3073, "/dev/ttyUSB0", false}));

    // A file of another spelling is the same file.
    std::filesystem::remove(dir / "VLRig.txt");
    std::ofstream(dir / "vlrig.TXT") << "\"1\",\"x\",\"ON\"\n";
    EXPECT_EQ(loadRigSettings(folder).settings, (RigSettings{1, "x", true}));

    // Present but unreadable: reported, not followed.
    std::filesystem::remove(dir / "vlrig.TXT");
    std::filesystem::create_directory(dir / "VLRig.txt");
    RigSettingsRead unreadable = loadRigSettings(folder);
    EXPECT_FALSE(unreadable.settings.follow);
    ASSERT_TRUE(unreadable.problem.has_value());
    EXPECT_EQ(unreadable.problem->rfind("VLRig.txt cannot be read, so the radio is not followed: ", 0), 0u);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vl::rig
