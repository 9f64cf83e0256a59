// The CW message file "CWBuffRecord.txt", the start-message switch, and the
// Morse form of every message read.
#include "fuzz_support.h"
#include "keyer/morse_table.h"
#include "logbook/small_files.h"

using namespace vl::logbook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    (void)startMessageWanted(content);
    CwMessages messages;
    if (!parseCwMessages(content, messages)) return 0;
    for (const std::string& message : messages) {
        for (char c : message) {
            const std::string_view units = vl::keyer::morseUnits(c);
            VL_FUZZ_CHECK(units.empty() || units.back() == 'x');
        }
    }
    return 0;
}
