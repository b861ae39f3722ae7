// dgrow: reads the rows a loaded file gained since its load (or since the
// last dgrow) into its block, with the load's step, going on from the place
// where the last reading stopped. The bytes already read are recognised by
// the file's identity, its first bytes, the bytes right before the resume
// point and those before the end it had; anything else than appended bytes,
// or appended bytes that a new load would read otherwise, asks for a new load
// and leaves the slot as it was. Only whole rows are stored: the short end of
// a binary row or record waits for the next call, and a text line without
// its line end counts only while the file stays as it was at the last call.
#include "append_reader.h"
#include "byte_order.h"
#include "csv_fields.h"
#include "sample_sink.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zan {

namespace {

constexpr std::size_t kChunk = std::size_t{8} << 20;

// A window of the file's bytes [base, base + size) read by pread.
class Window {
public:
    Window(int fd, uint64_t file_size) : fd_(fd), file_size_(file_size) {}

    // Makes bytes [pos, pos + n) available; false when the file holds fewer
    // or a read fails (error() tells which).
    bool need(uint64_t pos, std::size_t n)
    {
        if (pos >= base_ && pos + n <= base_ + bytes_.size()) return true;
        if (pos + n > file_size_) return false;
        const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(std::max(n, kChunk), file_size_ - pos));
        if (!read_at(fd_, pos, want, bytes_)) {
            error_ = errno != 0 ? errno : EIO;
            bytes_.clear();
            return false;
        }
        base_ = pos;
        return true;
    }
    const char* at(uint64_t pos) const { return bytes_.data() + (pos - base_); }
    // Bytes buffered from pos on (pos must be buffered).
    std::size_t buffered(uint64_t pos) const { return static_cast<std::size_t>(base_ + bytes_.size() - pos); }
    uint64_t file_size() const { return file_size_; }
    int error() const { return error_; }

private:
    int fd_;
    uint64_t file_size_;
    uint64_t base_ = 0;
    std::string bytes_;
    int error_ = 0;
};

struct Outcome {
    int status = 0;
    int32_t added = 0;
};

// Stores one row unless the step passes over it; false when memory ran out.
template <class ValueOf>
bool take(FollowState& st, FileSlot& slot, SampleSink& sink, ValueOf value_of, Outcome& out)
{
    if (st.at.discard > 0) {
        --st.at.discard;
        return true;
    }
    if (!room_for_sample(slot)) return false;
    sink.store(value_of);
    st.at.discard = st.step - 1;
    ++out.added;
    return true;
}

void read_stream(FollowState& st, FileSlot& slot, SampleSink& sink, Window& w, Outcome& out)
{
    const std::size_t row = st.at.row_bytes;
    while (w.need(st.at.offset, row)) {
        const char* p = w.at(st.at.offset);
        const bool stored = st.at.value_size == 8
                                ? take(st, slot, sink, [p](int32_t v) { return load_le<double>(p + 8 * v); }, out)
                                : take(st, slot, sink, [p](int32_t v) { return double(load_le<float>(p + 4 * v)); }, out);
        if (!stored) {
            out.status = ENOMEM;
            return;
        }
        st.at.offset += row;
    }
    if (w.error()) out.status = w.error();
}

void read_records(FollowState& st, FileSlot& slot, SampleSink& sink, Window& w, Outcome& out)
{
    for (;;) {
        if (!w.need(st.at.offset, 4)) break;
        const int32_t len = load_le<int32_t>(w.at(st.at.offset));
        if (len < 0 || static_cast<std::size_t>(len) < st.at.row_bytes) {
            out.status = ZAN_STATUS_RELOAD;
            return;
        }
        const uint64_t trailer = st.at.offset + 4 + static_cast<uint64_t>(len);
        if (trailer + 4 > w.file_size()) break;  // the record is still being written
        if (!w.need(trailer, 4)) break;
        if (load_le<int32_t>(w.at(trailer)) != len) {
            out.status = ZAN_STATUS_RELOAD;
            return;
        }
        if (!w.need(st.at.offset + 4, st.at.row_bytes)) break;
        const char* p = w.at(st.at.offset + 4);
        if (!take(st, slot, sink, [p](int32_t v) { return double(load_le<float>(p + 4 * v)); }, out)) {
            out.status = ENOMEM;
            return;
        }
        st.at.offset = trailer + 4;
    }
    if (w.error()) out.status = w.error();
}

// Lines from the resume point on. The last line without its line end is a
// row only when the file is `stable` (as it was at the last call); it is then
// stored provisionally and the resume point stays at its start.
void read_lines(FollowState& st, FileSlot& slot, SampleSink& sink, Window& w, bool stable, Outcome& out)
{
    static std::array<double, kMaxVars> row;
    while (st.at.offset < w.file_size()) {
        if (!w.need(st.at.offset, 1)) break;
        const char* p = w.at(st.at.offset);
        std::size_t n = w.buffered(st.at.offset);
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', n));
        if (!nl && st.at.offset + n < w.file_size()) {
            // Longer than the window: read it again from its start with a
            // window that holds all of it.
            if (n >= (std::size_t{64} << 20)) {
                out.status = ZAN_STATUS_RELOAD;
                return;
            }
            if (!w.need(st.at.offset, std::min<uint64_t>(2 * n, w.file_size() - st.at.offset))) break;
            continue;
        }
        const bool ended = nl != nullptr;
        if (!ended && !stable) break;
        std::string_view line(p, ended ? static_cast<std::size_t>(nl - p) : n);
        const uint64_t next = st.at.offset + line.size() + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, kLineLen);
        // A line among the first ones with more fields changes the variable count.
        if (st.at.lines < static_cast<uint64_t>(csv::kHeaderSearchLines) &&
            csv::header_field_count(line) > slot.nvar) {
            out.status = ZAN_STATUS_RELOAD;
            return;
        }
        if (!ended) {
            if (st.at.discard == 0 && csv::read_row(line, slot.nvar, row.data())) {
                if (!room_for_sample(slot)) {
                    out.status = ENOMEM;
                    return;
                }
                const VarTables& vars = sink.vars();
                st.hi_before.assign(vars.rawmax.begin(), vars.rawmax.begin() + slot.nvar);
                st.lo_before.assign(vars.rawmin.begin(), vars.rawmin.begin() + slot.nvar);
                sink.store([](int32_t v) { return row[static_cast<std::size_t>(v)]; });
                st.at.provisional = true;
                ++out.added;
            }
            break;
        }
        if (st.at.discard > 0) {
            --st.at.discard;
        } else if (csv::read_row(line, slot.nvar, row.data())) {
            if (!take(st, slot, sink, [](int32_t v) { return row[static_cast<std::size_t>(v)]; }, out)) {
                out.status = ENOMEM;
                return;
            }
        }
        st.at.offset = next;
        ++st.at.lines;
    }
    if (w.error()) out.status = w.error();
}

