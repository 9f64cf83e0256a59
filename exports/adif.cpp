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

}  // namespace

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
        const bool digital = c.mode->adifFrom == AdifModeFrom::kDigitalChoice;
        const std::string_view mode = digital ? std::string_view(options.digital.mode)
                                      : c.mode->adifFrom == AdifModeFrom::kPhoneChoice
                                          ? std::string_view(options.phone)
                                          : c.mode->adifMode;
        field(out, "CALL", asciiCall(r.call));
        field(out, "QSO_DATE", c.date);
        field(out, "TIME_ON", c.time);
        field(out, "BAND", c.band->adifBand);
        field(out, "MODE", mode);
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
