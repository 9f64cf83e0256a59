#include "reports/print_writer.h"

#include "logbook/quoted_line.h"

namespace vl::reports {

namespace {
constexpr int kFirstZone = 15;
constexpr int kZoneWidth = 14;
}  // namespace

void PrintWriter::blanks(int count) {
    if (count <= 0) return;
    bytes_.append(static_cast<size_t>(count), ' ');
    column_ += count;
}

void PrintWriter::tab(int column) {
    if (column < 1) column = 1;
    if (column_ > column) newLine();
    blanks(column - column_);
}

void PrintWriter::text(std::string_view text) {
    bytes_ += text;
    column_ += static_cast<int>(text.size());
}

void PrintWriter::integer(long long value) {
    // Through the unsigned type, so even the most negative value has digits.
    unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string out(1, value < 0 ? '-' : ' ');
    out += std::to_string(magnitude);
    out += ' ';
    text(out);
}

void PrintWriter::newLine() {
    bytes_ += logbook::kCrLf;
    column_ = 1;
}

void PrintWriter::nextZone() {
    int zone = kFirstZone;
    if (column_ >= kFirstZone) zone += kZoneWidth * ((column_ - kFirstZone) / kZoneWidth + 1);
    blanks(zone - column_);
}

void PrintWriter::zoneEntry(std::string_view entry) {
    text("  ");
    text(entry);
    nextZone();
}

}  // namespace vl::reports
