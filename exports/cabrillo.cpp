#include "exports/cabrillo.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "exports/ascii_text.h"
#include "logbook/quoted_line.h"

namespace vl::exports {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The columns of a QSO: line; a longer value pushes the rest along, one
// blank still between.
constexpr size_t kFreqWidth = 5, kCallWidth = 13, kRstWidth = 3, kExchWidth = 6;

std::string left(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string right(std::string text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

void tag(std::string& out, std::string_view name, std::string_view value, bool always = false) {
    if (value.empty() && !always) return;
    out += name;
    out += ": ";
    out += value;
    out += kCrLf;
}

// CATEGORY-MODE and CATEGORY-BAND: the one mode or band worked, else MIXED
// or ALL.
std::string_view categoryMode(const ExportLog& log) {
    std::set<std::string_view> modes;
    for (const ExportContact& c : log.contacts) modes.insert(c.mode->cabrilloCategory);
    return modes.size() == 1 ? *modes.begin() : std::string_view("MIXED");
}

std::string_view categoryBand(const ExportLog& log) {
    std::set<std::string_view> bands;
    for (const ExportContact& c : log.contacts) bands.insert(c.band->cabrilloCategory);
    return bands.size() == 1 ? *bands.begin() : std::string_view("ALL");
}

// A checker splits a QSO: line on blanks, so a field holding a blank (or a
// character a checker does not expect) would shift every column after it.
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string cabrilloCall(std::string_view cp1252) { return upper(asciiCall(cp1252)); }

// Why `value` cannot stand in a QSO: line, or nothing.
std::string unfit(std::string_view what, std::string_view raw, const std::string& value,
                  bool slash) {
    std::string allowed = std::string(kLetters) + std::string(kDigits);
    if (slash) allowed += '/';
    const size_t bad = value.find_first_not_of(allowed);
    if (bad == std::string::npos) return {};
    const std::string quoted = "\"" + std::string(logbook::trimBlanks(raw)) + "\"";
    if (value[bad] == ' ') return "its " + std::string(what) + " " + quoted + " holds a blank";
    return "its " + std::string(what) + " " + quoted + " holds \"" + value.substr(bad, 1) +
           "\", which a Cabrillo log cannot carry there (only A-Z, 0-9" + (slash ? " and /)" : ")");
}

}  // namespace

std::string cabrilloRefusal(const ExportLog& log) {
    size_t number = 0;
    for (const ExportContact& c : log.contacts) {
        ++number;
        const logbook::ContactRecord& r = c.record;
        std::string why = unfit("callsign", r.call, cabrilloCall(r.call), true);
        if (why.empty()) why = unfit("report sent", r.sent, asciiTrimmed(r.sent), false);
        if (why.empty()) why = unfit("report received", r.rcvd, asciiTrimmed(r.rcvd), false);
        if (why.empty()) why = unfit("chapter", r.chapter, asciiTrimmed(r.chapter), false);
        if (!why.empty()) {
            return "Nothing was exported. Contact " + std::to_string(number) + " of the log (" +
                   std::string(logbook::trimBlanks(r.call)) + ") cannot be written to Cabrillo: " +
                   why + ".";
        }
    }
    return {};
}

std::string cabrilloQsoLine(const ExportContact& c, const logbook::Registration& own) {
    const logbook::ContactRecord& r = c.record;
    std::string line = "QSO: ";
    line += right(std::string(c.band->cabrilloFreq), kFreqWidth) + " ";
    line += std::string(c.mode->cabrilloMode) + " ";
    line += c.date.substr(0, 4) + "-" + c.date.substr(4, 2) + "-" + c.date.substr(6, 2) + " ";
    line += c.time + " ";
    line += left(cabrilloCall(own.call), kCallWidth) + " ";
    line += right(asciiTrimmed(r.sent), kRstWidth) + " ";
    line += left(asciiTrimmed(own.chapter), kExchWidth) + " ";
    line += left(cabrilloCall(r.call), kCallWidth) + " ";
    line += right(asciiTrimmed(r.rcvd), kRstWidth) + " ";
    line += asciiTrimmed(r.chapter);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

std::string cabrilloFrom(const ExportLog& log, std::string_view version) {
    const logbook::Registration& r = log.registration;
    std::string out;
    tag(out, "START-OF-LOG", "3.0");
    tag(out, "CONTEST", kContestId);
    tag(out, "CALLSIGN", cabrilloCall(r.call), true);
    tag(out, "CATEGORY-OPERATOR", "SINGLE-OP");
    tag(out, "CATEGORY-MODE", categoryMode(log));
    tag(out, "CATEGORY-BAND", categoryBand(log));
    tag(out, "CLAIMED-SCORE", std::to_string(log.claimedScore));
    tag(out, "NAME", asciiTrimmed(r.name));
    tag(out, "ADDRESS", asciiTrimmed(r.address));
    tag(out, "ADDRESS-CITY", asciiTrimmed(r.city));
    tag(out, "ADDRESS-STATE-PROVINCE", asciiTrimmed(r.state));
    tag(out, "ADDRESS-POSTALCODE", asciiTrimmed(r.zip));
    tag(out, "EMAIL", asciiTrimmed(r.email));
    tag(out, "LOCATION", asciiTrimmed(r.state));
    tag(out, "CLUB", asciiTrimmed(log.clubName));
    tag(out, "CREATED-BY", std::string(kProgramName) + " " + std::string(version));
    // In time order, contacts of the same minute as logged: a contact stamped
    // by hand may stand out of order in the log, and some checkers refuse
    // a log that is not sorted.
    std::vector<const ExportContact*> ordered;
    for (const ExportContact& c : log.contacts) ordered.push_back(&c);
    std::stable_sort(ordered.begin(), ordered.end(), [](const ExportContact* a, const ExportContact* b) {
        return std::tie(a->date, a->time) < std::tie(b->date, b->time);
    });
    for (const ExportContact* c : ordered) {
        out += cabrilloQsoLine(*c, r);
        out += kCrLf;
    }
    out += "END-OF-LOG:";
    out += kCrLf;
    return out;
}

}  // namespace vl::exports
