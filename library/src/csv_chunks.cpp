#include "csv_chunks.h"

#include "csv_fields.h"
#include "line_reader.h"
#include "store.h"
#include "work_threads.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>

namespace zan::csv {

namespace {

// Buffer of one thread's reader, at most.
constexpr std::size_t kPieceBuffer = std::size_t{1} << 20;

// A buffer for bytes first..last-1: no larger than they need, but always
// larger than the longest line that is kept.
std::size_t buffer_for(uint64_t first, uint64_t last)
{
    return static_cast<std::size_t>(
        std::clamp<uint64_t>(last - first + 1, static_cast<uint64_t>(kLineLen) + 2, kPieceBuffer));
}

// Lines of one thread's part of the first pass.
struct PartCount {
    uint64_t newlines = 0;
    std::vector<LineMark> marks;  // line counted from the part's start
    bool any = false;             // the part held at least one byte
    char last = '\n';
    int error = 0;
};

// Counts the newlines of [first, last) and marks the line start after the
// first newline at or beyond each multiple of chunk from origin.
void count_part(const InputFile& file, uint64_t origin, uint64_t first, uint64_t last, uint64_t chunk,
                PartCount& part)
{
    ByteReader in(file, buffer_for(first, last), first, last);
    uint64_t boundary = origin + ((first - origin) / chunk + 1) * chunk;
    for (;;) {
        const int r = in.next_block();
        if (r != 0) {
            if (r != kEndOfFile) part.error = r;
            return;
        }
        const char* p = in.data();
        const std::size_t n = in.available();
        const uint64_t at = in.offset();
        const char* end = p + n;
        while (const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            p = static_cast<const char*>(nl) + 1;
            ++part.newlines;
            const uint64_t next = at + static_cast<uint64_t>(p - in.data());
            if (next > boundary) {
                part.marks.push_back({next, part.newlines});
                boundary = origin + ((next - origin) / chunk + 1) * chunk;
            }
        }
        part.any = true;
        part.last = in.data()[n - 1];
        in.consume(n);
    }
}

// One piece of the second pass: the lines between two marks.
struct Piece {
    uint64_t first = 0;
    uint64_t last = 0;
    uint64_t line = 0;   // lines of data before it
    uint64_t lines = 0;  // lines in it
};

struct PieceResult {
    bool complete = false;
    int64_t stored = 0;  // rows written from the piece's own first row on (step 1)
    int64_t refused = 0;  // lines refused as rows (step 1)
    std::vector<double> lo;
    std::vector<double> hi;
};

bool newline_before(const InputFile& file, uint64_t offset)
{
    if (offset == 0) return true;
    char c = 0;
    return file.read_at(&c, 1, offset - 1) == 1 && c == '\n';
}

// Parses one piece. With step 1 every accepted line goes to the row after
// the previous accepted one, starting at the piece's first line: the rows
// land at most as far on as they belong and are moved down afterwards. With
// a larger step the piece assumes that every tested line before it was
// accepted, which puts tested line j at row j / step; a rejected tested
// line leaves the piece incomplete.
void read_piece(const InputFile& file, const Piece& piece, int32_t nvar, int32_t step, FileSlot& slot,
                double* row, PieceResult& out)
{
    out.lo.assign(static_cast<std::size_t>(nvar), kInitMin);
    out.hi.assign(static_cast<std::size_t>(nvar), kInitMax);
    if (!newline_before(file, piece.first) || !newline_before(file, piece.last)) return;
    ByteReader in(file, buffer_for(piece.first, piece.last), piece.first, piece.last);
    LineReader lines(in, static_cast<std::size_t>(kLineLen));
    const uint64_t capacity = static_cast<uint64_t>(slot.capacity);
    const std::size_t cap = slot.block.stride();
    const auto k = static_cast<uint64_t>(step);
    slot.block.prepare_rows(static_cast<int64_t>(piece.line / k),
                            static_cast<int64_t>((piece.line + piece.lines + k - 1) / k));
    double* block = slot.block.get();
    double* lo = out.lo.data();
    double* hi = out.hi.data();
    std::string_view line;
    for (uint64_t i = 0; i < piece.lines; ++i) {
        if (lines.next(line) != 0) return;
        const uint64_t j = piece.line + i;
        uint64_t at = 0;
        if (step == 1) {
            if (!read_row(line, nvar, row)) {
                if (holds_fields(line)) ++out.refused;
                continue;
            }
            at = j - i + static_cast<uint64_t>(out.stored);
            if (at >= capacity) return;
        } else {
            if (j % static_cast<uint64_t>(step) != 0) continue;
            at = j / static_cast<uint64_t>(step);
            // The sink is full before this line: the single-threaded reading
            // finds where the rows after the last one go on.
            if (at >= capacity) return;
            if (!read_row(line, nvar, row)) return;
        }
        for (int32_t v = 0; v < nvar; ++v) {
            const double x = clean_value(row[v]);
            block[static_cast<std::size_t>(v) * cap + at] = x;
            if (x > hi[v]) hi[v] = x;
            if (x < lo[v]) lo[v] = x;
        }
        ++out.stored;
    }
    if (lines.next(line) != kEndOfFile) return;
    out.complete = true;
}

}  // namespace

int count_lines(const InputFile& file, ByteReader& in, uint64_t lines_before, unsigned threads, uint64_t& lines,
                std::vector<LineMark>& marks)
{
    const uint64_t start = in.offset();
    const uint64_t size = std::max(file.size(), start);
    const uint64_t chunk = chunk_size(size - start);
    std::vector<PartCount> parts(threads);
    run_threads(threads, [&](unsigned t) {
        const uint64_t first = start + (size - start) * t / threads;
        const uint64_t last = start + (size - start) * (t + 1) / threads;
        count_part(file, start, first, last, chunk, parts[t]);
    });
    marks.assign(1, {start, lines_before});
    uint64_t newlines = 0;
    bool any = false;
    char last = '\n';
    for (const PartCount& part : parts) {
        if (part.error) return part.error;
        for (const LineMark& m : part.marks) marks.push_back({m.offset, lines_before + newlines + m.line});
        newlines += part.newlines;
        if (part.any) {
            any = true;
            last = part.last;
        }
    }
    // What was appended during the count, as the single-threaded pass reads it.
    in.seek(size);
    for (;;) {
        const int r = in.next_block();
        if (r == kEndOfFile) break;
        if (r != 0) return r;
        const char* p = in.data();
        const std::size_t n = in.available();
        for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\n', n - static_cast<std::size_t>(q - p))));
             ++q)
            ++newlines;
        any = true;
        last = p[n - 1];
        in.consume(n);
    }
    lines = lines_before + newlines + (any && last != '\n' ? 1 : 0);
    return 0;
}

