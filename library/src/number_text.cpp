#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace zan {

namespace {

// Decimal exponent of |v| after rounding to 7 significant digits, so that a
// value such as 9999999.5 counts as 1e7.
int rounded_exponent(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 6);
    const std::string s(buf, r.ptr);
    return std::atoi(s.c_str() + s.find('e') + 1);
}

// Drops trailing '0' characters of a digit string that holds a point.
void drop_trailing_zeros(std::string& digits)
{
    const auto last = digits.find_last_not_of('0');
    digits.erase(last + 1);
}

}  // namespace

std::string number_text(double v)
{
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
    if (v == 0.0) return "0.";
    char buf[64];
    const int e = rounded_exponent(v);
    if (e >= -1 && e <= 6) {
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6 - e);
        std::string fixed(buf, r.ptr);
        if (fixed.find('.') == std::string::npos) fixed.push_back('.');
        drop_trailing_zeros(fixed);
        return fixed;
    }
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 7);
    const std::string sci(buf, r.ptr);
    const auto mark = sci.find('e');
    std::string mantissa = sci.substr(0, mark);
    drop_trailing_zeros(mantissa);
    return mantissa + "E" + sci.substr(mark + 1);
}

}  // namespace zan
