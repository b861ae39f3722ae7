#include "csv_fields.h"

#include "decimal_parse.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>

namespace zan::csv {

namespace {

bool is_separator(char c)
{
    return c == ',' || c == ' ' || c == '\t';
}

// The value of a well-formed number that a double cannot hold: an infinity
// of its sign when it is too large, a zero when it is too small. Which one
// follows from the decimal exponent of its first significant digit.
double beyond_range(const char* p, const char* end)
{
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    int64_t digits_before_point = 0;
    int64_t zeros_after_point = 0;
    bool seen_point = false;
    bool seen_digit = false;
    for (; p < end && *p != 'e' && *p != 'E' && *p != 'd' && *p != 'D'; ++p) {
        if (*p == '.') seen_point = true;
        else if (!seen_point && (seen_digit || *p != '0')) {
            seen_digit = true;
            ++digits_before_point;
        } else if (seen_point && !seen_digit) {
            if (*p == '0') ++zeros_after_point;
            else seen_digit = true;
        }
    }
    int64_t exponent = 0;
    if (p < end) {
        ++p;
        const bool exp_negative = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+')) ++p;
        for (; p < end && exponent < 100000; ++p) exponent = exponent * 10 + (*p - '0');
        if (exp_negative) exponent = -exponent;
    }
    const int64_t magnitude = digits_before_point > 0 ? digits_before_point + exponent : exponent - zeros_after_point;
    const double v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -v : v;
}

// One number filling all of [p, end), with an optional leading '+' that
// from_chars itself does not take, and a Fortran D exponent.
bool parse_number(const char* p, const char* end, double& value)
{
    if (p < end && *p == '+') {
        ++p;
        if (p == end || *p == '-' || *p == '+') return false;
    }
    auto [q, ec] = parse_double(p, end, value);
    if (ec == std::errc::invalid_argument) return false;
    if (q != end) {
        if (*q != 'd' && *q != 'D') return false;
        // The number again with an E; short ones, the usual, without allocating.
        const std::size_t n = static_cast<std::size_t>(end - p);
        char small[64];
        std::string large;
        char* copy = small;
        if (n > sizeof small) {
            large.assign(p, n);
            copy = large.data();
        } else {
            std::memcpy(copy, p, n);
        }
        copy[q - p] = 'e';
        auto [r, ec2] = std::from_chars(copy, copy + n, value);
        if (ec2 == std::errc::invalid_argument || r != copy + n) return false;
        ec = ec2;
    }
    if (ec == std::errc::result_out_of_range) value = beyond_range(p, end);
    return true;
}

}  // namespace

int32_t header_field_count(std::string_view line)
{
    return header_fields(line, [](int32_t, std::string_view) {});
}

int32_t data_field_count(std::string_view line)
{
    const std::size_t last = line.find_last_not_of(' ');
    if (last == std::string_view::npos) return 0;
    line = line.substr(0, last + 1);
    int32_t count = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = line.find(',', start);
        std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        if (end > start) ++count;
        if (comma == std::string_view::npos) return count;
        start = comma + 1;
    }
}

// Empty pieces between commas give no number: they are not fields either.
bool read_numbers(std::string_view line, int32_t n, double* row)
{
    const char* p = line.data();
    const char* end = p + line.size();
    for (int32_t k = 0; k < n; ++k) {
        while (p < end && is_separator(*p)) ++p;
        if (p == end) return false;
        const char* q = p;
        while (q < end && !is_separator(*q)) ++q;
        if (!parse_number(p, q, row[k])) return false;
        p = q;
    }
    return true;
}

bool read_row(std::string_view line, int32_t n, double* row)
{
    const char* p = line.data();
    const char* end = p + line.size();
    int32_t k = 0;
    while (k < n) {
        while (p < end && *p == ' ') ++p;
        if (p < end && *p == '+') break;
        auto [q, ec] = parse_double(p, end, row[k]);
        if (ec != std::errc{}) break;
        ++k;
        p = q;
        while (p < end && *p == ' ') ++p;
        if (p == end) {
            if (k == n) return true;
            break;
        }
        if (*p != ',') break;
        ++p;
    }
    return data_field_count(line) == n && read_numbers(line, n, row);
}

}  // namespace zan::csv
