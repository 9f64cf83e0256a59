#include "entry/lookups.h"

#include "entry/callsign_rules.h"
#include "entry/file_buffers.h"
#include "entry/line_scan.h"
#include "logbook/file_names.h"
#include "logbook/history.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

using logbook::trimBlanks;

// A log line that may hold the callsign: its fields as read and the record
// with fields 1 to 9 padded.
struct LogLine {
    std::vector<std::string> fields;
    logbook::ContactRecord record;
};

LogLine parseLogLine(std::string_view line) {
    LogLine out;
    out.fields = logbook::splitQuotedLine(line);
    out.record = logbook::contactFromFields(out.fields);
    return out;
}

bool sameTrimmed(std::string_view a, std::string_view b) { return trimBlanks(a) == trimBlanks(b); }

}  // namespace

std::string dupeQuestion(std::string_view callBox, const logbook::ContactRecord& record) {
    const logbook::ContactRecord r = logbook::fixedWidth(record);
    std::string text(callBox);
    text += "  ";
    text += r.name;
    text += "  ";
    text += " is a Dupe this Band & Mode worked ";
    text += r.date;
    text += ' ';
    text += r.time;
    text += "  Do You wish to continue?";
    return text;
}

DupeCheck findDupe(std::string_view callBox, std::string_view band, std::string_view mode,
                   const logbook::DataFolder& folder) {
    DupeCheck out;
    FreshRead file = readFresh(folder, logbook::names::kContactLog);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const std::string_view call = trimBlanks(callBox);
    forEachLineContaining(file.content, call, [&](std::string_view line) {
        LogLine l = parseLogLine(line);
        if (!sameTrimmed(l.record.call, call) || !sameTrimmed(l.record.band, band) ||
            !sameTrimmed(l.record.mode, mode)) {
            return true;
        }
        out.question = dupeQuestion(callBox, l.record);
        out.match = std::move(l.record);
        return false;
    });
    return out;
}

PreviousContacts findPreviousContacts(std::string_view callBox,
                                      const logbook::DataFolder& folder) {
    PreviousContacts out;
    if (callBox.empty()) return out;
    FreshRead file = readFresh(folder, logbook::names::kContactLog);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const std::string_view call = trimBlanks(callBox);
    forEachLineContaining(file.content, call, [&](std::string_view line) {
        LogLine l = parseLogLine(line);
        const logbook::ContactRecord& r = l.record;
        if (!sameTrimmed(r.call, call)) return true;
        const std::string sentAsStored = l.fields.size() > 1 ? l.fields[1] : std::string();
        std::string& t = out.text;
        t += "  ";
        t += r.date;
        t += "  ";
        t += r.time;
        t += "  ";
        t += r.call;
        t += ' ';
        t += sentAsStored;
        t += "  ";
        t += r.rcvd;
        t += "  ";
        t += r.chapter;
        t += ' ';
        t += r.name;
        t += ' ';
        t += r.band;
        t += ' ';
        t += r.mode;
        t += ' ';
        t += r.comment;
        t += logbook::kCrLf;
        ++out.count;
        out.sent = sentAsStored;
        out.rcvd = r.rcvd;
        out.chapter = r.chapter;
        out.name = r.name;
        out.mode = r.mode;
        return true;
    });
    return out;
}

RowReports reportsForRow(const PreviousContacts& found, std::string_view rowMode) {
    if (sameTrimmed(found.mode, rowMode)) return {found.sent, found.rcvd};
    const std::string report = defaultReport(rowMode);
    return {report, report};
}

HistoryMatch findHistory(std::string_view callBox, const logbook::DataFolder& folder) {
    HistoryMatch out;
    FreshRead file = readFresh(folder, logbook::names::kHistory);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    const std::string_view call = trimBlanks(callBox);
    forEachLineContaining(file.content, call, [&](std::string_view line) {
        std::vector<logbook::HistoryRecord> records = logbook::parseHistory(line);
        if (records.empty() || !sameTrimmed(records.front().call, call)) return true;
        logbook::HistoryRecord& r = records.front();
        out.found = true;
        out.chapter = r.chapter == " " ? std::string() : std::move(r.chapter);
        out.name = std::move(r.name);
        return false;
    });
    return out;
}

}  // namespace vl::entry
