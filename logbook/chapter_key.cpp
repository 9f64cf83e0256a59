#include "logbook/chapter_key.h"

#include "logbook/number_text.h"
#include "logbook/quoted_line.h"

namespace vl::logbook {

std::string chapterKey(std::string_view chapter) {
    return formatWithZeros(trimBlanks(chapter), 3);
}

}  // namespace vl::logbook
