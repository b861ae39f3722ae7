// zan-grow-stress: loads data files while they grow, the way the viewer
// follows a running simulation, and checks every load.
//
// A writer appends the rows of a comma-separated file and of two binary
// files (stream and record layout) at arbitrary byte boundaries, stopping
// in the middle of rows and now and then cutting the file back; a reader
// loads the file again and again. Every stored row must equal a row that was
// written, in order; only the last line of a text file may hold less, when
// that line has no line end yet (a plain load cannot tell it from a finished
// file whose last line lacks one). Binary files never store part of a row.
// Statuses are those of a normal load: 0 or -1, and -1 without variables
// while the header is incomplete.
//
// Two passes per layout: one in step (the writer appends, then the reader
// loads, so each load sees a known prefix and the counts are exact) and one
// with the writer on its own thread. There a load that overlaps a cut is not
// held to the written values: a read racing a truncation can return the
// cleared bytes of the cut-off tail even below the size it saw, whoever
// reads, so only its status and counts are checked.
#include "zan.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: zan-grow-stress [--loads N] [--seed S] [FOLDER]\n"
    "\n"
    "Writes growing data files into FOLDER (a fresh temporary folder by\n"
    "default) and loads each N times (default 300) in step with the writer and\n"
    "N times while the writer runs on its own. Prints the counts; exit status 1\n"
    "when any load broke a rule, 2 on a usage error.\n";

constexpr int kVars = 3;
constexpr int kRows = 1500;

enum class Layout { Csv, Stream, Record };

const char* extension(Layout l) { return l == Layout::Csv ? "csv" : l == Layout::Stream ? "bin" : "dat"; }

// Everything that will be written, and where each row ends.
struct Content {
    std::string bytes;
    std::size_t header_end = 0;             // first byte after the header
    std::vector<std::size_t> row_end;       // first byte after row k (its line end included)
    std::vector<std::vector<std::string>> texts;  // text layout: the fields as written
    std::vector<std::vector<double>> values;      // the values a complete row stores
};

void put_i32(std::string& out, int32_t v)
{
    char b[4];
    std::memcpy(b, &v, 4);  // little-endian machines only, like the files
    out.append(b, 4);
}

void put_f32(std::string& out, float v)
{
    char b[4];
    std::memcpy(b, &v, 4);
    out.append(b, 4);
}

Content make_content(Layout layout, std::mt19937& gen)
{
    Content c;
    std::uniform_int_distribution<int> count(0, 99999);
    std::uniform_real_distribution<double> real(-5000.0, 5000.0);
    const char* names[kVars] = {"time", "count", "level"};
    if (layout == Layout::Csv) {
        c.bytes = "# growing run\ntime,count,level\n";
    } else if (layout == Layout::Stream) {
        c.bytes = std::string("growing run").append(69, ' ');
        put_i32(c.bytes, kVars);
        for (const char* n : names) c.bytes += std::string(n).append(10 - std::strlen(n), ' ');
    } else {
        std::string text = " ## time count level";
        std::string rec;
        put_i32(rec, static_cast<int32_t>(text.size()));
        put_i32(rec, kVars);
        rec += text;
        put_i32(c.bytes, static_cast<int32_t>(rec.size()));
        c.bytes += rec;
        put_i32(c.bytes, static_cast<int32_t>(rec.size()));
    }
    c.header_end = c.bytes.size();
    for (int r = 0; r < kRows; ++r) {
        char a[32], b[32], d[32];
        std::snprintf(a, sizeof a, "%.2f", r * 0.25);
        std::snprintf(b, sizeof b, "%d", count(gen));
        std::snprintf(d, sizeof d, "%.6g", real(gen));
        std::vector<std::string> fields = {a, b, d};
        std::vector<double> row;
        for (const std::string& f : fields) {
            const double v = std::strtod(f.c_str(), nullptr);
            row.push_back(layout == Layout::Csv ? v : static_cast<double>(static_cast<float>(v)));
        }
        if (layout == Layout::Csv) {
            c.bytes += fields[0] + "," + fields[1] + "," + fields[2] + (r % 3 == 0 ? "\r\n" : "\n");
        } else {
            std::string rec;
            for (double v : row) put_f32(rec, static_cast<float>(v));
            if (layout == Layout::Record) put_i32(c.bytes, static_cast<int32_t>(rec.size()));
            c.bytes += rec;
            if (layout == Layout::Record) put_i32(c.bytes, static_cast<int32_t>(rec.size()));
        }
        c.row_end.push_back(c.bytes.size());
        c.texts.push_back(fields);
        c.values.push_back(row);
    }
    return c;
}

