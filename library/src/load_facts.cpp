#include "load_facts.h"

#include "store.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zan {

namespace {

std::array<LoadFacts, kMaxFiles>& facts_table()
{
    static std::array<LoadFacts, kMaxFiles> table;
    return table;
}

int32_t to_int32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

void set_load_facts(int32_t file, const LoadFacts& facts)
{
    if (file < 1 || file > kMaxFiles) return;
    facts_table()[static_cast<std::size_t>(file - 1)] = facts;
}

}  // namespace zan

extern "C" ZAN_EXPORT void drows(int32_t* file, int32_t* names_line, int32_t* stored, int32_t* refused)
{
    using namespace zan;
    // A slot without variables (a failed or stopped load, or one passed
    // over) and a number that is not loaded report nothing.
    const FileSlot* slot = loaded_slot(*file);
    if (!slot || slot->nvar < 1) {
        *names_line = 0;
        *stored = 0;
        *refused = 0;
        return;
    }
    const LoadFacts& f = facts_table()[static_cast<std::size_t>(*file - 1)];
    *names_line = to_int32(f.names_line);
    *stored = to_int32(f.stored);
    *refused = to_int32(f.refused);
}
