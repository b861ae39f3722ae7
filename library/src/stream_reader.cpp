// Stream layout: a plain byte stream of a header and rows of values. The
// integers after the title tell the header's shape: n (shape A, names of 10
// characters, singles); 0 then n (shape B, names of 20, singles); 0, 0, the
// value kind k and n (shape C, names of 80, doubles when k is 1).
#include "byte_order.h"
#include "loader.h"
#include "row_pieces.h"

#include <algorithm>
#include <cstdint>

namespace zan {

namespace {

class StreamReader final : public Reader {
public:
    explicit StreamReader(InputFile& file) : file_(file), in_(file) {}

    int read_header(HeaderInfo& header) override
    {
        char title[kNameLen];
        if (int r = in_.read(title, sizeof title)) return r;
        header.set_title({title, sizeof title});
        header_bytes_ = kNameLen;

        int32_t n = 0;
        if (int r = read_int(n)) return r;
        std::size_t width = 10;
        if (n == 0) {
            if (int r = read_int(n)) return r;
            width = 20;
            if (n == 0) {
                int32_t kind = 0;
                if (int r = read_int(kind)) return r;
                if (int r = read_int(n)) return r;
                width = kNameLen;
                value_size_ = kind == 1 ? 8 : 4;
            }
        }
        char name[kNameLen];
        for (int64_t v = 1; v <= n; ++v) {
            if (int r = in_.read(name, width)) return r;
            header_bytes_ += width;
            header.set_name(static_cast<int32_t>(v), {name, width}, width);
        }
        // A file that declares no variables still has rows of one value.
        nvar_ = std::max(n, int32_t{1});
        header.nvar = nvar_;
        return 0;
    }

    int64_t expected_rows() override
    {
        const int64_t size = static_cast<int64_t>(std::min<uint64_t>(file_.size(), INT64_MAX));
        const int64_t rows = (size - static_cast<int64_t>(header_bytes_)) / nvar_ / value_size_;
        return rows;
    }

    int read_rows(SampleSink& sink, int32_t step) override
    {
        const std::size_t row_bytes = static_cast<std::size_t>(sink.nvar()) * value_size_;
        // Rows between two stored ones are read and dropped; the drops after
        // the last stored row are reads too and can end the load.
        uint64_t discard = read_row_pieces(file_, in_, {header_bytes_, row_bytes, 0, value_size_, false}, step, sink);
        auto more = [&] { return discard > 0 || !sink.full(); };
        int r = 0;
        while (more()) {
            if ((r = in_.need(row_bytes))) break;
            const char* p = in_.data();
            const std::size_t rows = in_.available() / row_bytes;
            std::size_t used = 0;
            for (; used < rows && more(); ++used, p += row_bytes) {
                if (discard > 0) {
                    --discard;
                    continue;
                }
                if (value_size_ == 8) sink.store([p](int32_t v) { return load_le<double>(p + 8 * v); });
                else sink.store([p](int32_t v) { return double(load_le<float>(p + 4 * v)); });
                discard = static_cast<uint64_t>(step) - 1;
            }
            in_.consume(used * row_bytes);
        }
        stop_ = {true, in_.offset(), static_cast<int64_t>(discard), 0, in_.offset() + in_.available(), false,
                 row_bytes, value_size_};
        return r;
    }

    StopPoint stop_point() const override { return stop_; }

private:
    int read_int(int32_t& value)
    {
        char bytes[4];
        if (int r = in_.read(bytes, 4)) return r;
        header_bytes_ += 4;
        value = load_le<int32_t>(bytes);
        return 0;
    }

    InputFile& file_;
    ByteReader in_;
    uint64_t header_bytes_ = 0;
    int32_t nvar_ = 1;
    int value_size_ = 4;
    StopPoint stop_;
};

}  // namespace

std::unique_ptr<Reader> make_stream_reader(InputFile& file)
{
    return std::make_unique<StreamReader>(file);
}

}  // namespace zan
