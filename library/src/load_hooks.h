// Points where tests replace parts of the machine that they cannot control
// directly. Production code leaves them unset.
#ifndef ZAN_LOAD_HOOKS_H
#define ZAN_LOAD_HOOKS_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace zan::hooks {

// Largest sample block in bytes that an allocation may take, replacing the
// system's figure of available memory, so that the loader's retry with a larger step can be
// exercised without exhausting the machine.
extern std::optional<uint64_t> memory_limit;

// Samples that each column of a new sample block can take beyond its
// capacity without moving, replacing the generous room a block normally
// gets, so that tests reach the end of that room with a few rows.
extern std::optional<int64_t> block_room;

// Whether new sample blocks start with large pages, replacing the choice
// by their size, so that small test files take that path too.
extern std::optional<bool> large_pages;

// Processor time in seconds per page fault above which a block gives up
// large pages, replacing the figure measured on real machines.
extern std::optional<double> large_page_cost;

// Called by dopen once the expected row count is known and before the rows
// are read (for text files: between the counting pass and the reading pass),
// so that a test can make the file grow or shrink at that moment.
extern std::function<void()> after_row_count;

// Number of threads that read one file, replacing the processor count.
extern std::optional<unsigned> reader_threads;

// Bytes of a file that one thread takes at a time, replacing the size the
// readers choose, so that small test files are split into many pieces.
extern std::optional<uint64_t> chunk_bytes;

// Largest buffer a file's own reader takes, replacing 8 MiB (but never less
// than a longest text line needs), so that small binary test files still
// leave rows to the threads after the header read.
extern std::optional<std::size_t> largest_buffer;

}  // namespace zan::hooks

#endif
