#include "store.h"

#include "memory.h"

#include <algorithm>
#include <cstdint>

namespace zan {

void VarTables::reset()
{
    shift.fill(kInitShift);
    factor.fill(kInitFactor);
    rawmax.fill(kInitMax);
    rawmin.fill(kInitMin);
}

Store& store()
{
    static Store instance;
    return instance;
}

FileSlot* loaded_slot(int32_t file)
{
    Store& s = store();
    if (file < 1 || file > s.loaded) return nullptr;
    return &s.slots[static_cast<std::size_t>(file - 1)];
}

FileSlot* claim_slot(int32_t file)
{
    Store& s = store();
    if (file < 1 || file > kMaxFiles || file <= s.loaded) return nullptr;
    mark_changed();
    while (s.loaded < file) {
        FileSlot& slot = s.slots[static_cast<std::size_t>(s.loaded)];
        slot.block.reset();
        slot.nvar = 0;
        slot.capacity = 0;
        slot.stored = 0;
        slot.extremes.release();
        ++s.loaded;
        var_tables(s.loaded)->reset();
    }
    return &s.slots[static_cast<std::size_t>(file - 1)];
}

VarTables* var_tables(int32_t file)
{
    if (file < 1 || file > kMaxFiles) return nullptr;
    mark_changed();
    FileSlot& slot = store().slots[static_cast<std::size_t>(file - 1)];
    if (!slot.vars) {
        slot.vars = std::make_unique<VarTables>();
        slot.vars->reset();
    }
    return slot.vars.get();
}

bool enlarge_block(FileSlot& slot)
{
    const auto n = static_cast<uint64_t>(std::max(slot.nvar, int32_t{0}));
    for (const int64_t more : {int64_t{slot.capacity}, int64_t{slot.capacity} / 8}) {
        const int64_t wanted = std::min<int64_t>(int64_t{slot.capacity} + std::max<int64_t>(more, 1024), INT32_MAX);
        if (wanted <= slot.capacity) return false;
        if (slot.block.holds(slot.capacity + 1)) {
            // In place: only the pages the new samples fill will be taken.
            const int64_t capacity = std::min<int64_t>(wanted, static_cast<int64_t>(slot.block.stride()));
            const uint64_t added = n * static_cast<uint64_t>(capacity - slot.capacity) * sizeof(double);
            if (!can_supply(n * static_cast<uint64_t>(capacity) * sizeof(double), added)) continue;
            slot.capacity = static_cast<int32_t>(capacity);
            mark_changed();
            return true;
        }
        SampleBlock block;
        if (!block.allocate(slot.nvar, static_cast<int32_t>(wanted))) continue;
        for (int32_t v = 1; v <= slot.nvar; ++v)
            std::copy_n(slot.column(v), slot.stored, block.get() + static_cast<std::size_t>(v - 1) * block.stride());
        slot.block = std::move(block);
        slot.capacity = static_cast<int32_t>(wanted);
        slot.prepare_extremes();
        mark_changed();
        return true;
    }
    return false;
}

}  // namespace zan

extern "C" {

ZAN_EXPORT void dclos(int32_t* result)
{
    zan::Store& s = zan::store();
    zan::mark_changed();
    while (s.loaded > 0) {
        zan::FileSlot& slot = s.slots[static_cast<std::size_t>(s.loaded - 1)];
        slot.block.reset();
        slot.nvar = 0;
        slot.capacity = 0;
        slot.stored = 0;
        slot.extremes.release();
        --s.loaded;
    }
    *result = s.loaded == 0 ? 0 : 1;
}

ZAN_EXPORT void daloc(int32_t* result)
{
    *result = zan::store().loaded <= 0 ? 1 : 0;
}
}
