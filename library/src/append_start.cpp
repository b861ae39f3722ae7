// Where a load hands over to the following of its file: the place where
// its reading stopped, as the reader reports it, and the bytes that let a
// later call recognise the file again.
#include "append_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zan {

namespace {

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

// The three places whose bytes are kept: [first, first + size).
struct Edges {
    uint64_t head, tail_from, tail, end_from, end;
};

Edges edges_of(const StopPoint& at)
{
    const uint64_t tail = std::min<uint64_t>(at.offset, kCheckBytes);
    const uint64_t end_from = std::max(at.offset, at.seen > kCheckBytes ? at.seen - kCheckBytes : 0);
    return {std::min<uint64_t>(at.seen, kCheckBytes), at.offset - tail, tail, end_from, at.seen - end_from};
}

}  // namespace

FollowState& follow_state(int32_t file)
{
    static std::array<FollowState, kMaxFiles> states;
    return states[static_cast<std::size_t>(std::clamp(file, 1, kMaxFiles) - 1)];
}

void forget_follow(int32_t file)
{
    if (file >= 1 && file <= kMaxFiles) follow_state(file) = FollowState{};
}

bool note_loaded(int32_t file, const std::string& path, FileLayout layout, int32_t step, int status,
                 const StopPoint& stop)
{
    forget_follow(file);
    FileSlot* slot = loaded_slot(file);
    if (!slot || slot->nvar <= 0 || (status != 0 && status != -1) || !stop.followable || stop.offset > stop.seen)
        return false;
    FollowState st;
    st.layout = layout;
    st.path = path;
    st.nvar = slot->nvar;
    st.step = std::max(step, int32_t{1});
    st.at = stop;
    OpenFile in(path);
    struct stat facts{};
    if (in.fd() < 0 || ::fstat(in.fd(), &facts) != 0 || !S_ISREG(facts.st_mode)) return false;
    st.device = static_cast<uint64_t>(facts.st_dev);
    st.inode = static_cast<uint64_t>(facts.st_ino);
    const uint64_t size = static_cast<uint64_t>(facts.st_size);
    // Shorter than when it was read: only a new load tells what it holds.
    if (size < stop.seen) return false;
    bool taken = false;
    if (st.at.provisional && size > st.at.seen) {
        take_back(*slot, *var_tables(file), st);
        taken = true;
    }
    if (remember_edges(st, in.fd())) {
        st.block = slot->block.get();
        st.valid = true;
        follow_state(file) = std::move(st);
    }
    return taken;
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
    const Edges e = edges_of(st.at);
    return read_at(fd, 0, e.head, st.head) && read_at(fd, e.tail_from, e.tail, st.tail) &&
           read_at(fd, e.end_from, e.end, st.end);
}

bool same_edges(const FollowState& st, int fd)
{
    const Edges e = edges_of(st.at);
    std::string bytes;
    return read_at(fd, 0, e.head, bytes) && bytes == st.head && read_at(fd, e.tail_from, e.tail, bytes) &&
           bytes == st.tail && read_at(fd, e.end_from, e.end, bytes) && bytes == st.end;
}

void take_back(FileSlot& slot, VarTables& vars, FollowState& st)
{
    --slot.stored;
    if (st.hi_before.size() == static_cast<std::size_t>(slot.nvar) && st.lo_before.size() == st.hi_before.size()) {
        std::copy(st.hi_before.begin(), st.hi_before.end(), vars.rawmax.begin());
        std::copy(st.lo_before.begin(), st.lo_before.end(), vars.rawmin.begin());
    } else {
        recount_raw_ranges(slot, vars);
    }
    slot.extremes.forget_from(slot.stored);
    st.at.provisional = false;
    st.hi_before.clear();
    st.lo_before.clear();
    mark_changed();
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
