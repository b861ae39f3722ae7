#include "batch_mapping.h"
#include "device_mapping.h"
#include "stored_files.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

void set_transform(double xmin, double xmax, double ymin, double ymax, int32_t xspan, int32_t yspan,
                   int32_t xoff, int32_t yoff)
{
    dtran(&xmin, &xmax, &ymin, &ymax, &xspan, &yspan, &xoff, &yoff);
}

void select(int32_t file, int32_t xvar, int32_t yvar)
{
    int32_t count = 0;
    sdata(&file, &xvar, &yvar, &count);
}

struct Mapped {
    int32_t coord;
    int32_t inside;
};

Mapped map_x(int32_t file, int32_t sample, int32_t inside = 1)
{
    int32_t x = -99;
    idata(&file, &sample, &x, &inside);
    return {x, inside};
}

Mapped map_y(int32_t file, int32_t sample, int32_t inside = 1)
{
    int32_t y = -99;
    jdata(&file, &sample, &y, &inside);
    return {y, inside};
}

}  // namespace

using DeviceMapping = StoredFiles;

TEST_F(DeviceMapping, MapsThroughOriginScaleAndOffset)
{
    const int32_t f = put_file({{5.0}, {1.0}});
    set_transform(0, 10, 0, 1, 500, -300, 50, 350);
    select(f, 1, 2);
    EXPECT_EQ(map_x(f, 1).coord, 300);
    EXPECT_EQ(map_y(f, 1).coord, 50);
}

TEST_F(DeviceMapping, RoundsHalvesAwayFromZeroAndClipsOnlyClearingInside)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> values = {100.5,  -100.5, 0.49999999999999994, -0.49999999999999994,
                                        2.5,    -2.5,   32766.5,             -32766.5,
                                        32767.4, 32767.5, 40000,             -40000,
                                        inf,    -inf,   nan,                 -0.0,
                                        1e300,  4503599627370497.0};
    struct Expect {
        int32_t coord;
        int32_t inside;
    };
    const std::vector<Expect> expected = {{101, 7},     {-101, 7},   {0, 7},      {0, 7},
                                          {3, 7},       {-3, 7},     {32767, 7},  {-32767, 7},
                                          {32767, 0},   {32767, 0},  {32767, 0},  {-32767, 0},
                                          {32767, 0},   {-32767, 0}, {0, 0},      {0, 7},
                                          {32767, 0},   {32767, 0}};
    const int32_t f = put_file({values, values});
    set_transform(0, 1, 0, 1, 1, 1, 0, 0);
    select(f, 1, 2);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto s = static_cast<int32_t>(i + 1);
        const Mapped x = map_x(f, s, 7);
        const Mapped y = map_y(f, s, 7);
        EXPECT_EQ(x.coord, expected[i].coord) << values[i];
        EXPECT_EQ(x.inside, expected[i].inside) << values[i];
        EXPECT_EQ(y.coord, expected[i].coord) << values[i];
        EXPECT_EQ(y.inside, expected[i].inside) << values[i];
    }
}

TEST_F(DeviceMapping, InsideIsNeverSetBack)
{
    const int32_t f = put_file({{1.0}});
    set_transform(0, 1, 0, 1, 1, 1, 0, 0);
    select(f, 1, 1);
    EXPECT_EQ(map_x(f, 1, 0).inside, 0);
    EXPECT_EQ(map_y(f, 1, 0).inside, 0);
}

TEST_F(DeviceMapping, EmptyRangeMapsEveryValueToTheOffset)
{
    const int32_t f = put_file({{-5.0, 0.0, 1e9}, {2.0, 3.0, 4.0}});
    set_transform(3, 3, 7, 7, 500, -300, 40, 60);
    select(f, 1, 2);
    for (int32_t s = 1; s <= 3; ++s) {
        EXPECT_EQ(map_x(f, s).coord, 40) << s;
        EXPECT_EQ(map_y(f, s).coord, 60) << s;
        EXPECT_EQ(map_x(f, s).inside, 1) << s;
    }
}

