// What the differential harnesses share: the input's bytes taken as a plan
// and a file, loads through the library's interface, and the comparison of
// two loaded files, value by value and query by query.
#ifndef ZAN_FUZZ_DIFFERENTIAL_H
#define ZAN_FUZZ_DIFFERENTIAL_H

#include "zan.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace zan::fuzz {

// Checked promise; a broken one aborts, which the fuzzer reports.
#define EXPECT(cond)                                                                   \
    do {                                                                               \
        if (!(cond)) {                                                                 \
            std::fprintf(stderr, "broken promise at line %d: %s\n", __LINE__, #cond); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

// Variables looked at closely per comparison, so that an input that
// declares thousands of variables stays fast.
inline constexpr int32_t kVarsChecked = 6;

inline const char* const kExtensions[] = {"bin", "csv", "dat"};

// Bytes taken from the front of the input one at a time; 0 once it is used up.
class Plan {
public:
    Plan(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t word() { return static_cast<uint16_t>(byte() | byte() << 8); }
    // The input not taken as plan: the file.
    std::string rest() const
    {
        return at_ < size_ ? std::string(reinterpret_cast<const char*>(data_) + at_, size_ - at_) : std::string();
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

inline const std::filesystem::path& work_folder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path p = std::filesystem::temp_directory_path() / ("zan_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

inline bool write_file(const std::string& path, const std::string& bytes, const char* mode = "wb")
{
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (!f) return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

struct Loaded {
    int32_t file = 1;
    int32_t status = 0, close = 0, nvar = 0, nstored = 0, nrows = 0, step = 1;
    std::vector<int32_t> names;
    std::array<int32_t, ZAN_NAME_LEN> title{};
};

inline Loaded load(int32_t file, const std::string& path, int32_t step)
{
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    Loaded r;
    r.file = file;
    r.step = step;
    std::vector<int32_t> codes(ZAN_PATH_LEN, ' ');
    for (std::size_t i = 0; i < path.size() && i < codes.size(); ++i) codes[i] = static_cast<unsigned char>(path[i]);
    dopen(&file, codes.data(), names.data(), r.title.data(), &r.nvar, &r.nstored, &r.nrows, &r.step, &r.status,
          &r.close);
    const std::size_t kept = static_cast<std::size_t>(std::clamp(r.nvar, 0, int32_t{ZAN_MAX_VARS})) * ZAN_NAME_LEN;
    r.names.assign(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(kept));
    return r;
}

inline void close_all()
{
    int32_t done = 0;
    dclos(&done);
}

inline double value(int32_t file, int32_t sample, int32_t var)
{
    double v = -12345.0;
    ddata(&file, &sample, &var, &v);
    return v;
}

inline int32_t stored_count(int32_t file)
{
    int32_t count = 0, one = 1;
    sdata(&file, &one, &one, &count);
    return count;
}

inline int32_t loaded_vars(const Loaded& r)
{
    return std::clamp(r.nvar, 0, int32_t{ZAN_MAX_VARS});
}

// Every range query of `file` against a scan of its samples: drang, rrang
// over windows around chosen samples and the whole range, and mrang over
// runs that include the newest samples, whose extremes are the ones that
// change while a file is followed.
inline void check_queries(int32_t file, int32_t nvar)
{
    const int32_t n = stored_count(file);
    const int32_t vars = std::min(nvar, kVarsChecked);
    for (int32_t y = 1; y <= vars; ++y) {
        double up = 0, lo = 0, mag = 0;
        int32_t f = file, var = y;
        if (file != 1) {
            up = -1.0e300;
            lo = 1.0e300;
        }
        drang(&f, &var, &up, &lo, &mag);
        double smax = -1.0e10, smin = 1.0e10;
        for (int32_t s = 1; s <= n; ++s) {
            smax = std::max(smax, value(file, s, y));
            smin = std::min(smin, value(file, s, y));
        }
        EXPECT(up == smax && lo == smin);
    }
    if (n == 0 || vars == 0) return;
    const int32_t xv = 1, yv = vars;
    const int32_t picks[] = {1, n, std::max(1, n - 1), std::max(1, n - 2), (n + 1) / 2};
    double xmin = value(file, 1, xv), xmax = xmin;
    for (int32_t s = 1; s <= n; ++s) {
        xmin = std::min(xmin, value(file, s, xv));
        xmax = std::max(xmax, value(file, s, xv));
    }
    std::vector<std::array<double, 2>> windows{{xmin, xmax}};
    for (int32_t s : picks) windows.push_back({value(file, s, xv), value(file, s, xv)});
    windows.push_back({value(file, n, xv), xmax});
    for (const auto& w : windows) {
        double up = -1.0e10, lo = 1.0e10, mag = 0, a = w[0], b = w[1];
        int32_t f = file, y = yv, x = xv;
        rrang(&f, &y, &x, &a, &b, &up, &lo, &mag);
        double sup = -1.0e10, slo = 1.0e10;
        for (int32_t s = 1; s <= n; ++s) {
            const double xs = value(file, s, xv);
            if (xs >= w[0] && xs <= w[1]) {
                sup = std::max(sup, value(file, s, yv));
                slo = std::min(slo, value(file, s, yv));
            }
        }
        EXPECT(up == sup && lo == slo);
    }
    // Device mapping over the data's own range, so that most values stay inside.
    double ylo = 0, yhi = 0, m = 0;
    {
        int32_t f = file, y = yv;
        ylo = 1.0e300;
        yhi = -1.0e300;
        drang(&f, &y, &yhi, &ylo, &m);
    }
    int32_t xspan = 1000, yspan = -700, xoff = 10, yoff = 720;
    double a = xmin, b = xmax, c = ylo, d = yhi;
    dtran(&a, &b, &c, &d, &xspan, &yspan, &xoff, &yoff);
    int32_t f = file, x = xv, y = yv, count = 0;
    sdata(&f, &x, &y, &count);
    const int32_t runs[][2] = {{1, n}, {n, n}, {std::max(1, n - 2), n}, {1, std::max(1, n / 2)}, {(n + 1) / 2, n}};
    for (const auto& run : runs) {
        int32_t first = run[0], last = run[1];
        int32_t rxlo, rxhi, rylo, ryhi, rxin, ryin;
        mrang(&f, &first, &last, &rxlo, &rxhi, &rylo, &ryhi, &rxin, &ryin);
        int32_t wxlo = 32767, wxhi = -32767, wylo = 32767, wyhi = -32767;
        for (int32_t s = first; s <= last; ++s) {
            int32_t px = 0, py = 0, in = 1, sample = s;
            idata(&f, &sample, &px, &in);
            jdata(&f, &sample, &py, &in);
            wxlo = std::min(wxlo, px);
            wxhi = std::max(wxhi, px);
            wylo = std::min(wylo, py);
            wyhi = std::max(wyhi, py);
        }
        EXPECT(rxlo == wxlo && rxhi == wxhi && rylo == wylo && ryhi == wyhi);
    }
    // The same for every step-th sample, as a draw rate keeps them, and the
    // first of them leaving a box one unit lower than their own extents.
    for (int32_t step : {2, 3}) {
        for (const auto& run : runs) {
            int32_t first = 1 + (run[0] - 1) / step * step, last = run[1], every = step;
            int32_t wxlo = 32767, wxhi = -32767, wylo = 32767, wyhi = -32767;
            for (int32_t s = first; s <= last; s += step) {
                int32_t px = 0, py = 0, in = 1, sample = s;
                idata(&f, &sample, &px, &in);
                jdata(&f, &sample, &py, &in);
                wxlo = std::min(wxlo, px);
                wxhi = std::max(wxhi, px);
                wylo = std::min(wylo, py);
                wyhi = std::max(wyhi, py);
            }
            int32_t rxlo, rxhi, rylo, ryhi, rxin, ryin;
            mrngs(&f, &first, &last, &every, &rxlo, &rxhi, &rylo, &ryhi, &rxin, &ryin, nullptr, nullptr);
            EXPECT(rxlo == wxlo && rxhi == wxhi && rylo == wylo && ryhi == wyhi);
            int32_t bxlo = wxlo, bxhi = wxhi, bylo = wylo, byhi = std::max(wylo, wyhi - 1);
            int32_t expected = 0, passedLo = 32767, passedHi = -32767;
            for (int32_t s = first; s <= last && expected == 0; s += step) {
                int32_t px = 0, py = 0, in = 1, sample = s;
                idata(&f, &sample, &px, &in);
                jdata(&f, &sample, &py, &in);
                if (in != 1 || px < bxlo || px > bxhi || py < bylo || py > byhi) {
                    expected = s;
                } else {
                    passedLo = std::min(passedLo, py);
                    passedHi = std::max(passedHi, py);
                }
            }
            int32_t found = -1, runlo = 0, runhi = 0;
            mexit(&f, &first, &last, &every, &bxlo, &bxhi, &bylo, &byhi, &found, &runlo, &runhi);
            EXPECT(found == expected);
            EXPECT(passedLo > passedHi ? runlo > runhi : runlo == passedLo && runhi == passedHi);
        }
    }
}

}  // namespace zan::fuzz

#endif
