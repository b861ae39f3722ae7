// Follows a generated file the way the viewer follows a running simulation:
// a first part is loaded, the rest is appended in chunks cut anywhere (inside
// lines, rows and records, between CR and LF), and dgrow reads after every
// chunk. After every call the followed file holds exactly what a fresh load
// of the file as it stands holds, and every range query answers as a scan of
// its samples does; or the call asks for a new load, which must then be due
// (the file cannot be followed, its first lines now give another variable
// count, a record is broken) and leave the slot as it was. At the end the
// file is cut, shrunk, rewritten in place or replaced, and the next call must
// ask for a new load.
//
// The input: a layout byte; a byte of step and ways (loads on several
// threads, cuts around every CR, after every byte, memory too short to grow);
// a byte of the ending and a word for it; a chunk count and a word per chunk
// end; then the file.
#include "append_reader.h"
#include "csv_fields.h"
#include "differential.h"
#include "load_hooks.h"
#include "store.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace {

using namespace zan::fuzz;

constexpr std::size_t kMostCuts = 160;

struct Grown {
    int32_t nstored = 0, added = 0, status = 0;
};

struct Follow {
    int layout = 0;
    std::string path;
    std::string written;          // the file as it is now
    Loaded loaded;                // the load being followed
    bool followable = false;
    std::size_t looked = 0;       // the file's size at the last load or dgrow
    bool short_of_memory = false;
};

bool text(const Follow& fo)
{
    return fo.layout == 1;
}

Grown grow(const Follow& fo)
{
    Grown g;
    int32_t file = 1;
    std::vector<int32_t> codes(ZAN_PATH_LEN, ' ');
    for (std::size_t i = 0; i < fo.path.size(); ++i) codes[i] = static_cast<unsigned char>(fo.path[i]);
    dgrow(&file, codes.data(), &g.nstored, &g.added, &g.status);
    return g;
}

