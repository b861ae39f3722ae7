// Where the reading of a file's rows stopped: the place from which a later
// reading of what the file gained goes on. It is a place in the file, never
// a value: rows with the same values as others are common.
#ifndef ZAN_STOP_POINT_H
#define ZAN_STOP_POINT_H

#include <cstddef>
#include <cstdint>

namespace zan {

struct StopPoint {
    bool followable = false;   // the reading ended where the rows of a growing file can go on
    uint64_t offset = 0;       // the first byte not yet read as a whole row, record or line
    int64_t discard = 0;       // rows to pass over before the next one to store
    uint64_t lines = 0;        // text: lines before offset, the names line and those before it included
    uint64_t seen = 0;         // the end of the file when it was last read
    bool provisional = false;  // text: the last stored row is the line at offset, which has no line end yet
    std::size_t row_bytes = 0;  // binary: bytes of one row's values
    int value_size = 4;        // stream layout: 4 (singles) or 8 (doubles)
};

}  // namespace zan

#endif
