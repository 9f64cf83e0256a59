#pragma once
// The pace of the contest from the log's own UTC stamps: contacts per clock
// hour by band and mode, the best 60 minutes, the last 60 minutes, the rate of
// the last ten contacts and the score after each contact. One pass over the
// records in time order; the computer's clock is never read here.
//
// Every stamped contact counts in the rate, DUPE included (it took air time).
// The score after each contact counts as the summary sheet does: DUPE lines
// count for nothing, chapters once per mode, ten bonus entries at most.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/contact_record.h"

namespace vl::scoring {

// A stamp as whole minutes from 1970-01-01 00:00, so that differences run
// across midnight and the ends of months and years.
using StampMinute = std::int64_t;

// The log's "mm/dd/yyyy" date and "HH:MM" time (blanks around either are
// ignored); nothing unless both name a real date and time of day.
std::optional<StampMinute> stampMinute(std::string_view date, std::string_view time);
// "YYYY-MM-DD HH:MM", and the reading of exactly that form.
std::string stampText(StampMinute minute);
std::optional<StampMinute> parseStampText(std::string_view text);
// "YYYY-MM-DD HH": the clock hour a minute lies in.
std::string hourText(StampMinute minute);

// The bands and modes the per-hour counts are split by; a code the log does
// not use is counted under the last slot, "other".
inline constexpr std::array<std::string_view, 10> kRateBandNames = {
    "160", "80", "40", "20", "15", "10", "6", "2", "UV", "other"};
inline constexpr std::array<std::string_view, 4> kRateModeNames = {"CW", "PHN", "DIG", "other"};

struct HourCount {
    StampMinute hour = 0;  // the first minute of the clock hour
    std::int32_t total = 0;
    std::array<std::int32_t, kRateBandNames.size()> byBand{};
    std::array<std::int32_t, kRateModeNames.size()> byMode{};
};

struct ScorePoint {
    StampMinute minute = 0;
    std::int64_t score = 0;  // the claimed score with every contact up to this one
};

// A record whose stamp cannot be read: left out of the rate and the score over
// time (it still counts in the band and mode table, as on the summary sheet).
struct UnreadableRecord {
    std::int64_t number = 0;  // its place in the log, from 1
    std::string call;         // blanks trimmed
    std::string why;          // "its date "13/45/2026" is not a date mm/dd/yyyy"
};

// The hours from the first contact to the last are all listed, empty ones
// included, when they are at most this many; otherwise only the hours that
// hold contacts (a hand-typed year far off would list thousands).
inline constexpr std::int64_t kMaxListedHourSpan = 14 * 24;

struct RateFigures {
    std::int64_t contacts = 0;  // stamped contacts, dupes included
    std::optional<StampMinute> first, last;
    // Stamped within the 60 minutes up to the latest stamp (last - 59 .. last).
    std::int64_t last60 = 0;
    std::int64_t last60Scoring = 0;  // of those, the ones the score counts
    // Contacts per hour over the last ten contacts (fewer when the log holds
    // fewer, none below two): n x 60 / (minutes from the first to the last of
    // them, both counted).
    std::optional<std::int64_t> last10Rate;
    // The most contacts stamped within any 60 minutes, and the stamp of the
    // first contact of the earliest such hour.
    std::int64_t best60 = 0;
    std::optional<StampMinute> best60Start;
    std::vector<HourCount> hours;  // in time order
    std::vector<ScorePoint> scoreOverTime;  // one point per stamped minute, in time order
    std::vector<UnreadableRecord> unreadable;
};

// `records` in log order (logbook::readContacts).
RateFigures computeRateFigures(const std::vector<logbook::ContactRecord>& records);

// Minutes from the latest stamp to `now`; nothing for an empty log.
std::optional<std::int64_t> minutesSinceLast(const RateFigures& figures, StampMinute now);

// "At this rate": the counted contacts of the last 60 minutes kept up from
// the latest stamp to the event's end, each scoring the chapters worked now.
struct Projection {
    std::int64_t minutesLeft = 0;      // 0 once the end has passed
    std::int64_t contactsExpected = 0;  // more contacts by the end
    std::int64_t score = 0;             // the claimed score expected at the end
};
// `claimed` is the claimed score now and `chapters` the chapters of all modes
// now; a contact more then adds `chapters` to the score.
Projection projectToEnd(const RateFigures& figures, StampMinute end, std::int64_t claimed,
                        std::int64_t chapters);

}  // namespace vl::scoring
