#pragma once
// The chapter check run when the chapter box `txtChapter` is left: the own
// chapter filled into an empty box, 88 to abandon the entry, 599 for a
// station that is not a member, the roster "VLChapters.txt" and the
// chapters-worked file of the current mode.
#include <optional>
#include <string>
#include <string_view>

#include "logbook/contact_record.h"
#include "logbook/data_folder.h"

namespace vl::entry {

inline constexpr std::string_view kMissingChapterMessage =
    "You MUST enter a chapter number and PRESS TAB";
inline constexpr std::string_view kInvalidChapterSuffix = "is an invalid Chapter Number";
inline constexpr std::string_view kChapterFileErrorLine =
    "This error occurred reading the Chapter file";

struct ChapterOutcome {
    enum class Kind {
        Abandon,  // 88: clear the row with `ClearInput`
        Missing,  // empty box, no usable own chapter: show `message`, cursor stays
        Invalid,  // not in the roster, or 999: show `message`, box emptied, cursor stays
        Valid,    // accepted
        Error,    // a file could not be read: show the error report, cursor stays
    };
    Kind kind = Kind::Valid;
    std::string chapter;      // the box text afterwards ("007"; empty when Invalid)
    bool nonMember = false;   // 599: `txtComment` becomes nonMemberComment (also when Invalid)
    bool isNew = false;       // not worked in this mode: set `N` to 1 (otherwise leave `N`)
    std::string rosterName;   // the roster record's name, as stored
    std::string notice;       // `txtNewChap` when isNew (shown if `NewChapTim` is "ON")
    std::string message;      // the OK-box text for Missing and Invalid
    // `mnuClear` afterwards: enabled for 88, 599 and a valid chapter, disabled
    // for an invalid one, left as it is when empty (nullopt).
    std::optional<bool> clearEnabled;
    std::optional<logbook::FileError> error;  // Kind::Error, reported once
};

// The whole check. `typed` is the box text (blanks at either end ignored, so
// blanks alone are an empty box), `homeChap` the own chapter from the
// registration, `mode` the text of `cboMode`. The roster is searched in file
// order for the box text formatted "000"; the search stops at the first equal
// number, and a search that ends on a record numbered 999 (the end mark, or
// 999 typed) makes the chapter invalid. The chapter is new unless the
// chapters-worked file of the mode holds a line with the same chapterKey as
// the box ("7  " and "007" are the same chapter); a mode other than PHN, CW
// and DIG has no file and every chapter is new.
ChapterOutcome checkChapter(std::string_view typed, std::string_view homeChap,
                            std::string_view mode, const logbook::DataFolder& folder);

// "Third Chapter,Chapter 123 is a NEW CHAPTER!"
std::string newChapterNotice(std::string_view rosterName, std::string_view chapter);

}  // namespace vl::entry
