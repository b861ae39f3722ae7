// Where a load stopped in its file. The readers store rows in file order,
// the first and then every step-th, so the end of the last stored row can be
// worked out from the stored count: directly in the binary layouts, whose
// rows have one size, and in a text file by finding the line that holds the
// last stored sample, searching back from the end of the file.
#include "append_reader.h"
#include "byte_order.h"
#include "csv_fields.h"
#include "sample_sink.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zan {

namespace {

// A text file is searched back from its end in windows that double up to this.
constexpr uint64_t kLongestSearch = uint64_t{256} << 20;

class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool same_row(const FileSlot& slot, int32_t sample, const double* row)
{
    for (int32_t v = 1; v <= slot.nvar; ++v)
        if (slot.column(v)[sample - 1] != clean_value(row[v - 1])) return false;
    return true;
}

// Stream layout: the header's size from its integers, as the reader reads them.
bool start_stream(FollowState& st, const FileSlot& slot, int fd, uint64_t size)
{
    std::string head;
    if (!read_at(fd, 0, std::min<uint64_t>(size, 96), head) || head.size() < 84) return false;
    uint64_t header = 84;
    int64_t n = load_le<int32_t>(head.data() + 80);
    uint64_t width = 10;
    if (n == 0) {
        if (head.size() < 88) return false;
        n = load_le<int32_t>(head.data() + 84);
        header = 88;
        width = 20;
        if (n == 0) {
            if (head.size() < 96) return false;
            st.value_size = load_le<int32_t>(head.data() + 88) == 1 ? 8 : 4;
            n = load_le<int32_t>(head.data() + 92);
            header = 96;
            width = kNameLen;
        }
    }
    header += static_cast<uint64_t>(std::max<int64_t>(n, 0)) * width;
    if (std::max<int64_t>(n, 1) != slot.nvar) return false;
    st.row_bytes = static_cast<std::size_t>(slot.nvar) * static_cast<std::size_t>(st.value_size);
    if (slot.stored == 0) {
        st.offset = header;
    } else {
        const uint64_t rows = static_cast<uint64_t>(slot.stored - 1) * static_cast<uint64_t>(st.step) + 1;
        st.offset = header + rows * st.row_bytes;
        st.discard = st.step - 1;
    }
    return st.offset <= size;
}

// Record layout: rows in records of one length, the length checked at the
// last stored row.
bool start_record(FollowState& st, const FileSlot& slot, int fd, uint64_t size)
{
    std::string bytes;
    if (!read_at(fd, 0, 4, bytes)) return false;
    const int32_t first = load_le<int32_t>(bytes.data());
    if (first < 0) return false;
    const uint64_t header = 8 + static_cast<uint64_t>(first);
    st.row_bytes = static_cast<std::size_t>(slot.nvar) * 4;
    if (slot.stored == 0) {
        st.offset = header;
        return st.offset <= size;
    }
    if (!read_at(fd, header, 4, bytes)) return false;
    const int32_t len = load_le<int32_t>(bytes.data());
    if (len < 0 || static_cast<std::size_t>(len) < st.row_bytes) return false;
    const uint64_t record = static_cast<uint64_t>(len) + 8;
    const uint64_t last = header + static_cast<uint64_t>(slot.stored - 1) * static_cast<uint64_t>(st.step) * record;
    std::string lead, trail;
    if (!read_at(fd, last, 4, lead) || !read_at(fd, last + 4 + static_cast<uint64_t>(len), 4, trail)) return false;
    if (load_le<int32_t>(lead.data()) != len || load_le<int32_t>(trail.data()) != len) return false;
    st.offset = last + record;
    st.discard = st.step - 1;
    return true;
}

// Text layout without a stored sample: right after the names line.
bool start_text_at_names(FollowState& st, int fd, uint64_t size)
{
    std::string text;
    if (!read_at(fd, 0, static_cast<std::size_t>(std::min<uint64_t>(size, uint64_t{16} << 20)), text)) return false;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) return false;
        std::string_view line(text.data() + pos, nl - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, kLineLen);
        if (csv::header_field_count(line) >= st.nvar) {
            st.offset = nl + 1;
            return true;
        }
        pos = nl + 1;
    }
}

