#pragma once
// How the log's band and mode codes are named in the exported formats.
#include <span>
#include <string_view>

namespace vl::exports {

struct BandNames {
    std::string_view logCode;           // as the log holds it: "20 ", "6  "
    std::string_view cabrilloFreq;      // the band's lower edge in kHz, or MHz above 30 MHz
    std::string_view cabrilloCategory;  // CATEGORY-BAND of a single-band log
    std::string_view adifBand;          // ADIF BAND
};

// The log does not say which phone or digital mode a contact was made in;
// the operator names the ADIF mode for each of the two.
enum class AdifModeFrom { kTable, kPhoneChoice, kDigitalChoice };

struct ModeNames {
    std::string_view logCode;           // "PHN", "CW ", "DIG"
    std::string_view cabrilloMode;      // QSO: line
    std::string_view cabrilloCategory;  // CATEGORY-MODE of a one-mode log
    AdifModeFrom adifFrom;
    std::string_view adifMode;          // with kTable
};

// Every band of the band list; the counters' U/V row is the 2 m band.
std::span<const BandNames> bandTable();
std::span<const ModeNames> modeTable();

// The row for a three-character code, compared whole and with case; null
// when the code is none of them.
const BandNames* bandNamed(std::string_view logCode);
const ModeNames* modeNamed(std::string_view logCode);

}  // namespace vl::exports