// What a call may change, to be put back when it asks for a new load: a new
// load gives the data then, and until it does the slot shows what it showed.
class Undo {
public:
    Undo(FileSlot& slot, VarTables& vars, const FollowState& st)
        : slot_(slot), vars_(vars), stored_(slot.stored),
          hi_(vars.rawmax.begin(), vars.rawmax.begin() + slot.nvar),
          lo_(vars.rawmin.begin(), vars.rawmin.begin() + slot.nvar)
    {
        if (st.at.provisional && stored_ > 0)
            for (int32_t v = 1; v <= slot.nvar; ++v) last_.push_back(slot.column(v)[stored_ - 1]);
    }

    void restore()
    {
        if (!last_.empty())
            for (int32_t v = 1; v <= slot_.nvar; ++v) slot_.column(v)[stored_ - 1] = last_[static_cast<std::size_t>(v - 1)];
        slot_.stored = stored_;
        std::copy(hi_.begin(), hi_.end(), vars_.rawmax.begin());
        std::copy(lo_.begin(), lo_.end(), vars_.rawmin.begin());
        slot_.extremes.forget_from(last_.empty() ? stored_ : stored_ - 1);
        mark_changed();
    }

private:
    FileSlot& slot_;
    VarTables& vars_;
    int32_t stored_;
    std::vector<double> hi_;
    std::vector<double> lo_;
    std::vector<double> last_;  // the provisional last row, which the call may take back
};

std::string path_text(const int32_t* codes)
{
    std::string path;
    for (int i = 0; i < kPathLen; ++i) {
        const char c = static_cast<char>(codes[i] & 0xFF);
        if (c == '\0') break;
        path.push_back(c);
    }
    path.erase(path.find_last_not_of(' ') + 1);
    return path;
}

Outcome grow(int32_t file, const std::string& path)
{
    Outcome out;
    FileSlot* slot = loaded_slot(file);
    FollowState& st = follow_state(file);
    if (!slot || !st.valid || st.block != slot->block.get() || st.nvar != slot->nvar || st.path != path) {
        out.status = ZAN_STATUS_RELOAD;
        return out;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.status = errno != 0 ? errno : ENOENT;
        return out;
    }
    struct stat facts{};
    if (::fstat(fd, &facts) != 0) {
        out.status = errno;
    } else if (!S_ISREG(facts.st_mode)) {
        out.status = EISDIR;
    } else if (static_cast<uint64_t>(facts.st_dev) != st.device || static_cast<uint64_t>(facts.st_ino) != st.inode ||
               static_cast<uint64_t>(facts.st_size) < st.at.seen || !same_edges(st, fd)) {
        out.status = ZAN_STATUS_RELOAD;
    } else if (const uint64_t now = static_cast<uint64_t>(facts.st_size);
               now > st.at.seen || (st.at.offset < now && !st.at.provisional)) {
        // Something to read: bytes appended, or bytes after the resume point
        // that were left at the last call.
        const bool grew = now > st.at.seen;
        VarTables& vars = *var_tables(file);
        Undo undo(*slot, vars, st);
        if (st.at.provisional && grew) take_back(*slot, vars, st);
        SampleSink sink(*slot, vars);
        Window w(fd, now);
        switch (st.layout) {
        case FileLayout::Stream: read_stream(st, *slot, sink, w, out); break;
        case FileLayout::Record: read_records(st, *slot, sink, w, out); break;
        case FileLayout::Text: read_lines(st, *slot, sink, w, !grew, out); break;
        }
        st.block = slot->block.get();
        if (out.status == ZAN_STATUS_RELOAD) {
            undo.restore();
            out.added = 0;
        } else {
            st.at.seen = now;
            if (!remember_edges(st, fd)) st.valid = false;
            if (out.added > 0) mark_changed();
        }
    }
    ::close(fd);
    return out;
}

}  // namespace

}  // namespace zan

extern "C" ZAN_EXPORT void dgrow(int32_t* file, const int32_t* path, int32_t* nstored, int32_t* added,
                                 int32_t* status)
{
    using namespace zan;
    *added = 0;
    Outcome out;
    try {
        out = grow(*file, path_text(path));
    } catch (...) {
        out.status = ENOMEM;
    }
    if (out.status == ZAN_STATUS_RELOAD && *file >= 1 && *file <= kMaxFiles) follow_state(*file).valid = false;
    const FileSlot* slot = loaded_slot(*file);
    *nstored = slot ? std::min(slot->stored, slot->capacity) : 0;
    *added = out.added;
    *status = out.status;
}
