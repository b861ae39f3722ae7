// Reading a decimal number the way std::from_chars does, faster for the
// numbers data files hold.
#ifndef ZAN_DECIMAL_PARSE_H
#define ZAN_DECIMAL_PARSE_H

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>

namespace zan {

namespace detail {

inline constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline bool is_digit(char c)
{
    return static_cast<unsigned char>(c - '0') < 10;
}

}  // namespace detail

// The same result as std::from_chars(first, last, value) in its general
// format, bit for bit: the same end, error and value. A number of at most 19
// digits whose digits, as an integer, fit a double's 53 bits and
// whose power of ten is within 1e-22 to 1e22 is one exact integer times or
// divided by one exact power of ten: a single correctly rounded operation.
// Everything else goes to std::from_chars.
inline std::from_chars_result parse_double(const char* first, const char* last, double& value)
{
    using detail::is_digit;
    const char* p = first;
    const bool negative = p < last && *p == '-';
    if (negative) ++p;
    // Up to 19 digits, leading zeros included, fit 64 bits; a longer
    // run wraps around here but goes to std::from_chars below.
    uint64_t digits = 0;
    const char* start = p;
    for (; p < last && is_digit(*p); ++p) digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    std::ptrdiff_t count = p - start;
    int exponent = 0;
    if (p < last && *p == '.') {
        const char* fraction = ++p;
        for (; p < last && is_digit(*p); ++p) digits = digits * 10 + static_cast<uint64_t>(*p - '0');
        exponent = -static_cast<int>(std::min<std::ptrdiff_t>(p - fraction, 1000));
        count += p - fraction;
    }
    if (count == 0 || count > 19) return std::from_chars(first, last, value);
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool minus = q < last && *q == '-';
        if (q < last && (*q == '-' || *q == '+')) ++q;
        if (q < last && is_digit(*q)) {
            int e = 0;
            for (int n = 0; q < last && is_digit(*q); ++q, ++n) {
                if (n == 4) return std::from_chars(first, last, value);
                e = e * 10 + (*q - '0');
            }
            exponent += minus ? -e : e;
            p = q;
        }
    }
    if (digits > (uint64_t{1} << 53) || exponent < -22 || exponent > 22) return std::from_chars(first, last, value);
    double v = static_cast<double>(digits);
    if (exponent < 0) v /= detail::kPowersOfTen[-exponent];
    else v *= detail::kPowersOfTen[exponent];
    value = negative ? -v : v;
    return {p, std::errc{}};
}

}  // namespace zan

#endif
