#include "platform/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace zan {

namespace {

// A finite value as decimal digits: magnitude = 0.digits x 10^pointPos, the
// digits without trailing zeros (empty for zero), at most 15 of them.
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;
};

Decimal toDecimal(double value)
{
    Decimal d;
    if (value == 0.0) return d;
    d.negative = value < 0.0;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));  // d.dddddddddddddde+XX
    const std::string text = buf;
    const auto e = text.find('e');
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.pointPos = std::atoi(text.c_str() + e + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

std::string nonFinite(double value)
{
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// Digits without sign, as the short form shows them; leadingZero puts "0"
// before the decimal point of a magnitude below 1.
std::string shortForm(const Decimal& d, bool leadingZero)
{
    if (d.digits.empty()) return "0";
    const int n = static_cast<int>(d.digits.size());
    if (d.pointPos > 15 || d.pointPos < -3) {
        std::string out = d.digits.substr(0, 1);
        if (n > 1) out += "." + d.digits.substr(1);
        const int expo = d.pointPos - 1;
        char buf[16];
        std::snprintf(buf, sizeof buf, "E%c%02d", expo < 0 ? '-' : '+', std::abs(expo));
        return out + buf;
    }
    if (d.pointPos <= 0)
        return (leadingZero ? "0." : ".") + std::string(static_cast<size_t>(-d.pointPos), '0') + d.digits;
    if (d.pointPos >= n) return d.digits + std::string(static_cast<size_t>(d.pointPos - n), '0');
    return d.digits.substr(0, static_cast<size_t>(d.pointPos)) + "." + d.digits.substr(static_cast<size_t>(d.pointPos));
}

// round(|value| x 10^decimals) as a digit string, halves away from zero.
std::string scaledDigits(const Decimal& d, int decimals)
{
    const int keep = d.pointPos + decimals;  // digits left of the cut
    const int n = static_cast<int>(d.digits.size());
    if (d.digits.empty() || keep < 0) return "0";
    if (keep >= n) return d.digits + std::string(static_cast<size_t>(keep - n), '0');
    std::string out = d.digits.substr(0, static_cast<size_t>(keep));
    if (d.digits[static_cast<size_t>(keep)] >= '5') {
        int i = keep - 1;
        while (i >= 0 && out[static_cast<size_t>(i)] == '9') out[static_cast<size_t>(i--)] = '0';
        if (i >= 0) ++out[static_cast<size_t>(i)];
        else out.insert(out.begin(), '1');
    }
    return out.empty() ? "0" : out;
}

bool isPlaceholder(char c) { return c == '0' || c == '#' || c == '.'; }

}  // namespace

std::string numberWithSignPlace(double value)
{
    if (!std::isfinite(value)) return nonFinite(value);
    const Decimal d = toDecimal(value);
    return (d.negative ? "-" : " ") + shortForm(d, false);
}

std::string plainNumber(double value)
{
    if (!std::isfinite(value)) return nonFinite(value);
    const Decimal d = toDecimal(value);
    return (d.negative ? "-" : "") + shortForm(d, true);
}

double leadingNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string number;
    bool anyDigit = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
            anyDigit = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        size_t j = i + 1;
        std::string expo = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) expo += text[j++];
        const size_t firstDigit = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') expo += text[j++];
        if (j > firstDigit) number += expo;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc()) return 0.0;
    return negative ? -value : value;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value)) return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

int32_t toInt32(double value)
{
    if (std::isnan(value)) return 0;
    const double r = roundHalfEven(value);
    if (r >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (r <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

int16_t toInt16(double value)
{
    if (std::isnan(value)) return 0;
    const double r = roundHalfEven(value);
    if (r >= std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (r <= std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(r);
}

std::string formatNumber(double value, std::string_view pattern)
{
    if (pattern.empty()) return plainNumber(value);
    if (!std::isfinite(value)) return nonFinite(value);

    size_t first = 0;
    while (first < pattern.size() && !isPlaceholder(pattern[first])) ++first;
    if (first == pattern.size()) return std::string(pattern);
    size_t last = pattern.size() - 1;
    while (!isPlaceholder(pattern[last])) --last;
    const std::string_view prefix = pattern.substr(0, first);
    const std::string_view suffix = pattern.substr(last + 1);
    const std::string_view body = pattern.substr(first, last + 1 - first);

    const size_t point = body.find('.');
    const std::string_view intPart = body.substr(0, point);
    const std::string_view decPart = point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    const size_t firstZero = intPart.find('0');
    const size_t minInt = firstZero == std::string_view::npos ? 0 : intPart.size() - firstZero;
    const int decimals = static_cast<int>(decPart.size());
    const size_t lastZero = decPart.rfind('0');
    const size_t minDec = lastZero == std::string_view::npos ? 0 : lastZero + 1;

    const Decimal d = toDecimal(value);
    std::string scaled = scaledDigits(d, decimals);
    if (scaled.size() <= static_cast<size_t>(decimals))
        scaled.insert(0, static_cast<size_t>(decimals) + 1 - scaled.size(), '0');
    std::string integer = scaled.substr(0, scaled.size() - static_cast<size_t>(decimals));
    std::string fraction = scaled.substr(integer.size());
    const bool zero = scaled.find_first_not_of('0') == std::string::npos;

    const size_t nonZero = integer.find_first_not_of('0');
    integer = nonZero == std::string::npos ? std::string() : integer.substr(nonZero);
    if (integer.size() < minInt) integer.insert(0, minInt - integer.size(), '0');
    while (fraction.size() > minDec && fraction.back() == '0') fraction.pop_back();

    std::string out(prefix);
    if (d.negative && !zero) out += '-';
    out += integer;
    if (point != std::string_view::npos) out += "." + fraction;
    out += suffix;
    return out;
}

}  // namespace zan
