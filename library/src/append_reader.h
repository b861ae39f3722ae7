// Following a data file that keeps growing: where the last load, or the last
// read of appended rows, stopped in the file, and how the bytes already read
// are recognised again, so that a later call reads only what was appended.
#ifndef ZAN_APPEND_READER_H
#define ZAN_APPEND_READER_H

#include "store.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zan {

// Bytes compared at the start of the file and before the resume point.
inline constexpr std::size_t kCheckBytes = 4096;

enum class FileLayout { Stream, Record, Text };

struct FollowState {
    bool valid = false;           // the file can be followed from `offset`
    FileLayout layout = FileLayout::Text;
    std::string path;             // as the load was given it, trailing blanks dropped
    const double* block = nullptr;  // the slot's block this state belongs to
    int32_t nvar = 0;
    int32_t step = 1;
    uint64_t offset = 0;          // first byte not yet read: the start of a row
    int64_t discard = 0;          // rows to pass over before the next stored one
    uint64_t device = 0;          // identity of the file, so a replaced file is seen
    uint64_t inode = 0;
    std::string head;             // the first bytes of the file, all before offset
    std::string tail;             // the bytes right before offset
    bool provisional = false;     // the last stored row came from a line without its line end
    std::size_t row_bytes = 0;    // binary layouts: bytes of one row's values
    int value_size = 4;           // stream layout: 4 (singles) or 8 (doubles)
};

// The state of file number 1..kMaxFiles.
FollowState& follow_state(int32_t file);

// Layout chosen from the three characters after the last '.'; false without one.
bool layout_from_path(const std::string& path, FileLayout& layout);

// Called by dopen: forget_follow once the slot is claimed, note_loaded when
// the load is over, with its status. A load that ended normally (0 or end of
// file) is followed from where its last stored row ended. A text file's last
// stored row that no longer matches a complete line (it was being written
// while it was read) is taken back at once, and note_loaded returns true; one
// read from a last line without its line end stays (a finished file may end
// so) but is provisional: dgrow takes it back and reads that line again once
// it is complete.
void forget_follow(int32_t file);
bool note_loaded(int32_t file, const std::string& path, int32_t step, int status);

// Reads exactly n bytes at offset; false when the file holds fewer.
bool read_at(int fd, uint64_t offset, std::size_t n, std::string& out);

// Head and tail of the state, read from the file as it is now.
bool remember_edges(FollowState& state, int fd);

// Raw maximum and minimum of every variable from its stored samples.
void recount_raw_ranges(FileSlot& slot, VarTables& vars);

// Makes room for one more sample, enlarging the block when it is full.
// False when no memory is left for more samples.
bool room_for_sample(FileSlot& slot);

}  // namespace zan

#endif
