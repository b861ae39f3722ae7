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
    const zan::Transform& tr = zan::transform();
    return {zan::scaling_of(file, tr.xvar), tr.xorg, tr.xscale, static_cast<double>(tr.xoff)};
}

zan::AxisMap y_axis(int32_t file)
{
    const zan::Transform& tr = zan::transform();
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

// What map_one resolved for one axis on its last call on this thread: the
// file's column of the current variable, how many samples of it can be read,
// and the mapping. It stays good while the store's generation and this
// thread's transform are unchanged and the slot still has the same block and
// stored count (samples are added while a file loads without a new
// generation).
struct AxisCache {
    uint64_t generation = 0;  // never the store's: the first call resolves
    uint64_t changes = 0;     // of the transform
    int32_t file = 0;
    const zan::FileSlot* slot = nullptr;
    const double* block = nullptr;
    int32_t stored = 0;
    uint32_t readable = 0;
    const double* column = nullptr;
    zan::AxisMap map{};
};

thread_local AxisCache g_cache[2] __attribute__((tls_model("initial-exec")));

// A file that is not loaded or a current variable the file does not have
// leaves the cache unresolved, so every sample is refused.
template <Axis axis>
void resolve(AxisCache& c, int32_t file)
{
    const zan::Store& s = g_store;
    const zan::Transform& tr = zan::transform();
    const int32_t var = axis == Axis::X ? tr.xvar : tr.yvar;
    c = AxisCache{};
    const zan::FileSlot* slot = in_one_to(file, s.loaded) ? &s.slots[static_cast<std::size_t>(file - 1)] : nullptr;
    if (!slot || !slot->block || !in_one_to(var, slot->nvar)) return;
    zan::Scaling sc;
    if (const zan::VarTables* t = slot->vars.get()) {
        sc = {t->factor[static_cast<std::size_t>(var - 1)], t->shift[static_cast<std::size_t>(var - 1)]};
    }
    c.generation = s.generation;
    c.changes = tr.changes;
    c.file = file;
    c.slot = slot;
    c.block = slot->block.get();
    c.stored = slot->stored;
    c.readable = static_cast<uint32_t>(zan::readable_count(*slot));
    c.column = slot->column(var);
    c.map = axis == Axis::X ? zan::AxisMap{sc, tr.xorg, tr.xscale, static_cast<double>(tr.xoff)}
                            : zan::AxisMap{sc, tr.yorg, tr.yscale, static_cast<double>(tr.yoff)};
}

// A file that is not loaded, a current variable the file does not have or a
// sample outside 1..stored count gives coordinate 0 and clears inside.
[[gnu::always_inline]] inline void map_cached(const AxisCache& c, int32_t sample, int32_t* out, int32_t* inside)
{
    if (static_cast<uint32_t>(sample) - 1u >= c.readable) {
        *out = 0;
        *inside = 0;
        return;
    }
    int32_t clipped = 0;
    *out = zan::device_coordinate(zan::device_position(c.column[sample - 1], c.map), clipped);
    if (clipped) *inside = 0;
}

template <Axis axis>
[[gnu::noinline]] void resolve_and_map(int32_t file, int32_t sample, int32_t* out, int32_t* inside)
{
    AxisCache& c = g_cache[axis == Axis::X ? 0 : 1];
    resolve<axis>(c, file);
    map_cached(c, sample, out, inside);
}

// Drawing calls this once per sample and axis, so after the first call for a
// file it only checks that what it resolved is still current; the resolving
// is out of line so that this path needs no saved registers.
template <Axis axis>
[[gnu::always_inline]] inline void map_one(int32_t file, int32_t sample, int32_t* out, int32_t* inside)
{
    const zan::Store& s = g_store;
    const AxisCache& c = g_cache[axis == Axis::X ? 0 : 1];
    // A cache whose generation matches was resolved, so it has the slot of
    // its file; an unresolved one can read nothing (readable 0).
    if (c.generation == s.generation && c.changes == zan::transform().changes && file == c.file &&
        c.slot->block.get() == c.block &&
        c.slot->stored == c.stored) {
        map_cached(c, sample, out, inside);
        return;
    }
    resolve_and_map<axis>(file, sample, out, inside);
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
    zan::Transform& tr = zan::transform();
    ++tr.changes;
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
    const zan::Transform& tr = zan::transform();
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
