#include "entry/lookups.h"

#include "entry/callsign_rules.h"
#include "entry/file_buffers.h"
#include "entry/line_scan.h"
#include "entry/log_index.h"
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

namespace {

// The look-ups below read the lines that may hold the callsign through
// `eachLine(call, fn)`: a scan of the file, or the index.
template <class EachLine>
DupeCheck dupeIn(std::string_view callBox, std::string_view band, std::string_view mode,
                 EachLine&& eachLine) {
    DupeCheck out;
    const std::string_view call = trimBlanks(callBox);
    eachLine(call, [&](std::string_view line) {
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

template <class EachLine>
PreviousContacts previousIn(std::string_view callBox, EachLine&& eachLine) {
    PreviousContacts out;
    const std::string_view call = trimBlanks(callBox);
    eachLine(call, [&](std::string_view line) {
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

template <class EachLine>
HistoryMatch historyIn(std::string_view callBox, EachLine&& eachLine) {
    HistoryMatch out;
    const std::string_view call = trimBlanks(callBox);
    eachLine(call, [&](std::string_view line) {
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

// Reads the file afresh and scans it; the outcome carries a read failure.
template <class Outcome, class Lookup>
Outcome scanning(const logbook::DataFolder& folder, std::string_view name, Lookup&& lookup) {
    FreshRead file = readFresh(folder, name);
    if (!file.ok()) {
        Outcome out;
        out.error = file.error;
        return out;
    }
    return lookup([&](std::string_view call, auto&& fn) {
        forEachLineContaining(file.content, call, fn);
    });
}

// Brings the index up to date and reads the callsign's lines from it.
template <class Outcome, class Lookup>
Outcome indexed(LogIndex& index, LogIndex::File which, Lookup&& lookup) {
    if (logbook::FileResult error = index.refresh(which)) {
        Outcome out;
        out.error = error;
        return out;
    }
    return lookup([&](std::string_view call, auto&& fn) {
        for (std::string_view line : index.linesOf(which, call)) {
            if (!fn(line)) return;
        }
    });
}

}  // namespace

DupeCheck findDupe(std::string_view callBox, std::string_view band, std::string_view mode,
                   const logbook::DataFolder& folder) {
    return scanning<DupeCheck>(folder, logbook::names::kContactLog, [&](auto&& eachLine) {
        return dupeIn(callBox, band, mode, eachLine);
    });
}

DupeCheck findDupe(std::string_view callBox, std::string_view band, std::string_view mode,
                   LogIndex& index) {
    return indexed<DupeCheck>(index, LogIndex::File::Log, [&](auto&& eachLine) {
        return dupeIn(callBox, band, mode, eachLine);
    });
}

PreviousContacts findPreviousContacts(std::string_view callBox,
                                      const logbook::DataFolder& folder) {
    if (callBox.empty()) return {};
    return scanning<PreviousContacts>(folder, logbook::names::kContactLog, [&](auto&& eachLine) {
        return previousIn(callBox, eachLine);
    });
}

PreviousContacts findPreviousContacts(std::string_view callBox, LogIndex& index) {
    if (callBox.empty()) return {};
    return indexed<PreviousContacts>(index, LogIndex::File::Log, [&](auto&& eachLine) {
        return previousIn(callBox, eachLine);
    });
}

HistoryMatch findHistory(std::string_view callBox, const logbook::DataFolder& folder) {
    return scanning<HistoryMatch>(folder, logbook::names::kHistory, [&](auto&& eachLine) {
        return historyIn(callBox, eachLine);
    });
}

HistoryMatch findHistory(std::string_view callBox, LogIndex& index) {
    return indexed<HistoryMatch>(index, LogIndex::File::History, [&](auto&& eachLine) {
        return historyIn(callBox, eachLine);
    });
}

RowReports reportsForRow(const PreviousContacts& found, std::string_view rowMode) {
    if (sameTrimmed(found.mode, rowMode)) return {found.sent, found.rcvd};
    const std::string report = defaultReport(rowMode);
    return {report, report};
}

}  // namespace vl::entry
