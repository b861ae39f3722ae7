// Comma-separated text layout: optional comment lines, one line of names and
// one line of numbers per sample. A first pass counts every line and takes
// the largest field count among the first lines as the variable count; the
// second pass takes the first line with that many fields as the names and
// every later line with exactly that many numbers as a sample. A file of
// several pieces is read by several threads in both passes (csv_chunks.h).
#include "csv_chunks.h"
#include "csv_fields.h"
#include "line_reader.h"
#include "loader.h"
#include "work_threads.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zan {

namespace {

class CsvReader final : public Reader {
public:
    CsvReader(InputFile& file, const std::string& upper_path)
        : file_(file), in_(file), lines_(in_, kLineLen), upper_path_(upper_path), threads_(reader_thread_count())
    {
    }

    int read_header(HeaderInfo& header) override
    {
        header.set_title(upper_path_);
        std::string_view line;
        int32_t nvar = 0;
        uint64_t counted = 0;
        int r = 0;
        while (counted < csv::kHeaderSearchLines && (r = lines_.next(line)) == 0) {
            ++counted;
            nvar = std::max(nvar, csv::header_field_count(line));
        }
        uint64_t rest = 0;
        const uint64_t size = file_.size();
        if (r == 0 && split(size > in_.offset() ? size - in_.offset() : 0)) {
            uint64_t lines = 0;
            r = csv::count_lines(file_, in_, counted, threads_, lines, marks_);
            rest = lines - counted;
        } else if (r == 0) {
            r = lines_.count_rest(rest);
        }
        // A read error in the counting pass ends the load like one in the
        // header; the end of the file is the normal end of this pass.
        if (r != 0 && r != kEndOfFile) return r;
        // A file without any line ends in its header, whatever is written
        // into it before the names would be read.
        if (counted == 0) return kEndOfFile;
        rows_ = static_cast<int64_t>(counted + rest);
        nvar_ = nvar;
        header.nvar = nvar;
        return 0;
    }

    int64_t expected_rows() override { return rows_; }

    // Second pass: back to the start and on to the first line with as many
    // fields as the variable count; lines before it are passed over, and
    // those that hold fields count as refused rows.
    int start_rows(HeaderInfo& header) override
    {
        if (int r = in_.rewind()) return r;
        std::string_view line;
        for (;;) {
            if (int r = lines_.next(line)) return r;
            ++names_line_;
            const int32_t fields = csv::header_field_count(line);
            if (fields >= nvar_) break;
            if (fields > 0) ++refused_;
        }
        names_ended_ = lines_.ended();
        csv::header_fields(line, [&](int32_t v, std::string_view text) {
            if (v <= nvar_) header.set_name(v, text.substr(0, kNameLen - 2));
        });
        return 0;
    }

    // A line is a sample when it has exactly the variable count of fields and
    // of numbers; any other line is passed over. The step's discards take the
    // lines after an accepted one without any test.
    int read_rows(SampleSink& sink, int32_t step) override
    {
        if (marks_.empty()) return rows_from_here(sink, step, names_line_, 0);
        const csv::Resume resume =
            csv::read_pieces(file_, marks_, in_.offset(), names_line_, nvar_, step, threads_, sink);
        refused_ += resume.refused;
        in_.seek(resume.offset);
        return rows_from_here(sink, step, names_line_ + resume.line, resume.discards);
    }

    StopPoint stop_point() const override { return stop_; }
    int64_t names_line() const override { return static_cast<int64_t>(names_line_); }
    int64_t refused_rows() const override { return refused_; }

private:
    // Splitting pays once there are two pieces for the threads.
    bool split(uint64_t bytes) const { return threads_ > 1 && bytes >= 2 * chunk_size(bytes); }

    // The rows from the reader's position on (a line start with `lines`
    // lines before it), one line at a time, after passing over `discards`
    // lines.
    int rows_from_here(SampleSink& sink, int32_t step, uint64_t lines, int64_t discards)
    {
        static std::array<double, kMaxVars> row;
        stop_ = {names_ended_, in_.offset(), discards, lines, 0, false, 0, 4};
        // A line with its end is behind the stop point; the last line without
        // one (it may still be being written) stays before it, to be read again.
        auto passed = [&](int64_t still) {
            if (!lines_.ended()) return;
            stop_.offset = in_.offset();
            ++stop_.lines;
            stop_.discard = still;
        };
        auto stop = [&](int r) {
            stop_.seen = in_.offset() + in_.available();
            return r;
        };
        std::string_view line;
        for (; discards > 0; --discards) {
            if (int r = lines_.next(line)) return stop(r);
            passed(discards - 1);
        }
        while (!sink.full()) {
            for (;;) {
                if (int r = lines_.next(line)) return stop(r);
                // Without variables no line holds a sample.
                if (nvar_ > 0 && csv::read_row(line, nvar_, row.data())) break;
                if (csv::holds_fields(line)) ++refused_;
                passed(0);
            }
            sink.store([](int32_t v) { return row[static_cast<std::size_t>(v)]; });
            stop_.provisional = !lines_.ended();
            passed(step - 1);
            for (int32_t i = 1; i < step; ++i) {
                if (int r = lines_.next(line)) return stop(r);
                passed(step - 1 - i);
            }
        }
        return stop(0);
    }

    const InputFile& file_;
    ByteReader in_;
    LineReader lines_;
    std::string upper_path_;
    unsigned threads_;
    std::vector<csv::LineMark> marks_;  // line starts that split the file, when it is split
    uint64_t names_line_ = 0;           // lines up to and including the names line
    bool names_ended_ = false;          // the names line has its line end
    StopPoint stop_;
    int64_t rows_ = 0;
    int64_t refused_ = 0;  // lines holding fields that are neither names nor rows
    int32_t nvar_ = 0;
};

}  // namespace

std::unique_ptr<Reader> make_csv_reader(InputFile& file, const std::string& upper_path)
{
    return std::make_unique<CsvReader>(file, upper_path);
}

}  // namespace zan
