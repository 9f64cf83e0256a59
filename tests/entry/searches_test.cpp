#include <gtest/gtest.h>

#include "entry/searches.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "temp_folder.h"

namespace vl::entry {
namespace {

namespace names = logbook::names;

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto line = [](const char* call, const char* band, const char* mode, const char* comment) {
            return logbook::formatContactLine(
                {call, "599", "599", "001", "JOE", band, mode, "12/06/2026", "18:40", comment});
        };
        dir.write(names::kContactLog, line("W1AW", "20", "PHN", "") +
                                          line("WA1XYZ", "160", "CW", "") +
                                          line("K1AB", "40", "DIG", "nice") +
                                          line("W1AW", "40", "CW", "DUPE"));
        dir.write(names::kHistory,
                  "\"W1AW\",\"123\",\"HIRAM\"\r\n"
                  "\"N2YY\",\" \",\"ANN\"\r\n"
                  " N3ZZ , 042 , ZED\n");
    }
    testing::TempFolder dir;
};

TEST_F(SearchTest, LogLinesInFileOrderWithBandRunningIntoMode) {
    const SearchResult all = searchLog("", dir.folder());
    EXPECT_EQ(all.count, 4);
    EXPECT_EQ(all.text,
              "  W1AW     599  599  001 JOE     20 PHN 12/06/2026 18:40  \r\n"
              "  WA1XYZ   599  599  001 JOE     160CW  12/06/2026 18:40  \r\n"
              "  K1AB     599  599  001 JOE     40 DIG 12/06/2026 18:40  nice\r\n"
              "  W1AW     599  599  001 JOE     40 CW  12/06/2026 18:40  DUPE\r\n");
}

TEST_F(SearchTest, LogByPrefixPatternAndNoMatch) {
    EXPECT_EQ(searchLog("W1", dir.folder()).count, 2);  // prefix, DUPE line included
    EXPECT_EQ(searchLog("W*", dir.folder()).count, 3);
    EXPECT_EQ(searchLog("K#??", dir.folder()).count, 1);
    EXPECT_EQ(searchLog("[!W]*", dir.folder()).count, 1);
    const SearchResult none = searchLog("ZZ9", dir.folder());
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.text, "   No previous contact with this station");
    // The prefix test counts the box's blanks: " W1" looks at three characters.
    EXPECT_EQ(searchLog(" W1", dir.folder()).count, 0);
    EXPECT_EQ(searchLog(" W1AW ", dir.folder()).count, 2);
}

TEST_F(SearchTest, HistoryLinesAsRead) {
    const SearchResult all = searchHistory("", dir.folder());
    EXPECT_EQ(all.text,
              "W1AW   123   HIRAM\r\n"
              "N2YY       ANN\r\n"
              "N3ZZ   042   ZED\r\n");
    EXPECT_EQ(searchHistory("N*", dir.folder()).count, 2);
    EXPECT_EQ(searchHistory("N2", dir.folder()).count, 1);
    const SearchResult none = searchHistory("K#??", dir.folder());
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.text, "No History found");
}

TEST_F(SearchTest, MissingFilesAreReportedWithoutTheNoMatchText) {
    ASSERT_FALSE(dir.folder().remove(names::kContactLog));
    ASSERT_FALSE(dir.folder().remove(names::kHistory));
    for (const SearchResult& r : {searchLog("W1", dir.folder()), searchHistory("W1", dir.folder())}) {
        ASSERT_TRUE(r.error);
        EXPECT_EQ(r.text, "");
    }
}

}  // namespace
}  // namespace vl::entry