// Text layout: the last complete line that holds the last stored sample.
// When the line of the sample before it is met first, the last sample came
// from a line that has changed since (it was still being written) and is
// taken back.
bool start_text(FollowState& st, FileSlot& slot, VarTables& vars, int fd, uint64_t size)
{
    if (slot.stored == 0) return start_text_at_names(st, fd, size);
    static std::array<double, kMaxVars> row;
    std::string text;
    for (uint64_t window = uint64_t{1} << 20;; window *= 2) {
        const uint64_t from = size > window ? size - window : 0;
        if (!read_at(fd, from, static_cast<std::size_t>(size - from), text)) return false;
        // Only lines with a line end count; the first one is whole only at the file start.
        std::size_t end = text.rfind('\n');
        const std::size_t open = end == std::string::npos ? 0 : end + 1;
        if (open < text.size() && (open > 0 || from == 0)) {
            std::string_view line(text.data() + open, text.size() - open);
            line = line.substr(0, kLineLen);
            if (csv::read_row(line, slot.nvar, row.data()) && same_row(slot, slot.stored, row.data())) {
                st.offset = from + open;
                st.provisional = true;
                return true;
            }
        }
        while (end != std::string::npos) {
            const std::size_t prev = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
            if (prev == std::string::npos && from > 0) break;
            const std::size_t start = prev == std::string::npos ? 0 : prev + 1;
            std::string_view line(text.data() + start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            line = line.substr(0, kLineLen);
            if (csv::read_row(line, slot.nvar, row.data())) {
                const bool last = same_row(slot, slot.stored, row.data());
                const bool before = !last && slot.stored > 1 && same_row(slot, slot.stored - 1, row.data());
                if (before) {
                    --slot.stored;
                    recount_raw_ranges(slot, vars);
                    mark_changed();
                }
                if (last || before) {
                    st.offset = from + end + 1;
                    st.discard = st.step - 1;
                    return true;
                }
            }
            if (prev == std::string::npos) break;
            end = prev;
        }
        if (from == 0 || window >= kLongestSearch) return false;
    }
}

}  // namespace

FollowState& follow_state(int32_t file)
{
    static std::array<FollowState, kMaxFiles> states;
    return states[static_cast<std::size_t>(std::clamp(file, 1, kMaxFiles) - 1)];
}

bool layout_from_path(const std::string& path, FileLayout& layout)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1, 3);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    layout = ext == "BIN" ? FileLayout::Stream : ext == "CSV" ? FileLayout::Text : FileLayout::Record;
    return true;
}

void forget_follow(int32_t file)
{
    if (file >= 1 && file <= kMaxFiles) follow_state(file) = FollowState{};
}

bool note_loaded(int32_t file, const std::string& path, int32_t step, int status)
{
    forget_follow(file);
    FileSlot* slot = loaded_slot(file);
    if (!slot || slot->nvar <= 0 || (status != 0 && status != -1)) return false;
    const int32_t stored = slot->stored;
    FollowState st;
    st.path = path;
    st.nvar = slot->nvar;
    st.step = std::max(step, int32_t{1});
    if (!layout_from_path(path, st.layout)) return false;
    OpenFile in(path);
    struct stat facts{};
    if (in.fd() < 0 || ::fstat(in.fd(), &facts) != 0 || !S_ISREG(facts.st_mode)) return false;
    st.device = static_cast<uint64_t>(facts.st_dev);
    st.inode = static_cast<uint64_t>(facts.st_ino);
    const uint64_t size = static_cast<uint64_t>(facts.st_size);
    bool found = false;
    switch (st.layout) {
    case FileLayout::Stream: found = start_stream(st, *slot, in.fd(), size); break;
    case FileLayout::Record: found = start_record(st, *slot, in.fd(), size); break;
    case FileLayout::Text: found = start_text(st, *slot, *var_tables(file), in.fd(), size); break;
    }
    if (found && remember_edges(st, in.fd())) {
        st.block = slot->block.get();
        st.valid = true;
        follow_state(file) = std::move(st);
    }
    return slot->stored != stored;
}

bool read_at(int fd, uint64_t offset, std::size_t n, std::string& out)
{
    out.resize(n);
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, out.data() + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        got += static_cast<std::size_t>(r);
    }
    return true;
}

bool remember_edges(FollowState& st, int fd)
{
    const std::size_t head = static_cast<std::size_t>(std::min<uint64_t>(st.offset, kCheckBytes));
    return read_at(fd, 0, head, st.head) && read_at(fd, st.offset - head, head, st.tail);
}

void recount_raw_ranges(FileSlot& slot, VarTables& vars)
{
    for (int32_t v = 1; v <= slot.nvar; ++v) {
        double hi = kInitMax;
        double lo = kInitMin;
        const double* column = slot.column(v);
        for (int32_t s = 0; s < slot.stored; ++s) {
            hi = std::max(hi, column[s]);
            lo = std::min(lo, column[s]);
        }
        vars.rawmax[static_cast<std::size_t>(v - 1)] = hi;
        vars.rawmin[static_cast<std::size_t>(v - 1)] = lo;
    }
}

bool room_for_sample(FileSlot& slot)
{
    return slot.stored < slot.capacity || enlarge_block(slot);
}

}  // namespace zan
