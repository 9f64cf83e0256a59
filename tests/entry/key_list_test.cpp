#include <gtest/gtest.h>

#include <fstream>
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
}

}  // namespace
}  // namespace vl::entry
