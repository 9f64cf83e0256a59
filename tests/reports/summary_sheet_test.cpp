#include "reports/summary_sheet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "logbook/contact_record.h"
#include "sheet_totals.h"

namespace vl::reports {
namespace {

std::string sp(int n) { return std::string(static_cast<size_t>(n), ' '); }

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

std::vector<std::string> linesOf(const std::string& sheet) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < sheet.size()) {
        size_t end = sheet.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(sheet.substr(pos));
            break;
        }
        lines.push_back(sheet.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

// Index of the first line starting with `start`, or -1.
int findLine(const std::vector<std::string>& lines, const std::string& start) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i);
    }
    return -1;
}

logbook::Registration fixtureRegistration() {
    logbook::Registration r;
    r.call = "QV1TST";
    r.chapter = "012";
    r.address = "1 Test Road";
    r.state = "North";
    r.report = "599";
    r.name = "Kim";
    r.chapterName = "Lindenport";
    r.city = "Lindenport";
    r.zip = "10001";
    r.year = "2026";
    r.utcOffset = -5;
    r.email = "kim@example.org";
    return r;
}

SheetTexts fixtureTexts() {
    return {"Sponsor Line", "Manager QV9MGR", "1 Street", "Town, Velmara", "mail@example.org",
            "QV9XYZ"};
}

const std::string kLog =
    "\"QV2AAA  \",\"599 \",\"599 \",\"034\",\"ANN    \",\"20 \",\"CW \",\"06/13/2026\",\"18:30 \","
    "\"Good signal\"\r\n"
    "\"N\xD8" "CALL  \",\"59  \",\"59  \",\"012\",\"BOB    \",\"40 \",\"PHN\",\"06/13/2026\","
    "\"18:45 \",\"\"\r\n"
    "\"QV2AAA  \",\"599 \",\"599 \",\"034\",\"ANN    \",\"20 \",\"CW \",\"06/13/2026\",\"19:02 \","
    "\"DUPE\"\r\n";

std::string build(const scoring::Counters& totals, const std::vector<std::string>& bonus,
                  const ChapterLists& lists, const std::string& log = "") {
    return buildSummarySheet(fixtureRegistration(), totals, bonus, lists,
                             logbook::readContacts(log), fixtureTexts());
}

