#include "scoring/statistics.h"

#include <cerrno>

#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"
#include "logbook/small_files.h"
#include "scoring/set_counters.h"

namespace vl::scoring {

namespace names = logbook::names;

namespace {

constexpr std::array<std::pair<std::string_view, Band>, 9> kTableBands = {{{"160", Band::k160},
                                                                         {"80", Band::k80},
                                                                         {"40", Band::k40},
                                                                         {"20", Band::k20},
                                                                         {"15", Band::k15},
                                                                         {"10", Band::k10},
                                                                         {"6", Band::k6},
                                                                         {"UV", Band::kUv},
                                                                         {"TOT", Band::kTot}}};

// `text` right-aligned in `width` (left-aligned when negative).
std::string cell(std::string_view text, int width) {
    const size_t w = static_cast<size_t>(width < 0 ? -width : width);
    if (text.size() >= w) return std::string(text);
    const std::string pad(w - text.size(), ' ');
    return width < 0 ? std::string(text) + pad : pad + std::string(text);
}

std::string cell(std::int64_t value, int width) { return cell(std::to_string(value), width); }

void addLine(std::string& out, std::string_view line) {
    out += line;
    out += '\n';
}

}  // namespace

Statistics readStatistics(const logbook::DataFolder& folder, const Counters* totals) {
    Statistics out;
    logbook::ReadResult log = folder.read(names::kContactLog);
    if (!log.ok() && log.error->number != ENOENT) {
        out.problem = "The contact log \"" + std::string(names::kContactLog) +
                      "\" could not be read (" + log.error->description + ").";
        return out;
    }
    const std::vector<logbook::ContactRecord> records = logbook::readContacts(log.content);
    out.rates = computeRateFigures(records);
    out.totals = totals ? *totals : countersFromFiles(folder, records);
    const size_t bonusEntries =
        logbook::readAllFields(folder.read(names::kBonusCalls).content).size();
    out.scores = computeSheetScores(out.totals, bonusEntries);
    return out;
}

std::vector<TableRow> bandModeTable(const Statistics& s) {
    std::vector<TableRow> rows;
    for (const auto& [label, band] : kTableBands) {
        TableRow row{label, {}};
        for (int c = 0; c < 4; ++c) row.cells[size_t(c)] = s.totals.at(band, Column(c));
        rows.push_back(row);
    }
    const Counters& t = s.totals;
    rows.push_back({"Chapters",
                    {t.ochptot, t.chptot, t.dchptot,
                     std::int64_t(t.ochptot) + t.chptot + t.dchptot}});
    rows.push_back({"Points",
                    {s.scores.cdconpts, s.scores.phnconpts, s.scores.digScore,
                     s.scores.totscoreBeforeBonus}});
    return rows;
}

std::string statisticsText(const Statistics& s) {
    const RateFigures& r = s.rates;
    std::string out;
    addLine(out, "contacts stamped: " + std::to_string(r.contacts));
    addLine(out, "last 60 min: " + std::to_string(r.last60));
    addLine(out, "last 10 rate: " +
                     (r.last10Rate ? std::to_string(*r.last10Rate) + " per hour" : std::string("-")));
    addLine(out, "best 60 min: " + std::to_string(r.best60) +
                     (r.best60Start ? " from " + stampText(*r.best60Start) : std::string()));
    if (r.last) addLine(out, "last contact: " + stampText(*r.last));
    out += '\n';

    std::string header = cell("", -8);
    for (std::string_view column : kTableColumns) header += cell(column, 9);
    addLine(out, header);
    for (const TableRow& row : bandModeTable(s)) {
        std::string line = cell(row.label, -8);
        for (std::int64_t value : row.cells) line += cell(value, 9);
        addLine(out, line);
    }
    addLine(out, "bonus points: " + std::to_string(s.scores.bonusPoints));
    addLine(out, "claimed score: " + std::to_string(s.scores.totscore));

    if (!r.hours.empty()) {
        // Only the bands that hold contacts get a column.
        std::array<bool, kRateBandNames.size()> used{};
        for (const HourCount& h : r.hours) {
            for (size_t b = 0; b < used.size(); ++b) used[b] = used[b] || h.byBand[b] > 0;
        }
        out += '\n';
        std::string head = cell("UTC hour", -13) + cell("total", 7);
        for (size_t b = 0; b < used.size(); ++b) {
            if (used[b]) head += cell(kRateBandNames[b], 6);
        }
        addLine(out, head);
        for (const HourCount& h : r.hours) {
            std::string line = cell(hourText(h.hour), -13) + cell(h.total, 7);
            for (size_t b = 0; b < used.size(); ++b) {
                if (used[b]) line += cell(h.byBand[b], 6);
            }
            addLine(out, line);
        }
    }
    if (!r.unreadable.empty()) {
        out += '\n';
        addLine(out, "unreadable records: " + std::to_string(r.unreadable.size()));
        for (const UnreadableRecord& u : r.unreadable) {
            addLine(out, "contact " + std::to_string(u.number) + " (" + u.call + "): " + u.why);
        }
    }
    return out;
}

std::string rateMeterText(const RateFigures& r, std::optional<StampMinute> now) {
    std::string text = "Last 60 min: " + std::to_string(r.last60);
    text += "   Last 10: " + (r.last10Rate ? std::to_string(*r.last10Rate) + "/h" : std::string("-"));
    text += "   Best 60 min: " + std::to_string(r.best60);
    if (r.best60Start) text += " from " + stampText(*r.best60Start);
    text += "   Since last: ";
    const std::optional<std::int64_t> since = now ? minutesSinceLast(r, *now) : std::nullopt;
    if (!since || *since < 0) {
        text += "-";
    } else if (*since < 60) {
        text += std::to_string(*since) + " min";
    } else {
        const std::int64_t minutes = *since % 60;
        text += std::to_string(*since / 60) + " h " + (minutes < 10 ? "0" : "") +
                std::to_string(minutes) + " min";
    }
    return text;
}

std::optional<StampMinute> readEventEnd(const logbook::DataFolder& folder) {
    const logbook::ReadResult read = folder.read(kEventEndFile);
    if (!read.ok()) return std::nullopt;
    const std::vector<std::string> fields = logbook::readFirstFields(read.content);
    if (fields.size() != 1) return std::nullopt;
    return parseStampText(fields.front());
}

logbook::FileResult writeEventEnd(const logbook::DataFolder& folder, StampMinute end) {
    return folder.writeWhole(kEventEndFile, logbook::formatSingleFieldLine(stampText(end)));
}

}  // namespace vl::scoring
