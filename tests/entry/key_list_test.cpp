#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "entry/key_list.h"

namespace vl::entry {
namespace {

std::string sourceFile(const std::string& name) {
    std::ifstream in(std::string(VL_SOURCE_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The README and the manual page carry the key list as the program makes it;
// after a change to the list, paste the text printed here into the file.
TEST(KeyList, ReadmeAndManualPageAgreeWithTheProgram) {
    const std::string table = keysMarkdownTable();
    EXPECT_NE(sourceFile("README.md").find(table), std::string::npos)
        << "README.md should hold this table:\n" << table;
    const std::string section = keysManSection();
    EXPECT_NE(sourceFile("packaging/vlwinlog.1").find(section), std::string::npos)
        << "packaging/vlwinlog.1 should hold this section:\n" << section;
    EXPECT_NE(section.find("stored as \\[/O] (slashed zero)"), std::string::npos);
    EXPECT_NE(table.find("| F1-F8, F10 |"), std::string::npos);
}

// A row added away from its group would split the group in two.
TEST(KeyList, EachGroupStandsTogetherAndNoKeyIsListedTwice) {
    std::set<std::string_view> groupsDone;
    std::set<std::string_view> keys;
    std::string_view group;
    for (const KeyRow& row : keyList()) {
        if (row.group != group) {
            EXPECT_TRUE(groupsDone.insert(row.group).second) << row.group << " is split";
            group = row.group;
        }
        EXPECT_TRUE(keys.insert(row.keys).second) << row.keys << " is listed twice";
    }
}

}  // namespace
}  // namespace vl::entry
