#include "entry/record_edit.h"

#include <algorithm>

#include "entry/callsign_rules.h"
#include "entry/callsign_text.h"
#include "entry/chapter_check.h"
#include "entry/utc_stamp.h"
#include "logbook/number_text.h"
#include "logbook/quoted_line.h"

namespace vl::entry {

namespace {

using logbook::ContactRecord;
using logbook::trimBlanks;

template <size_t N>
bool listHolds(const std::string_view (&items)[N], std::string_view text) {
    return std::find(std::begin(items), std::end(items), text) != std::end(items);
}

std::string joined(std::string_view head, std::initializer_list<std::string_view> parts) {
    std::string text(head);
    for (std::string_view part : parts) text += part;
    return text;
}

bool sameContact(const ContactRecord& a, const ContactRecord& b) {
    return trimBlanks(a.call) == trimBlanks(b.call) &&
           logbook::padCut(a.band, logbook::kBandWidth) ==
               logbook::padCut(b.band, logbook::kBandWidth) &&
           logbook::padCut(a.mode, logbook::kModeWidth) ==
               logbook::padCut(b.mode, logbook::kModeWidth);
}

}  // namespace

EditCheck checkEditedRecord(const ContactRecord& typed, std::string_view ownCall,
                            const logbook::DataFolder& folder) {
    EditCheck out;
    auto refuse = [&](int field, std::string message) {
        out.field = field;
        out.refusal = std::move(message);
        return out;
    };
    if (typed.call.empty()) return refuse(0, "The Callsign must not be empty");
    if (!checkCallsignShape(typed.call).accepted) {
        return refuse(0, joined(kInvalidCallsignMessage, {": ", typed.call}));
    }
    if (isOwnCall(typed.call, ownCall)) return refuse(0, std::string(kOwnCallMessage));
    if (trimBlanks(typed.sent).empty()) return refuse(1, "The Rpt Sent must not be empty");
    if (trimBlanks(typed.rcvd).empty()) return refuse(2, "The Rpt Rcv must not be empty");
    if (!listHolds(kModeItems, typed.mode)) {
        return refuse(6, joined("The Mode must be PHN, CW or DIG, not ", {typed.mode}));
    }
    const ChapterOutcome chapter = checkChapter(typed.chapter, {}, {}, folder);  // the roster alone
    switch (chapter.kind) {
        case ChapterOutcome::Kind::Valid: break;
        case ChapterOutcome::Kind::Abandon:
            return refuse(3, joined(trimBlanks(typed.chapter), {" ", kInvalidChapterSuffix}));
        case ChapterOutcome::Kind::Missing:
        case ChapterOutcome::Kind::Invalid: return refuse(3, chapter.message);
        case ChapterOutcome::Kind::Error:
            return refuse(3, joined("The chapter roster could not be read: ",
                                    {chapter.error ? chapter.error->description : ""}));
    }
    if (!listHolds(kBandItems, typed.band)) {
        return refuse(5, joined("The Band must be one of 160, 80, 40, 20, 15, 10, 6 and 2, not ",
                                {typed.band}));
    }
    if (!isValidStampDate(typed.date)) {
        return refuse(7, joined("The Date must be a real date typed as mm/dd/yyyy, not ",
                                {typed.date}));
    }
    if (!isValidStampTime(typed.time)) {
        return refuse(8, joined("The Time must be a time typed as HH:MM (UTC), not ", {typed.time}));
    }
    ContactRecord record = typed;
    record.chapter = chapter.chapter;
    out.record = logbook::fixedWidth(record);
    return out;
}

DupeChange dupeChangeAfterEdit(const ContactRecord& edited, std::size_t editedIndex,
                               const std::vector<const ContactRecord*>& records) {
    bool duplicates = false;
    for (std::size_t i = 0; i < records.size() && !duplicates; ++i) {
        duplicates = i != editedIndex && records[i]->comment != logbook::kDupe &&
                     sameContact(*records[i], edited);
    }
    const bool marked = edited.comment == logbook::kDupe;
    if (duplicates && !marked) return DupeChange::kBecomesDupe;
    if (!duplicates && marked) return DupeChange::kNoLongerDupe;
    return DupeChange::kNone;
}

std::string dupeChangeQuestion(DupeChange change, const ContactRecord& edited) {
    const std::string where = joined(trimBlanks(edited.call),
                                     {" on ", trimBlanks(edited.band), " ", trimBlanks(edited.mode)});
    if (change == DupeChange::kBecomesDupe) {
        return joined(where, {" is already in the log.  Mark this contact \"DUPE\", so that it "
                              "counts for nothing?"});
    }
    return joined(where, {" no longer duplicates another contact.  Remove \"DUPE\" from its "
                          "comment, so that it counts?"});
}

std::string deleteQuestion(const ContactRecord& record) {
    return joined("Delete the contact with ",
                  {trimBlanks(record.call), " on ", trimBlanks(record.band), " ",
                   trimBlanks(record.mode), " at ", trimBlanks(record.date), " ",
                   trimBlanks(record.time), "?"});
}

RecordFilter::RecordFilter(std::string_view typed)
    : empty_(trimBlanks(typed).empty()),
      callText_(filterCallsignInput(trimBlanks(typed))),
      plain_(upperForBox(trimBlanks(typed))),
      chapter_(logbook::isNumber(trimBlanks(typed))
                   ? logbook::formatWithZeros(trimBlanks(typed), 3)
                   : std::string()),
      call_(callText_) {}

bool RecordFilter::accepts(const ContactRecord& record) const {
    if (empty_) return true;
    if (call_(record.call)) return true;
    if (!chapter_.empty() && logbook::formatWithZeros(trimBlanks(record.chapter), 3) == chapter_) {
        return true;
    }
    return trimBlanks(record.band) == plain_ || trimBlanks(record.mode) == plain_;
}

}  // namespace vl::entry
