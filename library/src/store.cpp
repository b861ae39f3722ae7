#include "store.h"

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
