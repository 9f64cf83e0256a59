#pragma once
// Correcting a logged contact in the log window: the entry row's checks on
// the edited fields, the dupe mark an edit may call for, and the filter that
// narrows the window's table.
#include <string>
#include <string_view>
#include <vector>

#include "entry/pattern.h"
#include "logbook/contact_record.h"
#include "logbook/data_folder.h"

namespace vl::entry {

// The band and mode lists of the entry row, as their items read.
inline constexpr std::string_view kBandItems[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
inline constexpr std::string_view kModeItems[] = {"PHN", "CW", "DIG"};

struct EditCheck {
    // Empty when the record may be saved; else the message naming the value.
    std::string refusal;
    // Which box the refusal is about: 0 callsign, 1 sent, 2 received,
    // 3 chapter, 5 band, 6 mode, 7 date, 8 time (the record's field order).
    int field = -1;
    logbook::ContactRecord record;  // the record to write, fields at their widths
};

// The entry row's checks on the form's fields (box texts as typed, band and
// mode as the list items read): both reports given, the callsign's shape, not
// the own call, the chapter on the roster (88 and 999 are not chapters), a
// band and a mode of the lists, a real "mm/dd/yyyy" date and "HH:MM" time.
EditCheck checkEditedRecord(const logbook::ContactRecord& typed, std::string_view ownCall,
                            const logbook::DataFolder& folder);

// Whether an edit makes a contact a duplicate of another one on the same band
// and mode (same callsign, blanks at both ends ignored; records marked DUPE
// are not the contact they duplicate), or stops it being one.
enum class DupeChange { kNone, kBecomesDupe, kNoLongerDupe };
DupeChange dupeChangeAfterEdit(const logbook::ContactRecord& edited, std::size_t editedIndex,
                               const std::vector<const logbook::ContactRecord*>& records);
// The question the form asks; Yes sets (or removes) the mark.
std::string dupeChangeQuestion(DupeChange change, const logbook::ContactRecord& edited);

// "Delete the contact with W1XYZ on 20 PHN at 06/01/2026 14:05?"
std::string deleteQuestion(const logbook::ContactRecord& record);

// The log window's filter: empty takes every record; otherwise a record is
// taken when its callsign matches the typed text as the log search matches it
// (the text upper-cased, a zero read as Ø), or its chapter is the typed
// number, or its band or mode is the typed text.
class RecordFilter {
public:
    explicit RecordFilter(std::string_view typed);
    bool accepts(const logbook::ContactRecord& record) const;
    bool empty() const { return empty_; }

private:
    bool empty_;
    std::string callText_;  // trimmed, upper-cased, a zero as Ø
    std::string plain_;      // trimmed, upper-cased
    std::string chapter_;  // the typed number at three digits, or empty
    CallMatcher call_;
};

}  // namespace vl::entry