struct Counts {
    long loads = 0;
    long rows_checked = 0;
    long half_rows = 0;       // loads whose last stored row was an unfinished text line
    long header_loads = 0;    // loads while the header was incomplete
    long truncations = 0;
    long cut_loads = 0;       // loads during a cut: values not compared
    long failures = 0;
};

// Cuts the writer has begun and ended, so that a load can tell whether one
// was under way while it ran.
struct CutWatch {
    std::atomic<long> begun{0};
    std::atomic<long> ended{0};
};

struct Load {
    int32_t status = 0, nvar = 0, nstored = 0;
};

Load load(const std::string& path)
{
    int32_t done = 0;
    dclos(&done);
    std::vector<int32_t> codes(ZAN_PATH_LEN, ' ');
    for (std::size_t i = 0; i < path.size() && i < codes.size(); ++i) codes[i] = static_cast<unsigned char>(path[i]);
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    int32_t title[ZAN_NAME_LEN];
    int32_t file = 1, nrows = 0, step = 1, close = 0;
    Load r;
    dopen(&file, codes.data(), names.data(), title, &r.nvar, &r.nstored, &nrows, &step, &r.status, &close);
    return r;
}

double stored(int32_t sample, int32_t var)
{
    int32_t file = 1;
    double v = 0;
    ddata(&file, &sample, &var, &v);
    return v;
}

// True when v is what some leading part of text reads as.
bool read_from_a_prefix(const std::string& text, double v)
{
    for (std::size_t n = 1; n <= text.size(); ++n)
        if (std::strtod(text.substr(0, n).c_str(), nullptr) == v) return true;
    return false;
}

// Checks one load. known_size >= 0: the file held exactly that many bytes
// during the load; -1: the writer may have been anywhere.
void check(Layout layout, const Content& c, const Load& r, long known_size, Counts& n, const char* pass,
           bool values = true)
{
    ++n.loads;
    auto fail = [&](const char* what) {
        ++n.failures;
        if (n.failures <= 10)
            std::fprintf(stderr, "%s %s load %ld: %s (status %d, %d variables, %d rows, size %ld)\n",
                         extension(layout), pass, n.loads, what, r.status, r.nvar, r.nstored, known_size);
    };
    const bool header_known = known_size >= 0 && static_cast<std::size_t>(known_size) < c.header_end;
    if (header_known) ++n.header_loads;
    if (r.nvar != kVars || header_known) {
        // A header still being written: no rows; the binary layouts refuse
        // it, a text file takes the part of its names line as names.
        if (r.nstored != 0) fail("rows stored before the header was complete");
        if (layout != Layout::Csv && (r.nvar != 0 || r.status != -1) && header_known)
            fail("incomplete binary header not refused");
        if (layout != Layout::Csv && !header_known && r.nvar != 0) fail("variable count");
        if (layout == Layout::Csv && r.nvar == 0 && r.status != -1) fail("status of an empty text file");
        return;
    }
    if (r.status != 0 && r.status != -1) fail("status of a normal load");
    if (r.nvar != kVars) fail("variable count");
    if (r.nstored > kRows) fail("more rows than were written");
    std::size_t complete = 0;  // rows whose every byte (line end included) was in the file
    if (known_size >= 0)
        while (complete < c.row_end.size() && c.row_end[complete] <= static_cast<std::size_t>(known_size)) ++complete;
    if (!values) ++n.cut_loads;
    for (int32_t s = 1; values && s <= r.nstored && s <= kRows; ++s) {
        const auto& want = c.values[static_cast<std::size_t>(s - 1)];
        const bool last = s == r.nstored;
        const bool unfinished = known_size >= 0 ? static_cast<std::size_t>(s) > complete : last;
        bool equal = true;
        for (int32_t v = 1; v <= kVars; ++v) equal = equal && stored(s, v) == want[static_cast<std::size_t>(v - 1)];
        ++n.rows_checked;
        if (equal) continue;
        if (layout != Layout::Csv || !last || !unfinished) {
            fail("a stored row differs from the written row");
            break;
        }
        // The unfinished last line: complete fields, then a cut one.
        const auto& text = c.texts[static_cast<std::size_t>(s - 1)];
        bool partial_ok = true;
        for (int32_t v = 1; v <= kVars && partial_ok; ++v) {
            const double got = stored(s, v);
            partial_ok = got == want[static_cast<std::size_t>(v - 1)] ||
                         read_from_a_prefix(text[static_cast<std::size_t>(v - 1)], got);
        }
        if (!partial_ok) fail("the unfinished last line is not a part of the written line");
        ++n.half_rows;
    }
    if (known_size >= 0) {
        // In step: every complete row is there; a text file may add the unfinished line.
        const std::size_t extra = layout == Layout::Csv ? 1 : 0;
        if (static_cast<std::size_t>(r.nstored) < complete || static_cast<std::size_t>(r.nstored) > complete + extra)
            fail("stored count against the complete rows");
    }
}