TEST(SummarySheet, GoldenSheetForAFixtureRegistrationAndLog) {
    const scoring::Counters totals = fixture::totalsOf(3, 2, 1, 2, 2, 1);
    const ChapterLists lists{{{"012", "034"}, {"012", "056"}, {"078"}}};
    const std::string sheet = build(totals, {"QV2AAA", "QV3BBB"}, lists, kLog);

    std::vector<std::string> expected = {
        // page 1
        "",
        sp(14) + "Sponsor Line",
        sp(14) + "Annual Velmara QSO Party",
        "",
        sp(21) + "2026 Summary Sheet",
        "",
        sp(5) + "Call Sign QV1TST",
        sp(5) + "Name  Kim",
        sp(5) + "Address 1 Test Road" + sp(30) + "City Lindenport",
        sp(5) + "State North" + sp(18) + "ZIP 10001",
        sp(5) + "Email Address kim@example.org",
        sp(5) + "Chapter  Lindenport" + sp(30) + "Chapter # 012",
        "",
        sp(5) + "Are you participating as a Velmara? _____",
        sp(5) + "Are you participating as a Non Velmara? _____",
        "",
        "",
        "  Scoring in the Velmara QSO Party is relatively simple:",
        "",
        "  FINAL TOTAL SCORE WILL EQUAL (CW QSOs + DIGITAL QSOs + PHONE QSOs) TIMES",
        "  (CW CHAPTERS + DIGITAL CHAPTERS + PHONE CHAPTERS) + BONUS POINTS",
        "",
        "  CW QSOs:    3  X   CW Chapters    2  Equals CW Score:     6 ",
        "  DIG QSOs:   1  X   DIG Chapters   1  Equals DIG Score:    1 ",
        "  PH QSOs:    2  X   PH Chapters    2  Equals PH Score:     4 ",
        "",
        "  PH+CW+DIG QSOs: ",
        sp(17) + " 6    X  PH+CW+DIG Chptrs: 5    Equals Total Score    30 ",
    };
    for (int i = 0; i < 11; ++i) expected.push_back("");
    const std::vector<std::string> page1Rest = {
        "  Total VLQSO Party Score" + sp(27) + " 30 ",
        "",
        "  Claimed Bonus Point Calls for explaining: What is a Velmara",
        "",
        "",
        sp(5) + "1. QV2AAA     2. QV3BBB     3. " + sp(11) + "4. " + sp(11) + "5. ",
        "",
        sp(5) + "6. " + sp(11) + "7. " + sp(11) + "8. " + sp(11) + "9. " + sp(11) + "10. ",
        "",
        sp(15) + "Bonus Points" + sp(25) + " 20 ",
        "",
        sp(5) + "Total Score Plus Bonus Points (Max 100) equals Final Score:  50",
        "\f",
        // page 2
        "",
        "",
        "",
        sp(19) + "Annual Velmara QSO Party",
        "",
        "  Chapter  Lindenport" + sp(28) + "Number  012",
        "",
        "  Name   Kim" + sp(37) + "Call  QV1TST",
        "  Exchange Sent  599" + sp(29) + "Year  2026",
        "",
        "",
        "",
        "",
        "",
        sp(9) + "CW Chapters worked",
        "",
        "  012" + sp(9) + "  034" + sp(9),
        "",
        sp(9) + "PHONE Chapters worked",
        "",
        "  012" + sp(9) + "  056" + sp(9),
        "",
        sp(9) + "DIGITAL Chapters worked",
        "",
        "  078" + sp(9),
        "",
        "",
        "",
        "  Your Information:",
        "",
        "  Please answer the following if you can.",
        "",
        sp(5) + "1. Do you have a Velmara radio club in your chapter?",
        sp(8) + "Yes___ No___",
        sp(8) + "If yes, please give the name of your club: _______________________",
        "",
        sp(5) + "2. Comments: _______________________________________________________",
        "",
        sp(8) + "_______________________________________________________________",
        "I support the Velmara's goals of fellowship and community service.",
        "",
        "",
        sp(5) + "Send this summary with your logs to:",
        "",
        sp(15) + "Velmara QSO Party",
        sp(15) + "Manager QV9MGR",
        sp(15) + "1 Street",
        sp(15) + "Town, Velmara",
        "",
        "",
        sp(5) + "If you send me your log and summary via email,",
        sp(5) + "include your callsign in the name of the file.",
        sp(5) + "For example QV9XYZ2026.xxx WHERE xxx is the file name extension.",
        "",
        sp(5) + "mail@example.org",
        "\f",
        // page 3
        sp(19) + "Annual Velmara QSO Party",
        "",
        "  Chapter  Lindenport" + sp(28) + "Number  012",
        "",
        "  Name   Kim" + sp(37) + "Call  QV1TST",
        "  Exchange Sent  599" + sp(29) + "Year  2026",
        "",
        "  Nr  Date" + sp(9) + "UTC   Station     Snt  Rcv   Chp   Name      Bnd Mod  Com",
        "  1   06/13/2026  18:30  QV2AAA      599  599   034  ANN        20  CW   Good si",
        "  2   06/13/2026  18:45  N\xD8" "CALL      59   59    012  BOB        40  PHN  ",
        "  3   06/13/2026  19:02  QV2AAA      599  599   034  ANN        20  CW   DUPE",
    };
    expected.insert(expected.end(), page1Rest.begin(), page1Rest.end());

    EXPECT_EQ(sheet, joinLines(expected));
}

TEST(SummarySheet, ModeLinePlacesCountsAtTheirColumns) {
    const scoring::Counters totals = fixture::totalsOf(25, 0, 0, 10, 0, 0);
    const auto lines = linesOf(build(totals, {}, {}));
    const int at = findLine(lines, "  CW QSOs: ");
    ASSERT_GE(at, 0);
    const std::string& line = lines[at];
    EXPECT_EQ(line.substr(13, 4), " 25 ");   // column 14
    EXPECT_EQ(line.substr(17, 1), "X");      // column 18
    EXPECT_EQ(line.substr(35, 4), " 10 ");   // column 36
    EXPECT_EQ(line.substr(59), " 250 ");     // column 60, the line's end
}

