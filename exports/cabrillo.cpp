#include "exports/cabrillo.h"

#include <set>

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

}  // namespace

std::string cabrilloQsoLine(const ExportContact& c, const logbook::Registration& own) {
    const logbook::ContactRecord& r = c.record;
    std::string line = "QSO: ";
    line += right(std::string(c.band->cabrilloFreq), kFreqWidth) + " ";
    line += std::string(c.mode->cabrilloMode) + " ";
    line += c.date.substr(0, 4) + "-" + c.date.substr(4, 2) + "-" + c.date.substr(6, 2) + " ";
    line += c.time + " ";
    line += left(asciiCall(own.call), kCallWidth) + " ";
    line += right(asciiTrimmed(r.sent), kRstWidth) + " ";
    line += left(asciiTrimmed(own.chapter), kExchWidth) + " ";
    line += left(asciiCall(r.call), kCallWidth) + " ";
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
    tag(out, "CALLSIGN", asciiCall(r.call), true);
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
    for (const ExportContact& c : log.contacts) {
        out += cabrilloQsoLine(c, r);
        out += kCrLf;
    }
    out += "END-OF-LOG:";
    out += kCrLf;
    return out;
}

}  // namespace vl::exports