class Writer {
public:
    Writer(const std::string& path, const Content& c) : c_(c)
    {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    ~Writer()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    std::size_t size() const { return size_; }
    bool done() const { return size_ >= c_.bytes.size(); }

    // Appends up to a few rows' worth of bytes, ending anywhere; now and
    // then cuts the file back first. Returns false on a write error.
    bool step(std::mt19937& gen, Counts& n, CutWatch* watch = nullptr)
    {
        const bool cut = std::uniform_int_distribution<int>(0, 29)(gen) == 0 && size_ > 0;
        if (cut) {
            if (watch) ++watch->begun;
            const std::size_t back = std::uniform_int_distribution<std::size_t>(1, std::min<std::size_t>(size_, 80))(gen);
            size_ -= back;
            if (::ftruncate(fd_, static_cast<off_t>(size_)) != 0) return false;
            ++n.truncations;
        }
        std::size_t len = std::uniform_int_distribution<std::size_t>(0, 60)(gen);
        len = std::min(len, c_.bytes.size() - size_);
        const bool written =
            ::pwrite(fd_, c_.bytes.data() + size_, len, static_cast<off_t>(size_)) == static_cast<ssize_t>(len);
        if (cut && watch) ++watch->ended;
        if (!written) return false;
        size_ += len;
        return true;
    }

private:
    const Content& c_;
    int fd_ = -1;
    std::size_t size_ = 0;
};

void print(const char* ext, const char* pass, const Counts& n)
{
    std::printf("%s %-8s %5ld loads, %8ld rows checked, %4ld unfinished last lines stored, %3ld loads during the "
                "header, %4ld cuts (%ld loads during one), %ld failures\n",
                ext, pass, n.loads, n.rows_checked, n.half_rows, n.header_loads, n.truncations, n.cut_loads,
                n.failures);
}

}  // namespace

int main(int argc, char** argv)
{
    long loads = 300;
    unsigned seed = 2026;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--loads" || a == "--seed") && i + 1 < argc) {
            const long v = std::strtol(argv[++i], nullptr, 10);
            if (v <= 0) {
                std::fputs(kUsage, stderr);
                return 2;
            }
            if (a == "--loads") loads = v;
            else seed = static_cast<unsigned>(v);
        } else if (!a.empty() && a[0] != '-' && folder.empty()) {
            folder = a;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    const bool own_folder = folder.empty();
    if (own_folder) folder = (fs::temp_directory_path() / ("zan_grow_" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);

    long failures = 0;
    for (Layout layout : {Layout::Csv, Layout::Stream, Layout::Record}) {
        std::mt19937 gen(seed);
        const Content content = make_content(layout, gen);
        const std::string path = (fs::path(folder) / (std::string("growing.") + extension(layout))).string();

        Counts in_step;
        {
            Writer w(path, content);
            if (!w.ok()) return 1;
            for (long k = 0; k < loads; ++k) {
                if (!w.step(gen, in_step)) return 1;
                check(layout, content, load(path), static_cast<long>(w.size()), in_step, "in step");
            }
        }
        print(extension(layout), "in step", in_step);

        Counts apart;
        {
            Writer w(path, content);
            if (!w.ok()) return 1;
            std::atomic<bool> stop{false};
            std::atomic<bool> broken{false};
            std::atomic<long> loaded{0};
            CutWatch cuts;
            std::thread writer([&] {
                std::mt19937 wgen(seed + 1);
                Counts wn;
                // A few steps per load on average, at moments of their own,
                // however fast the loads are.
                for (long steps = 0; !stop && !w.done(); ++steps) {
                    while (!stop && steps > 3 * (loaded + 1)) std::this_thread::sleep_for(std::chrono::microseconds(50));
                    if (!w.step(wgen, wn, &cuts)) broken = true;
                    std::this_thread::sleep_for(std::chrono::microseconds(wgen() % 200));
                }
                apart.truncations = wn.truncations;
            });
            for (long k = 0; k < loads; ++k) {
                const long begunBefore = cuts.begun;
                const bool calmBefore = cuts.ended == begunBefore;
                const Load r = load(path);
                const bool calm = calmBefore && cuts.begun == begunBefore;
                check(layout, content, r, -1, apart, "apart", calm);
                ++loaded;
            }
            stop = true;
            writer.join();
            if (broken) return 1;
        }
        print(extension(layout), "apart", apart);
        failures += in_step.failures + apart.failures;
    }
    int32_t done = 0;
    dclos(&done);
    if (own_folder) fs::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
