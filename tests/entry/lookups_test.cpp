#include <gtest/gtest.h>

#include <cerrno>

#include "entry/log_index.h"
#include "entry/lookups.h"
#include "entry/partial_check.h"
#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "temp_folder.h"

namespace vl::entry {
namespace {

namespace names = logbook::names;
using testing::withSlashedZero;

logbook::ContactRecord contact(std::string call, std::string sent, std::string rcvd,
                               std::string chapter, std::string name, std::string band,
                               std::string mode, std::string time, std::string comment = "") {
    return {std::move(call), std::move(sent), std::move(rcvd), std::move(chapter),
            std::move(name), std::move(band), std::move(mode), "12/06/2026",
            std::move(time),  std::move(comment)};
}

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string log;
        log += logbook::formatContactLine(
            contact("W1AW", "59", "57", "123", "BOB", "20", "PHN", "18:30"));
        log += logbook::formatContactLine(
            contact(withSlashedZero("K0ABC"), "599", "599", "7", "AL", "40", "CW", "18:40"));
        log += logbook::formatContactLine(
            contact("VE3ABCDEFG", "59", "59", "001", "ED", "20", "PHN", "18:45"));
        log += logbook::formatContactLine(
            contact("W1AW", "599", "579", "001", "ROBERT", "160", "CW", "19:05", "DUPE"));
        dir.write(names::kContactLog, log);
        dir.write(names::kHistory,
                  "\"W1AW\",\"123\",\"HIRAM\"\r\n"
                  "\"N2YY\",\" \",\"ANN\"\r\n"
                  " N3ZZ , 042 , ZED\n"
                  "\"N2YY\",\"777\",\"SECOND\"\r\n");
    }
    const logbook::DataFolder& folder() { return dir.folder(); }
    testing::TempFolder dir;
};

TEST_F(LookupTest, DupeOnSameCallBandAndMode) {
    const DupeCheck dupe = findDupe("W1AW", "20", "PHN", folder());
    ASSERT_TRUE(dupe.match.has_value());
    EXPECT_EQ(dupe.match->time, "18:30 ");
    EXPECT_EQ(dupe.question,
              "W1AW  BOB       is a Dupe this Band & Mode worked 12/06/2026 18:30   Do You wish to "
              "continue?");
    EXPECT_FALSE(findDupe("W1AW", "40", "PHN", folder()).match);
    EXPECT_FALSE(findDupe("W1AW", "20", "CW", folder()).match);
    // The list texts are unpadded; the log's fields are padded.
    EXPECT_TRUE(findDupe("W1AW", "160", "CW", folder()).match);
}

TEST_F(LookupTest, BlanksAroundTheCallStillMatchAndTheQuestionShowsTheBox) {
    const DupeCheck dupe = findDupe("  W1AW ", "20", "PHN", folder());
    ASSERT_TRUE(dupe.match.has_value());
    EXPECT_EQ(dupe.question.substr(0, 11), "  W1AW   BO");
    EXPECT_EQ(findPreviousContacts(" W1AW  ", folder()).count, 2);
    EXPECT_TRUE(findDupe(withSlashedZero(" K0ABC"), "40", "CW", folder()).match);
}

TEST_F(LookupTest, PreviousContactsListAllOldestFirstAndPrefillTheLatest) {
    const PreviousContacts prev = findPreviousContacts("W1AW", folder());
    EXPECT_EQ(prev.count, 2);
    EXPECT_EQ(prev.text,
              "  12/06/2026  18:30   W1AW     59    57    123 BOB     20  PHN \r\n"
              "  12/06/2026  19:05   W1AW     599   579   001 ROBERT  160 CW  DUPE\r\n");
    EXPECT_EQ(prev.sent, "599 ");
    EXPECT_EQ(prev.rcvd, "579 ");
    EXPECT_EQ(prev.chapter, "001");
    EXPECT_EQ(prev.name, "ROBERT ");
}

TEST_F(LookupTest, ReportSentIsShownAsStored) {
    dir.write(names::kContactLog,
              "\"N5XX\",\"59\",\"5\",\"7\",\"JO\",\"20\",\"PHN\",\"12/06/2026\",\"18:30\",\"\"\r\n");
    const PreviousContacts prev = findPreviousContacts("N5XX", folder());
    EXPECT_EQ(prev.text, "  12/06/2026  18:30   N5XX     59  5     7   JO      20  PHN \r\n");
    EXPECT_EQ(prev.sent, "59");
    EXPECT_EQ(prev.chapter, "7  ");
}

