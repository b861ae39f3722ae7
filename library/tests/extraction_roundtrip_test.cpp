// Extracted files load back through dopen with the values that were written.
#include "data_files.h"
#include "loader_fixture.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace zan::testfiles {

namespace {

std::string names_buffer(const std::vector<std::string>& names)
{
    std::string all;
    for (const auto& n : names) {
        std::string padded = n;
        padded.resize(ZAN_NAME_LEN, ' ');
        all += padded;
    }
    return all;
}

void extract(int32_t file, std::vector<int32_t> vars, std::vector<double> upper, std::vector<double> lower,
             int32_t kind, const std::string& source, const std::vector<std::string>& names, int32_t number)
{
    std::string path = source;
    path.resize(ZAN_PATH_LEN, ' ');
    const std::string all = names_buffer(names);
    int32_t n = static_cast<int32_t>(vars.size());
    int32_t len = 0;
    efile(&file, &n, vars.data(), upper.data(), lower.data(), &kind, path.data(), &len, all.data(), &len, &number);
}

double value(int32_t file, int32_t sample, int32_t var)
{
    double v = 0.0;
    ddata(&file, &sample, &var, &v);
    return v;
}

void set_pair(int32_t file, int32_t var, double shift, double factor)
{
    sshft(&file, &var, &shift);
    sfact(&file, &var, &factor);
}

}  // namespace

using ExtractionRoundTrip = LoaderTest;

TEST_F(ExtractionRoundTrip, EveryKindLoadsBackWithTheWrittenValues)
{
    const std::string source = dir.file("RUN.DAT");
    const Rows rows = {{0.0, 5.0, 0.1, 3.0},
                       {0.5, 4.0, -1.0 / 3.0, 2.0},
                       {1.0, 3.0, 12345678.9, 1.0},
                       {1.5, 2.0, -0.000012345678, 3.5},
                       {2.0, 1.0, 999999.95, 4.0}};
    write_stream_c(dir.file("RUN.BIN"), "run", 1, {"time", "alt", "odd", "speed"}, rows);
    ASSERT_EQ(load(1, dir.file("RUN.BIN")).nstored, 5);
    set_pair(1, 4, 1.0, 2.0);

    struct Case {
        int32_t kind;
        const char* name;
    };
    for (const Case c : {Case{0, "RUN_exd012.bin"}, Case{2, "RUN_ext012.bin"}, Case{1, "RUN_ext012.csv"}}) {
        // Sample 5 (speed 2 x 4 + 1 = 9) lies above its upper bound 8.999.
        extract(1, {1, 3, 4}, {100, 1e9, 8.999}, {-100, -1e9, -100}, c.kind, source, {"time", "odd", "speed"}, 12);
        const Loaded back = load(2, dir.file(c.name));
        ASSERT_EQ(back.nvar, 3) << c.name;
        ASSERT_EQ(back.nstored, 4) << c.name;
        EXPECT_EQ(back.names, (std::vector<std::string>{"time", "odd", "speed"})) << c.name;
        for (int32_t s = 1; s <= 4; ++s) {
            for (int32_t k = 0; k < 3; ++k) {
                const int32_t var = std::vector<int32_t>{1, 3, 4}[static_cast<std::size_t>(k)];
                const double written = value(1, s, var);
                const double read = value(2, s, k + 1);
                if (c.kind == 0) {
                    EXPECT_EQ(read, written) << c.name << " " << s << " " << var;
                } else if (c.kind == 2) {
                    EXPECT_EQ(read, static_cast<double>(static_cast<float>(written))) << c.name << " " << s;
                } else {
                    // Text keeps 7 significant digits (8 in scientific notation).
                    EXPECT_NEAR(read, written, std::fabs(written) * 6e-7) << c.name << " " << s << " " << var;
                }
            }
        }
        int32_t r = 0;
        dclos(&r);
        ASSERT_EQ(load(1, dir.file("RUN.BIN")).nstored, 5);
        set_pair(1, 4, 1.0, 2.0);
    }
}

TEST_F(ExtractionRoundTrip, HeaderOfDoubleKindIsShapeCWithFirstNameAsTitle)
{
    write_stream_c(dir.file("RUN.BIN"), "run", 1, {"a", "b", "c"}, {{1, 2, 3}, {4, 5, 6}});
    ASSERT_EQ(load(1, dir.file("RUN.BIN")).nstored, 2);
    extract(1, {1, 3}, {10, 10}, {0, 0}, 0, dir.file("RUN.BIN"), {"time", "alt"}, 12);
    const Loaded back = load(2, dir.file("RUN_exd012.bin"));
    EXPECT_EQ(back.title, "time");
    EXPECT_EQ(back.nrows, 2);
    EXPECT_EQ(std::filesystem::file_size(dir.file("RUN_exd012.bin")), 96u + 160u + 2u * 16u);
}

}  // namespace zan::testfiles
