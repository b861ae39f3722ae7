#include "csv_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zan::csv {
namespace {

std::vector<std::string> names_of(std::string_view line)
{
    std::vector<std::string> names;
    header_fields(line, [&](int32_t, std::string_view f) { names.emplace_back(f); });
    return names;
}

TEST(CsvFields, HeaderRuleCountsNonEmptyFieldsOfNonCommentLines)
{
    struct Case {
        std::string line;
        std::vector<std::string> names;
        int32_t data_count;
    } cases[] = {
        {"time,alt,speed", {"time", "alt", "speed"}, 3},
        {"t,,x", {"t", "x"}, 2},
        {",t,x", {"t", "x"}, 2},
        {"t,x,", {"t", "x"}, 2},
        {"t,x,   ", {"t", "x"}, 2},
        {" t , x  ", {" t ", " x"}, 2},
        {"t, ,x", {"t", " ", "x"}, 3},
        {"# a,b,c", {}, 3},
        {"% a,b", {}, 2},
        {"    ", {}, 0},
        {"", {}, 0},
        {",,,", {}, 0},
        {"\tt,x", {"\tt", "x"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(names_of(c.line), c.names);
        EXPECT_EQ(header_field_count(c.line), int32_t(c.names.size()));
        EXPECT_EQ(data_field_count(c.line), c.data_count);
    }
}

TEST(CsvFields, RowNeedsExactlyTheVariableCountOfNumbers)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::string line;
        int32_t n;
        bool accepted;
        std::vector<double> values;
    } cases[] = {
        {"1,2,3", 3, true, {1, 2, 3}},
        {" 1 , -2.5e1 ,3. ", 3, true, {1, -25, 3}},
        {"+1,.5,-.5", 3, true, {1, 0.5, -0.5}},
        {"1.5d2,2D-1,3", 3, true, {150, 0.2, 3}},
        // A D exponent is read at any length, as an E exponent is.
        {"1." + std::string(70, '0') + "D1,2,3", 3, true, {10, 2, 3}},
        {"-0.000" + std::string(200, '1') + "d+0004,2,3", 3, true, {-std::stod("0.000" + std::string(200, '1') + "e4"), 2, 3}},
        {"1\t,2,3", 3, true, {1, 2, 3}},
        {"1,2,3,", 3, true, {1, 2, 3}},
        {"1,,2,3", 3, true, {1, 2, 3}},
        {"1e999,-1e999,1e-999", 3, true, {inf, -inf, 0}},
        {"1000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000,2",
         2, true, {inf, 2}},
        {"1,2", 3, false, {}},
        {"1,2,3,4", 3, false, {}},
        {"1,x,3", 3, false, {}},
        {"1,2e,3", 3, false, {}},
        {"1,+-2,3", 3, false, {}},
        {"1,--2,3", 3, false, {}},
        {"1,0x10,3", 3, false, {}},
        {"1,3*2,3", 3, false, {}},
        {"# 1,2,3", 3, false, {}},
        {"1 2,3", 2, true, {1, 2}},
        {"1 2", 2, false, {}},
        {"", 0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<double> row(5, -7.0);
        ASSERT_EQ(read_row(c.line, c.n, row.data()), c.accepted);
        if (c.accepted) {
            for (std::size_t k = 0; k < c.values.size(); ++k) EXPECT_EQ(row[k], c.values[k]) << k;
        }
    }
}

TEST(CsvFields, NotANumberIsReadAsSuch)
{
    double row[2];
    ASSERT_TRUE(read_row("nan,inf", 2, row));
    EXPECT_TRUE(std::isnan(row[0]));
    EXPECT_EQ(row[1], std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace zan::csv
