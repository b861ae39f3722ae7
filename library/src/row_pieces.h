// Rows of a binary data file read by several threads at once, each storing
// its rows straight into their place in the sample block.
#ifndef ZAN_ROW_PIECES_H
#define ZAN_ROW_PIECES_H

#include "input_file.h"
#include "sample_sink.h"

#include <cstddef>
#include <cstdint>

namespace zan {

// Where the rows lie in the file and how their values are written.
struct RowLayout {
    uint64_t start = 0;          // offset of the first row
    std::size_t stride = 0;      // bytes from one row to the next
    std::size_t values_at = 0;   // offset of the first value within a row
    int value_size = 4;          // 4: singles, 8: doubles
    // A framed row is a record: its value bytes' count as a 4-byte
    // little-endian integer before and after the values. The threads take
    // only records of exactly one row; anything else ends what they read.
    bool framed = false;
};

// Reads the whole rows the file holds now and the sink has room for, shared
// out over the threads when there are enough of them, and leaves the sink
// and `in` as reading those rows one by one would, up to the first row that
// could not be read (the file shrank, or a record is not of one row). `in`
// is the caller's reader, standing at the first row; the rows in its buffer
// are taken from there. Returns the drops still due after the last row read:
// with a step above 1, the rows up to the next one to store. Without enough
// rows or threads nothing is read and the result is 0.
uint64_t read_row_pieces(const InputFile& file, ByteReader& in, const RowLayout& layout, int32_t step,
                         SampleSink& sink);

}  // namespace zan

#endif
