// dgrow: reads the rows a loaded file gained since its load (or since the
// last dgrow) into its block, with the load's step. The bytes already read
// are recognised by the file's identity, its first bytes and the bytes right
// before the resume point; anything else than appended bytes asks for a new
// load. Only complete rows are stored: a text line without its line end, or
// the short end of a binary row or record, waits for the next call, and a
// last row that a load read from a line without its line end is taken back
// until that line is complete.
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
    if (st.discard > 0) {
        --st.discard;
        return true;
    }
    if (!room_for_sample(slot)) return false;
    sink.store(value_of);
    st.discard = st.step - 1;
    ++out.added;
    return true;
}

void read_stream(FollowState& st, FileSlot& slot, SampleSink& sink, Window& w, Outcome& out)
{
    const std::size_t row = st.row_bytes;
    while (w.need(st.offset, row)) {
        const char* p = w.at(st.offset);
        const bool stored = st.value_size == 8
                                ? take(st, slot, sink, [p](int32_t v) { return load_le<double>(p + 8 * v); }, out)
                                : take(st, slot, sink, [p](int32_t v) { return double(load_le<float>(p + 4 * v)); }, out);
        if (!stored) {
            out.status = ENOMEM;
            return;
        }
        st.offset += row;
    }
    if (w.error()) out.status = w.error();
}

void read_records(FollowState& st, FileSlot& slot, SampleSink& sink, Window& w, Outcome& out)
{
    for (;;) {
        if (!w.need(st.offset, 4)) break;
        const int32_t len = load_le<int32_t>(w.at(st.offset));
        if (len < 0 || static_cast<std::size_t>(len) < st.row_bytes) {
            out.status = ZAN_STATUS_RELOAD;
            return;
        }
        const uint64_t trailer = st.offset + 4 + static_cast<uint64_t>(len);
        if (trailer + 4 > w.file_size()) break;  // the record is still being written
        if (!w.need(trailer, 4)) break;
        if (load_le<int32_t>(w.at(trailer)) != len) {
            out.status = ZAN_STATUS_RELOAD;
            return;
        }
        if (!w.need(st.offset + 4, st.row_bytes)) break;
        const char* p = w.at(st.offset + 4);
        if (!take(st, slot, sink, [p](int32_t v) { return double(load_le<float>(p + 4 * v)); }, out)) {
            out.status = ENOMEM;
            return;
        }
        st.offset = trailer + 4;
    }
    if (w.error()) out.status = w.error();
}

void read_lines(FollowState& st, FileSlot& slot, SampleSink& sink, Window& w, Outcome& out)
{
    static std::array<double, kMaxVars> row;
    while (st.offset < w.file_size()) {
        if (!w.need(st.offset, 1)) break;
        const char* p = w.at(st.offset);
        std::size_t n = w.buffered(st.offset);
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', n));
        if (!nl) {
            // The line is still being written, or is longer than a window:
            // read it again from its start with a window that holds all of it.
            if (st.offset + n >= w.file_size()) break;
            if (n >= (std::size_t{64} << 20)) {
                out.status = ZAN_STATUS_RELOAD;
                return;
            }
            if (!w.need(st.offset, std::min<uint64_t>(2 * n, w.file_size() - st.offset))) break;
            continue;
        }
        std::string_view line(p, static_cast<std::size_t>(nl - p));
        const uint64_t next = st.offset + line.size() + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, kLineLen);
        if (st.discard > 0) {
            --st.discard;
        } else if (csv::read_row(line, slot.nvar, row.data())) {
            if (!take(st, slot, sink, [](int32_t v) { return row[static_cast<std::size_t>(v)]; }, out)) {
                out.status = ENOMEM;
                return;
            }
        }
        st.offset = next;
    }
    if (w.error()) out.status = w.error();
}

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
    std::string head, tail;
    const uint64_t checked = st.head.size();
    if (::fstat(fd, &facts) != 0) {
        out.status = errno;
    } else if (!S_ISREG(facts.st_mode)) {
        out.status = EISDIR;
    } else if (static_cast<uint64_t>(facts.st_dev) != st.device || static_cast<uint64_t>(facts.st_ino) != st.inode ||
               static_cast<uint64_t>(facts.st_size) < st.offset || !read_at(fd, 0, checked, head) ||
               !read_at(fd, st.offset - st.tail.size(), st.tail.size(), tail) || head != st.head ||
               tail != st.tail) {
        out.status = ZAN_STATUS_RELOAD;
    } else {
        Window w(fd, static_cast<uint64_t>(facts.st_size));
        VarTables& vars = *var_tables(file);
        if (st.provisional) {
            // Read again from its line, which is stored only once it is complete.
            --slot->stored;
            recount_raw_ranges(*slot, vars);
            mark_changed();
            st.provisional = false;
        }
        SampleSink sink(*slot, vars);
        switch (st.layout) {
        case FileLayout::Stream: read_stream(st, *slot, sink, w, out); break;
        case FileLayout::Record: read_records(st, *slot, sink, w, out); break;
        case FileLayout::Text: read_lines(st, *slot, sink, w, out); break;
        }
        st.block = slot->block.get();
        if (out.status == ZAN_STATUS_RELOAD || !remember_edges(st, fd)) st.valid = false;
        if (out.added > 0) mark_changed();
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
