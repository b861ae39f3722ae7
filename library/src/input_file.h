// A data file opened for reading by its path, shared with writers that keep
// appending, and a block-buffered reader over it.
#ifndef ZAN_INPUT_FILE_H
#define ZAN_INPUT_FILE_H

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

namespace zan {

// Results of every read below: 0 when all requested bytes came, -1 when the
// file ended first, otherwise the platform's positive error number.
inline constexpr int kEndOfFile = -1;

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // 0 or the platform's error number. Anything but a regular file is
    // refused, so a directory or a device never reaches the readers.
    int open(const std::string& path);
    // The close result: 0, or the platform's error number.
    int close();
    bool is_open() const { return fd_ >= 0; }

    // Current size in bytes, 0 when it cannot be told.
    uint64_t size() const;
    // Up to n bytes; the count read, 0 at the end, or minus the error number.
    int64_t read_some(char* dst, std::size_t n);
    // Back to the first byte: 0 or the error number.
    int rewind();
    // Up to n bytes from the given offset, leaving the file position alone,
    // so that several threads can read one file at once; as read_some.
    int64_t read_at(char* dst, std::size_t n, uint64_t offset) const;

private:
    int fd_ = -1;
};

// Reads an InputFile through one large buffer so that readers take many rows
// per system call and convert them in place. Every read counts towards the
// progress of the load and is refused once a stop was requested (status
// ZAN_STATUS_CANCELLED).
class ByteReader {
public:
    static constexpr std::size_t kMaxCapacity = std::size_t{8} << 20;
    static constexpr std::size_t kMinCapacity = std::size_t{256} << 10;

    // Without a capacity the buffer fits the file as it is now, within the
    // limits above: small files then cost no large buffer.
    explicit ByteReader(InputFile& file, std::size_t capacity = 0);
    // Reads only the bytes first..last-1 of the file: the file seems to end
    // at `last`. Several such readers may share one file across threads.
    ByteReader(const InputFile& file, std::size_t capacity, uint64_t first, uint64_t last);

    // Makes at least n bytes (n <= capacity) available at data(), reading as
    // much as fits; 0, kEndOfFile when the file ends first, or the error.
    int need(std::size_t n);
    const char* data() const { return buf_.get() + pos_; }
    std::size_t available() const { return end_ - pos_; }
    void consume(std::size_t n) { pos_ += n; }

    // Exactly n bytes into dst.
    int read(void* dst, std::size_t n);
    // Passes over n bytes; kEndOfFile when the file holds fewer.
    int skip(uint64_t n);
    // Everything after the bytes already consumed is read again from the file start.
    int rewind();
    // Goes on from the given offset of the file; what is buffered is dropped.
    void seek(uint64_t offset);
    // The offset in the file of data().
    uint64_t offset() const { return next_ - (end_ - pos_); }
    bool at_end() const { return eof_ && pos_ == end_; }

    // Lets a caller run over the rest of the file block by block: reads the
    // next block when nothing is left; 0 with available() > 0, or the result.
    int next_block();

    std::size_t capacity() const { return cap_; }

private:
    int fill();

    const InputFile& file_;
    std::size_t cap_;
    std::unique_ptr<char[]> buf_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    int error_ = 0;
    uint64_t next_ = 0;                                    // offset of the next byte to read
    uint64_t last_ = std::numeric_limits<uint64_t>::max();  // the seeming end of the file
};

}  // namespace zan

#endif
