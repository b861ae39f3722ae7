// Record layout: records framed as Fortran unformatted sequential files are
// written by gfortran, each record's byte length (4 bytes, little-endian)
// before and after it. Record 1 holds the name-string length L, the variable
// count n and the name string " ## name1 name2 ..."; every further record
// one row of n singles.
#include "byte_order.h"
#include "loader.h"
#include "row_pieces.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace zan {

namespace {

constexpr std::string_view kMarker = " ## ";

class RecordReader final : public Reader {
public:
    RecordReader(InputFile& file, const std::string& upper_path)
        : file_(file), in_(file), upper_path_(upper_path), line_(std::make_unique<char[]>(kLineLen))
    {
    }

    int read_header(HeaderInfo& header) override
    {
        header.set_title(upper_path_);
        int32_t len = 0;
        if (int r = read_marker(len)) return r;
        if (len < 8) return kBadRecord;
        char head[8];
        if (int r = in_.read(head, 8)) return r;
        name_len_ = load_le<int32_t>(head);
        int32_t n = load_le<int32_t>(head + 4);
        uint64_t rest = static_cast<uint64_t>(len) - 8;

        // The name string goes into a line buffer of kLineLen characters;
        // anything beyond it is passed over.
        const uint64_t wanted = static_cast<uint64_t>(std::max(name_len_, int32_t{0}));
        if (wanted > rest) return kBadRecord;
        const std::size_t kept = static_cast<std::size_t>(std::min<uint64_t>(wanted, kLineLen));
        if (int r = in_.read(line_.get(), kept)) return r;
        if (int r = in_.skip(rest - kept)) return r;
        if (int r = check_trailer(len)) return r;

        // The buffer is blank beyond the string, as a fixed-length text is.
        std::string_view text(line_.get(), kept);
        std::string padded(text.substr(0, kMarker.size()));
        padded.resize(kMarker.size(), ' ');
        if (padded != kMarker) return ZAN_STATUS_NO_MARKER;

        n = std::max(n, int32_t{1});
        header.nvar = n;
        split_names(text, n, header);
        nvar_ = n;
        return 0;
    }

    int64_t expected_rows() override
    {
        // The framing is not subtracted: the count is an upper bound.
        const int64_t size = static_cast<int64_t>(std::min<uint64_t>(file_.size(), INT64_MAX));
        return (size - int64_t{name_len_} - 8) / nvar_ / 4;
    }

    int read_rows(SampleSink& sink, int32_t step) override
    {
        const std::size_t row_bytes = static_cast<std::size_t>(sink.nvar()) * 4;
        const RowLayout records{in_.offset(), row_bytes + 8, 4, 4, true};
        uint64_t discard = read_row_pieces(file_, in_, records, step, sink);
        // A record that cannot be read whole is read again from its start.
        auto stop = [&](int r) {
            stop_.seen = std::max(stop_.offset, in_.offset() + in_.available());
            return r;
        };
        stop_ = {true, in_.offset(), static_cast<int64_t>(discard), 0, 0, false, row_bytes, 4};
        while (discard > 0 || !sink.full()) {
            int32_t len = 0;
            if (int r = read_marker(len)) return stop(r);
            if (static_cast<uint64_t>(len) < row_bytes) return stop(kBadRecord);
            const bool keep = discard == 0;
            // A whole record in the buffer is taken in one piece; a longer one
            // gives its first row_bytes and the rest is passed over.
            const uint64_t whole = static_cast<uint64_t>(len) + 4;
            if (whole <= in_.capacity()) {
                if (int r = in_.need(static_cast<std::size_t>(whole))) return stop(r);
                if (load_le<int32_t>(in_.data() + len) != len) return stop(kBadRecord);
                if (keep) store(sink, in_.data());
                in_.consume(static_cast<std::size_t>(whole));
            } else {
                // The row counts only once its whole record has been read.
                if (int r = in_.read(row_.data(), row_bytes)) return stop(r);
                if (int r = in_.skip(static_cast<uint64_t>(len) - row_bytes)) return stop(r);
                if (int r = check_trailer(len)) return stop(r);
                if (keep) store(sink, row_.data());
            }
            if (keep) discard = static_cast<uint64_t>(step) - 1;
            else --discard;
            stop_.offset = in_.offset();
            stop_.discard = static_cast<int64_t>(discard);
        }
        return stop(0);
    }

    StopPoint stop_point() const override { return stop_; }

private:
    static void store(SampleSink& sink, const char* p)
    {
        sink.store([p](int32_t v) { return double(load_le<float>(p + 4 * v)); });
    }

    int read_marker(int32_t& len)
    {
        char bytes[4];
        if (int r = in_.read(bytes, 4)) return r;
        len = load_le<int32_t>(bytes);
        // Negative lengths mark continued records of more than 2 GiB, which
        // no row or header of this layout needs.
        return len < 0 ? kBadRecord : 0;
    }

    int check_trailer(int32_t len)
    {
        char bytes[4];
        if (int r = in_.read(bytes, 4)) return r;
        return load_le<int32_t>(bytes) == len ? 0 : kBadRecord;
    }

    // The first name starts after the marker; each runs to the next blank or
    // the end of the string, and the next starts right after that blank.
    static void split_names(std::string_view text, int32_t n, HeaderInfo& header)
    {
        std::size_t pos = kMarker.size();
        for (int32_t v = 1; v <= n && v <= kMaxVars; ++v) {
            if (pos >= text.size()) break;
            std::size_t end = text.find(' ', pos);
            if (end == std::string_view::npos) end = text.size();
            header.set_name(v, text.substr(pos, end - pos));
            pos = end + 1;
        }
    }

    InputFile& file_;
    ByteReader in_;
    std::string upper_path_;
    std::unique_ptr<char[]> line_;
    std::array<char, 4 * kMaxVars> row_;
    int32_t name_len_ = 0;
    int32_t nvar_ = 1;
    StopPoint stop_;
};

}  // namespace

std::unique_ptr<Reader> make_record_reader(InputFile& file, const std::string& upper_path)
{
    return std::make_unique<RecordReader>(file, upper_path);
}

}  // namespace zan
