#pragma once
// Everything the statistics window and `vlwinlog --stats` show: the rate
// figures from the log's stamps, and the table of contacts and chapters per
// band and mode with the bonus and the claimed score, counted as the summary
// sheet counts them (the same totals, the same score function).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/data_folder.h"
#include "scoring/counters.h"
#include "scoring/rate_figures.h"
#include "scoring/sheet_scores.h"

namespace vl::scoring {

struct Statistics {
    RateFigures rates;
    Counters totals;     // contacts per band and mode, chapters per mode
    SheetScores scores;  // as the summary sheet prints them
    std::string problem;  // why the log could not be read; empty otherwise
    bool ok() const { return problem.empty(); }
};

// Reads the log and the bonus-call file of the working folder (a missing log
// is an empty one). The table takes `totals` (the window's running totals,
// as the summary sheet does); without them the counters are rebuilt from the
// log and the chapters-worked files, as start-up builds them.
Statistics readStatistics(const logbook::DataFolder& folder, const Counters* totals = nullptr);

// One row of the band and mode table; the cells are CW, PHN, DIG, TOT.
struct TableRow {
    std::string_view label;
    std::array<std::int64_t, 4> cells{};
};
inline constexpr std::array<std::string_view, 4> kTableColumns = {"CW", "PHN", "DIG", "TOT"};
// The bands 160 to UV and TOT, then "Chapters" and "Points" (the mode scores
// and, under TOT, all contacts times all chapters before the bonus).
std::vector<TableRow> bandModeTable(const Statistics& statistics);

// The plain text `--stats` prints: the rate figures, the table, the bonus and
// the claimed score, the contacts per UTC hour, and the unreadable records.
std::string statisticsText(const Statistics& statistics);

// The status bar's rate meter; `now` is the current UTC minute, for the time
// since the last contact.
std::string rateMeterText(const RateFigures& figures, std::optional<StampMinute> now);

// The event's end time typed in the statistics window, kept in the working
// folder as one quoted field "YYYY-MM-DD HH:MM". A missing or broken file
// means no end time.
inline constexpr std::string_view kEventEndFile = "VLEventEnd.txt";
std::optional<StampMinute> readEventEnd(const logbook::DataFolder& folder);
logbook::FileResult writeEventEnd(const logbook::DataFolder& folder, StampMinute end);

}  // namespace vl::scoring