TEST_F(DeviceMapping, AppliesShiftAndFactorOfTheFile)
{
    const int32_t f1 = put_file({{3.0}});
    const int32_t f2 = put_file({{3.0}});
    set_pair(f1, 1, 10.0, 2.0);
    set_transform(0, 1, 0, 1, 1, 1, 0, 0);
    select(f1, 1, 1);
    EXPECT_EQ(map_x(f1, 1).coord, 16);
    EXPECT_EQ(map_x(f2, 1).coord, 3);
}

TEST_F(DeviceMapping, BatchGivesSameAnswersAsSingleCalls)
{
    std::mt19937_64 gen(20261208);
    std::uniform_real_distribution<double> wide(-2.0e5, 2.0e5);
    std::uniform_int_distribution<int> pick(0, 9);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int32_t n = 10007;
    std::vector<double> xs(n);
    std::vector<double> ys(n);
    for (int32_t i = 0; i < n; ++i) {
        // Mix ordinary values, exact halves and values that map to NaN.
        const int kind = pick(gen);
        xs[static_cast<std::size_t>(i)] = kind == 0 ? std::floor(wide(gen)) + 0.5 : wide(gen);
        ys[static_cast<std::size_t>(i)] = kind == 1 ? nan : kind == 2 ? std::floor(wide(gen)) / 4 : wide(gen);
    }
    const int32_t f = put_file({xs, ys});
    set_pair(f, 1, 0.25, 1.5);
    set_transform(-1.0e5, 1.0e5, -3.0e4, 5.0e4, 60000, -40000, 17, 33);
    select(f, 1, 2);

    // Runs reaching before sample 1 and past the stored count as well.
    for (auto [first, count] : {std::pair{1, n}, std::pair{-5, 40}, std::pair{n - 20, 50}, std::pair{3, 1}}) {
        std::vector<int32_t> x(static_cast<std::size_t>(count), -99);
        std::vector<int32_t> y(static_cast<std::size_t>(count), -99);
        std::vector<int32_t> inside(static_cast<std::size_t>(count));
        for (int32_t k = 0; k < count; ++k) inside[static_cast<std::size_t>(k)] = 5 + k % 3;
        int32_t file = f;
        mdata(&file, &first, &count, x.data(), y.data(), inside.data());
        int clipped = 0;
        for (int32_t k = 0; k < count; ++k) {
            const int32_t s = first + k;
            int32_t in = 5 + k % 3;
            int32_t xi = 0;
            int32_t yj = 0;
            int32_t fs = f;
            int32_t ss = s;
            idata(&fs, &ss, &xi, &in);
            jdata(&fs, &ss, &yj, &in);
            const auto i = static_cast<std::size_t>(k);
            ASSERT_EQ(x[i], xi) << s;
            ASSERT_EQ(y[i], yj) << s;
            ASSERT_EQ(inside[i], in) << s;
            clipped += in == 0;
        }
        if (count == n) {
            EXPECT_GT(clipped, n / 10);
        }
    }
}

TEST_F(DeviceMapping, BatchWritesOnlyItsCountAndRejectsUnknownVariables)
{
    const int32_t f = put_file({{1.0, 2.0}, {3.0, 4.0}});
    set_transform(0, 1, 0, 1, 1, 1, 0, 0);
    std::vector<int32_t> x(4, -9);
    std::vector<int32_t> y(4, -9);
    std::vector<int32_t> inside(4, 1);
    int32_t file = f;
    int32_t first = 1;
    for (int32_t count : {0, -3, std::numeric_limits<int32_t>::min()}) {
        select(f, 1, 2);
        mdata(&file, &first, &count, x.data(), y.data(), inside.data());
        EXPECT_EQ(x, std::vector<int32_t>(4, -9));
    }
    int32_t two = 2;
    select(f, 1, 3);
    mdata(&file, &first, &two, x.data(), y.data(), inside.data());
    EXPECT_EQ(x, (std::vector<int32_t>{0, 0, -9, -9}));
    EXPECT_EQ(inside, (std::vector<int32_t>{0, 0, 1, 1}));
    first = std::numeric_limits<int32_t>::max();
    select(f, 1, 2);
    mdata(&file, &first, &two, x.data(), y.data(), inside.data());
    EXPECT_EQ(y, (std::vector<int32_t>{0, 0, -9, -9}));
}

