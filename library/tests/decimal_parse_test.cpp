// parse_double must give what std::from_chars gives, bit for bit, for every
// text: the same end, the same error and the same value.
#include "decimal_parse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>

namespace zan {
namespace {

// Empty when both agree, otherwise what differs.
std::string difference(const std::string& text)
{
    double fast = 12345.0;
    double reference = 12345.0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto a = parse_double(first, last, fast);
    const auto b = std::from_chars(first, last, reference);
    if (a.ptr != b.ptr) return "end differs for \"" + text + "\"";
    if (a.ec != b.ec) return "error differs for \"" + text + "\"";
    if (std::memcmp(&fast, &reference, sizeof fast) != 0) return "value differs for \"" + text + "\"";
    return {};
}

std::string digits(std::mt19937_64& rng, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>('0' + rng() % 10));
    return s;
}

// Random texts of one form each; every form is tried this many times. The
// build under the sanitizers looks for faults of memory, not for rare
// values, and tries a tenth of them.
#ifdef ZAN_SANITIZED_TESTS
constexpr int kPerForm = 100'000;
#else
constexpr int kPerForm = 1'000'000;
#endif

TEST(DecimalParse, AgreesWithFromCharsOnEveryForm)
{
    std::mt19937_64 rng(20261208);
    auto sign = [&] { return std::string(rng() % 3 == 0 ? "-" : ""); };
    auto exponent = [&](int range) {
        const int e = static_cast<int>(rng() % static_cast<unsigned>(2 * range + 1)) - range;
        const char* letter = rng() % 2 ? "e" : "E";
        const char* plus = e >= 0 && rng() % 2 ? "+" : "";
        return std::string(letter) + plus + std::to_string(e);
    };
    struct Form {
        const char* label;
        std::function<std::string()> make;
    } forms[] = {
        {"integers of 1 to 25 digits", [&] { return sign() + digits(rng, 1 + int(rng() % 25)); }},
        {"seven significant digits as data files write them",
         [&] { return sign() + digits(rng, 1) + "." + digits(rng, 6) + exponent(30); }},
        {"fixed point of up to 22 digits",
         [&] { return sign() + digits(rng, int(rng() % 12)) + "." + digits(rng, int(rng() % 12)); }},
        {"leading and trailing zeros",
         [&] {
             return sign() + std::string(rng() % 8, '0') + digits(rng, 1 + int(rng() % 10)) + "." +
                    digits(rng, int(rng() % 6)) + std::string(rng() % 12, '0') + exponent(25);
         }},
        {"exponents near and beyond the range",
         [&] { return sign() + digits(rng, 1 + int(rng() % 20)) + exponent(400); }},
        {"mantissas around two to the 53",
         [&] { return sign() + std::to_string((uint64_t{1} << 53) - 3 + rng() % 7) + exponent(22); }},
        {"numbers followed by any bytes, as in the middle of a row",
         [&] {
             static const char kNeighbours[] = {',', ' ', '/', ':', '\0', '\x7f', '\x80', '\xfa', '\xff', 'e', '.', '5'};
             std::string s = sign() + digits(rng, int(rng() % 10)) + (rng() % 2 ? "." : "") + digits(rng, int(rng() % 10));
             for (int n = int(rng() % 10); n > 0; --n) s.push_back(kNeighbours[rng() % sizeof kNeighbours]);
             return s;
         }},
        {"any characters a number is made of",
         [&] {
             static const char kAlphabet[] = "0123456789.eE+-dD x,";
             std::string s;
             for (int n = int(rng() % 14); n > 0; --n) s.push_back(kAlphabet[rng() % (sizeof kAlphabet - 1)]);
             return s;
         }},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.label);
        int failures = 0;
        for (int i = 0; i < kPerForm && failures < 5; ++i) {
            const std::string d = difference(form.make());
            if (!d.empty()) {
                ADD_FAILURE() << d;
                ++failures;
            }
        }
    }
}

TEST(DecimalParse, AgreesWithFromCharsOnEdgeCases)
{
    const char* cases[] = {
        "", "-", ".", "-.", "1.", ".5", "-.5", "0", "-0", "-0.0", "0.000", "00000", "1e", "1e+", "1e-", "1E5",
        "1e05", "1e0005", "1e99999", "1e-99999", "inf", "-inf", "nan", "infinity", "0x1p3", "1..2", "--1", "+1",
        "1e22", "1e23", "1e-22", "1e-23", "9007199254740992", "9007199254740993", "9007199254740992e1",
        "1234567890123456789", "12345678901234567890", "0.1234567890123456789", "4.9406564584124654e-324",
        "1.7976931348623157e308", "1.7976931348623159e308", "2.2250738585072011e-308", "123.456,7", "5 ",
        "1d5", "1.5e+3x", "0.0000000000000000000000001", "100000000000000000000000e-23",
    };
    for (const char* c : cases) EXPECT_EQ(difference(c), "");
}

}  // namespace
}  // namespace zan
