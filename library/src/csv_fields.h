// The rules that read one line of a comma-separated data file.
#ifndef ZAN_CSV_FIELDS_H
#define ZAN_CSV_FIELDS_H

#include <cstdint>
#include <string_view>

namespace zan::csv {

// Lines at the start of a file whose fields decide the variable count.
inline constexpr int kHeaderSearchLines = 99;

// Header rule: a UTF-8 byte-order mark at the start of the line (spreadsheet
// programs write one in front of the first line) is dropped first. A comment
// line (first character '#' or '%', or blanks only) has no fields. Otherwise
// the line is cut at its last non-blank character and split at commas; empty
// pieces are not fields. Calls on_field(index, text) for each field in order
// (index from 1) and returns the count.
template <class OnField>
int32_t header_fields(std::string_view line, OnField on_field);

int32_t header_field_count(std::string_view line);

// Whether a line holds anything a row could be made of: neither a comment
// line nor blanks and commas only. A refused line that does not is no lost row.
inline bool holds_fields(std::string_view line);

// Data rule: the count of non-empty comma-separated pieces of the line cut
// at its last non-blank character, without the comment test.
int32_t data_field_count(std::string_view line);

// Reads n numbers in free form (separated by commas, blanks or tabs; optional
// sign, decimal point, exponent with E or D) into row. False when fewer than
// n numbers come or a piece before the n-th is not a number.
bool read_numbers(std::string_view line, int32_t n, double* row);

// The whole data test of a line: exactly n fields by the data rule and n
// numbers in them. Lines of plain numbers separated by single commas are
// checked in one pass; anything else goes through the two rules above.
bool read_row(std::string_view line, int32_t n, double* row);

// The line without a leading UTF-8 byte-order mark.
inline std::string_view without_byte_order_mark(std::string_view line)
{
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    return line.substr(0, mark.size()) == mark ? line.substr(mark.size()) : line;
}

inline bool holds_fields(std::string_view line)
{
    return header_field_count(line) > 0;
}

template <class OnField>
int32_t header_fields(std::string_view line, OnField on_field)
{
    line = without_byte_order_mark(line);
    const std::size_t last = line.find_last_not_of(' ');
    if (last == std::string_view::npos || line[0] == '#' || line[0] == '%') return 0;
    line = line.substr(0, last + 1);
    int32_t count = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = line.find(',', start);
        std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        if (end > start) on_field(++count, line.substr(start, end - start));
        if (comma == std::string_view::npos) return count;
        start = comma + 1;
    }
}

}  // namespace zan::csv

#endif
