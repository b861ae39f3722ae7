#include "number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

TEST(NumberText, WritesSevenDigitGeneralStyleWithoutTrailingZeros)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {12.5, "12.5"},
        {2.0, "2."},
        {-0.25, "-0.25"},
        {0.0, "0."},
        {-0.0, "0."},
        {12345678.0, "1.2345678E+07"},
        {0.00001, "1.E-05"},
        {1.0, "1."},
        {0.1, "0.1"},
        {-0.1, "-0.1"},
        {0.1234567, "0.1234567"},
        {-0.1234567, "-0.1234567"},
        {0.12345678, "0.1234568"},
        {1234567.0, "1234567."},
        {-1234567.0, "-1234567."},
        {1234567.4, "1234567."},
        {9999999.0, "9999999."},
        // Seven digits round these up to 1e7 and 0.1: scientific and fixed.
        {9999999.5, "9.9999995E+06"},
        {0.0999999951, "0.1"},
        {0.09999999, "9.999999E-02"},
        {0.0999999, "9.99999E-02"},
        {0.099999949, "9.9999949E-02"},
        {10000000.0, "1.E+07"},
        {-12345678.0, "-1.2345678E+07"},
        {1.0e9, "1.E+09"},
        {-1.0e9, "-1.E+09"},
        {-999999999.0, "-1.E+09"},
        {-999999990.0, "-9.9999999E+08"},
        {123.456789, "123.4568"},
        {3.14159265, "3.141593"},
        {1.0 / 3.0, "0.3333333"},
        {2.0 / 3.0 * 1e-3, "6.6666667E-04"},
        {1.0e-300, "1.E-300"},
        {-2.5e300, "-2.5E+300"},
        {5e-324, "4.9406565E-324"},
        {std::numeric_limits<double>::infinity(), "Inf"},
        {-std::numeric_limits<double>::infinity(), "-Inf"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    };
    for (const Case& c : cases) EXPECT_EQ(zan::number_text(c.value), c.text) << c.value;
}

TEST(NumberText, IgnoresTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                          std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
    EXPECT_EQ(zan::number_text(12.5), "12.5");
    EXPECT_EQ(zan::number_text(0.00001), "1.E-05");
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
}
