// The data-to-device transform and the mapping of samples of the current X
// and Y variables to device coordinates, one at a time or a run at once.
#include "device_mapping.h"

#include "batch_mapping.h"
#include "store.h"
#include "value_access.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// An empty range (max = min), or one so narrow that the scale overflows,
// gets scale 0: every value then maps to the offset.
double axis_scale(double lo, double hi, int32_t span)
{
    const double width = hi - lo;
    if (width == 0.0) return 0.0;
    const double scale = static_cast<double>(span) / width;
    return std::isfinite(scale) ? scale : 0.0;
}

zan::AxisMap x_axis(int32_t file)
{
    const zan::Transform& tr = zan::store().tr;
    return {zan::scaling_of(file, tr.xvar), tr.xorg, tr.xscale, static_cast<double>(tr.xoff)};
}

zan::AxisMap y_axis(int32_t file)
{
    const zan::Transform& tr = zan::store().tr;
    return {zan::scaling_of(file, tr.yvar), tr.yorg, tr.yscale, static_cast<double>(tr.yoff)};
}

enum class Axis { X, Y };

// Taken once at load time: store() makes the store on its first call, so this
// is safe whatever the order in which the library's files are initialised,
// and it saves the single-sample mapping a call per sample.
zan::Store& g_store = zan::store();

// True when 1 <= n <= limit; one unsigned comparison covers both ends.
bool in_one_to(int32_t n, int32_t limit)
{
    return static_cast<uint32_t>(n) - 1u < static_cast<uint32_t>(limit < 0 ? 0 : limit);
}

// A file that is not loaded, a current variable the file does not have or a
// sample outside 1..stored count gives coordinate 0 and clears inside.
// Drawing calls this once per sample and axis, so it reads only what the one
// value needs.
template <Axis axis>
void map_one(int32_t file, int32_t sample, int32_t* out, int32_t* inside)
{
    const zan::Store& s = g_store;
    const zan::Transform& tr = s.tr;
    const int32_t var = axis == Axis::X ? tr.xvar : tr.yvar;
    const zan::FileSlot* slot = in_one_to(file, s.loaded) ? &s.slots[static_cast<std::size_t>(file - 1)] : nullptr;
    if (!slot || !slot->block || !in_one_to(var, slot->nvar) ||
        !in_one_to(sample, std::min(slot->stored, slot->capacity))) {
        *out = 0;
        *inside = 0;
        return;
    }
    zan::Scaling sc;
    if (const zan::VarTables* t = slot->vars.get()) {
        sc = {t->factor[static_cast<std::size_t>(var - 1)], t->shift[static_cast<std::size_t>(var - 1)]};
    }
    const zan::AxisMap m = axis == Axis::X
                               ? zan::AxisMap{sc, tr.xorg, tr.xscale, static_cast<double>(tr.xoff)}
                               : zan::AxisMap{sc, tr.yorg, tr.yscale, static_cast<double>(tr.yoff)};
    int32_t clipped = 0;
    *out = zan::device_coordinate(zan::device_position(slot->column(var)[sample - 1], m), clipped);
    if (clipped) *inside = 0;
}

void reject_run(int32_t n, int32_t* x, int32_t* y, int32_t* inside)
{
    std::fill(x, x + n, 0);
    std::fill(y, y + n, 0);
    std::fill(inside, inside + n, 0);
}

}  // namespace

extern "C" {

ZAN_EXPORT void dtran(double* xmin, double* xmax, double* ymin, double* ymax, int32_t* xspan,
                      int32_t* yspan, int32_t* xoff, int32_t* yoff)
{
    zan::Transform& tr = zan::store().tr;
    tr.xorg = *xmin;
    tr.yorg = *ymin;
    tr.xscale = axis_scale(*xmin, *xmax, *xspan);
    tr.yscale = axis_scale(*ymin, *ymax, *yspan);
    tr.xoff = *xoff;
    tr.yoff = *yoff;
}

ZAN_EXPORT void idata(int32_t* file, int32_t* sample, int32_t* x, int32_t* inside)
{
    map_one<Axis::X>(*file, *sample, x, inside);
}

ZAN_EXPORT void jdata(int32_t* file, int32_t* sample, int32_t* y, int32_t* inside)
{
    map_one<Axis::Y>(*file, *sample, y, inside);
}

ZAN_EXPORT void mdata(int32_t* file, int32_t* first, int32_t* count, int32_t* x, int32_t* y,
                      int32_t* inside)
{
    const int32_t n = *count;
    if (n <= 0) return;
    const zan::Transform& tr = zan::store().tr;
    const zan::FileSlot* slot = zan::loaded_slot(*file);
    const double* xs = zan::stored_column(slot, tr.xvar);
    const double* ys = zan::stored_column(slot, tr.yvar);
    if (!xs || !ys) {
        reject_run(n, x, y, inside);
        return;
    }
    // Entry k holds sample first + k; the run is split into the samples
    // before 1, those that exist, and those after the stored count, in 64-bit
    // arithmetic so that no sum overflows.
    const int64_t start = *first;
    const int64_t end = start + n;  // one past the last sample asked for
    const int64_t lo = std::clamp<int64_t>(1, start, end);
    const int64_t hi = std::clamp<int64_t>(int64_t{zan::readable_count(*slot)} + 1, lo, end);
    const auto before = static_cast<int32_t>(lo - start);
    const auto valid = static_cast<int32_t>(hi - lo);
    const auto after = static_cast<int32_t>(end - hi);
    reject_run(before, x, y, inside);
    zan::map_run(xs + (lo - 1), ys + (lo - 1), valid, x_axis(*file), y_axis(*file), x + before,
                 y + before, inside + before);
    reject_run(after, x + before + valid, y + before + valid, inside + before + valid);
}
}
