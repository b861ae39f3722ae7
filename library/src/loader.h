// What dopen's frame needs from each of the three file readers.
#ifndef ZAN_LOADER_H
#define ZAN_LOADER_H

#include "input_file.h"
#include "sample_sink.h"
#include "stop_point.h"
#include "store.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>

namespace zan {

// What a reader finds before the rows: the loader scratch of one dopen call.
struct HeaderInfo {
    std::array<char, kNameLen> title;
    // Names 1..min(nvar, kMaxVars), kNameLen characters each, blank-padded.
    std::array<std::array<char, kNameLen>, kMaxVars> names;
    int32_t nvar = 0;  // as declared by the file, possibly above kMaxVars

    void clear();
    // Sets name v (1..kMaxVars) from text, cut to width characters and
    // blank-padded; names beyond the table are dropped.
    void set_name(int32_t v, std::string_view text, std::size_t width = kNameLen);
    void set_title(std::string_view text);
};

class Reader {
public:
    virtual ~Reader() = default;
    // Everything before the rows. 0 to go on, otherwise the status that ends the load.
    virtual int read_header(HeaderInfo& header) = 0;
    // The expected row count, an upper bound taken from the file as it is now.
    virtual int64_t expected_rows() = 0;
    // Called once the row count is out, before the names are handed on: a
    // text file returns to its start and reads up to its names line here.
    // 0 to go on, otherwise the status that ends the load.
    virtual int start_rows(HeaderInfo& header)
    {
        (void)header;
        return 0;
    }
    // Stores the first row and every step-th row after it until the sink is
    // full; the result of the last read (0 when the sink filled up).
    virtual int read_rows(SampleSink& sink, int32_t step) = 0;
    // After read_rows: where the reading stopped.
    virtual StopPoint stop_point() const = 0;
    // The line of a text file that gave the names (the first line is 1); 0
    // for a binary file.
    virtual int64_t names_line() const { return 0; }
    // Lines of a text file that hold fields but gave neither the names nor
    // a row: passed over before the names line, or tested as rows after it
    // and refused. Comment and blank lines are not counted.
    virtual int64_t refused_rows() const { return 0; }
};

// `upper_path` is the path in upper case (letters a to z), the title of the
// record and text layouts.
std::unique_ptr<Reader> make_stream_reader(InputFile& file);
std::unique_ptr<Reader> make_record_reader(InputFile& file, const std::string& upper_path);
std::unique_ptr<Reader> make_csv_reader(InputFile& file, const std::string& upper_path);

// Status of a record-layout file whose framing is broken: a length marker
// that is negative, does not match its partner, or a record too short for
// what must be read from it.
inline constexpr int kBadRecord = EBADMSG;

}  // namespace zan

#endif
