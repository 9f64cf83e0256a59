// Reading data files as a person may have left them after editing by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logbook/contact_record.h"
#include "logbook/quoted_line.h"
#include "logbook/registration.h"
#include "logbook/roster.h"
#include "logbook/small_files.h"
#include "case_name.h"

namespace vl::logbook {
namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
    std::string line;
    Fields fields;
    bool unterminated = false;
};

class SplitLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLine, GivesTheFieldsAReaderSees) {
    bool unterminated = !GetParam().unterminated;
    EXPECT_EQ(splitQuotedLine(GetParam().line, &unterminated), GetParam().fields);
    EXPECT_EQ(unterminated, GetParam().unterminated);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitLine,
    ::testing::Values(
        SplitCase{R"("a","b")", {"a", "b"}},
        SplitCase{R"(" x ","")", {" x ", ""}},                    // blanks inside quotes kept
        SplitCase{"  abc ,\tdef ,7", {"abc", "def", "7"}},        // unquoted, trimmed
        SplitCase{R"("ab"junk,"c")", {"ab", "c"}},                 // text after the closing quote
        SplitCase{R"(  "a" ,  "b")", {"a", "b"}},                  // blanks before the quote
        SplitCase{R"("002","Smith, Jones")", {"002", "Smith, Jones"}},
        SplitCase{R"("a",)", {"a", ""}},
        SplitCase{R"(,)", {"", ""}},
        SplitCase{R"("a","abc,def)", {"a", "abc,def"}, true},      // never closed: rest of line
        SplitCase{R"(")", {""}, true}),
    [](const auto& info) { return test_names::caseName(info.index, {info.param.line}); });

TEST(SplitLines, AcceptsLfCrLfAndAMissingLastLineEnd) {
    const std::string content = "one\r\ntwo\n\r\n   \r\n\t\n\nthree";
    const auto lines = splitLines(content);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "three");
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_TRUE(splitLines("\r\n\n  \n").empty());
}

TEST(ReadContacts, HandEditedLogKeepsEveryRecord) {
    const std::string content =
        "\"K1ABC   \",\"59  \",\"59  \",\"123\",\"BOB    \",\"20 \",\"PHN\",\"12/06/2026\",\"18:30 \",\"\"\n"
        "\n   \r\n"
        "W2XYZ,599,599,7,AL,40,CW,12/06/2026,18:31,DUPE\r\n"   // unquoted, short fields
        "\"K3SHORT\"\r\n"                                      // fields missing
        "\"K4X\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"c\",\"extra\",\"more\"";
    const auto records = readContacts(content);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(countRecords(content), 4);
    EXPECT_EQ(records[1].call, "W2XYZ   ");
    EXPECT_EQ(records[1].chapter, "7  ");
    EXPECT_EQ(records[1].mode, "CW ");
    EXPECT_EQ(records[1].comment, "DUPE");
    EXPECT_EQ(records[2].call, "K3SHORT ");
    EXPECT_EQ(records[2].band, "   ");
    EXPECT_EQ(records[2].date, std::string(kDateWidth, ' '));
    EXPECT_EQ(records[2].comment, "");
    EXPECT_EQ(records[3].comment, "c");
}

TEST(ReadContacts, BrokenInputGivesRecordsNotCrashes) {
    EXPECT_TRUE(readContacts("").empty());
    EXPECT_EQ(countRecords(""), 0);
    const auto records = readContacts("\"K1ABC\",\"59  \",\"unterminated, comment");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].rcvd, "unte");
    EXPECT_EQ(records[0].chapter, "   ");
}

TEST(ReadRegistration, ShortFileReadsAsFarAsItGoes) {
    const RegistrationRead read = parseRegistration("\"K1ABC\",\"012\",\"1 Main St\"\r\n");
    EXPECT_EQ(read.fieldsRead, 3);
    EXPECT_FALSE(read.offsetValid);
    EXPECT_EQ(read.registration.call, "K1ABC");
    EXPECT_EQ(read.registration.chapter, "012");
    EXPECT_EQ(read.registration.address, "1 Main St");
    EXPECT_EQ(read.registration.year, "");
    EXPECT_EQ(read.registration.utcOffset, 0);

    const RegistrationRead empty = parseRegistration("");
    EXPECT_EQ(empty.fieldsRead, 0);
    EXPECT_FALSE(empty.offsetValid);
}

TEST(ReadRegistration, NonNumericOffsetLeavesTheOtherFields) {
    const RegistrationRead read =
        parseRegistration("\"K1ABC\",\"012\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"2016\",abc,\"me@x.org\"\n");
    EXPECT_EQ(read.fieldsRead, 12);
    EXPECT_FALSE(read.offsetValid);
    EXPECT_EQ(read.registration.utcOffset, 0);
    EXPECT_EQ(read.registration.year, "2016");
    EXPECT_EQ(read.registration.email, "me@x.org");
}

TEST(ReadRoster, NamesAsStoredAndTheEndMark) {
    const auto roster = parseRoster(
        "\"001\",\" Leading Blank Chapter\"\r\n\"002\",\"Smith, Jones\"\r\n"
        "599 , Non-member stations\n\"123\"\n999,End");
    ASSERT_EQ(roster.size(), 5u);
    EXPECT_EQ(roster[0].name, " Leading Blank Chapter");
    EXPECT_EQ(roster[1].name, "Smith, Jones");
    EXPECT_EQ(roster[2].number, "599");
    EXPECT_EQ(roster[2].name, "Non-member stations");
    EXPECT_EQ(roster[3].name, "");  // missing name field
    EXPECT_EQ(roster[4].number, kRosterEndMark);
}

TEST(ReadSmallFiles, ChaptersWorkedKeepTheirBlanks) {
    EXPECT_EQ(readFirstFields("\"7  \"\r\n\n\"123\"\n12 ,junk"), (Fields{"7  ", "123", "12"}));
    EXPECT_TRUE(readFirstFields("").empty());
}

TEST(ReadSmallFiles, StartSwitchCountsAnythingButNoAsYes) {
    EXPECT_FALSE(startMessageWanted("\"NO\"\r\n"));
    EXPECT_FALSE(startMessageWanted("NO"));
    EXPECT_TRUE(startMessageWanted("\"YES\"\r\n"));
    EXPECT_TRUE(startMessageWanted("\"no\"\r\n"));
    EXPECT_TRUE(startMessageWanted("\x01garbage,\"NO"));
    EXPECT_TRUE(startMessageWanted(""));
    EXPECT_TRUE(startMessageWanted("\r\n"));
}

TEST(ReadSmallFiles, CwMessagesNeedNineFields) {
    CwMessages out;
    out.fill("kept");
    EXPECT_FALSE(parseCwMessages("", out));
    EXPECT_FALSE(parseCwMessages("\"a\",\"b\",\"c\"\r\n", out));
    // A file split over two lines still holds its nine fields.
    ASSERT_TRUE(parseCwMessages("\"1\",\"2\",\"3\",\"4\"\n\"5\",\"6\",\"7\",\"8\",\"10\"", out));
    EXPECT_EQ(out[8], "10");
}

}  // namespace
}  // namespace vl::logbook
