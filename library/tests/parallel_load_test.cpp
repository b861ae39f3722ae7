// Loading with several threads must give exactly what loading with one gives:
// every file is loaded once single-threaded and then again with 2 and 8
// threads, cut into pieces of a few bytes so that every piece boundary,
// rejected line and step meets the splitting, and the whole store is compared.
#include "loader_fixture.h"

#include <cstring>
#include <filesystem>
#include <functional>

namespace zan::testfiles {
namespace {

using namespace std::string_literals;

bool operator==(const Loaded& a, const Loaded& b)
{
    return a.nvar == b.nvar && a.nstored == b.nstored && a.nrows == b.nrows && a.step == b.step &&
           a.status == b.status && a.close_status == b.close_status && a.title == b.title && a.names == b.names;
}

// Everything a load leaves behind: the caller's results and the slot.
struct Snapshot {
    Loaded result;
    int32_t capacity = 0;
    int32_t stored = 0;
    std::vector<double> values;  // samples 1..stored of every variable
    std::vector<double> extremes;

    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Loaded& r)
{
    Snapshot s;
    s.result = r;
    const FileSlot* slot = loaded_slot(1);
    if (!slot) return s;
    s.capacity = slot->capacity;
    s.stored = slot->stored;
    for (int32_t v = 1; v <= slot->nvar; ++v) {
        s.values.insert(s.values.end(), slot->column(v), slot->column(v) + slot->stored);
        s.extremes.push_back(var_tables(1)->rawmax[static_cast<std::size_t>(v - 1)]);
        s.extremes.push_back(var_tables(1)->rawmin[static_cast<std::size_t>(v - 1)]);
    }
    return s;
}

// Data lines of n rows with a bad line now and then: a short one, text, a
// comment, an empty one, binary garbage.
std::string many_rows(int n, bool with_bad_lines)
{
    std::string text = "# written by a test\ntime,a,b\n";
    for (int i = 0; i < n; ++i) {
        text += std::to_string(i) + "," + std::to_string(i * 0.25) + "," + std::to_string(1000 - i * 3) + "e-2\n";
        if (!with_bad_lines) continue;
        if (i % 37 == 5) text += "1,2\n";
        if (i % 53 == 7) text += "x,y,z\n";
        if (i % 61 == 11) text += "% note\n";
        if (i % 71 == 13) text += "\n";
        if (i % 97 == 17) text += "\x01\xff,\0\x80,9\n"s;
    }
    return text;
}

struct CsvCase {
    const char* label;
    std::string text;
};

std::vector<CsvCase> csv_cases()
{
    std::string long_line(70000, '7');
    return {
        {"plain", "time,alt,speed\n0,100,5\n1,110.5,6\n2,121,7e0\n"},
        {"comments and blank lines first", "# made by a run\n% more\n   \nt,x\n1,2\n3,4\n5,6\n"},
        {"CR LF", "a,b\r\n1,2\r\n3,4\r\n5,6\r\n7,8\r\n"},
        {"last line without terminator", "a,b\n1,2\n3,4\n5,6"},
        {"short and text lines", "a,b,c\n1,2,3\n4,5\n6,7,8\nx,y,z\n9,10,11\n1e,2,3\n12,13,14\n"},
        {"no names line", "1,2\n3,4\n5,6\n7,8\n"},
        {"numbers of every form", "a,b\n+1,2\n2.5D1,1\n-0.0,1e400\n1e-400,nan\ninf,-inf\n5e12,-7E+3\n.5,5.\n1 2,3\n"},
        {"over-long line in the middle", "a,b\n1,2\n" + long_line + "\n3,4\n" + long_line + ",5\n6,7\n"},
        {"binary garbage", "a,b\n1,2\n\0\0\0\xff\xfe,\x01\n3,4\n\x80\x81\n5,6\n"s},
        {"names only", "a,b\n"},
        {"empty", ""},
        {"only comments", "# a\n# b\n"},
        {"many rows", many_rows(3000, false)},
        {"many rows with bad lines", many_rows(3000, true)},
        {"many rows without terminator", many_rows(500, true) + "1,2,3"},
    };
}

class ParallelLoad : public LoaderTest {
protected:
    // Loads path with the given threads and piece size after `prepare` has
    // written the file, and returns what the load left.
    Snapshot load_with(const std::string& path, unsigned threads, uint64_t chunk, int32_t step,
                       const std::function<void()>& prepare)
    {
        reset();
        prepare();
        hooks::reader_threads = threads;
        hooks::chunk_bytes = chunk;
        return snapshot(load(1, path, step));
    }

