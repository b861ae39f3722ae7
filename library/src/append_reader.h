// Following a data file that keeps growing: where the last load, or the last
// read of appended rows, stopped in the file, and how the bytes already read
// are recognised again, so that a later call reads only what was appended.
#ifndef ZAN_APPEND_READER_H
#define ZAN_APPEND_READER_H

#include "stop_point.h"
#include "store.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zan {

// Bytes compared at the start of the file, before the resume point and
// before the end the file had when it was last read.
inline constexpr std::size_t kCheckBytes = 4096;

enum class FileLayout { Stream, Record, Text };

struct FollowState {
    bool valid = false;           // the file can be followed from `at`
    FileLayout layout = FileLayout::Text;
    std::string path;             // as the load was given it, trailing blanks dropped
    const double* block = nullptr;  // the slot's block this state belongs to
    int32_t nvar = 0;
    int32_t step = 1;
    StopPoint at;                 // where the reading goes on
    uint64_t device = 0;          // identity of the file, so a replaced file is seen
    uint64_t inode = 0;
    std::string head;             // the first bytes of the file
    std::string tail;             // the bytes right before at.offset
    std::string end;              // the bytes right before at.seen
    // Raw maximum and minimum of every variable before a provisional last
    // row was stored, when known: taking the row back then costs no scan.
    std::vector<double> hi_before;
    std::vector<double> lo_before;
};

// The state of file number 1..kMaxFiles.
FollowState& follow_state(int32_t file);

// Called by dopen: forget_follow once the slot is claimed, note_loaded when
// the load is over, with its status and where its reading stopped. A load
// that ended normally (0 or end of file) is followed from there. A text
// file's last stored row that was read from a line without its line end is
// provisional: it stays while the file does not change, and is taken back
// to be read again once the file grows; when the file has already grown by
// the end of the load it is taken back at once and note_loaded returns true.
void forget_follow(int32_t file);
bool note_loaded(int32_t file, const std::string& path, FileLayout layout, int32_t step, int status,
                 const StopPoint& stop);

// Reads exactly n bytes at offset; false when the file holds fewer.
bool read_at(int fd, uint64_t offset, std::size_t n, std::string& out);

// Head, tail and end of the state, read from the file as it is now; and
// whether the file still holds them.
bool remember_edges(FollowState& state, int fd);
bool same_edges(const FollowState& state, int fd);

// Takes the provisional last row of the slot back: its line changed since
// it was read and will be read again.
void take_back(FileSlot& slot, VarTables& vars, FollowState& state);

// Raw maximum and minimum of every variable from its stored samples.
void recount_raw_ranges(FileSlot& slot, VarTables& vars);

// Makes room for one more sample, enlarging the block when it is full.
// False when no memory is left for more samples.
bool room_for_sample(FileSlot& slot);

}  // namespace zan

#endif
