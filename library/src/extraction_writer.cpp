// Writes extracted files: a chosen subset of the variables of one loaded file,
// only the samples inside given bounds, with shift and factor applied, as a
// binary stream file or a comma-separated text file that the readers load.
#include "extraction_writer.h"

#include "number_text.h"
#include "store.h"
#include "value_access.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace zan {

std::string extraction_path(const std::string& source, int32_t kind, int32_t number)
{
    const auto slash = source.find_last_of('/');
    const auto dot = source.find_last_of('.');
    const bool has_ext = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string out = source.substr(0, has_ext ? dot : source.size());
    out += kind == 0 ? "_exd" : "_ext";
    char digits[16];
    const auto magnitude = static_cast<unsigned long long>(std::llabs(static_cast<long long>(number)));
    std::snprintf(digits, sizeof digits, "%s%03llu", number < 0 ? "-" : "", magnitude);
    out += digits;
    out += (kind == 0 || kind == 2) ? ".bin" : ".csv";
    return out;
}

}  // namespace zan

namespace {

constexpr int32_t kKindDouble = 0;
constexpr int32_t kKindSingle = 2;

// The characters of a fixed-length buffer up to its first character 0,
// trailing blanks dropped.
std::string fixed_text(const char* buf, std::size_t len)
{
    std::string s(buf, std::find(buf, buf + len, '\0'));
    const auto end = s.find_last_not_of(' ');
    s.erase(end == std::string::npos ? 0 : end + 1);
    return s;
}

// The variables to extract, checked against the file before anything is
// created.
struct Selection {
    std::vector<const double*> columns;  // empty when the file has no samples to write
    std::vector<zan::Scaling> scalings;
    int32_t samples = 0;
};

bool select_variables(int32_t file, int32_t n, const int32_t* vars, Selection& sel)
{
    const zan::FileSlot* slot = zan::loaded_slot(file);
    sel.samples = slot ? zan::readable_count(*slot) : 0;
    for (int32_t k = 0; k < n; ++k) {
        if (!zan::valid_var(vars[k])) return false;
        sel.scalings.push_back(zan::scaling_of(file, vars[k]));
        if (!slot) continue;
        const double* col = zan::stored_column(slot, vars[k]);
        if (!col) return false;
        sel.columns.push_back(col);
    }
    return true;
}

// Bytes of a little-endian stream, gathered in memory before each write.
class ByteRow {
public:
    void put_int(int32_t v) { put_bits(static_cast<uint32_t>(v), 4); }
    void put_double(double v) { put_bits(std::bit_cast<uint64_t>(v), 8); }
    void put_single(float v) { put_bits(std::bit_cast<uint32_t>(v), 4); }
    void put_chars(const char* p, std::size_t n) { bytes_.insert(bytes_.end(), p, p + n); }
    void clear() { bytes_.clear(); }
    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

private:
    void put_bits(uint64_t bits, int n)
    {
        for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
    std::vector<char> bytes_;
};

// An output written under a temporary name beside the final one and renamed
// only when every write succeeded, so a failed extraction never leaves a
// partial file under the final name.
class Output {
public:
    explicit Output(std::string path) : final_(std::move(path)), temp_(final_ + ".tmp")
    {
        file_ = std::fopen(temp_.c_str(), "wb");
        ok_ = file_ != nullptr;
    }
    ~Output()
    {
        if (file_) std::fclose(file_);
        if (!committed_) std::remove(temp_.c_str());
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void write(const char* p, std::size_t n)
    {
        if (ok_ && n > 0 && std::fwrite(p, 1, n, file_) != n) ok_ = false;
    }
    void write(const std::string& s) { write(s.data(), s.size()); }

    void commit()
    {
        if (!file_) return;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (ok_ && closed && std::rename(temp_.c_str(), final_.c_str()) == 0) committed_ = true;
    }

private:
    std::string final_;
    std::string temp_;
    std::FILE* file_ = nullptr;
    bool ok_ = false;
    bool committed_ = false;
};

bool accepted(const Selection& sel, int32_t s, const double* upper, const double* lower,
              std::vector<double>& row)
{
    const auto n = row.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double v = zan::displayed(sel.columns[k][s], sel.scalings[k]);
        if (!(lower[k] <= v && v <= upper[k])) return false;
        row[k] = v;
    }
    return true;
}

void write_binary(Output& out, const Selection& sel, int32_t n, const double* upper,
                  const double* lower, int32_t kind, const char* names)
{
    ByteRow bytes;
    // The title is the first name; an output without variables has none.
    if (n > 0) bytes.put_chars(names, zan::kNameLen);
    else bytes.put_chars(std::string(zan::kNameLen, ' ').data(), zan::kNameLen);
    bytes.put_int(0);
    bytes.put_int(0);
    bytes.put_int(kind == kKindDouble ? 1 : 0);
    bytes.put_int(n);
    bytes.put_chars(names, static_cast<std::size_t>(n) * zan::kNameLen);
    out.write(bytes.data(), bytes.size());
    // Without variables a row has no values: the header alone is the file.
    if (n == 0) return;
    std::vector<double> row(static_cast<std::size_t>(n));
    for (int32_t s = 0; s < sel.samples; ++s) {
        if (!accepted(sel, s, upper, lower, row)) continue;
        bytes.clear();
        for (double v : row) {
            if (kind == kKindDouble) bytes.put_double(v);
            else bytes.put_single(static_cast<float>(v));
        }
        out.write(bytes.data(), bytes.size());
    }
}

void write_text(Output& out, const Selection& sel, int32_t n, const double* upper,
                const double* lower, const char* names)
{
    std::string line;
    for (int32_t k = 0; k < n; ++k) {
        const std::string name = fixed_text(names + static_cast<std::size_t>(k) * zan::kNameLen, zan::kNameLen);
        if (k > 0) line += ',';
        line += name.empty() ? std::string(" ") : name;
    }
    line += '\n';
    out.write(line);
    if (n == 0) return;
    std::vector<double> row(static_cast<std::size_t>(n));
    for (int32_t s = 0; s < sel.samples; ++s) {
        if (!accepted(sel, s, upper, lower, row)) continue;
        line.clear();
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0) line += ',';
            line += zan::number_text(row[k]);
        }
        line += '\n';
        out.write(line);
    }
}

}  // namespace

extern "C" {

// Writes nothing when count is not 0..5000, when a variable number is outside
// 1..5000, or, for a loaded file, not one of its variables. A file number
// that is not loaded, and count 0, give a file with the header only: for
// count 0 a binary header with a blank title and no names, or an empty names
// line. The path is read up
// to its first character 0 or 255 characters, trailing blanks dropped; names
// must hold count x 80 characters. Failures to create, write or rename leave
// no file under the final name.
ZAN_EXPORT void efile(int32_t* file, int32_t* count, int32_t* vars, double* upper, double* lower,
                      int32_t* kind, const char* path, int32_t* /*pathlen*/, const char* names,
                      int32_t* /*nameslen*/, int32_t* number)
{
    const int32_t n = *count;
    if (n < 0 || n > zan::kMaxVars) return;
    try {
        Selection sel;
        if (!select_variables(*file, n, vars, sel)) return;
        const std::string source = fixed_text(path, zan::kPathLen);
        if (source.empty()) return;
        Output out(zan::extraction_path(source, *kind, *number));
        if (*kind == kKindDouble || *kind == kKindSingle) {
            write_binary(out, sel, n, upper, lower, *kind, names);
        } else {
            write_text(out, sel, n, upper, lower, names);
        }
        out.commit();
    } catch (...) {
        // Out of memory while gathering a row: the output is abandoned.
    }
}
}