TEST_F(LookupTest, LogKeepsEightCharactersSoALongerCallNeverMatches) {
    EXPECT_EQ(findPreviousContacts("VE3ABCDEFG", folder()).count, 0);
    EXPECT_FALSE(findDupe("VE3ABCDEFG", "20", "PHN", folder()).match);
    EXPECT_EQ(findPreviousContacts("VE3ABCDE", folder()).count, 1);
    EXPECT_EQ(findPreviousContacts("W1A", folder()).count, 0);  // no prefix matches here
}

TEST_F(LookupTest, MissingLogIsReportedByBothLogLookups) {
    ASSERT_FALSE(dir.folder().remove(names::kContactLog));
    const DupeCheck dupe = findDupe("W1AW", "20", "PHN", folder());
    ASSERT_TRUE(dupe.error);
    EXPECT_EQ(dupe.error->number, ENOENT);
    EXPECT_FALSE(dupe.match);
    const PreviousContacts prev = findPreviousContacts("W1AW", folder());
    ASSERT_TRUE(prev.error);
    EXPECT_EQ(prev.count, 0);
    EXPECT_TRUE(prev.text.empty());
}

TEST_F(LookupTest, HistoryFirstMatchWins) {
    HistoryMatch h = findHistory("W1AW", folder());
    EXPECT_TRUE(h.found);
    EXPECT_EQ(h.chapter, "123");
    EXPECT_EQ(h.name, "HIRAM");

    h = findHistory("N2YY", folder());
    EXPECT_TRUE(h.found);
    EXPECT_EQ(h.chapter, "");  // a single blank stands for no chapter
    EXPECT_EQ(h.name, "ANN");

    h = findHistory(" N3ZZ ", folder());  // unquoted fields, LF line end
    EXPECT_EQ(h.chapter, "042");
    EXPECT_EQ(h.name, "ZED");

    EXPECT_FALSE(findHistory("N2Y", folder()).found);
    EXPECT_FALSE(findHistory("W1AWX", folder()).found);
}

TEST_F(LookupTest, MissingHistoryFileIsReported) {
    ASSERT_FALSE(dir.folder().remove(names::kHistory));
    const HistoryMatch h = findHistory("W1AW", folder());
    EXPECT_FALSE(h.found);
    ASSERT_TRUE(h.error);
    EXPECT_EQ(h.error->number, ENOENT);
}

TEST_F(LookupTest, AnEditByHandBetweenTwoLookUpsIsSeen) {
    EXPECT_EQ(findHistory("N2YY", folder()).name, "ANN");
    // Same size, same place, straight after the first read.
    std::string edited = folder().read(names::kHistory).content;
    edited.replace(edited.find("ANN"), 3, "BEA");
    dir.write(names::kHistory, edited);
    EXPECT_EQ(findHistory("N2YY", folder()).name, "BEA");

    EXPECT_EQ(findPreviousContacts("W1AW", folder()).name, "ROBERT ");
    std::string log = folder().read(names::kContactLog).content;
    log.replace(log.find("ROBERT"), 6, "RALPH ");
    dir.write(names::kContactLog, log);
    EXPECT_EQ(findPreviousContacts("W1AW", folder()).name, "RALPH  ");
}

