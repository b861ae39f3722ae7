// Text lines of a data file, read through a ByteReader.
#ifndef ZAN_LINE_READER_H
#define ZAN_LINE_READER_H

#include "input_file.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace zan {

// A line ends at LF; a CR right before the LF is dropped, so CR LF and LF
// files read alike. A line longer than the limit keeps its first limit
// characters and the rest up to its end is passed over. A last line without
// a terminator still counts as a line.
class LineReader {
public:
    LineReader(ByteReader& in, std::size_t limit);

    // 0 with the next line in `line` (valid until the next call), kEndOfFile
    // when no line is left, or the platform's error number.
    int next(std::string_view& line);
    // Whether the line that next() gave last ended with its LF; the last
    // line of a file may not.
    bool ended() const { return ended_; }

    // Counts the lines that are left, reading to the end of the file; 0 or
    // the error number.
    int count_rest(uint64_t& lines);

private:
    ByteReader& in_;
    std::size_t limit_;
    std::unique_ptr<char[]> cut_;  // a long line's first limit_ characters
    bool ended_ = false;
};

}  // namespace zan

#endif
