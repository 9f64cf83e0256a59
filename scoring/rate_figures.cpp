#include "scoring/rate_figures.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "logbook/chapter_key.h"
#include "logbook/quoted_line.h"
#include "scoring/classification.h"
#include "scoring/sheet_scores.h"

namespace vl::scoring {

namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;

// Days from 1970-01-01 of a date of the Gregorian calendar, and back.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct CivilDate {
    std::int64_t year;
    unsigned month, day;
};

CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && a < 0); }

// Digits at the given places of `text`, as a number; nothing when one is not
// a digit.
std::optional<int> digitsAt(std::string_view text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool realDate(int y, int m, int d) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    return d <= kDays[m - 1] + (m == 2 && isLeap(y));
}

std::optional<StampMinute> minuteOf(int y, int mo, int d, int h, int mi) {
    if (!realDate(y, mo, d) || h > 23 || mi > 59) return std::nullopt;
    return daysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * kMinutesPerDay +
           h * 60 + mi;
}

std::optional<StampMinute> readDate(std::string_view date) {
    if (date.size() != 10 || date[2] != '/' || date[5] != '/') return std::nullopt;
    const auto m = digitsAt(date, 0, 2), d = digitsAt(date, 3, 2), y = digitsAt(date, 6, 4);
    if (!m || !d || !y) return std::nullopt;
    return minuteOf(*y, *m, *d, 0, 0);
}

std::optional<int> readTime(std::string_view time) {
    if (time.size() != 5 || time[2] != ':') return std::nullopt;
    const auto h = digitsAt(time, 0, 2), m = digitsAt(time, 3, 2);
    if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
    return *h * 60 + *m;
}

template <size_t N>
size_t slotOf(const std::array<std::string_view, N>& codes, std::string_view code) {
    const auto it = std::find(codes.begin(), codes.end(), code);
    return static_cast<size_t>(it - codes.begin());  // N - 1 past the codes: "other"
}

// The codes as the log pads them, in the order of the names.
constexpr std::array<std::string_view, kRateBandNames.size()> kBandCodes = {
    "160", "80 ", "40 ", "20 ", "15 ", "10 ", "6  ", "2  ", "UV ", ""};
constexpr std::array<std::string_view, kRateModeNames.size()> kModeCodes = {"CW ", "PHN", "DIG",
                                                                              ""};

struct Stamped {
    StampMinute minute;
    const logbook::ContactRecord* record;
};

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

void countHours(const std::vector<Stamped>& stamped, RateFigures& out) {
    const StampMinute firstHour = floorDiv(stamped.front().minute, 60) * 60;
    const StampMinute lastHour = floorDiv(stamped.back().minute, 60) * 60;
    const bool everyHour = (lastHour - firstHour) / 60 + 1 <= kMaxListedHourSpan;
    if (everyHour) {
        for (StampMinute h = firstHour; h <= lastHour; h += 60) out.hours.push_back({h, 0, {}, {}});
    }
    for (const Stamped& s : stamped) {
        const StampMinute hour = floorDiv(s.minute, 60) * 60;
        HourCount* row;
        if (everyHour) {
            row = &out.hours[static_cast<size_t>((hour - firstHour) / 60)];
        } else {
            if (out.hours.empty() || out.hours.back().hour != hour) out.hours.push_back({hour, 0, {}, {}});
            row = &out.hours.back();
        }
        ++row->total;
        ++row->byBand[slotOf(kBandCodes, s.record->band)];
        ++row->byMode[slotOf(kModeCodes, s.record->mode)];
    }
}

void findBestHour(const std::vector<Stamped>& stamped, RateFigures& out) {
    size_t end = 0;
    for (size_t start = 0; start < stamped.size(); ++start) {
        while (end < stamped.size() && stamped[end].minute <= stamped[start].minute + 59) ++end;
        const auto count = static_cast<std::int64_t>(end - start);
        if (count > out.best60) {
            out.best60 = count;
            out.best60Start = stamped[start].minute;
        }
    }
}

bool scores(const logbook::ContactRecord& r) {
    return r.comment != logbook::kDupe && classify(r.band, r.mode).has_value();
}

