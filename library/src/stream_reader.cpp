// Stream layout: a plain byte stream of a header and rows of values. The
// integers after the title tell the header's shape: n (shape A, names of 10
// characters, singles); 0 then n (shape B, names of 20, singles); 0, 0, the
// value kind k and n (shape C, names of 80, doubles when k is 1).
#include "byte_order.h"
#include "loader.h"
#include "work_threads.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

namespace zan {

namespace {

constexpr std::size_t kPieceBuffer = std::size_t{1} << 20;

// Rows first..last-1 of the file, read by one thread.
struct RowPiece {
    uint64_t first = 0;
    uint64_t last = 0;
    bool complete = false;
    std::vector<double> lo;
    std::vector<double> hi;
};

// The layout of the rows: where they start, how long each is, the value size.
struct RowLayout {
    uint64_t start = 0;
    std::size_t row_bytes = 0;
    int value_size = 4;
};

// Stores rows r..r+count-1, whose bytes start at p, straight into the
// block: row r at sample r / step when r is a multiple of step. The rows lie
// within those the sink has room for.
void store_rows(const char* p, uint64_t r, uint64_t count, const RowLayout& layout, int32_t step, FileSlot& slot,
                RowPiece& piece)
{
    const int32_t nvar = slot.nvar;
    const std::size_t cap = static_cast<std::size_t>(slot.capacity);
    double* block = slot.block.get();
    double* lo = piece.lo.data();
    double* hi = piece.hi.data();
    for (uint64_t i = 0; i < count; ++i, ++r, p += layout.row_bytes) {
        if (r % static_cast<uint64_t>(step) != 0) continue;
        const std::size_t at = static_cast<std::size_t>(r / static_cast<uint64_t>(step));
        for (int32_t v = 0; v < nvar; ++v) {
            const double x = clean_value(layout.value_size == 8 ? load_le<double>(p + 8 * v)
                                                                : double(load_le<float>(p + 4 * v)));
            block[static_cast<std::size_t>(v) * cap + at] = x;
            if (x > hi[v]) hi[v] = x;
            if (x < lo[v]) lo[v] = x;
        }
    }
}

void start_piece(RowPiece& piece, int32_t nvar)
{
    piece.lo.assign(static_cast<std::size_t>(nvar), kInitMin);
    piece.hi.assign(static_cast<std::size_t>(nvar), kInitMax);
}

// One piece read from the file by one thread.
void read_piece(const InputFile& file, const RowLayout& layout, int32_t step, FileSlot& slot, RowPiece& piece)
{
    start_piece(piece, slot.nvar);
    const std::size_t rb = layout.row_bytes;
    const std::size_t bytes = static_cast<std::size_t>(piece.last - piece.first) * rb;
    ByteReader in(file, std::max(std::min(kPieceBuffer, bytes), rb), layout.start + piece.first * rb,
                  layout.start + piece.last * rb);
    for (uint64_t r = piece.first; r < piece.last;) {
        if (in.need(rb) != 0) return;
        const uint64_t rows = std::min<uint64_t>(in.available() / rb, piece.last - r);
        store_rows(in.data(), r, rows, layout, step, slot, piece);
        in.consume(static_cast<std::size_t>(rows) * rb);
        r += rows;
    }
    piece.complete = true;
}

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
        uint64_t discard = read_pieces(sink, step, row_bytes);
        auto more = [&] { return discard > 0 || !sink.full(); };
        while (more()) {
            if (int r = in_.need(row_bytes)) return r;
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
        return 0;
    }

private:
    // The rows the file holds now and the sink has room for, shared out over
    // the threads when there are enough of them. Leaves the sink and the
    // reader as reading those rows one by one would, up to the first piece
    // that could not be read whole (the file shrank), and returns the drops
    // still due there.
    uint64_t read_pieces(SampleSink& sink, int32_t step, std::size_t row_bytes)
    {
        FileSlot& slot = sink.slot();
        const unsigned threads = reader_thread_count();
        const uint64_t size = file_.size();
        const uint64_t k = static_cast<uint64_t>(step);
        const uint64_t rows = std::min(size > header_bytes_ ? (size - header_bytes_) / row_bytes : 0,
                                       static_cast<uint64_t>(slot.capacity) * k);
        // The rows already in the reader's buffer are taken from there, as
        // reading one by one would, even when the file has changed since.
        const uint64_t buffered = std::min<uint64_t>(in_.available() / row_bytes, rows);
        const uint64_t chunk = chunk_size((rows - buffered) * row_bytes);
        if (threads < 2 || slot.stored != 0 || (rows - buffered) * row_bytes < 2 * chunk) return 0;
        const uint64_t per_piece = std::max<uint64_t>(1, chunk / row_bytes);
        const RowLayout layout{header_bytes_, row_bytes, value_size_};
        std::vector<RowPiece> pieces(1);
        pieces[0].last = buffered;
        pieces[0].complete = true;
        start_piece(pieces[0], slot.nvar);
        store_rows(in_.data(), 0, buffered, layout, step, slot, pieces[0]);
        for (uint64_t r = buffered; r < rows; r += per_piece)
            pieces.push_back({r, std::min(rows, r + per_piece), false, {}, {}});
        std::atomic<std::size_t> next{1};
        run_threads(std::min<unsigned>(threads, static_cast<unsigned>(pieces.size())), [&](unsigned) {
            for (std::size_t u; (u = next.fetch_add(1)) < pieces.size();)
                read_piece(file_, layout, step, slot, pieces[u]);
        });
        uint64_t done = 0;
        for (const RowPiece& piece : pieces) {
            if (!piece.complete) break;
            merge_extremes(sink.vars(), piece.lo.data(), piece.hi.data(), slot.nvar);
            done = piece.last;
        }
        const uint64_t stored = (done + k - 1) / k;
        slot.stored = static_cast<int32_t>(stored);
        in_.seek(header_bytes_ + done * row_bytes);
        return stored * k > done ? stored * k - done : 0;
    }

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
};

}  // namespace

std::unique_ptr<Reader> make_stream_reader(InputFile& file)
{
    return std::make_unique<StreamReader>(file);
}

}  // namespace zan
