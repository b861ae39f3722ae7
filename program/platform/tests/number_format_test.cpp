#include "platform/number_format.h"
#include "platform/text_codes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace zan;

TEST(NumberFormat, NumberWithSignPlaceKeepsABlankForNonNegative)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {2, " 2"},
        {-1, "-1"},
        {0, " 0"},
        {-0.0, " 0"},
        {0.5, " .5"},
        {-0.25, "-.25"},
        {1.5, " 1.5"},
        {100, " 100"},
        {2147483647, " 2147483647"},
        {0.1 + 0.2, " .3"},
        {1.0 / 3.0, " .333333333333333"},
        {0.0001, " .0001"},
        {0.00001, " 1E-05"},
        {-1.5e-7, "-1.5E-07"},
        {999999999999999.0, " 999999999999999"},
        {1e15, " 1E+15"},
        {1.25e20, " 1.25E+20"},
        {1e100, " 1E+100"},
    };
    for (const auto& c : cases) EXPECT_EQ(numberWithSignPlace(c.value), c.text) << c.value;
}

TEST(NumberFormat, PlainNumberHasNoSignPlaceAndALeadingZero)
{
    EXPECT_EQ(plainNumber(2), "2");
    EXPECT_EQ(plainNumber(-1), "-1");
    EXPECT_EQ(plainNumber(0.5), "0.5");
    EXPECT_EQ(plainNumber(-0.05), "-0.05");
    EXPECT_EQ(plainNumber(1000), "1000");
    EXPECT_EQ(plainNumber(-1e-5), "-1E-05");
}

TEST(NumberFormat, NonFiniteValuesAreNamedNotPrintedAsDigits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(numberWithSignPlace(nan), "NaN");
    EXPECT_EQ(plainNumber(-inf), "-Inf");
    EXPECT_EQ(formatNumber(inf, "#######0.00"), "Inf");
}

TEST(NumberFormat, LeadingNumberReadsAsFarAsANumberGoes)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"   42", 42},
        {"\t 7", 7},
        {" 2", 2},
        {"-1", -1},
        {"+3.5", 3.5},
        {".5", 0.5},
        {"-.25", -0.25},
        {"1.", 1},
        {"1,5", 1},
        {"0 , 1", 0},
        {" 1", 1},
        {"12abc", 12},
        {"1.2.3", 1.2},
        {"1e3", 1000},
        {"1E-2x", 0.01},
        {"2.5D2", 250},
        {"1e", 1},
        {"1e+", 1},
        {"-", 0},
        {".", 0},
        {"- 5", 0},
        {"k00007", 0},
        {"00007", 7},
        {"1e999", 0},
        {" 1.5E+20", 1.5e20},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberFormat, NumbersWrittenWithSignPlaceReadBackUnchanged)
{
    for (double v : {0.0, 1.0, -1.0, 0.5, -0.125, 123456.75, 1.5e-7, -2.5e20, 1e15})
        EXPECT_DOUBLE_EQ(leadingNumber(numberWithSignPlace(v)), v) << v;
}

TEST(NumberFormat, RoundingTakesHalvesToTheEvenNeighbour)
{
    const struct {
        double value;
        double rounded;
    } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7}, {1e17 + 2, 1e17 + 2},
    };
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.value), c.rounded) << c.value;
}

TEST(NumberFormat, IntegerConversionsStayWithinTheirType)
{
    EXPECT_EQ(toInt32(2.5), 2);
    EXPECT_EQ(toInt32(-3.5), -4);
    EXPECT_EQ(toInt32(1e12), 2147483647);
    EXPECT_EQ(toInt32(-1e12), -2147483647 - 1);
    EXPECT_EQ(toInt32(std::nan("")), 0);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(99999), 32767);
    EXPECT_EQ(toInt16(-99999), -32768);
    EXPECT_EQ(toInt16(10.5), 10);
}

TEST(NumberFormat, PatternsGiveTheirDigits)
{
    const struct {
        double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {0, "#######0", "0"},
        {100, "#######0", "100"},
        {2.5, "#######0", "3"},  // display rounding: halves away from zero
        {-2.5, "#######0", "-3"},
        {123456789012.0, "#######0", "123456789012"},
        {0.5, "#######0.0", "0.5"},
        {0.25, "#######0.0", "0.3"},
        {3.14159, "#######0.00", "3.14"},
        {-3.14159, "#######0.00", "-3.14"},
        {0.125, "#######0.00", "0.13"},
        {1.005, "#######0.00", "1.01"},  // decided on the 15-digit decimal form
        {9.999, "#######0.00", "10.00"},
        {-0.001, "#######0.00", "0.00"},
        {1e-20, "#######0.000000", "0.000000"},
        {5, "#######0.", "5."},
        {5.6, "#######0.", "6."},
        {12.5, "#######0.0000000", "12.5000000"},
        {7, "000", "007"},
        {1000, "000", "1000"},
        {0, "000", "000"},
        {3, "0000", "0003"},
        {7, "0000#", "00007"},
        {0, "0000#", "00000"},
        {99999, "0000#", "99999"},
        {123456, "0000#", "123456"},
        {7, "###0", "7"},
        {-12, "###0", "-12"},
        {0, "#", ""},
        {0.5, "#.00", ".50"},
        {1.5, "0.0#", "1.5"},
        {1.25, "0.0#", "1.25"},
        {1.0, "0.0#", "1.0"},
        {7, "k0000#", "k00007"},
        {7, "0 units", "7 units"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
}

TEST(NumberFormat, EmptyPatternGivesThePlainForm)
{
    EXPECT_EQ(formatNumber(0.5, ""), "0.5");
    EXPECT_EQ(formatNumber(-12, ""), "-12");
}

TEST(TextCodes, CodesArePaddedCutAndReadBack)
{
    const auto codes = toCharCodes("ab\xe9", 5);
    ASSERT_EQ(codes.size(), 5u);
    EXPECT_EQ(codes[0], 'a');
    EXPECT_EQ(codes[2], 0xe9);  // bytes above 127 stay positive codes
    EXPECT_EQ(codes[4], ' ');
    EXPECT_EQ(fromCharCodes(codes.data(), codes.size()), "ab\xe9  ");
    EXPECT_EQ(toCharCodes("abcdef", 3).size(), 3u);

    const int32_t wide[] = {0x141, 'b'};  // only the low 8 bits count
    EXPECT_EQ(fromCharCodes(wide, 2), "Ab");
}

TEST(TextCodes, TrimmingAndUpperCaseTouchOnlyBlanksAndLetters)
{
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks("\ta "), "\ta");
    EXPECT_EQ(trimTrailingBlanks("  x  "), "  x");
    EXPECT_EQ(trimTrailingBlanks(""), "");
    EXPECT_EQ(upperAscii("run_1.csv \xe9"), "RUN_1.CSV \xe9");
}

}  // namespace
