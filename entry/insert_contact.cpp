#include "entry/insert_contact.h"

#include "entry/utc_stamp.h"
#include "logbook/chapter_key.h"
#include "logbook/file_names.h"
#include "logbook/quoted_line.h"
#include "logbook/small_files.h"

namespace vl::entry {

namespace {

bool fileHoldsChapter(const logbook::DataFolder& folder, std::string_view file,
                      std::string_view chapter) {
    const logbook::ReadResult read = folder.read(file);
    if (!read.ok()) return false;
    const std::string key = logbook::chapterKey(chapter);
    for (const std::string& line : logbook::readFirstFields(read.content)) {
        if (logbook::chapterKey(line) == key) return true;
    }
    return false;
}

}  // namespace

std::string refusalFor(const ContactRow& row) {
    const logbook::ContactRecord& b = row.boxes;
    if (b.call.empty() || b.sent.empty() || b.rcvd.empty() || b.chapter.empty()) {
        return std::string(kIncompleteRowMessage);
    }
    if (row.chapterBeingChecked) return std::string(kChapterNotCheckedMessage);
    if (b.chapter.size() < 3) return std::string(kShortChapterMessage);
    if (row.stampedByHand && (!isValidStampDate(b.date) || !isValidStampTime(b.time))) {
        return std::string(kBadHandStampMessage);
    }
    return {};
}

LoggedContact logContact(const ContactRow& row, const logbook::DataFolder& folder) {
    LoggedContact out;
    out.record = logbook::fixedWidth(row.boxes);
    const logbook::ContactRecord& r = out.record;
    if (auto error = folder.appendText(logbook::names::kContactLog, logbook::formatContactLine(r))) {
        out.logError = error;
        return out;
    }
    if (r.comment == logbook::kDupe) {
        out.dupe = true;
        return out;
    }
    if (r.comment == logbook::kBonusClaimed) {
        if (auto error = folder.appendText(logbook::names::kBonusCalls, logbook::formatBonusLine(r.call))) {
            out.laterErrors.push_back(*error);
        }
    }
    const std::string_view file = logbook::chaptersFileForMode(row.boxes.mode);
    if (row.chapterIsNew && !file.empty() && !fileHoldsChapter(folder, file, r.chapter)) {
        // A chapter the file did not take is not listed or counted either:
        // the failed step is skipped as a whole.
        if (auto error = folder.appendText(file, logbook::formatSingleFieldLine(r.chapter))) {
            out.laterErrors.push_back(*error);
        } else {
            out.chapterAdded = true;
        }
    }
    return out;
}

}  // namespace vl::entry