Resume read_pieces(const InputFile& file, const std::vector<LineMark>& marks, uint64_t data_offset,
                   uint64_t data_line, int32_t nvar, int32_t step, unsigned threads, SampleSink& sink)
{
    // Pieces from the end of the names line to the last mark; a mark that
    // does not fit the second pass ends them.
    std::vector<Piece> pieces;
    LineMark from{data_offset, data_line};
    for (const LineMark& m : marks) {
        if (m.offset <= from.offset) continue;
        if (m.line <= from.line) break;
        pieces.push_back({from.offset, m.offset, from.line - data_line, m.line - from.line});
        from = m;
    }
    FileSlot& slot = sink.slot();
    if (pieces.size() < 2 || nvar < 1 || slot.capacity < 1) return {data_offset, 0, 0};

    std::vector<PieceResult> results(pieces.size());
    std::atomic<std::size_t> next{0};
    run_threads(std::min<unsigned>(threads, static_cast<unsigned>(pieces.size())), [&](unsigned) {
        std::vector<double> row(static_cast<std::size_t>(nvar));
        for (std::size_t k; (k = next.fetch_add(1)) < pieces.size();)
            read_piece(file, pieces[k], nvar, step, slot, row.data(), results[k]);
    });

    // Puts the complete pieces in order, up to the first one that is not.
    const std::size_t cap = slot.block.stride();
    const uint64_t k = static_cast<uint64_t>(step);
    uint64_t stored = 0;
    Resume resume{from.offset, from.line - data_line, 0};
    int64_t refused = 0;
    VarTables& vars = sink.vars();
    for (std::size_t u = 0; u < pieces.size(); ++u) {
        const Piece& piece = pieces[u];
        const PieceResult& res = results[u];
        if (!res.complete) {
            resume = {piece.first, piece.line, 0};
            break;
        }
        if (step == 1) {
            const std::size_t n = static_cast<std::size_t>(res.stored);
            if (piece.line != stored)
                for (int32_t v = 0; v < nvar; ++v) {
                    double* col = slot.block.get() + static_cast<std::size_t>(v) * cap;
                    std::memmove(col + stored, col + piece.line, n * sizeof(double));
                }
            stored += n;
        } else {
            const uint64_t end = piece.line + piece.lines;
            stored = std::min<uint64_t>(static_cast<uint64_t>(slot.capacity), (end + k - 1) / k);
        }
        refused += res.refused;
        merge_extremes(vars, res.lo.data(), res.hi.data(), nvar);
    }
    slot.stored = static_cast<int32_t>(stored);
    // Lines still to pass over after the last stored row.
    const int64_t pending = static_cast<int64_t>(stored * k) - static_cast<int64_t>(resume.line);
    resume.discards = std::max<int64_t>(0, pending);
    resume.refused = refused;
    return resume;
}

}  // namespace zan::csv
