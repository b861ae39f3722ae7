#include "line_reader.h"

#include <cstring>

namespace zan {

LineReader::LineReader(ByteReader& in, std::size_t limit)
    : in_(in), limit_(limit), cut_(std::make_unique_for_overwrite<char[]>(limit + 1))
{
}

namespace {

std::string_view without_cr(const char* p, std::size_t n)
{
    if (n > 0 && p[n - 1] == '\r') --n;
    return {p, n};
}

}  // namespace

int LineReader::next(std::string_view& line)
{
    int r = in_.next_block();
    if (r != 0) return r;
    for (;;) {
        const char* p = in_.data();
        std::size_t avail = in_.available();
        const void* nl = std::memchr(p, '\n', avail);
        if (nl) {
            std::size_t len = static_cast<std::size_t>(static_cast<const char*>(nl) - p);
            line = without_cr(p, len);
            if (line.size() > limit_) line = line.substr(0, limit_);
            in_.consume(len + 1);
            ended_ = true;
            return 0;
        }
        // No terminator in what is buffered. Short enough: read more behind it.
        if (avail <= limit_ + 1 && avail < in_.capacity()) {
            r = in_.need(avail + 1);
            if (r == 0) continue;
            if (r != kEndOfFile) return r;
            line = without_cr(in_.data(), in_.available());
            if (line.size() > limit_) line = line.substr(0, limit_);
            in_.consume(in_.available());
            ended_ = false;
            return 0;
        }
        // Longer than any line is kept: keep its start, pass over the rest.
        std::memcpy(cut_.get(), p, limit_);
        line = std::string_view(cut_.get(), limit_);
        for (;;) {
            const char* q = in_.data();
            const void* end = std::memchr(q, '\n', in_.available());
            if (end) {
                in_.consume(static_cast<std::size_t>(static_cast<const char*>(end) - q) + 1);
                ended_ = true;
                return 0;
            }
            in_.consume(in_.available());
            r = in_.next_block();
            ended_ = false;
            if (r == kEndOfFile) return 0;
            if (r != 0) return r;
        }
    }
}

int LineReader::count_rest(uint64_t& lines)
{
    lines = 0;
    bool open_line = false;  // characters seen after the last terminator
    for (;;) {
        int r = in_.next_block();
        if (r == kEndOfFile) break;
        if (r != 0) return r;
        const char* p = in_.data();
        const char* end = p + in_.available();
        while (const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            ++lines;
            p = static_cast<const char*>(nl) + 1;
        }
        open_line = p < end;
        in_.consume(in_.available());
    }
    if (open_line) ++lines;
    return 0;
}

}  // namespace zan
