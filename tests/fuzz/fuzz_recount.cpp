// The recount on a log as the operator may have edited it, against a roster
// of the chapters 000 to 029 and 999 (small, so that reading it does not
// take most of each run; the comparisons lead the fuzzer to the chapters it
// holds): the rebuilt files must hold what the recount reports.
#include "fuzz_support.h"
#include "logbook/file_names.h"
#include "logbook/number_text.h"
#include "logbook/small_files.h"
#include "scoring/recount.h"

using namespace vl;
namespace names = logbook::names;

namespace {

std::string fullRoster() {
    std::string roster;
    for (int n : {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                  16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 999}) {
        roster += "\"" + logbook::formatWithZeros(std::to_string(n), 3) + "\",\"Chapter\"\r\n";
    }
    return roster;
}

std::vector<std::string> fileLines(const logbook::DataFolder& folder, std::string_view name) {
    return logbook::readFirstFields(folder.read(name).content);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const fuzz::FuzzFolder& work = fuzz::FuzzFolder::instance();
    static const bool once = (work.put(names::kRoster, fullRoster()), true);
    (void)once;
    work.put(names::kContactLog, fuzz::bytesOf(data, size));
    const scoring::RecountResult result = scoring::recount(work.folder());
    using Outcome = scoring::RecountResult::Outcome;
    VL_FUZZ_CHECK(result.outcome != Outcome::kAborted);
    if (result.outcome != Outcome::kCompleted) return 0;
    VL_FUZZ_CHECK(fileLines(work.folder(), names::kPhoneChapters).size() ==
                  result.phoneChapters.size());
    VL_FUZZ_CHECK(fileLines(work.folder(), names::kCwChapters).size() == result.cwChapters.size());
    VL_FUZZ_CHECK(fileLines(work.folder(), names::kDigitalChapters).size() ==
                  result.digitalChapters.size());
    VL_FUZZ_CHECK(result.counters.ttot == result.counters.ctot + result.counters.ptot +
                                              result.counters.dtot ||
                  result.counters.ctot + result.counters.ptot + result.counters.dtot > 32767);
    return 0;
}
