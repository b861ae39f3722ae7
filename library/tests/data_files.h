// Small data files written by the tests themselves, in the three layouts the
// library reads, and the conversions between std::string and the arrays of
// character codes that cross the library boundary.
#ifndef ZAN_TESTS_DATA_FILES_H
#define ZAN_TESTS_DATA_FILES_H

#include "zan.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zan::testfiles {

using Path = std::array<int32_t, ZAN_PATH_LEN>;

// A path as 255 blank-padded character codes (longer paths are cut).
inline Path path_codes(const std::string& path)
{
    Path codes;
    codes.fill(' ');
    for (std::size_t i = 0; i < path.size() && i < codes.size(); ++i)
        codes[i] = static_cast<unsigned char>(path[i]);
    return codes;
}

// The text of len character codes with the trailing blanks removed.
inline std::string from_codes(const int32_t* codes, int len = ZAN_NAME_LEN)
{
    std::string text;
    for (int i = 0; i < len; ++i) text.push_back(static_cast<char>(codes[i] & 0xFF));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A folder of its own under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zantest-XXXXXX").string();
        if (mkdtemp(pattern.data())) dir_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    const std::filesystem::path& path() const { return dir_; }

private:
    std::filesystem::path dir_;
};

// Byte-level building blocks, little-endian as the files are.
class Bytes {
public:
    Bytes& text(const std::string& s, std::size_t width)
    {
        std::string padded = s.substr(0, width);
        padded.resize(width, ' ');
        data_ += padded;
        return *this;
    }
    Bytes& raw(const std::string& s)
    {
        data_ += s;
        return *this;
    }
    Bytes& i32(int32_t v) { return put(&v, 4); }
    Bytes& f32(float v) { return put(&v, 4); }
    Bytes& f64(double v) { return put(&v, 8); }
    const std::string& str() const { return data_; }
    std::size_t size() const { return data_.size(); }

private:
    Bytes& put(const void* p, std::size_t n)
    {
        data_.append(static_cast<const char*>(p), n);
        return *this;
    }
    std::string data_;
};

inline void write_text(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline void append_text(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

using Rows = std::vector<std::vector<double>>;

// Stream layout, shape A: title, n, names of 10 characters, rows of singles.
inline Bytes stream_a(const std::string& title, const std::vector<std::string>& names, const Rows& rows)
{
    Bytes b;
    b.text(title, 80).i32(static_cast<int32_t>(names.size()));
    for (const auto& n : names) b.text(n, 10);
    for (const auto& r : rows)
        for (double v : r) b.f32(static_cast<float>(v));
    return b;
}

// Shape B: title, 0, n, names of 20 characters, rows of singles.
inline Bytes stream_b(const std::string& title, const std::vector<std::string>& names, const Rows& rows)
{
    Bytes b;
    b.text(title, 80).i32(0).i32(static_cast<int32_t>(names.size()));
    for (const auto& n : names) b.text(n, 20);
    for (const auto& r : rows)
        for (double v : r) b.f32(static_cast<float>(v));
    return b;
}

// Shape C: title, 0, 0, kind, n, names of 80 characters; doubles when kind is 1.
inline Bytes stream_c(const std::string& title, int32_t kind, const std::vector<std::string>& names,
                      const Rows& rows)
{
    Bytes b;
    b.text(title, 80).i32(0).i32(0).i32(kind).i32(static_cast<int32_t>(names.size()));
    for (const auto& n : names) b.text(n, 80);
    for (const auto& r : rows)
        for (double v : r) {
            if (kind == 1) b.f64(v);
            else b.f32(static_cast<float>(v));
        }
    return b;
}

inline void write_stream_a(const std::string& path, const std::string& title,
                           const std::vector<std::string>& names, const Rows& rows)
{
    write_text(path, stream_a(title, names, rows).str());
}

inline void write_stream_b(const std::string& path, const std::string& title,
                           const std::vector<std::string>& names, const Rows& rows)
{
    write_text(path, stream_b(title, names, rows).str());
}

inline void write_stream_c(const std::string& path, const std::string& title, int32_t kind,
                           const std::vector<std::string>& names, const Rows& rows)
{
    write_text(path, stream_c(title, kind, names, rows).str());
}

// One record framed as gfortran frames unformatted sequential records: the
// payload's byte length before and after it.
inline std::string record(const std::string& payload)
{
    Bytes b;
    b.i32(static_cast<int32_t>(payload.size())).raw(payload).i32(static_cast<int32_t>(payload.size()));
    return b.str();
}

// Record layout: record 1 holds L, n and the name string " ## a b c";
// every further record one row of n singles.
inline std::string record_file(const std::vector<std::string>& names, const Rows& rows)
{
    std::string line = " ##";
    for (const auto& n : names) line += " " + n;
    Bytes head;
    head.i32(static_cast<int32_t>(line.size())).i32(static_cast<int32_t>(names.size())).raw(line);
    std::string out = record(head.str());
    for (const auto& r : rows) {
        Bytes row;
        for (double v : r) row.f32(static_cast<float>(v));
        out += record(row.str());
    }
    return out;
}

inline void write_record(const std::string& path, const std::vector<std::string>& names, const Rows& rows)
{
    write_text(path, record_file(names, rows));
}

// Everything dopen reports, with the texts already trimmed.
struct Loaded {
    int32_t nvar = 0;
    int32_t nstored = 0;
    int32_t nrows = 0;
    int32_t step = 1;
    int32_t status = 0;
    int32_t close_status = 0;
    std::string title;
    std::vector<std::string> names;
};

inline Loaded load(int32_t file, const std::string& path, int32_t step = 1, int32_t status_before = 0)
{
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    std::array<int32_t, ZAN_NAME_LEN> title;
    Path codes = path_codes(path);
    Loaded r;
    r.step = step;
    r.status = status_before;
    title.fill(' ');
    dopen(&file, codes.data(), names.data(), title.data(), &r.nvar, &r.nstored, &r.nrows, &r.step,
          &r.status, &r.close_status);
    r.title = from_codes(title.data());
    for (int32_t v = 0; r.nvar <= ZAN_MAX_VARS && v < r.nvar; ++v)
        r.names.push_back(from_codes(names.data() + static_cast<std::size_t>(v) * ZAN_NAME_LEN));
    return r;
}

}  // namespace zan::testfiles

#endif
