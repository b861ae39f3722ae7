#include "row_pieces.h"

#include "byte_order.h"
#include "work_threads.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace zan {

namespace {

constexpr std::size_t kPieceBuffer = std::size_t{1} << 20;

// Rows first..last-1 of the file, read by one thread; rows first..reached-1
// were stored.
struct RowPiece {
    uint64_t first = 0;
    uint64_t last = 0;
    uint64_t reached = 0;
    std::vector<double> lo;
    std::vector<double> hi;
};

void start_piece(RowPiece& piece, int32_t nvar)
{
    piece.reached = piece.first;
    piece.lo.assign(static_cast<std::size_t>(nvar), kInitMin);
    piece.hi.assign(static_cast<std::size_t>(nvar), kInitMax);
}

template <int ValueSize>
double value_at(const char* p)
{
    if constexpr (ValueSize == 8) return load_le<double>(p);
    else return double(load_le<float>(p));
}

// Stores the rows of piece.reached.. whose bytes start at p, at most count of
// them, straight into the block: row r at sample r / step when r is a
// multiple of step. Stops before a record whose frame is not one row's.
template <int ValueSize, bool Framed>
void store_rows(const char* p, uint64_t count, const RowLayout& layout, int32_t step, FileSlot& slot,
                RowPiece& piece)
{
    const int32_t nvar = slot.nvar;
    const std::size_t cap = slot.block.stride();
    const auto frame = static_cast<int32_t>(static_cast<std::size_t>(nvar) * ValueSize);
    const uint64_t k = static_cast<uint64_t>(step);
    double* block = slot.block.get();
    double* lo = piece.lo.data();
    double* hi = piece.hi.data();
    uint64_t r = piece.reached;
    for (uint64_t i = 0; i < count; ++i, ++r, p += layout.stride) {
        if constexpr (Framed) {
            if (load_le<int32_t>(p) != frame || load_le<int32_t>(p + 4 + frame) != frame) break;
        }
        if (r % k != 0) continue;
        const std::size_t at = static_cast<std::size_t>(r / k);
        const char* values = p + layout.values_at;
        for (int32_t v = 0; v < nvar; ++v) {
            const double x = clean_value(value_at<ValueSize>(values + ValueSize * v));
            block[static_cast<std::size_t>(v) * cap + at] = x;
            if (x > hi[v]) hi[v] = x;
            if (x < lo[v]) lo[v] = x;
        }
    }
    piece.reached = r;
}

void store_rows(const char* p, uint64_t count, const RowLayout& layout, int32_t step, FileSlot& slot,
                RowPiece& piece)
{
    if (layout.framed) store_rows<4, true>(p, count, layout, step, slot, piece);
    else if (layout.value_size == 8) store_rows<8, false>(p, count, layout, step, slot, piece);
    else store_rows<4, false>(p, count, layout, step, slot, piece);
}

// One piece read from the file by one thread.
void read_piece(const InputFile& file, const RowLayout& layout, int32_t step, FileSlot& slot, RowPiece& piece)
{
    start_piece(piece, slot.nvar);
    const auto k = static_cast<uint64_t>(step);
    slot.block.prepare_rows(static_cast<int64_t>(piece.first / k), static_cast<int64_t>((piece.last + k - 1) / k));
    const std::size_t stride = layout.stride;
    const std::size_t bytes = static_cast<std::size_t>(piece.last - piece.first) * stride;
    ByteReader in(file, std::max(std::min(kPieceBuffer, bytes), stride), layout.start + piece.first * stride,
                  layout.start + piece.last * stride);
    while (piece.reached < piece.last) {
        if (in.need(stride) != 0) return;
        const uint64_t rows = std::min<uint64_t>(in.available() / stride, piece.last - piece.reached);
        const uint64_t before = piece.reached;
        store_rows(in.data(), rows, layout, step, slot, piece);
        if (piece.reached - before < rows) return;
        in.consume(static_cast<std::size_t>(rows) * stride);
    }
}

}  // namespace

uint64_t read_row_pieces(const InputFile& file, ByteReader& in, const RowLayout& layout, int32_t step,
                         SampleSink& sink)
{
    FileSlot& slot = sink.slot();
    const unsigned threads = reader_thread_count();
    const uint64_t size = file.size();
    const uint64_t k = static_cast<uint64_t>(step);
    const std::size_t stride = layout.stride;
    const uint64_t rows = std::min(size > layout.start ? (size - layout.start) / stride : 0,
                                   static_cast<uint64_t>(slot.capacity) * k);
    // The rows already in the reader's buffer are taken from there, as
    // reading one by one would, even when the file has changed since.
    const uint64_t buffered = std::min<uint64_t>(in.available() / stride, rows);
    const uint64_t chunk = chunk_size((rows - buffered) * stride);
    if (threads < 2 || slot.stored != 0 || in.offset() != layout.start || (rows - buffered) * stride < 2 * chunk)
        return 0;
    const uint64_t per_piece = std::max<uint64_t>(1, chunk / stride);
    std::vector<RowPiece> pieces(1);
    pieces[0].last = buffered;
    start_piece(pieces[0], slot.nvar);
    slot.block.prepare_rows(0, static_cast<int64_t>((buffered + k - 1) / k));
    store_rows(in.data(), buffered, layout, step, slot, pieces[0]);
    for (uint64_t r = buffered; r < rows; r += per_piece) pieces.push_back({r, std::min(rows, r + per_piece), r, {}, {}});
    std::atomic<std::size_t> next{1};
    if (pieces[0].reached == pieces[0].last)
        run_threads(std::min<unsigned>(threads, static_cast<unsigned>(pieces.size())), [&](unsigned) {
            for (std::size_t u; (u = next.fetch_add(1)) < pieces.size();) read_piece(file, layout, step, slot, pieces[u]);
        });
    uint64_t done = 0;
    for (const RowPiece& piece : pieces) {
        merge_extremes(sink.vars(), piece.lo.data(), piece.hi.data(), slot.nvar);
        done = piece.reached;
        if (piece.reached < piece.last) break;
    }
    const uint64_t stored = (done + k - 1) / k;
    slot.stored = static_cast<int32_t>(stored);
    in.seek(layout.start + done * stride);
    return stored * k > done ? stored * k - done : 0;
}

}  // namespace zan
