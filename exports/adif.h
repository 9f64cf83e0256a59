#pragma once
// The log as an ADIF 3.1 file (.adi) for logbooks, awards and QSL services:
// a header, then one record per contact in log order, dupes included and
// marked in COMMENT. Every field's length is its byte count; ASCII only.
#include <array>
#include <string>
#include <string_view>

#include "exports/adif_modes.h"
#include "exports/export_log.h"

namespace vl::exports {

inline constexpr std::string_view kAdifVersion = "3.1.4";

// The modes offered first when the operator is asked.
inline constexpr std::array<std::string_view, 6> kDigitalModeChoices = {
    "RTTY", "FT8", "MFSK/FT4", "PSK/PSK31", "OLIVIA", "JT65"};

struct AdifOptions {
    DigitalMode digital;
    std::string phone{kPhoneModes[0]};  // one of kPhoneModes
    std::string createdTimestamp;  // "YYYYMMDD HHMMSS", UTC
    std::string programVersion = std::string(exports::programVersion());
};

std::string adifFrom(const ExportLog& log, const AdifOptions& options);

// The moment in the CREATED_TIMESTAMP form, UTC.
std::string adifTimestampNow();

}  // namespace vl::exports
