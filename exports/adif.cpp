#include "exports/adif.h"

#include <chrono>
#include <ctime>

#include "exports/ascii_text.h"
#include "logbook/contact_record.h"

namespace vl::exports {

namespace {

constexpr std::string_view kCrLf = "\r\n";

void field(std::string& out, std::string_view name, std::string_view value) {
    if (value.empty()) return;
    out += '<';
    out += name;
    out += ':';
    out += std::to_string(value.size());
    out += '>';
    out += value;
    out += ' ';
}

bool fits(std::string_view text, std::string_view extra) {
    for (char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (!plain && extra.find(c) == std::string_view::npos) return false;
    }
    return !text.empty();
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace

std::optional<DigitalMode> parseDigitalMode(std::string_view text) {
    const std::string typed = upper(text);
    std::string_view t = typed;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    DigitalMode out;
    const size_t slash = t.find('/');
    out.mode = std::string(t.substr(0, slash));
    if (!fits(out.mode, "")) return std::nullopt;
    if (slash != std::string_view::npos) {
        out.submode = std::string(t.substr(slash + 1));
        if (!fits(out.submode, " ./")) return std::nullopt;
    }
    return out;
}

std::string adifFrom(const ExportLog& log, const AdifOptions& options) {
    const logbook::Registration& own = log.registration;
    const std::string ownCall = asciiCall(own.call);
    const std::string ownChapter = asciiTrimmed(own.chapter);

    std::string out = "Velmara QSO Party log of " + ownCall + ", exported by " +
                      std::string(kProgramName) + std::string(kCrLf);
    field(out, "ADIF_VER", kAdifVersion);
    field(out, "PROGRAMID", kProgramName);
    field(out, "PROGRAMVERSION", options.programVersion);
    field(out, "CREATED_TIMESTAMP", options.createdTimestamp);
    out += "<EOH>";
    out += kCrLf;

    for (const ExportContact& c : log.contacts) {
        const logbook::ContactRecord& r = c.record;
        const bool digital = c.mode->adifMode.empty();
        field(out, "CALL", asciiCall(r.call));
        field(out, "QSO_DATE", c.date);
        field(out, "TIME_ON", c.time);
        field(out, "BAND", c.band->adifBand);
        field(out, "MODE", digital ? std::string_view(options.digital.mode) : c.mode->adifMode);
        if (digital) field(out, "SUBMODE", options.digital.submode);
        field(out, "RST_SENT", asciiTrimmed(r.sent));
        field(out, "RST_RCVD", asciiTrimmed(r.rcvd));
        field(out, "NAME", asciiTrimmed(r.name));
        field(out, "SRX_STRING", asciiTrimmed(r.chapter));
        field(out, "STX_STRING", ownChapter);
        field(out, "CONTEST_ID", kContestId);
        field(out, "STATION_CALLSIGN", ownCall);
        field(out, "COMMENT", asciiTrimmed(r.comment));
        out += "<EOR>";
        out += kCrLf;
    }
    return out;
}

std::string adifTimestampNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d %H%M%S", &utc);
    return text;
}

}  // namespace vl::exports
