#include "session/numbered_names.h"

#include <algorithm>
#include <cstdint>

namespace zan {

namespace {

constexpr size_t kDigitsLooked = 20;
constexpr long long kLargestNumber = 32767;

}  // namespace

std::string NextFile(const std::string& name, int delta)
{
    const size_t slash = name.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return name;
    const size_t baseLength = dot - nameStart;
    const size_t looked = std::min(baseLength, kDigitsLooked);
    size_t digits = 0;
    while (digits < looked && name[dot - 1 - digits] >= '0' && name[dot - 1 - digits] <= '9')
        ++digits;
    if (digits == 0)
        return name;
    // Up to 20 digits do not fit a 64-bit number; one far above the largest
    // stays out of range for any step through a series.
    long long value = 0;
    for (size_t i = dot - digits; i < dot; ++i) {
        value = value * 10 + (name[i] - '0');
        if (value > kLargestNumber + 1000000)
            return {};
    }
    const long long moved = value + delta;
    if (moved < 0 || moved > kLargestNumber)
        return {};
    std::string number = std::to_string(moved);
    if (number.size() < digits)
        number.insert(0, digits - number.size(), '0');
    number = number.substr(number.size() - digits);
    std::string result = name;
    result.replace(dot - digits, digits, number);
    return result;
}

}  // namespace zan
