#include "rig/band_mode_map.h"

#include <array>

#include "logbook/file_names.h"

namespace vl::rig {

namespace {

constexpr std::array<BandEdges, 8> kBands{{
    {"160", 1'800'000, 2'000'000},
    {"80", 3'500'000, 4'000'000},
    {"40", 7'000'000, 7'300'000},
    {"20", 14'000'000, 14'350'000},
    {"15", 21'000'000, 21'450'000},
    {"10", 28'000'000, 29'700'000},
    {"6", 50'000'000, 54'000'000},
    {"2", 144'000'000, 148'000'000},
}};

// Digital voice (D-STAR, C4FM, DMR-like modes) is voice and is logged as
// phone; data modes, whatever their carrier, are digital.
constexpr std::array<ModeName, 37> kModes{{
    {"CW", "CW"},         {"CWR", "CW"},        {"CWN", "CW"},
    {"USB", "PHN"},       {"LSB", "PHN"},       {"AM", "PHN"},
    {"FM", "PHN"},        {"WFM", "PHN"},       {"FMN", "PHN"},
    {"AMN", "PHN"},       {"AMS", "PHN"},       {"SAM", "PHN"},
    {"SAL", "PHN"},       {"SAH", "PHN"},       {"DSB", "PHN"},
    {"ECSSUSB", "PHN"},   {"ECSSLSB", "PHN"},   {"ISBUSB", "PHN"},
    {"ISBLSB", "PHN"},    {"D-STAR", "PHN"},    {"C4FM", "PHN"},
    {"DPMR", "PHN"},      {"NXDN-VN", "PHN"},   {"NXDN-N", "PHN"},
    {"DCR", "PHN"},       {"P25", "PHN"},       {"RTTY", "DIG"},
    {"RTTYR", "DIG"},     {"PKTLSB", "DIG"},    {"PKTUSB", "DIG"},
    {"PKTFM", "DIG"},     {"PKTFMN", "DIG"},    {"PKTAM", "DIG"},
    {"PSK", "DIG"},       {"PSKR", "DIG"},      {"FAX", "DIG"},
    {"DD", "DIG"},
}};

}  // namespace

std::span<const BandEdges> bandEdges() { return kBands; }
std::span<const ModeName> modeNames() { return kModes; }

std::optional<std::string_view> bandForFrequency(std::int64_t hz) {
    for (const BandEdges& b : kBands) {
        if (hz >= b.lowHz && hz <= b.highHz) return b.band;
    }
    return std::nullopt;
}

std::optional<std::string_view> logModeFor(std::string_view radioMode) {
    for (const ModeName& m : kModes) {
        if (logbook::names::sameNameIgnoringCase(m.radio, radioMode)) return m.log;
    }
    return std::nullopt;
}

}  // namespace vl::rig
