// Loads one generated file of any layout on one thread and then on several
// threads in tiny pieces, with the same step, memory limit and change of the
// file between the passes, and requires the two loads to be the same in
// everything: statuses, counts, names, every stored value, the ranges, and
// the place where a later reading of the growing file would go on.
//
// The input: a layout byte, a step byte, a byte for threads and pieces, a
// byte of what the file gains between the counting and the reading of its
// rows, a word placing a line of more than 65536 characters; then the
// file.
#include "append_reader.h"
#include "differential.h"
#include "load_hooks.h"

#include <functional>
#include <optional>

namespace {

using namespace zan::fuzz;

struct Setup {
    std::string path;
    std::string first;                    // written before the load
    std::function<void()> between_passes;  // run between counting and reading
    int32_t step = 1;
    std::optional<uint64_t> memory;
};

struct Result {
    Loaded loaded;
    std::vector<double> values;
    std::vector<double> ranges;
    zan::FollowState follow;
};

Result load_once(const Setup& setup)
{
    close_all();
    Result r;
    if (!write_file(setup.path, setup.first)) std::abort();
    zan::hooks::after_row_count = setup.between_passes;
    zan::hooks::memory_limit = setup.memory;
    r.loaded = load(1, setup.path, setup.step);
    zan::hooks::after_row_count = nullptr;
    zan::hooks::memory_limit.reset();
    const int32_t n = stored_count(1);
    EXPECT(n == (r.loaded.nvar > 0 ? r.loaded.nstored : 0));
    for (int32_t v = 1; v <= loaded_vars(r.loaded); ++v) {
        for (int32_t s = 1; s <= n; ++s) r.values.push_back(value(1, s, v));
        double up = 0, lo = 0, mag = 0;
        int32_t f = 1, var = v;
        drang(&f, &var, &up, &lo, &mag);
        r.ranges.push_back(up);
        r.ranges.push_back(lo);
    }
    if (r.loaded.nvar > 0) check_queries(1, loaded_vars(r.loaded));
    r.follow = zan::follow_state(1);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Plan plan(data, size);
    const uint8_t layout = plan.byte() % 3;
    const uint8_t step_byte = plan.byte();
    const uint8_t pieces = plan.byte();
    const uint8_t change = plan.byte();
    const uint16_t long_line = plan.word();
    std::string file = plan.rest();
    // A line longer than a line is kept, made of the byte found at its place.
    if ((long_line & 0x8000) && !file.empty()) {
        const std::size_t at = long_line % file.size();
        file.insert(at, std::string(ZAN_LINE_LEN + (long_line & 7), file[at] == '\n' ? '7' : file[at]));
    }

    Setup setup;
    setup.path = (work_folder() / (std::string("input.") + kExtensions[layout])).string();
    setup.step = 1 + step_byte % 4;
    // A memory limit small enough to coarsen the step of most files.
    if (step_byte & 0x80) setup.memory = uint64_t{64} * (1 + (step_byte >> 2 & 0x1F));
    // Between the passes the file may gain its second part, as a file being
    // written does. (A file cut while it is read gives what each reader's
    // buffers still held, which differs by design.)
    setup.first = file;
    if (change & 1) {
        const std::size_t cut = (change >> 1) * file.size() / 128;
        setup.first = file.substr(0, cut);
        const std::string more = file.substr(cut);
        const std::string path = setup.path;
        setup.between_passes = [path, more] { write_file(path, more, "ab"); };
    }

    zan::hooks::reader_threads = 1;
    zan::hooks::chunk_bytes.reset();
    zan::hooks::largest_buffer.reset();
    const Result one = load_once(setup);

    zan::hooks::reader_threads = 2 + pieces % 7;
    zan::hooks::chunk_bytes = 1 + (pieces >> 3) * 3;
    zan::hooks::largest_buffer = 64;
    const Result many = load_once(setup);
    zan::hooks::reader_threads.reset();
    zan::hooks::chunk_bytes.reset();
    zan::hooks::largest_buffer.reset();

    const Loaded& a = one.loaded;
    const Loaded& b = many.loaded;
    EXPECT(a.status == b.status && a.close == b.close);
    EXPECT(a.nvar == b.nvar && a.nstored == b.nstored && a.nrows == b.nrows && a.step == b.step);
    EXPECT(a.names == b.names && a.title == b.title);
    EXPECT(one.values == many.values);
    EXPECT(one.ranges == many.ranges);
    const zan::FollowState& p = one.follow;
    const zan::FollowState& q = many.follow;
    EXPECT(p.valid == q.valid);
    if (p.valid) {
        EXPECT(p.at.offset == q.at.offset && p.at.discard == q.at.discard && p.at.lines == q.at.lines);
        EXPECT(p.at.provisional == q.at.provisional && p.at.row_bytes == q.at.row_bytes);
        // Where the reading ran to the end, both saw the same end.
        if (a.status == -1) EXPECT(p.at.seen == q.at.seen);
    }
    close_all();
    return 0;
}