    // Compares loads with 2 and 8 threads and several piece sizes to the
    // single-threaded load.
    void expect_same_as_one_thread(const std::string& path, int32_t step, const std::function<void()>& prepare,
                                   std::vector<uint64_t> chunks = {1, 7, 64, 1000, 40000})
    {
        const Snapshot one = load_with(path, 1, 1 << 20, step, prepare);
        for (unsigned threads : {2u, 8u})
            for (uint64_t chunk : chunks) {
                SCOPED_TRACE("threads " + std::to_string(threads) + ", pieces of " + std::to_string(chunk));
                const Snapshot many = load_with(path, threads, chunk, step, prepare);
                EXPECT_TRUE(many == one);
                EXPECT_EQ(many.stored, one.stored);
                EXPECT_EQ(many.result.status, one.result.status);
            }
    }
};

TEST_F(ParallelLoad, EveryTextFileLoadsAsWithOneThreadAtEveryStep)
{
    const std::string path = dir.file("case.csv");
    for (const CsvCase& c : csv_cases())
        for (int32_t step : {1, 2, 3, 7}) {
            SCOPED_TRACE(std::string(c.label) + ", step " + std::to_string(step));
            expect_same_as_one_thread(path, step, [&] { write_text(path, c.text); });
        }
}

// Binary files are read by the header's reader as far as its buffer goes;
// a small buffer leaves most rows of a small file to the threads.
constexpr std::size_t kSmallBuffer = 65536;
const std::vector<uint64_t> kBinaryChunks = {1000, 8192, 65536};

TEST_F(ParallelLoad, BinaryFilesLoadAsWithOneThread)
{
    Rows rows;
    for (int i = 0; i < 40000; ++i) rows.push_back({double(i), i * 0.5, -i * 2.0});
    const std::vector<uint64_t>& chunks = kBinaryChunks;
    const std::string bin = dir.file("case.bin");
    const std::string dat = dir.file("case.dat");
    for (int32_t step : {1, 3}) {
        SCOPED_TRACE("step " + std::to_string(step));
        expect_same_as_one_thread(
            bin, step,
            [&] {
                write_stream_c(bin, "run", 1, {"t", "x", "y"}, rows);
                hooks::largest_buffer = kSmallBuffer;
            },
            chunks);
        expect_same_as_one_thread(
            dat, step,
            [&] {
                write_record(dat, {"t", "x", "y"}, rows);
                hooks::largest_buffer = kSmallBuffer;
            },
            chunks);
    }
}

TEST_F(ParallelLoad, FileThatGrowsOrShrinksBetweenThePassesLoadsAsWithOneThread)
{
    const std::string path = dir.file("live.csv");
    const std::string text = many_rows(2000, true);
    struct Change {
        const char* label;
        std::function<void()> change;
    } changes[] = {
        {"grows by whole lines", [&] { append_text(path, many_rows(300, false)); }},
        {"grows by half a line", [&] { append_text(path, "5,6,"); }},
        {"shrinks to half", [&] { std::filesystem::resize_file(path, text.size() / 2); }},
        {"shrinks into the names", [&] { std::filesystem::resize_file(path, 30); }},
        {"emptied", [&] { std::filesystem::resize_file(path, 0); }},
    };
    for (const Change& c : changes)
        for (int32_t step : {1, 4}) {
            SCOPED_TRACE(std::string(c.label) + ", step " + std::to_string(step));
            expect_same_as_one_thread(path, step, [&] {
                write_text(path, text);
                hooks::after_row_count = c.change;
            });
        }
}

TEST_F(ParallelLoad, StreamFileThatGrowsOrShrinksBetweenThePassesLoadsAsWithOneThread)
{
    const std::string path = dir.file("live.bin");
    Rows rows;
    for (int i = 0; i < 60000; ++i) rows.push_back({double(i), -i * 0.5});
    const std::string bytes = stream_a("run", {"t", "x"}, rows).str();
    const std::vector<uint64_t>& chunks = kBinaryChunks;
    struct Change {
        const char* label;
        std::function<void()> change;
    } changes[] = {
        {"grows by whole rows", [&] { append_text(path, bytes.substr(bytes.size() - 800)); }},
        {"grows by half a row", [&] { append_text(path, "abcd"); }},
        {"shrinks to half", [&] { std::filesystem::resize_file(path, bytes.size() / 2 + 3); }},
        {"shrinks into the header", [&] { std::filesystem::resize_file(path, 90); }},
    };
    for (const Change& c : changes)
        for (int32_t step : {1, 3}) {
            SCOPED_TRACE(std::string(c.label) + ", step " + std::to_string(step));
            expect_same_as_one_thread(
                path, step,
                [&] {
                    write_text(path, bytes);
                    hooks::after_row_count = c.change;
                    hooks::largest_buffer = kSmallBuffer;
                },
                chunks);
        }
}

TEST_F(ParallelLoad, RecordFileWithIrregularRecordsLoadsAsWithOneThread)
{
    const std::vector<std::string> names = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j",
                                            "k", "l", "m", "n", "o", "p", "q", "r", "s", "t"};
    Rows rows;
    for (int i = 0; i < 6000; ++i) {
        rows.push_back({});
        for (int v = 0; v < 20; ++v) rows.back().push_back(i * 0.5 + v);
    }
    const std::string clean = record_file(names, rows);
    const std::size_t stride = 88;
    const std::size_t first = clean.size() - rows.size() * stride;
    auto at = [&](std::size_t row) { return first + row * stride; };
    auto with_record = [&](std::size_t row, const std::string& rec) {
        return clean.substr(0, at(row)) + rec + clean.substr(at(row + 1));
    };
    auto with_int = [&](std::size_t offset, int32_t value) {
        std::string s = clean;
        std::memcpy(s.data() + offset, &value, 4);
        return s;
    };
    const std::string row_and_a_half = clean.substr(at(7) + 4, 80) + std::string(40, '\x11');
    const std::string path = dir.file("case.dat");
    struct Case {
        const char* label;
        std::string bytes;
        std::vector<int32_t> steps;
    } cases[] = {
        {"regular", clean, {1, 3}},
        {"longer record among the threads' rows", with_record(5000, record(row_and_a_half)), {1, 3}},
        {"longer record in the first buffer", with_record(20, record(row_and_a_half)), {1}},
        {"short record", with_record(5000, record(std::string(12, '\0'))), {1}},
        {"trailer that does not match", with_int(at(5001) - 4, 81), {1, 3}},
        {"negative length", with_int(at(5500), -80), {1}},
        {"cut inside the last record", clean.substr(0, clean.size() - 5), {1, 7}},
    };
    const std::vector<uint64_t>& chunks = kBinaryChunks;
    for (const Case& c : cases)
        for (int32_t step : c.steps) {
            SCOPED_TRACE(std::string(c.label) + ", step " + std::to_string(step));
            expect_same_as_one_thread(
                path, step,
                [&] {
                    write_text(path, c.bytes);
                    hooks::largest_buffer = kSmallBuffer;
                },
                chunks);
        }
    for (int32_t step : {1, 3}) {
        SCOPED_TRACE("shrinks during the load, step " + std::to_string(step));
        expect_same_as_one_thread(
            path, step,
            [&] {
                write_text(path, clean);
                hooks::after_row_count = [&] { std::filesystem::resize_file(path, at(4500) + 50); };
                hooks::largest_buffer = kSmallBuffer;
            },
            chunks);
    }
}

TEST_F(ParallelLoad, MemoryShortageRetryLoadsAsWithOneThread)
{
    const std::string path = dir.file("big.csv");
    expect_same_as_one_thread(path, 1, [&] {
        write_text(path, many_rows(2000, true));
        hooks::memory_limit = 3 * 8 * 700;  // room for a quarter of the rows
    });
}

}  // namespace
}  // namespace zan::testfiles
