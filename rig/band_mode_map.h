#pragma once
// What the radio's frequency and mode mean for the log: the amateur bands of
// the band list by their edges (IARU Region 2) and the log's three modes.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vl::rig {

struct BandEdges {
    std::string_view band;  // the band list's text: "160", "80", ... "2"
    std::int64_t lowHz;     // both edges belong to the band
    std::int64_t highHz;
};

struct ModeName {
    std::string_view radio;  // Hamlib's name of the radio's mode
    std::string_view log;    // "PHN", "CW" or "DIG"
};

std::span<const BandEdges> bandEdges();
std::span<const ModeName> modeNames();

// The band a frequency lies in; empty outside every band of the list.
std::optional<std::string_view> bandForFrequency(std::int64_t hz);
// The log's mode for the radio's mode name (letter case ignored); empty for a
// mode the log has no place for (an I/Q or spectrum mode, no mode at all).
std::optional<std::string_view> logModeFor(std::string_view radioMode);

}  // namespace vl::rig
