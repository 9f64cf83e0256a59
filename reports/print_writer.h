#pragma once
// Builds text the way the summary sheet is laid out: items are placed at
// columns counted from 1, integers carry a sign position and a trailing blank,
// list entries move on to the next 14-column print zone, and every line ends
// in CR LF. The text is single-byte, so a byte is a column.
#include <string>
#include <string_view>

namespace vl::reports {

class PrintWriter {
public:
    // Moves to `column`: blanks up to it when the line is not there yet; when
    // the line is already past it, a line end and column - 1 blanks; nothing
    // when the line is at it.
    void tab(int column);

    // The text, character for character.
    void text(std::string_view text);

    // " 25 " for 25, "-3 " for -3: the sign position, the digits, one blank.
    void integer(long long value);

    // CR LF; the next item starts at column 1.
    void newLine();

    // A chapter-list entry: two blanks and the text, then on to the next
    // print zone (columns 15, 29, 43, ...: the first one after the position).
    void zoneEntry(std::string_view entry);
    void nextZone();

    const std::string& bytes() const { return bytes_; }
    // The column the next character goes to.
    int column() const { return column_; }

private:
    void blanks(int count);

    std::string bytes_;
    int column_ = 1;
};

}  // namespace vl::reports
