#pragma once
// The modes and submodes of ADIF 3.1.4: MODE is an enumeration, SUBMODE
// belongs to exactly one MODE. The log says only "phone" or "digital"; the
// operator names the ADIF mode, and what is named is checked here.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vl::exports {

struct AdifMode {
    std::string_view mode;
    std::string_view submodes;  // separated by ","; a submode may hold a blank ("OLIVIA 4/125")
    bool digital;               // a mode a digital contact can be made in
};

std::span<const AdifMode> adifModes();

// The log says only "digital"; the operator names the mode for ADIF.
struct DigitalMode {
    std::string mode = "RTTY";
    std::string submode;  // empty: none
    bool operator==(const DigitalMode&) const = default;
};

struct DigitalModeRead {
    std::optional<DigitalMode> mode;
    std::string problem;  // why the text is refused, when it is
};

// "MODE", "SUBMODE" or "MODE/SUBMODE" in any letter case ("psk/psk31"): a
// bare submode takes its mode ("FT4" is MFSK/FT4); an unknown mode or
// submode, a submode under another mode ("RTTY/FT8") and a mode that is not
// digital (SSB, CW) are refused.
DigitalModeRead parseDigitalMode(std::string_view text);

// The ADIF modes a phone contact goes out as; SSB unless the operator names another.
inline constexpr std::string_view kPhoneModes[] = {"SSB", "FM", "AM", "DIGITALVOICE"};

// One of kPhoneModes in any letter case; empty for anything else.
std::optional<std::string> parsePhoneMode(std::string_view text);
// "The phone mode "X" cannot be written to ADIF: give SSB, FM, AM or DIGITALVOICE."
std::string badPhoneModeMessage(std::string_view typed);

// The digital modes and their submodes, for --help: one line per mode,
// wrapped at `width` columns and indented by two blanks.
std::string digitalModesListing(std::size_t width = 79);

}  // namespace vl::exports
