// The process-wide store of loaded files: one slot per file number, each
// with its sample block and its per-variable tables.
#ifndef ZAN_STORE_H
#define ZAN_STORE_H

#include "block_extremes.h"
#include "sample_block.h"
#include "zan.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zan {

inline constexpr int32_t kMaxFiles = ZAN_MAX_FILES;
inline constexpr int32_t kMaxVars = ZAN_MAX_VARS;
inline constexpr int32_t kNameLen = ZAN_NAME_LEN;
inline constexpr int32_t kPathLen = ZAN_PATH_LEN;
inline constexpr int32_t kLineLen = ZAN_LINE_LEN;
inline constexpr int32_t kMaxStep = ZAN_MAX_STEP;

// Initial values of a freshly filled slot's per-variable tables.
inline constexpr double kInitShift = 0.0;
inline constexpr double kInitFactor = 1.0;
inline constexpr double kInitMax = -1.0e10;
inline constexpr double kInitMin = 1.0e10;

// Per-variable tables of one slot, indexed by variable number - 1, sized for
// all kMaxVars variable numbers whatever the file's own count. They outlive
// dclos and are reset by the next load into the slot.
struct VarTables {
    std::array<double, kMaxVars> shift;
    std::array<double, kMaxVars> factor;
    std::array<double, kMaxVars> rawmax;
    std::array<double, kMaxVars> rawmin;
    void reset();
};

struct FileSlot {
    SampleBlock block;                // nvar columns of capacity values, variable by variable
    int32_t nvar = 0;
    int32_t capacity = 0;
    int32_t stored = 0;               // highest sample number written so far
    std::unique_ptr<VarTables> vars;  // made on first use, kept across dclos
    BlockExtremes extremes;           // per-block extremes of the block's values

    // Samples 1..capacity of variable v (1-based); v must be 1..nvar.
    double* column(int32_t v) { return block.get() + static_cast<std::size_t>(v - 1) * block.stride(); }
    const double* column(int32_t v) const { return block.get() + static_cast<std::size_t>(v - 1) * block.stride(); }
    // Makes the block extremes belong to the block as it is now.
    void prepare_extremes() { extremes.prepare(block.get(), nvar, block.stride()); }
    bool extremes_current() const { return extremes.covers(block.get(), nvar, block.stride()); }
};

// Data-to-device transform set by dtran and sdata, shared by all files.
// Each thread has its own, so that drawings on several threads at once do
// not disturb one another; `changes` counts the changes on that thread.
struct Transform {
    int32_t xvar = 1;
    int32_t yvar = 1;
    double xorg = 0.0;
    double yorg = 0.0;
    double xscale = 1.0;
    double yscale = 1.0;
    int32_t xoff = 0;
    int32_t yoff = 0;
    uint64_t changes = 0;
};

// This thread's transform. The library is loaded with the program, so the
// initial-exec model reaches it as quickly as a global.
inline Transform& transform()
{
    static thread_local Transform mine __attribute__((tls_model("initial-exec")));
    return mine;
}

struct Store {
    std::array<FileSlot, kMaxFiles> slots;  // slots[file - 1]
    int32_t loaded = 0;                     // slots 1..loaded are valid
    // Counts changes of the slots and the per-variable tables; whoever keeps
    // something read from the store compares it to see whether that is still
    // current.
    uint64_t generation = 1;
};

Store& store();

// To be called by everything that changes the store other than adding samples
// to a slot's block.
inline void mark_changed() { ++store().generation; }

// The slot of a loaded file number, or nullptr when file is not 1..loaded.
FileSlot* loaded_slot(int32_t file);

// Makes `file` the newest slot and returns it, empty: no variables, no block,
// its per-variable tables reset. Slots between the loaded count and `file`
// become empty slots too, so a file number always names its own slot even
// when a load before it failed. nullptr, and nothing changes, when `file` is
// outside 1..kMaxFiles or already loaded (so loaded samples are never lost).
FileSlot* claim_slot(int32_t file);

// The per-variable tables of file number 1..kMaxFiles (made on first use),
// or nullptr for a number outside the table. Counts as a change of the store,
// since the caller may write to them.
VarTables* var_tables(int32_t file);

// Makes room for at least one more sample in a slot whose block is full:
// twice the capacity, or an eighth more when memory is short. The block
// grows where it is while its room lasts; after that its samples move once
// into a new block with room of its own. False when the machine has no
// memory for more samples.
bool enlarge_block(FileSlot& slot);

inline bool valid_var(int32_t v) { return v >= 1 && v <= kMaxVars; }

}  // namespace zan

#endif
