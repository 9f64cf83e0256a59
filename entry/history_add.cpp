#include "entry/history_add.h"

#include "entry/callsign_text.h"
#include "logbook/file_names.h"
#include "logbook/history.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

HistoryAddOutcome addToHistory(int WritHist, std::string_view callBox, std::string_view chapterBox,
                               std::string_view nameBox, const logbook::DataFolder& folder) {
    using Kind = HistoryAddOutcome::Kind;
    HistoryAddOutcome out;
    if (WritHist != 1) {
        out.kind = Kind::NotAllowed;
        out.message = kAlreadyKnownMessage;
        return out;
    }
    if (logbook::trimBlanks(chapterBox).empty()) {
        out.kind = Kind::NoChapter;
        out.message = kNeedChapterMessage;
        return out;
    }
    const std::string call = sanitizeForFile(callBox);
    if (logbook::trimBlanks(call).empty()) {
        out.kind = Kind::NotAllowed;
        out.message = kNeedCallsignMessage;
        return out;
    }
    const std::string line = logbook::formatHistoryLine(
        {call, sanitizeForFile(chapterBox), sanitizeForFile(nameBox)});
    if (logbook::FileResult failed = folder.appendText(logbook::names::kHistory, line)) {
        out.kind = Kind::Error;
        out.error = failed;
        return out;
    }
    out.kind = Kind::Added;
    return out;
}

}  // namespace vl::entry
