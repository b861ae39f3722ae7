// The single-sample mapping keeps what it resolved for a file between calls;
// every way the store can change in between must show in the next answer.
#include "stored_files.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace {

int32_t map_x(int32_t file, int32_t sample, int32_t* inside_out = nullptr)
{
    int32_t x = -99, inside = 1;
    idata(&file, &sample, &x, &inside);
    if (inside_out) *inside_out = inside;
    return x;
}

int32_t map_y(int32_t file, int32_t sample)
{
    int32_t y = -99, inside = 1;
    jdata(&file, &sample, &y, &inside);
    return y;
}

void select(int32_t file, int32_t xvar, int32_t yvar)
{
    int32_t count = 0;
    sdata(&file, &xvar, &yvar, &count);
}

// Values map to themselves on both axes unless a case changes that.
void identity_transform(int32_t xoff = 0)
{
    double lo = 0, hi = 1000;
    int32_t span = 1000, yoff = 0;
    dtran(&lo, &hi, &lo, &hi, &span, &span, &xoff, &yoff);
}

}  // namespace

using MappingAfterChanges = StoredFiles;

TEST_F(MappingAfterChanges, FollowsEveryChangeBetweenCalls)
{
    struct Case {
        const char* name;
        std::function<void(int32_t file)> change;
        int32_t sample;
        int32_t x;
        int32_t inside;
    };
    const std::vector<Case> cases = {
        {"nothing changed", [](int32_t) {}, 2, 2, 1},
        {"factor of X set", [](int32_t f) { set_pair(f, 1, 0.0, 10.0); }, 2, 20, 1},
        {"shift of X set", [](int32_t f) { set_pair(f, 1, 5.0, 1.0); }, 2, 7, 1},
        {"factor of another variable set", [](int32_t f) { set_pair(f, 2, 0.0, 10.0); }, 2, 2, 1},
        {"transform moved", [](int32_t) { identity_transform(100); }, 2, 102, 1},
        {"other X variable selected", [](int32_t f) { select(f, 2, 1); }, 2, 20, 1},
        {"X variable the file lacks selected", [](int32_t f) { select(f, 3, 1); }, 2, 0, 0},
        {"samples added to the block",
         [](int32_t f) {
             zan::FileSlot& slot = zan::store().slots[static_cast<std::size_t>(f - 1)];
             slot.column(1)[3] = 4.0;
             slot.stored = 4;
         },
         4, 4, 1},
        {"files closed", [](int32_t) { release(); }, 2, 0, 0},
        {"file replaced by another block",
         [](int32_t) {
             release();
             put_file({{7.0, 8.0}});
         },
         2, 8, 1},
        {"tables written directly",
         [](int32_t f) { zan::var_tables(f)->factor[0] = 3.0; }, 2, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        release();
        const int32_t f = put_file({{1.0, 2.0, 3.0}, {10.0, 20.0, 30.0}}, 4);
        identity_transform();
        select(f, 1, 2);
        EXPECT_EQ(map_x(f, 2), 2);
        EXPECT_EQ(map_x(f, 4), 0);  // beyond the stored count
        EXPECT_EQ(map_y(f, 2), 20);
        c.change(f);
        int32_t inside = -1;
        EXPECT_EQ(map_x(f, c.sample, &inside), c.x);
        EXPECT_EQ(inside, c.inside);
    }
}

TEST_F(MappingAfterChanges, AlternatingFilesEachGetTheirOwnValues)
{
    const int32_t a = put_file({{1.0, 2.0}});
    const int32_t b = put_file({{5.0, 6.0, 7.0}});
    identity_transform();
    select(a, 1, 1);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(map_x(a, 2), 2);
        EXPECT_EQ(map_x(b, 2), 6);
        EXPECT_EQ(map_x(b, 3), 7);
        EXPECT_EQ(map_x(a, 3), 0);  // file a has two samples
        EXPECT_EQ(map_x(0, 1), 0);
        EXPECT_EQ(map_x(b + 1, 1), 0);
    }
}