// The index answers every look-up as the scan does, through a hand edit, the
// program's own appends, a deleted file and a file made anew.
TEST_F(LookupTest, IndexAnswersAsTheScan) {
    LogIndex index(folder());
    auto agree = [&](const char* step) {
        SCOPED_TRACE(step);
        const std::string calls[] = {"W1AW", " W1AW ", withSlashedZero("K0ABC"), "VE3ABCDE", "VE3ABCDEFG",
                                     "N2YY", "N3ZZ", "W1A", "", "ZZ9"};
        for (const std::string& call : calls) {
            SCOPED_TRACE(call);
            for (const auto& [band, mode] : {std::pair{"20", "PHN"}, {"160", "CW"}, {"40", "CW"}}) {
                const DupeCheck a = findDupe(call, band, mode, folder());
                const DupeCheck b = findDupe(call, band, mode, index);
                EXPECT_EQ(a.question, b.question);
                EXPECT_EQ(a.error.has_value(), b.error.has_value());
            }
            const PreviousContacts p = findPreviousContacts(call, folder());
            const PreviousContacts q = findPreviousContacts(call, index);
            EXPECT_EQ(p.text, q.text);
            EXPECT_EQ(p.name + p.sent, q.name + q.sent);
            EXPECT_EQ(p.error.has_value(), q.error.has_value());
            const HistoryMatch h = findHistory(call, folder());
            const HistoryMatch g = findHistory(call, index);
            EXPECT_EQ(h.found, g.found);
            EXPECT_EQ(h.chapter + "|" + h.name, g.chapter + "|" + g.name);
            EXPECT_EQ(h.error.has_value(), g.error.has_value());
        }
    };
    agree("as built");
    std::string history = folder().read(names::kHistory).content;
    history.replace(history.find("ANN"), 3, "BEA");
    dir.write(names::kHistory, history);
    agree("history edited by hand, same size");
    ASSERT_FALSE(folder().appendText(names::kContactLog, logbook::formatContactLine(contact(
                                                             "ZZ9", "59", "59", "5", "ZED", "20", "PHN", "20:00"))));
    ASSERT_FALSE(index.extend(LogIndex::File::Log));
    ASSERT_FALSE(folder().appendText(names::kHistory, "\"ZZ9\",\"5\",\"ZED\"\r\n"));
    ASSERT_FALSE(index.extend(LogIndex::File::History));
    EXPECT_TRUE(findDupe("ZZ9", "20", "PHN", index).match);
    agree("after the program's appends");
    ASSERT_FALSE(folder().remove(names::kContactLog));
    agree("log deleted");
    dir.write(names::kContactLog, logbook::formatContactLine(contact("N2YY", "59", "59", "9", "NED", "40", "CW", "21:00")));
    agree("log made anew");
}

struct PartialRow {
    const char* typed;
    const char* band;
    const char* mode;
    std::vector<std::string> lines;  // as the panel shows them
};

TEST_F(LookupTest, PartialCheckListsMatchesWithTheirMarks) {
    std::string more;
    for (const char* call : {"W1AWA", "KW1AW", "W1AWA", "W1AWA"}) {
        more += logbook::formatContactLine(contact(call, "59", "59", "9", "SAM", "40", "PHN", "20:00"));
    }
    ASSERT_FALSE(folder().appendText(names::kContactLog, more));
    ASSERT_FALSE(folder().appendText(names::kHistory, "\"QRA1\",\"1\",\"ONE\"\r\n\"QRA\",\"2\",\"TWO\"\r\n"));
    const std::string kZeroAbc = withSlashedZero("K0ABC");
    const PartialRow rows[] = {
        // Exact match first though worked less, then by contacts logged; the
        // latest contact's chapter and name; a history station not repeated.
        {"W1AW", "20", "PHN",
         {"W1AW       001  ROBERT   dupe", "W1AWA      9    SAM      worked 40 PHN",
          "KW1AW      9    SAM      worked 40 PHN"}},
        {"W1AW", "160", "PHN",
         {"W1AW       001  ROBERT   worked 20 PHN, 160 CW", "W1AWA      9    SAM      worked 40 PHN",
          "KW1AW      9    SAM      worked 40 PHN"}},
        // Ø and 0 alike, letters without case; the log keeps eight characters.
        {"k0a", "40", "CW", {kZeroAbc + "      7    AL       dupe"}},
        {"AB", "20", "PHN",
         {kZeroAbc + "      7    AL       worked 40 CW", "VE3ABCDE   001  ED       dupe"}},
        // Known only to the history file; its first record.
        {"N2YY", "20", "PHN", {"N2YY            ANN      history"}},
        {" 3Z", "20", "PHN", {"N3ZZ       042  ZED      history"}},
        {"QRA", "20", "PHN", {"QRA        2    TWO      history", "QRA1       1    ONE      history"}},
        {"W", "20", "PHN", {}},
        {"QQ", "20", "PHN", {}},
    };
    LogIndex index(folder());
    for (const PartialRow& row : rows) {
        SCOPED_TRACE(row.typed);
        const PartialCheck check = checkPartial(row.typed, row.band, row.mode, true, index);
        std::vector<std::string> shown;
        for (const PartialLine& line : check.lines) shown.push_back(partialLineText(line));
        EXPECT_EQ(shown, row.lines);
    }
    EXPECT_TRUE(checkPartial("N2YY", "20", "PHN", false, index).lines.empty());
    ASSERT_FALSE(folder().remove(names::kHistory));
    const PartialCheck failed = checkPartial("N2YY", "20", "PHN", true, index);
    EXPECT_TRUE(failed.error);
    EXPECT_EQ(failed.unreadable, names::kHistory);
}

}  // namespace
}  // namespace vl::entry
