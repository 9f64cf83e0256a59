// The registration file "LogOnFile.txt" and the typed UTC offset.
#include "fuzz_support.h"
#include "logbook/registration.h"
#include "keyer/default_messages.h"

using namespace vl::logbook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view content = vl::fuzz::bytesOf(data, size);
    const RegistrationRead read = parseRegistration(content);
    VL_FUZZ_CHECK(read.fieldsRead >= 0 && read.fieldsRead <= 12);
    const Registration& r = read.registration;
    VL_FUZZ_CHECK(r.utcOffset >= kMinUtcOffset && r.utcOffset <= kMaxUtcOffset);
    if (auto offset = parseUtcOffset(content)) {
        VL_FUZZ_CHECK(*offset >= kMinUtcOffset && *offset <= kMaxUtcOffset);
    }
    // The default CW messages are built from whatever the file held.
    (void)vl::keyer::defaultCwMessages(r);
    // A registration read is written back as it was read, when its fields
    // hold no quote, comma or line end.
    const std::string line = formatRegistrationLine(r);
    if (line.find_first_of("\n") != line.size() - 1) return 0;
    bool clean = true;
    for (const std::string* f : {&r.call, &r.chapter, &r.address, &r.state, &r.report, &r.name,
                                 &r.chapterName, &r.city, &r.zip, &r.year, &r.email}) {
        if (f->find_first_of("\",\r\n") != std::string::npos) clean = false;
    }
    if (!clean) return 0;
    const RegistrationRead again = parseRegistration(line);
    VL_FUZZ_CHECK(again.fieldsRead == 12 && again.offsetValid);
    VL_FUZZ_CHECK(again.registration.call == r.call && again.registration.email == r.email &&
                  again.registration.utcOffset == r.utcOffset);
    return 0;
}