// The score after each contact, counted as the recount and the summary sheet
// count: dupes for nothing, a chapter once per mode, bonus claims up to ten.
void followScore(const std::vector<Stamped>& stamped, RateFigures& out) {
    Counters running;
    struct ModeChapters {
        std::string_view mode;
        std::int16_t Counters::*count;
        std::unordered_set<std::string> seen;
    } modes[] = {{"PHN", &Counters::chptot, {}}, {"CW ", &Counters::ochptot, {}},
                 {"DIG", &Counters::dchptot, {}}};
    std::size_t bonusEntries = 0;
    for (const Stamped& s : stamped) {
        const logbook::ContactRecord& r = *s.record;
        if (r.comment != logbook::kDupe) {
            addContact(running, r.band, r.mode);
            if (r.comment == logbook::kBonusClaimed) ++bonusEntries;
            for (ModeChapters& m : modes) {
                if (r.mode == m.mode && m.seen.insert(logbook::chapterKey(r.chapter)).second) {
                    increment(running.*m.count);
                }
            }
        }
        const std::int64_t score = computeSheetScores(running, bonusEntries).totscore;
        if (!out.scoreOverTime.empty() && out.scoreOverTime.back().minute == s.minute) {
            out.scoreOverTime.back().score = score;
        } else {
            out.scoreOverTime.push_back({s.minute, score});
        }
    }
}

}  // namespace

std::optional<StampMinute> stampMinute(std::string_view date, std::string_view time) {
    const auto day = readDate(logbook::trimBlanks(date));
    const auto minutes = readTime(logbook::trimBlanks(time));
    if (!day || !minutes) return std::nullopt;
    return *day + *minutes;
}

std::string stampText(StampMinute minute) {
    const CivilDate d = civilFromDays(floorDiv(minute, kMinutesPerDay));
    const std::int64_t inDay = minute - floorDiv(minute, kMinutesPerDay) * kMinutesPerDay;
    char text[80];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld",
                  static_cast<long long>(d.year), d.month, d.day,
                  static_cast<long long>(inDay / 60), static_cast<long long>(inDay % 60));
    return text;
}

std::string hourText(StampMinute minute) {
    const std::string text = stampText(minute);
    return text.substr(0, text.size() - 3);
}

std::optional<StampMinute> parseStampText(std::string_view text) {
    text = logbook::trimBlanks(text);
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':') {
        return std::nullopt;
    }
    const auto y = digitsAt(text, 0, 4), mo = digitsAt(text, 5, 2), d = digitsAt(text, 8, 2);
    const auto h = digitsAt(text, 11, 2), mi = digitsAt(text, 14, 2);
    if (!y || !mo || !d || !h || !mi) return std::nullopt;
    return minuteOf(*y, *mo, *d, *h, *mi);
}

RateFigures computeRateFigures(const std::vector<logbook::ContactRecord>& records) {
    RateFigures out;
    std::vector<Stamped> stamped;
    stamped.reserve(records.size());
    std::int64_t number = 0;
    for (const logbook::ContactRecord& r : records) {
        ++number;
        const std::string_view date = logbook::trimBlanks(r.date);
        const std::string_view time = logbook::trimBlanks(r.time);
        const auto day = readDate(date);
        const auto minutes = readTime(time);
        if (day && minutes) {
            stamped.push_back({*day + *minutes, &r});
            continue;
        }
        out.unreadable.push_back(
            {number, std::string(logbook::trimBlanks(r.call)),
             !day ? "its date " + quoted(date) + " is not a date mm/dd/yyyy"
                  : "its time " + quoted(time) + " is not a time HH:MM"});
    }
    if (stamped.empty()) return out;
    // Hand-stamped contacts may stand out of order; equal stamps keep the
    // log's order.
    std::stable_sort(stamped.begin(), stamped.end(),
                     [](const Stamped& a, const Stamped& b) { return a.minute < b.minute; });

    out.contacts = static_cast<std::int64_t>(stamped.size());
    out.first = stamped.front().minute;
    out.last = stamped.back().minute;
    for (auto it = stamped.rbegin(); it != stamped.rend() && it->minute > *out.last - 60; ++it) {
        ++out.last60;
        if (scores(*it->record)) ++out.last60Scoring;
    }
    const std::int64_t n = std::min<std::int64_t>(10, out.contacts);
    if (n >= 2) {
        const std::int64_t span = *out.last - stamped[stamped.size() - size_t(n)].minute + 1;
        out.last10Rate = (n * 60 + span / 2) / span;
    }
    countHours(stamped, out);
    findBestHour(stamped, out);
    followScore(stamped, out);
    return out;
}

std::optional<std::int64_t> minutesSinceLast(const RateFigures& figures, StampMinute now) {
    if (!figures.last) return std::nullopt;
    return now - *figures.last;
}

Projection projectToEnd(const RateFigures& figures, StampMinute end, std::int64_t claimed,
                        std::int64_t chapters) {
    Projection p;
    p.minutesLeft = figures.last ? std::max<std::int64_t>(0, end - *figures.last) : 0;
    p.contactsExpected = figures.last60Scoring * p.minutesLeft / 60;
    p.score = claimed + p.contactsExpected * chapters;
    return p;
}

}  // namespace vl::scoring