TEST(DeviceCoordinate, RoundsLikeRoundHalfAwayFromZeroAcrossTheWholeRange)
{
    // Every half and its two neighbouring doubles, from -32767.5 to 32767.5.
    for (int32_t k = -32768; k <= 32767; ++k) {
        const double half = k + 0.5;
        for (double p : {std::nextafter(half, -1e9), half, std::nextafter(half, 1e9), double(k)}) {
            int32_t clipped = -1;
            const int32_t got = zan::device_coordinate(p, clipped);
            const double a = std::fabs(p);
            const double expected = a <= 32767.0 ? std::round(p) : std::copysign(32767.0, p);
            ASSERT_EQ(got, static_cast<int32_t>(expected)) << p;
            ASSERT_EQ(clipped, a <= 32767.0 ? 0 : 1) << p;
        }
    }
}

TEST(BatchMapping, EveryLaneWidthMatchesTheSinglePointMapping)
{
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> wide(-1.0e5, 1.0e5);
    const double specials[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), 0.5, -0.5, 32767.5, -32767.5, -0.0,
                               -std::numeric_limits<double>::quiet_NaN()};
    const int32_t n = 1027;
    std::vector<double> xs(n), ys(n);
    for (int32_t i = 0; i < n; ++i) {
        xs[static_cast<std::size_t>(i)] = i % 9 == 0 ? specials[(i / 9) % 9] : std::round(wide(gen)) / 2;
        ys[static_cast<std::size_t>(i)] = i % 7 == 0 ? specials[(i / 7) % 9] : wide(gen);
    }
    const zan::AxisMap mx{{1.0, 0.0}, 0.0, 1.0, 0.0};
    const zan::AxisMap my{{0.5, 3.0}, -100.0, 0.7, -20.0};
    using Run = void (*)(const double*, const double*, int32_t, const zan::AxisMap&, const zan::AxisMap&, int32_t*,
                         int32_t*, int32_t*);
    std::vector<Run> runs = {zan::map_run};
    for (int lanes : {2, 4})
        if (Run run = zan::map_run_with_lanes(lanes)) runs.push_back(run);
    for (Run run : runs) {
        std::vector<int32_t> x(n), y(n), inside(n, 1);
        run(xs.data(), ys.data(), n, mx, my, x.data(), y.data(), inside.data());
        for (int32_t i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            int32_t cx = 0, cy = 0;
            ASSERT_EQ(x[k], zan::device_coordinate(zan::device_position(xs[k], mx), cx)) << i;
            ASSERT_EQ(y[k], zan::device_coordinate(zan::device_position(ys[k], my), cy)) << i;
            ASSERT_EQ(inside[k], (cx | cy) ? 0 : 1) << i;
        }
    }
}

// ((raw x 1 + 0) - 0) x scale + offset is exactly 0.5 when the product is
// rounded before the offset is added, and just below 0.5 when both are done
// in one fused step; the two round to different coordinates.
TEST(BatchMapping, EveryLaneWidthRoundsTheProductBeforeAddingTheOffset)
{
    const double raw = 1.4954350870919408;
    const zan::AxisMap m{{1.0, 0.0}, 0.0, 1.449491064788738, -1.6676197967113366};
    ASSERT_EQ(zan::device_position(raw, m), 0.5);
    const int32_t n = 19;
    const std::vector<double> xs(n, raw);
    using Run = void (*)(const double*, const double*, int32_t, const zan::AxisMap&, const zan::AxisMap&, int32_t*,
                         int32_t*, int32_t*);
    std::vector<Run> runs = {zan::map_run};
    for (int lanes : {2, 4})
        if (Run run = zan::map_run_with_lanes(lanes)) runs.push_back(run);
    for (Run run : runs) {
        std::vector<int32_t> x(n), y(n), inside(n, 1);
        run(xs.data(), xs.data(), n, m, m, x.data(), y.data(), inside.data());
        EXPECT_EQ(x, std::vector<int32_t>(n, 1));
        EXPECT_EQ(y, std::vector<int32_t>(n, 1));
    }
}
