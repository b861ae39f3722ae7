// Both passes of a comma-separated file shared out over several threads.
// The first pass counts lines in pieces and marks line starts between the
// pieces; the second pass parses the pieces between those marks, each thread
// writing its rows straight into their place in the sample block. Whatever
// a piece cannot settle on its own (the file changed between the passes, a
// rejected line while only every step-th line is kept, a read that fails) is
// left to the single-threaded reading, which goes on from there, so the
// result is always that of reading the file line by line.
#ifndef ZAN_CSV_CHUNKS_H
#define ZAN_CSV_CHUNKS_H

#include "input_file.h"
#include "sample_sink.h"

#include <cstdint>
#include <vector>

namespace zan::csv {

// A line start in a file and the number of lines before it.
struct LineMark {
    uint64_t offset = 0;
    uint64_t line = 0;
};

// Counts the lines from in's position (a line start with lines_before lines
// before it) to the end of the file. What the file holds now is counted by
// `threads` threads at once, what is appended meanwhile by `in` itself.
// Marks holds the line starts that split the file into pieces for the
// second pass, the first being in's position. 0, or the error that ended
// the counting.
int count_lines(const InputFile& file, ByteReader& in, uint64_t lines_before, unsigned threads, uint64_t& lines,
                std::vector<LineMark>& marks);

// Where the single-threaded reading goes on after read_pieces.
struct Resume {
    uint64_t offset = 0;   // a line start
    uint64_t line = 0;     // lines of data before it
    int64_t discards = 0;  // lines still to pass over before the next test
    int64_t refused = 0;   // lines before it refused as rows (holds_fields)
};

// Reads the rows of the pieces between marks after the names line, which
// ends at data_offset with data_line lines before it (both from the second
// pass). The sink's stored count and the extremes then hold what reading the
// lines before the resume point one by one gives.
Resume read_pieces(const InputFile& file, const std::vector<LineMark>& marks, uint64_t data_offset,
                   uint64_t data_line, int32_t nvar, int32_t step, unsigned threads, SampleSink& sink);

}  // namespace zan::csv

#endif