TEST(SummarySheet, CountOfAHundredCarriesTheRestOfTheLineToTheNext) {
    const scoring::Counters totals = fixture::totalsOf(0, 0, 100, 0, 0, 1);
    const auto lines = linesOf(build(totals, {}, {}));
    const int at = findLine(lines, "  DIG QSOs: ");
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at], "  DIG QSOs:   100 ");
    EXPECT_EQ(lines[at + 1], sp(17) + "X   DIG Chapters   1  Equals DIG Score:    100 ");
    EXPECT_EQ(lines[at + 2].substr(0, 11), "  PH QSOs: ");
}

TEST(SummarySheet, SevenChaptersTakeTwoLinesThenAnEmptyLine) {
    const ChapterLists lists{{{"001", "002", "003", "004", "005", "006", "007"}, {}, {}}};
    const auto lines = linesOf(build({}, {}, lists));
    const int at = findLine(lines, sp(9) + "CW Chapters worked");
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at + 1], "");
    EXPECT_EQ(lines[at + 2], "  001" + sp(9) + "  002" + sp(9) + "  003" + sp(9) + "  004" +
                                 sp(9) + "  005" + sp(9) + "  006" + sp(9));
    EXPECT_EQ(lines[at + 3], "  007" + sp(9));
    EXPECT_EQ(lines[at + 4], "");
    EXPECT_EQ(lines[at + 5], sp(9) + "PHONE Chapters worked");
}

TEST(SummarySheet, EmptyLogEndsWithTheColumnHeads) {
    const std::string sheet = build({}, {}, {});
    const std::string heads =
        "  Nr  Date" + sp(9) + "UTC   Station     Snt  Rcv   Chp   Name      Bnd Mod  Com\r\n";
    ASSERT_GE(sheet.size(), heads.size());
    EXPECT_EQ(sheet.substr(sheet.size() - heads.size()), heads);
}

TEST(SummarySheet, TwelveBonusEntriesGiveAHundredPointsAndListTheFirstTen) {
    std::vector<std::string> bonus;
    for (int i = 1; i <= 12; ++i) bonus.push_back("B" + std::to_string(i));
    const scoring::Counters totals = fixture::totalsOf(1, 0, 0, 1, 0, 0);
    const auto lines = linesOf(build(totals, bonus, {}));
    const int first = findLine(lines, sp(5) + "1. ");
    ASSERT_GE(first, 0);
    EXPECT_EQ(lines[first], sp(5) + "1. B1" + sp(9) + "2. B2" + sp(9) + "3. B3" + sp(9) + "4. B4" +
                                sp(9) + "5. B5");
    EXPECT_EQ(lines[first + 2], sp(5) + "6. B6" + sp(9) + "7. B7" + sp(9) + "8. B8" + sp(9) +
                                    "9. B9" + sp(9) + "10. B10");
    EXPECT_EQ(lines[first + 4], sp(15) + "Bonus Points" + sp(25) + " 100 ");
    EXPECT_EQ(lines[first + 6],
              sp(5) + "Total Score Plus Bonus Points (Max 100) equals Final Score:  101");
    const int total = findLine(lines, "  Total VLQSO Party Score");
    EXPECT_EQ(lines[total], "  Total VLQSO Party Score" + sp(27) + " 1 ");
}

TEST(SummarySheet, ScoresPastThe16BitRangeArePrintedWhole) {
    const scoring::Counters totals = fixture::totalsOf(200, 150, 0, 200, 100, 0);
    const auto lines = linesOf(build(totals, {"X1"}, {}));
    // Three-digit counts carry the rest of the line on, twice.
    const int cw = findLine(lines, "  CW QSOs: ");
    ASSERT_GE(cw, 0);
    EXPECT_EQ(lines[cw], "  CW QSOs:    200 ");
    EXPECT_EQ(lines[cw + 1], sp(17) + "X   CW Chapters    200 ");
    EXPECT_EQ(lines[cw + 2], sp(39) + "Equals CW Score:     40000 ");
    const int total = findLine(lines, "  Total VLQSO Party Score");
    EXPECT_EQ(lines[total], "  Total VLQSO Party Score" + sp(27) + " 105000 ");
    const int final = findLine(lines, sp(5) + "Total Score Plus Bonus Points");
    EXPECT_EQ(lines[final],
              sp(5) + "Total Score Plus Bonus Points (Max 100) equals Final Score:  105010");
}

}  // namespace
}  // namespace vl::reports
