#include "reports/summary_sheet.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "reports/print_writer.h"

namespace vl::reports {

namespace {

constexpr std::string_view kTitle = "Annual Velmara QSO Party";
constexpr std::string_view kFormFeed = "\f";
constexpr size_t kEntriesPerLine = 6;
constexpr size_t kCommentShown = 7;

using logbook::Registration;

// One item at a column.
struct At {
    int column;
    std::string_view text;
};

class Sheet {
public:
    // Items at their columns, then the line end.
    void line(std::initializer_list<At> items) {
        for (const At& item : items) {
            w_.tab(item.column);
            w_.text(item.text);
        }
        w_.newLine();
    }
    void line(int column, std::string_view text) { line({{column, text}}); }
    void emptyLines(int count) {
        for (int i = 0; i < count; ++i) w_.newLine();
    }
    void pageBreak() { line(1, kFormFeed); }
    PrintWriter& writer() { return w_; }

private:
    PrintWriter w_;
};

std::string cat(std::string_view a, std::string_view b) {
    std::string out(a);
    out += b;
    return out;
}

// The contacts-times-chapters line of one mode.
void modeLine(PrintWriter& w, std::string_view qsos, long long contacts, std::string_view chapters,
              long long chapterCount, std::string_view equals, long long score) {
    w.tab(3);
    w.text(qsos);
    w.tab(14);
    w.integer(contacts);
    w.tab(18);
    w.text("X");
    w.tab(22);
    w.text(chapters);
    w.tab(36);
    w.integer(chapterCount);
    w.tab(40);
    w.text(equals);
    w.tab(60);
    w.integer(score);
    w.newLine();
}

void bonusLine(Sheet& sheet, const std::vector<std::string>& calls, size_t first) {
    static constexpr int kColumns[] = {6, 20, 34, 48, 62};
    PrintWriter& w = sheet.writer();
    for (size_t i = 0; i < std::size(kColumns); ++i) {
        const size_t slot = first + i;
        w.tab(kColumns[i]);
        w.text(std::to_string(slot + 1) + ". ");
        if (slot < calls.size()) w.text(calls[slot]);
    }
    w.newLine();
}

void pageOne(Sheet& sheet, const Registration& r, const scoring::Counters& t,
             const scoring::SheetScores& s, const std::vector<std::string>& bonusCalls,
             const SheetTexts& texts) {
    sheet.emptyLines(1);
    sheet.line(15, texts.sponsor);
    sheet.line(15, kTitle);
    sheet.emptyLines(1);
    sheet.line(22, cat(r.year, " Summary Sheet"));
    sheet.emptyLines(1);
    sheet.line(6, cat("Call Sign ", r.call));
    sheet.line(6, cat("Name  ", r.name));
    sheet.line({{6, cat("Address ", r.address)}, {55, cat("City ", r.city)}});
    sheet.line({{6, cat("State ", r.state)}, {35, cat("ZIP ", r.zip)}});
    sheet.line(6, cat("Email Address ", r.email));
    sheet.line({{6, cat("Chapter  ", r.chapterName)}, {55, cat("Chapter # ", r.chapter)}});
    sheet.emptyLines(1);
    sheet.line(6, "Are you participating as a Velmara? _____");
    sheet.line(6, "Are you participating as a Non Velmara? _____");
    sheet.emptyLines(2);
    sheet.line(3, "Scoring in the Velmara QSO Party is relatively simple:");
    sheet.emptyLines(1);
    sheet.line(3, "FINAL TOTAL SCORE WILL EQUAL (CW QSOs + DIGITAL QSOs + PHONE QSOs) TIMES");
    sheet.line(3, "(CW CHAPTERS + DIGITAL CHAPTERS + PHONE CHAPTERS) + BONUS POINTS");
    sheet.emptyLines(1);

    PrintWriter& w = sheet.writer();
    modeLine(w, "CW QSOs: ", t.ctot, "CW Chapters ", t.ochptot, "Equals CW Score: ", s.cdconpts);
    modeLine(w, "DIG QSOs: ", t.dtot, "DIG Chapters", t.dchptot, "Equals DIG Score:", s.digScore);
    modeLine(w, "PH QSOs: ", t.ptot, "PH Chapters ", t.chptot, "Equals PH Score: ", s.phnconpts);
    sheet.emptyLines(1);

    // The sum at column 18 no longer fits after the heading, so the rule
    // carries it and the rest of the line to the next line.
    w.tab(3);
    w.text("PH+CW+DIG QSOs: ");
    w.tab(18);
    w.integer(std::int64_t{t.ctot} + t.ptot + t.dtot);
    w.tab(24);
    w.text("X");
    w.tab(27);
    w.text("PH+CW+DIG Chptrs:");
    w.tab(44);
    w.integer(std::int64_t{t.ochptot} + t.chptot + t.dchptot);
    w.tab(50);
    w.text("Equals Total Score");
    w.tab(71);
    w.integer(s.totscoreBeforeBonus);
    w.newLine();

    sheet.emptyLines(8 + 3);
    w.tab(3);
    w.text("Total VLQSO Party Score");
    w.tab(53);
    w.integer(s.totscoreBeforeBonus);
    w.newLine();
    sheet.emptyLines(1);
    sheet.line(3, "Claimed Bonus Point Calls for explaining: What is a Velmara");
    sheet.emptyLines(2);
    const size_t listed = std::min(bonusCalls.size(), scoring::kMaxBonusEntries);
    const std::vector<std::string> calls(bonusCalls.begin(), bonusCalls.begin() + listed);
    bonusLine(sheet, calls, 0);
    sheet.emptyLines(1);
    bonusLine(sheet, calls, 5);
    sheet.emptyLines(1);
    w.tab(16);
    w.text("Bonus Points");
    w.tab(53);
    w.integer(s.bonusPoints);
    w.newLine();
    sheet.emptyLines(1);
    sheet.line(6, "Total Score Plus Bonus Points (Max 100) equals Final Score:  " +
                      std::to_string(s.totscore));
    sheet.pageBreak();
}

// The operator's block at the head of pages 2 and 3.
void operatorBlock(Sheet& sheet, const Registration& r) {
    sheet.line(20, kTitle);
    sheet.emptyLines(1);
    sheet.line({{3, cat("Chapter  ", r.chapterName)}, {50, cat("Number  ", r.chapter)}});
    sheet.emptyLines(1);
    sheet.line({{3, cat("Name   ", r.name)}, {50, cat("Call  ", r.call)}});
    sheet.line({{3, cat("Exchange Sent  ", r.report)}, {50, cat("Year  ", r.year)}});
}

// Entries by print zones, six to a line, then the line end.
void chapterList(Sheet& sheet, std::string_view heading, const std::vector<std::string>& entries) {
    sheet.line(10, heading);
    sheet.emptyLines(1);
    PrintWriter& w = sheet.writer();
    for (size_t i = 0; i < entries.size(); ++i) {
        w.zoneEntry(entries[i]);
        if ((i + 1) % kEntriesPerLine == 0) w.newLine();
    }
    w.newLine();
}

void pageTwo(Sheet& sheet, const Registration& r, const ChapterLists& lists,
             const SheetTexts& texts) {
    sheet.emptyLines(3);
    operatorBlock(sheet, r);
    sheet.emptyLines(5);
    chapterList(sheet, "CW Chapters worked", lists[0]);
    sheet.emptyLines(1);
    chapterList(sheet, "PHONE Chapters worked", lists[1]);
    sheet.emptyLines(1);
    chapterList(sheet, "DIGITAL Chapters worked", lists[2]);
    sheet.emptyLines(3);
    sheet.line(3, "Your Information:");
    sheet.emptyLines(1);
    sheet.line(3, "Please answer the following if you can.");
    sheet.emptyLines(1);
    sheet.line(6, "1. Do you have a Velmara radio club in your chapter?");
    sheet.line(9, "Yes___ No___");
    sheet.line(9, "If yes, please give the name of your club: _______________________");
    sheet.emptyLines(1);
    sheet.line(6, "2. Comments: _______________________________________________________");
    sheet.emptyLines(1);
    sheet.line(9, "_______________________________________________________________");
    sheet.line(1, "I support the Velmara's goals of fellowship and community service.");
    sheet.emptyLines(2);
    sheet.line(6, "Send this summary with your logs to:");
    sheet.emptyLines(1);
    sheet.line(16, "Velmara QSO Party");
    sheet.line(16, texts.manager);
    sheet.line(16, texts.street);
    sheet.line(16, texts.city);
    sheet.emptyLines(2);
    sheet.line(6, "If you send me your log and summary via email,");
    sheet.line(6, "include your callsign in the name of the file.");
    sheet.line(6, "For example " + texts.exampleCall + r.year + ".xxx" +
                      " WHERE xxx is the file name extension.");
    sheet.emptyLines(1);
    sheet.line(6, texts.email);
    sheet.pageBreak();
}

void pageThree(Sheet& sheet, const Registration& r,
               const std::vector<logbook::ContactRecord>& contacts) {
    operatorBlock(sheet, r);
    sheet.emptyLines(1);
    sheet.line({{3, "Nr"},
                {7, "Date"},
                {20, "UTC"},
                {26, "Station"},
                {38, "Snt"},
                {43, "Rcv"},
                {49, "Chp"},
                {55, "Name"},
                {65, "Bnd"},
                {69, "Mod"},
                {74, "Com"}});
    PrintWriter& w = sheet.writer();
    long long number = 0;
    for (const logbook::ContactRecord& c : contacts) {
        w.tab(2);
        w.integer(++number);
        const std::string_view comment = std::string_view(c.comment).substr(0, kCommentShown);
        sheet.line({{7, c.date},
                    {19, c.time},
                    {26, c.call},
                    {38, c.sent},
                    {43, c.rcvd},
                    {49, c.chapter},
                    {54, c.name},
                    {65, c.band},
                    {69, c.mode},
                    {74, comment}});
    }
}

}  // namespace

std::string buildSummarySheet(const Registration& registration,
                              const scoring::Counters& totals,
                              const std::vector<std::string>& bonusCalls,
                              const ChapterLists& chapterLists,
                              const std::vector<logbook::ContactRecord>& contacts,
                              const SheetTexts& texts) {
    const scoring::SheetScores scores = scoring::computeSheetScores(totals, bonusCalls.size());
    Sheet sheet;
    pageOne(sheet, registration, totals, scores, bonusCalls, texts);
    pageTwo(sheet, registration, chapterLists, texts);
    pageThree(sheet, registration, contacts);
    return sheet.writer().bytes();
}

}  // namespace vl::reports