// Whether a load of `bytes` can be followed: it has variables and ended
// normally, and a text file's names line (the first with as many fields as
// the variable count) has its line end.
bool can_follow(const Loaded& r, const Follow& fo, const std::string& bytes)
{
    if (r.nvar <= 0 || (r.status != 0 && r.status != -1)) return false;
    if (!text(fo)) return true;
    for (std::size_t pos = 0;;) {
        const std::size_t nl = bytes.find('\n', pos);
        std::string_view line(bytes.data() + pos, (nl == std::string::npos ? bytes.size() : nl) - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = line.substr(0, ZAN_LINE_LEN);
        if (zan::csv::header_field_count(line) >= r.nvar) return nl != std::string::npos;
        if (nl == std::string::npos) return false;
        pos = nl + 1;
    }
}

// Whether the records of a record-layout file break their framing before
// the file ends: a length that is negative, too short for a row of nvar
// singles, or unlike the one after the record. A load stops there with an
// error, however short its row count estimate makes it.
bool broken_record(const std::string& bytes, int32_t nvar)
{
    auto length_at = [&](std::size_t at, int32_t& len) {
        if (at + 4 > bytes.size()) return false;
        std::memcpy(&len, bytes.data() + at, 4);
        return true;
    };
    int32_t len = 0;
    if (!length_at(0, len) || len < 0) return false;
    for (std::size_t at = 8 + static_cast<std::size_t>(len);;) {
        if (!length_at(at, len)) return false;
        if (len < 0 || static_cast<int64_t>(len) < int64_t{4} * nvar) return true;
        int32_t trailer = 0;
        if (!length_at(at + 4 + static_cast<std::size_t>(len), trailer)) return false;
        if (trailer != len) return true;
        at += 8 + static_cast<std::size_t>(len);
    }
}

// Makes the block as large as it is now the most memory may give, so that
// growing it fails.
void limit_memory(Follow& fo)
{
    if (!fo.short_of_memory) return;
    const zan::FileSlot* slot = zan::loaded_slot(1);
    zan::hooks::memory_limit =
        slot ? uint64_t{8} * static_cast<uint64_t>(slot->nvar) * static_cast<uint64_t>(slot->capacity) : 0;
}

// A new load of the file as it is, as the viewer does when asked to.
void reload(Follow& fo, int32_t step)
{
    close_all();
    zan::hooks::memory_limit.reset();
    fo.loaded = load(1, fo.path, step);
    fo.followable = can_follow(fo.loaded, fo, fo.written);
    EXPECT(zan::follow_state(1).valid == fo.followable);
    fo.looked = fo.written.size();
    if (fo.loaded.nvar > 0) check_queries(1, loaded_vars(fo.loaded));
    limit_memory(fo);
}

struct Reference {
    Loaded r;
    int32_t every = 1;  // followed sample k is sample (k - 1) * every + 1 of the reference
};

// A fresh load of `bytes` into the next file number, with the followed
// step and room for all rows: a load stops at the capacity its row count
// gives, while following goes on. A text file gets comment lines added; a
// binary one is loaded without a step and every step-th row is compared.
Reference fresh(const Follow& fo, std::string bytes)
{
    Reference ref;
    const int32_t step = std::max(fo.loaded.step, int32_t{1});
    if (step > 1 && text(fo)) {
        if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';
        for (int32_t i = 0; i < step; ++i) bytes += "#\n";
    }
    const std::string path = (work_folder() / (std::string("fresh.") + kExtensions[fo.layout])).string();
    if (!write_file(path, bytes)) std::abort();
    const std::optional<uint64_t> memory = zan::hooks::memory_limit;
    zan::hooks::memory_limit.reset();
    ref.every = text(fo) ? 1 : step;
    ref.r = load(zan::store().loaded + 1, path, text(fo) ? step : 1);
    zan::hooks::memory_limit = memory;
    return ref;
}

// The followed file against the reference: the same variables and names,
// the same samples (only the first ones while memory is short), and ranges
// as scanned.
void compare(const Follow& fo, const Reference& ref, bool first_ones)
{
    check_queries(1, loaded_vars(fo.loaded));
    // A call stopped short of memory has not yet looked at the lines that
    // may give the file another variable count.
    if (first_ones && (ref.r.nvar != fo.loaded.nvar || ref.r.names != fo.loaded.names)) return;
    EXPECT(ref.r.nvar == fo.loaded.nvar && ref.r.names == fo.loaded.names);
    const int32_t n = stored_count(1);
    const int32_t m = stored_count(ref.r.file);
    const int32_t due = (m + ref.every - 1) / ref.every;
    EXPECT(first_ones ? n <= due : n == due);
    for (int32_t v = 1; v <= loaded_vars(fo.loaded); ++v)
        for (int32_t s = 1; s <= n; ++s) EXPECT(value(1, s, v) == value(ref.r.file, (s - 1) * ref.every + 1, v));
}

// What a call that asks for a new load must leave as it was.
struct Snapshot {
    std::vector<double> values;
    explicit Snapshot(const Follow& fo)
    {
        const int32_t n = stored_count(1);
        values.push_back(n);
        for (int32_t v = 1; v <= std::min(loaded_vars(fo.loaded), kVarsChecked); ++v) {
            for (int32_t s = 1; s <= n; ++s) values.push_back(value(1, s, v));
            double up = 0, lo = 0, mag = 0;
            int32_t f = 1, var = v;
            drang(&f, &var, &up, &lo, &mag);
            values.push_back(up);
            values.push_back(lo);
        }
    }
    bool operator==(const Snapshot&) const = default;
};

// One dgrow and everything it must have done.
void look(Follow& fo)
{
    const Snapshot before(fo);
    const Grown g = grow(fo);
    const std::string& now = fo.written;
    const bool grew = now.size() > fo.looked;
    if (!fo.followable) {
        EXPECT(g.status == ZAN_STATUS_RELOAD);
        reload(fo, fo.loaded.step);
        return;
    }
    if (g.status == ZAN_STATUS_RELOAD) {
        EXPECT(Snapshot(fo) == before);
        const Reference full = fresh(fo, now);
        EXPECT(full.r.nvar != fo.loaded.nvar || full.r.names != fo.loaded.names ||
               (full.r.status != 0 && full.r.status != -1) ||
               (fo.layout == 2 && broken_record(now, fo.loaded.nvar)));
        reload(fo, fo.loaded.step);
        return;
    }
    EXPECT(g.status == 0 || (g.status == ENOMEM && fo.short_of_memory));
    EXPECT(g.nstored == stored_count(1) && g.added >= 0 && g.added <= g.nstored);
    // A text file that grew counts its lines with their ends only; the last
    // line without one is a row once a call finds the file unchanged.
    std::string counted = now;
    if (text(fo) && grew) {
        const std::size_t nl = now.rfind('\n');
        counted = nl == std::string::npos ? std::string() : now.substr(0, nl + 1);
    }
    compare(fo, fresh(fo, counted), g.status == ENOMEM);
    fo.looked = now.size();
}

void append(Follow& fo, const std::string& bytes)
{
    if (bytes.empty()) return;
    if (!write_file(fo.path, bytes, "ab")) std::abort();
    fo.written += bytes;
}

// The file changed otherwise than by growing: the next call asks for a new
// load and leaves the slot as it was.
void end_otherwise(Follow& fo, uint8_t kind, uint16_t where)
{
    const std::size_t size = fo.written.size();
    std::error_code ignored;
    switch (kind % 4) {
    case 1:
        if (size == 0) return;
        fo.written.resize(where % size);
        std::filesystem::resize_file(fo.path, fo.written.size(), ignored);
        break;
    case 2: {
        if (size == 0) return;
        // Within the first bytes, which every call compares.
        const std::size_t at = where % std::min<std::size_t>(size, zan::kCheckBytes);
        fo.written[at] = static_cast<char>(fo.written[at] ^ (1 + (where >> 12)));
        std::FILE* f = std::fopen(fo.path.c_str(), "r+b");
        if (!f) std::abort();
        std::fseek(f, static_cast<long>(at), SEEK_SET);
        std::fputc(static_cast<unsigned char>(fo.written[at]), f);
        std::fclose(f);
        break;
    }
    case 3:
        if (!write_file(fo.path + ".new", fo.written + fo.written.substr(0, where % (size + 1)))) std::abort();
        std::filesystem::rename(fo.path + ".new", fo.path, ignored);
        break;
    default: return;
    }
    const Snapshot before(fo);
    EXPECT(grow(fo).status == ZAN_STATUS_RELOAD);
    EXPECT(Snapshot(fo) == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Plan plan(data, size);
    Follow fo;
    fo.layout = plan.byte() % 3;
    const uint8_t ways = plan.byte();
    const uint8_t ending = plan.byte();
    const uint16_t ending_where = plan.word();
    std::vector<uint16_t> ends(plan.byte() % 16);
    for (uint16_t& e : ends) e = plan.word();
    const std::string file = plan.rest();

    const int32_t step = 1 + (ways & 3);
    std::vector<std::size_t> cuts{file.size()};
    for (uint16_t e : ends) cuts.push_back(e % (file.size() + 1));
    if (ways & 8)
        for (std::size_t i = 0; i < file.size(); ++i)
            if (file[i] == '\r') {
                cuts.push_back(i);
                cuts.push_back(i + 1);
            }
    if ((ways & 16) && file.size() <= 96)
        for (std::size_t i = 0; i < file.size(); ++i) cuts.push_back(i);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    if (cuts.size() > kMostCuts) cuts.erase(cuts.begin(), cuts.end() - kMostCuts);
    fo.short_of_memory = (ways & 32) != 0;
    if (ways & 4) {
        zan::hooks::reader_threads = 2 + (ways >> 6);
        zan::hooks::chunk_bytes = 1 + (ending >> 2);
        zan::hooks::largest_buffer = 64;
    }

    fo.path = (work_folder() / (std::string("follow.") + kExtensions[fo.layout])).string();
    fo.written = file.substr(0, cuts.front());
    if (!write_file(fo.path, fo.written)) std::abort();
    reload(fo, step);
    for (std::size_t k = 1; k < cuts.size(); ++k) {
        append(fo, file.substr(cuts[k - 1], cuts[k] - cuts[k - 1]));
        look(fo);
    }
    // With memory enough again, a call that finds the file unchanged reads
    // whatever is left, the last line without its end included.
    fo.short_of_memory = false;
    zan::hooks::memory_limit.reset();
    look(fo);
    look(fo);
    end_otherwise(fo, ending, ending_where);

    zan::hooks::reader_threads.reset();
    zan::hooks::chunk_bytes.reset();
    zan::hooks::largest_buffer.reset();
    zan::hooks::memory_limit.reset();
    close_all();
    return 0;
}
