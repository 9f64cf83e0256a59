#pragma once
// What both exports are made from: the registration, the own chapter's name,
// every contact of the log in log order (dupes included) with its band, mode,
// date and time in exportable form, and the score the program claims.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exports/band_mode_table.h"
#include "logbook/contact_record.h"
#include "logbook/data_folder.h"
#include "logbook/registration.h"
#include "scoring/counters.h"

namespace vl::exports {

inline constexpr std::string_view kContestId = "VELMARA-QSO-PARTY";
inline constexpr std::string_view kProgramName = "VLWinLog";
// The program's version, as the build names it ("1.0").
std::string_view programVersion();

struct ExportContact {
    logbook::ContactRecord record;  // fields 1 to 9 at their widths
    const BandNames* band = nullptr;
    const ModeNames* mode = nullptr;
    std::string date;  // "yyyymmdd"
    std::string time;  // "hhmm"
};

struct ExportLog {
    logbook::Registration registration;
    std::string clubName;  // the own chapter's name
    std::vector<ExportContact> contacts;
    std::int64_t claimedScore = 0;  // the final score, bonus included
    // A score, a count of contacts or of chapters past 32767, which the
    // window's counters cannot hold.
    bool beyondSixteenBits = false;

    // Whether a contact's ADIF mode is taken from there.
    bool has(AdifModeFrom from) const;
};

struct PreparedContacts {
    std::vector<ExportContact> contacts;
    // Empty when every contact could be prepared; else why the first one
    // that could not stops the export.
    std::string problem;
};

// Each record with its band and mode looked up and its "mm/dd/yyyy" date and
// "HH:MM" time checked and rewritten.
PreparedContacts prepareContacts(const std::vector<logbook::ContactRecord>& records);

struct ExportLogRead {
    ExportLog log;
    std::string problem;  // empty when the log can be exported
    bool ok() const { return problem.empty(); }
};

// Reads the registration, the roster, the log and the bonus-call file of the
// working folder. The claimed score is the final score the summary sheet
// prints from `totals` (the window's running totals); without totals it is
// counted from the log and the chapters-worked files as start-up counts,
// in full however large the counts.
ExportLogRead readExportLog(const logbook::DataFolder& folder,
                            const scoring::Counters* totals = nullptr);

}  // namespace vl::exports
