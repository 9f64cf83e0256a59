#include "exports/band_mode_table.h"

#include <array>

namespace vl::exports {

namespace {

// The VHF bands go by their MHz figure in a QSO: line, as the HF bands go by
// their lower edge in kHz.
constexpr std::array<BandNames, 9> kBands = {{
    {"160", "1800", "160M", "160m"},
    {"80 ", "3500", "80M", "80m"},
    {"40 ", "7000", "40M", "40m"},
    {"20 ", "14000", "20M", "20m"},
    {"15 ", "21000", "15M", "15m"},
    {"10 ", "28000", "10M", "10m"},
    {"6  ", "50", "6M", "6m"},
    {"2  ", "144", "2M", "2m"},
    {"UV ", "144", "2M", "2m"},
}};

constexpr std::array<ModeNames, 3> kModes = {{
    {"PHN", "PH", "SSB", AdifModeFrom::kPhoneChoice, ""},
    {"CW ", "CW", "CW", AdifModeFrom::kTable, "CW"},
    {"DIG", "DG", "DIGI", AdifModeFrom::kDigitalChoice, ""},
}};

template <class Row, size_t N>
const Row* findRow(const std::array<Row, N>& rows, std::string_view code) {
    for (const Row& row : rows) {
        if (row.logCode == code) return &row;
    }
    return nullptr;
}

}  // namespace

std::span<const BandNames> bandTable() { return kBands; }
std::span<const ModeNames> modeTable() { return kModes; }

const BandNames* bandNamed(std::string_view logCode) { return findRow(kBands, logCode); }
const ModeNames* modeNamed(std::string_view logCode) { return findRow(kModes, logCode); }

}  // namespace vl::exports
