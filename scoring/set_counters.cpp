#include "scoring/set_counters.h"

#include "logbook/contact_record.h"
#include "logbook/file_names.h"
#include "logbook/small_files.h"
#include "scoring/classification.h"

namespace vl::scoring {
namespace {

void finish(Counters& counters, bool overflow, std::vector<logbook::FileError>& errors) {
    if (!updateGrandTotal(counters)) overflow = true;
    if (overflow) errors.push_back(overflowError());
}

}  // namespace

std::vector<logbook::FileError> SetCounters(Counters& counters, std::string_view logContent,
                                            const ChapterCounts& lists) {
    return SetCounters(counters, logbook::readContacts(logContent), lists);
}

std::vector<logbook::FileError> SetCounters(Counters& counters,
                                            const std::vector<logbook::ContactRecord>& records,
                                            const ChapterCounts& lists) {
    std::vector<logbook::FileError> errors;
    bool overflow = !setChapterCounts(counters, lists.phone, lists.cw, lists.digital);
    for (const logbook::ContactRecord& record : records) {
        if (record.comment == logbook::kDupe) continue;
        addContact(counters, record.band, record.mode, &overflow);
    }
    finish(counters, overflow, errors);
    return errors;
}

std::vector<logbook::FileError> SetCounters(Counters& counters, const logbook::DataFolder& folder,
                                            const ChapterCounts& lists) {
    logbook::ReadResult log = folder.read(logbook::names::kContactLog);
    if (log.ok()) return SetCounters(counters, log.content, lists);
    std::vector<logbook::FileError> errors{*log.error};
    bool overflow = !setChapterCounts(counters, lists.phone, lists.cw, lists.digital);
    finish(counters, overflow, errors);
    return errors;
}

Counters countersFromFiles(const logbook::DataFolder& folder,
                           const std::vector<logbook::ContactRecord>& records) {
    auto entries = [&folder](std::string_view name) {
        return static_cast<std::int64_t>(logbook::readFirstFields(folder.read(name).content).size());
    };
    namespace names = logbook::names;
    Counters counters;
    SetCounters(counters, records,
                {entries(names::kPhoneChapters), entries(names::kCwChapters),
                 entries(names::kDigitalChapters)});
    return counters;
}

}  // namespace vl::scoring
