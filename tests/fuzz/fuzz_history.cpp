// The history file "vlhistory.txt" and the line F11 appends to it.
#include "fuzz_support.h"
#include "logbook/history.h"
#include "logbook/quoted_line.h"

using namespace vl::logbook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    for (const HistoryRecord& record : parseHistory(content)) {
        const std::string line = formatHistoryLine(record);
        bool clean = true;
        for (const std::string* f : {&record.call, &record.chapter, &record.name}) {
            if (f->find_first_of("\",\r\n") != std::string::npos) clean = false;
        }
        if (!clean) continue;
        const std::vector<HistoryRecord> again = parseHistory(line);
        if (trimBlanks(std::string_view(line).substr(0, line.size() - 2)).empty()) continue;
        VL_FUZZ_CHECK(again.size() == 1);
        VL_FUZZ_CHECK(again[0].call == trimBlanks(record.call) &&
                      again[0].name == trimBlanks(record.name));
    }
    return 0;
}
