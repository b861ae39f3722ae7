// The shift and factor of each variable of each file slot: displayed value =
// raw value x factor + shift.
#include "store.h"
#include "value_access.h"

#include <cstdint>

namespace {

// The tables of a slot for a (file, var) pair inside the limits, made on
// first use; nullptr outside the limits.
zan::VarTables* writable_tables(int32_t file, int32_t var)
{
    if (!zan::valid_var(var)) return nullptr;
    return zan::var_tables(file);
}

}  // namespace

extern "C" {

// A file number outside 1..1001 or a variable number outside 1..5000 is
// ignored by sshft and sfact and reads back as shift 0 and factor 1.
ZAN_EXPORT void sshft(int32_t* file, int32_t* var, double* shift)
{
    if (zan::VarTables* t = writable_tables(*file, *var)) t->shift[static_cast<std::size_t>(*var - 1)] = *shift;
}

ZAN_EXPORT void gshft(int32_t* file, int32_t* var, double* shift)
{
    *shift = zan::scaling_of(*file, *var).shift;
}

ZAN_EXPORT void sfact(int32_t* file, int32_t* var, double* factor)
{
    if (zan::VarTables* t = writable_tables(*file, *var)) t->factor[static_cast<std::size_t>(*var - 1)] = *factor;
}

ZAN_EXPORT void gfact(int32_t* file, int32_t* var, double* factor)
{
    *factor = zan::scaling_of(*file, *var).factor;
}
}
