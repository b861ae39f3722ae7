// dopen: the frame around the three readers. It picks the reader from the
// extension, reads the header, sizes the sample block from the expected row
// count (coarsening the step while memory is short), reads the rows and
// reports everything back through the caller's arguments.
//
// File numbers and slots stay in step: the caller's file number becomes the
// newest slot. A load that fails before its block exists (no '.', the open,
// the header, statuses 100, 200, 999) leaves that slot empty and reports no
// variables, so the next file still loads under its own number. A number
// that is already loaded or beyond the table is refused with status 400 and
// changes nothing; a path without '.' gives status 300.
#include "append_reader.h"

#include "load_control.h"
#include "load_facts.h"
#include "load_hooks.h"
#include "loader.h"
#include "store.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>

namespace zan::hooks {
std::function<void()> after_row_count;
}

namespace zan {

namespace {

struct Path {
    std::string exact;  // as passed, trailing blanks dropped
    std::string upper;  // letters a to z in upper case
};

Path path_from_codes(const int32_t* codes)
{
    Path p;
    for (int i = 0; i < kPathLen; ++i) {
        char c = static_cast<char>(codes[i] & 0xFF);
        if (c == '\0') break;
        p.exact.push_back(c);
    }
    p.exact.erase(p.exact.find_last_not_of(' ') + 1);
    p.upper = p.exact;
    for (char& c : p.upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return p;
}

// Only the three characters after the last '.' of the file name count, so
// "BINX" reads as "BIN"; a dot in a folder name is no extension.
bool layout_of(const std::string& upper, FileLayout& layout)
{
    const std::size_t slash = upper.rfind('/');
    const std::size_t dot = upper.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    const std::string ext = upper.substr(dot + 1, 3);
    layout = ext == "BIN" ? FileLayout::Stream : ext == "CSV" ? FileLayout::Text : FileLayout::Record;
    return true;
}

void put_text(int32_t* codes, const char* text, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) codes[i] = static_cast<unsigned char>(text[i]);
}

int32_t to_int32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

// The header status lets the load go on when it is 0 or a negative other
// than end of file.
bool header_ok(int r)
{
    return r == 0 || (r < 0 && r != kEndOfFile);
}

struct Args {
    int32_t* names;
    int32_t* title;
    int32_t* nvar;
    int32_t* nstored;
    int32_t* nrows;
    int32_t* step;
};

// Steps after the file is open; returns the status. The slot stays empty
// (no variables) unless the block is allocated.
int load_into(FileSlot& slot, int32_t file, InputFile& in, const Path& path, FileLayout layout, Args a,
              StopPoint& stop, LoadFacts& facts)
{
    static HeaderInfo header;  // loader scratch, 400 kB, reused by every call
    header.clear();
    std::unique_ptr<Reader> reader;
    switch (layout) {
    case FileLayout::Stream: reader = make_stream_reader(in); break;
    case FileLayout::Record: reader = make_record_reader(in, path.upper); break;
    case FileLayout::Text: reader = make_csv_reader(in, path.upper); break;
    }
    const int head = reader->read_header(header);
    if (!header_ok(head)) return head;

    *a.nrows = to_int32(reader->expected_rows());
    if (layout == FileLayout::Text) load_control::second_pass();
    if (hooks::after_row_count) hooks::after_row_count();
    const int start = reader->start_rows(header);
    if (!header_ok(start)) return start;
    facts.names_line = reader->names_line();
    if (header.nvar > kMaxVars) return ZAN_STATUS_TOO_MANY_VARS;

    const int32_t nvar = std::max(header.nvar, int32_t{0});
    for (int32_t v = 0; v < nvar; ++v)
        put_text(a.names + static_cast<std::size_t>(v) * kNameLen, header.names[static_cast<std::size_t>(v)].data(),
                 kNameLen);
    put_text(a.title, header.title.data(), kNameLen);

    if (*a.step < 1) *a.step = 1;
    int32_t capacity = *a.nrows / *a.step;
    *a.nstored = capacity;
    SampleBlock block;
    while (!block.allocate(nvar, capacity)) {
        capacity /= 2;
        *a.step = static_cast<int32_t>(std::min<int64_t>(int64_t{*a.step} * 2, std::numeric_limits<int32_t>::max()));
        *a.nstored = capacity;
        if (*a.step > kMaxStep) return ZAN_STATUS_NO_MEMORY;
    }
    slot.block = std::move(block);
    slot.nvar = nvar;
    slot.capacity = capacity;
    slot.stored = 0;
    slot.prepare_extremes();
    *a.nvar = nvar;

    SampleSink sink(slot, *var_tables(file));
    const int r = reader->read_rows(sink, *a.step);
    stop = reader->stop_point();
    *a.nstored = std::min(slot.stored, slot.capacity);
    facts.refused = reader->refused_rows();
    return r;
}

// A stopped load keeps nothing: the slot is left as after a failed open.
void empty_slot(FileSlot& slot, int32_t file)
{
    slot.extremes.release();
    slot.block.reset();
    slot.nvar = 0;
    slot.capacity = 0;
    slot.stored = 0;
    var_tables(file)->reset();
    mark_changed();
}

}  // namespace

}  // namespace zan

extern "C" ZAN_EXPORT void dopen(int32_t* file, const int32_t* path, int32_t* names, int32_t* title,
                                 int32_t* nvar, int32_t* nstored, int32_t* nrows, int32_t* step,
                                 int32_t* status, int32_t* close_status)
{
    using namespace zan;
    *nvar = 0;
    *nstored = 0;
    *close_status = 0;

    FileSlot* slot = claim_slot(*file);
    if (!slot) {
        *status = ZAN_STATUS_BAD_FILE_NUMBER;
        return;
    }
    forget_follow(*file);
    const Path p = path_from_codes(path);
    FileLayout layout;
    if (!layout_of(p.upper, layout)) {
        *status = ZAN_STATUS_NO_EXTENSION;
        return;
    }
    InputFile in;
    *status = in.open(p.exact);
    if (*status != 0) return;
    load_control::begin();
    load_control::set_file(in.size(), layout == FileLayout::Text);
    StopPoint stop;
    LoadFacts facts;
    try {
        *status = load_into(*slot, *file, in, p, layout, {names, title, nvar, nstored, nrows, step}, stop, facts);
    } catch (...) {
        // Only the reader's own buffers can throw (out of memory); nothing
        // may cross the C boundary. The slot keeps what was stored.
        *status = ENOMEM;
        *nvar = slot->nvar;
        *nstored = std::min(slot->stored, slot->capacity);
    }
    if (load_control::stop_requested()) {
        empty_slot(*slot, *file);
        *status = ZAN_STATUS_CANCELLED;
        *nvar = 0;
        *nstored = 0;
    }
    load_control::end();
    *close_status = in.close();
    // A last text row whose line grew while it was read is taken back and not counted.
    if (note_loaded(*file, p.exact, layout, *step, *status, stop)) *nstored = std::min(slot->stored, slot->capacity);
    facts.stored = *nstored;
    set_load_facts(*file, facts);
}
