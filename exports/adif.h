#pragma once
// The log as an ADIF 3.1 file (.adi) for logbooks, awards and QSL services:
// a header, then one record per contact in log order, dupes included and
// marked in COMMENT. Every field's length is its byte count; ASCII only.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "exports/export_log.h"

namespace vl::exports {

inline constexpr std::string_view kAdifVersion = "3.1.4";

// The log says only "digital"; the operator names the mode for ADIF.
struct DigitalMode {
    std::string mode = "RTTY";
    std::string submode;  // empty: none
    bool operator==(const DigitalMode&) const = default;
};

// The modes offered first when the operator is asked.
inline constexpr std::array<std::string_view, 6> kDigitalModeChoices = {
    "RTTY", "FT8", "MFSK/FT4", "PSK/PSK31", "OLIVIA", "JT65"};

// "MODE" or "MODE/SUBMODE" as typed, in any letter case ("psk/psk31"); empty
// when the text cannot be a mode (blank, or other characters than letters,
// digits and "-", or in the submode also blanks, "." and "/").
std::optional<DigitalMode> parseDigitalMode(std::string_view text);

struct AdifOptions {
    DigitalMode digital;
    std::string createdTimestamp;  // "YYYYMMDD HHMMSS", UTC
    std::string programVersion = std::string(exports::programVersion());
};

std::string adifFrom(const ExportLog& log, const AdifOptions& options);

// The moment in the CREATED_TIMESTAMP form, UTC.
std::string adifTimestampNow();

}  // namespace vl::exports
