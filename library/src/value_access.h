// Reading stored samples back as displayed values (raw x factor + shift),
// with every file, variable and sample number checked before any table is
// touched: a number outside the tables finds nothing instead of reading
// beyond them.
#ifndef ZAN_VALUE_ACCESS_H
#define ZAN_VALUE_ACCESS_H

#include "store.h"

#include <algorithm>
#include <cstdint>

namespace zan {

struct Scaling {
    double factor = kInitFactor;
    double shift = kInitShift;
};

// The multiplication comes first, then the shift.
inline double displayed(double raw, Scaling sc) { return raw * sc.factor + sc.shift; }

// The per-variable tables of a slot if they were ever made; reading never
// makes them, so a query on an untouched slot costs no memory.
inline const VarTables* existing_tables(int32_t file)
{
    if (file < 1 || file > kMaxFiles) return nullptr;
    return store().slots[static_cast<std::size_t>(file - 1)].vars.get();
}

// Shift and factor of (file, var); a pair outside the tables, or of a slot
// whose tables were never made, reads as factor 1 and shift 0.
inline Scaling scaling_of(int32_t file, int32_t var)
{
    const VarTables* t = existing_tables(file);
    if (!t || !valid_var(var)) return {};
    const auto i = static_cast<std::size_t>(var - 1);
    return {t->factor[i], t->shift[i]};
}

// Number of samples that really hold data: never more than the block holds.
inline int32_t readable_count(const FileSlot& slot)
{
    if (!slot.block) return 0;
    return std::clamp(slot.stored, 0, slot.capacity);
}

// Samples 1..readable_count of variable var of a loaded file, or nullptr
// when the file is not loaded or var is not one of its variables.
inline const double* stored_column(const FileSlot* slot, int32_t var)
{
    if (!slot || !slot->block || var < 1 || var > slot->nvar) return nullptr;
    return slot->column(var);
}

inline bool has_sample(const FileSlot& slot, int32_t sample)
{
    return sample >= 1 && sample <= readable_count(slot);
}

}  // namespace zan

#endif
