#include "input_file.h"

#include "load_hooks.h"

#include "load_control.h"
#include "zan.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zan {

InputFile::~InputFile()
{
    close();
}

int InputFile::open(const std::string& path)
{
    close();
    if (path.empty()) return ENOENT;
    // A plain read-only open takes no lock: writers may keep appending.
    // Without blocking, so that a named pipe is refused below instead of
    // waiting for a writer; reads of a regular file are not affected.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        int err = errno;
        ::close(fd);
        return err;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    fd_ = fd;
    return 0;
}

int InputFile::close()
{
    if (fd_ < 0) return 0;
    int r = ::close(fd_);
    fd_ = -1;
    return r == 0 ? 0 : errno;
}

uint64_t InputFile::size() const
{
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || st.st_size < 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

int64_t InputFile::read_some(char* dst, std::size_t n)
{
    if (fd_ < 0) return -EBADF;
    for (;;) {
        ssize_t r = ::read(fd_, dst, n);
        if (r >= 0) return r;
        if (errno != EINTR) return -static_cast<int64_t>(errno);
    }
}

int64_t InputFile::read_at(char* dst, std::size_t n, uint64_t offset) const
{
    if (fd_ < 0) return -EBADF;
    for (;;) {
        ssize_t r = ::pread(fd_, dst, n, static_cast<off_t>(offset));
        if (r >= 0) return r;
        if (errno != EINTR) return -static_cast<int64_t>(errno);
    }
}

int InputFile::rewind()
{
    if (fd_ < 0) return EBADF;
    return ::lseek(fd_, 0, SEEK_SET) < 0 ? errno : 0;
}

namespace hooks {
std::optional<std::size_t> largest_buffer;
}

namespace {

std::size_t capacity_for(const InputFile& file)
{
    const uint64_t size = file.size() + 1;
    // Never below what the text reader's longest kept line needs.
    const uint64_t largest = hooks::largest_buffer
                                 ? std::max<uint64_t>(*hooks::largest_buffer, uint64_t{ZAN_LINE_LEN} + 2)
                                 : ByteReader::kMaxCapacity;
    return static_cast<std::size_t>(
        std::clamp<uint64_t>(size, std::min<uint64_t>(ByteReader::kMinCapacity, largest), largest));
}

}  // namespace

ByteReader::ByteReader(InputFile& file, std::size_t capacity)
    : file_(file), cap_(capacity ? capacity : capacity_for(file)),
      buf_(std::make_unique_for_overwrite<char[]>(cap_))
{
}

ByteReader::ByteReader(const InputFile& file, std::size_t capacity, uint64_t first, uint64_t last)
    : file_(file), cap_(capacity), buf_(std::make_unique_for_overwrite<char[]>(cap_)), next_(first), last_(last)
{
}

int ByteReader::fill()
{
    if (pos_ > 0) {
        std::memmove(buf_.get(), buf_.get() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (end_ == cap_ || eof_ || error_ != 0) return error_;
    if (load_control::stop_requested()) return error_ = ZAN_STATUS_CANCELLED;
    const std::size_t room = static_cast<std::size_t>(std::min<uint64_t>(cap_ - end_, last_ - std::min(next_, last_)));
    int64_t r = room == 0 ? 0 : file_.read_at(buf_.get() + end_, room, next_);
    if (r < 0) error_ = static_cast<int>(-r);
    else if (r == 0) eof_ = true;
    else {
        end_ += static_cast<std::size_t>(r);
        next_ += static_cast<uint64_t>(r);
        load_control::add_progress(static_cast<uint64_t>(r));
    }
    return error_;
}

int ByteReader::need(std::size_t n)
{
    if (n > cap_) return EINVAL;
    while (available() < n) {
        if (error_ != 0) return error_;
        if (eof_) return kEndOfFile;
        fill();
    }
    return 0;
}

int ByteReader::read(void* dst, std::size_t n)
{
    char* out = static_cast<char*>(dst);
    while (n > 0) {
        int r = need(std::min(n, cap_));
        if (r != 0) return r;
        std::size_t k = std::min(n, available());
        std::memcpy(out, data(), k);
        consume(k);
        out += k;
        n -= k;
    }
    return 0;
}

int ByteReader::skip(uint64_t n)
{
    while (n > 0) {
        if (available() == 0) {
            int r = need(1);
            if (r != 0) return r;
        }
        std::size_t k = static_cast<std::size_t>(std::min<uint64_t>(n, available()));
        consume(k);
        n -= k;
    }
    return 0;
}

int ByteReader::next_block()
{
    if (available() > 0) return 0;
    return need(1);
}

int ByteReader::rewind()
{
    seek(0);
    return error_;
}

void ByteReader::seek(uint64_t offset)
{
    pos_ = end_ = 0;
    eof_ = false;
    error_ = 0;
    next_ = offset;
}

}  // namespace zan
