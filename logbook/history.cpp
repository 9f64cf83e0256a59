#include "logbook/history.h"

#include "logbook/quoted_line.h"

namespace vl::logbook {

std::vector<HistoryRecord> parseHistory(std::string_view content) {
    std::vector<HistoryRecord> records;
    for (auto& fields : readQuotedLines(content)) {
        fields.resize(std::max<size_t>(fields.size(), 3));
        records.push_back({fields[0], fields[1], fields[2]});
    }
    return records;
}

std::string formatHistoryLine(const HistoryRecord& record) {
    return formatQuotedLine(std::vector<std::string>{std::string(trimBlanks(record.call)),
                                                     std::string(trimBlanks(record.chapter)),
                                                     std::string(trimBlanks(record.name))});
}

}  // namespace vl::logbook
