// Loads any bytes as a data file of one layout (the extension comes from
// ZAN_FUZZ_EXTENSION) and holds every answer of the library to the promises
// of zan.h: statuses and counts in their bounds, ranges equal to a scan of
// the samples, batch and range mapping equal to single-sample mapping,
// neutral answers outside the stored data, extraction and a reload that
// give the same file again.
#include "zan.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Checked promise; a broken one aborts, which the fuzzer reports.
#define EXPECT(cond)                                                                   \
    do {                                                                               \
        if (!(cond)) {                                                                 \
            std::fprintf(stderr, "broken promise at line %d: %s\n", __LINE__, #cond); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

// Variables and samples looked at closely per input, so that one input
// stays fast even when it declares thousands of variables.
constexpr int32_t kVarsChecked = 6;
constexpr int32_t kSamplesChecked = 3000;

const fs::path& work_folder()
{
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("zan_fuzz_" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder;
}

std::vector<int32_t> path_codes(const std::string& path)
{
    std::vector<int32_t> codes(ZAN_PATH_LEN, ' ');
    for (std::size_t i = 0; i < path.size() && i < codes.size(); ++i) codes[i] = static_cast<unsigned char>(path[i]);
    return codes;
}

struct Loaded {
    int32_t status = 0, close = 0, nvar = 0, nstored = 0, nrows = 0, step = 1;
    std::vector<int32_t> names;
    std::array<int32_t, ZAN_NAME_LEN> title{};
};

Loaded load(int32_t file, const std::string& path)
{
    // Room for the most names a load may write, made once.
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    Loaded r;
    std::vector<int32_t> codes = path_codes(path);
    dopen(&file, codes.data(), names.data(), r.title.data(), &r.nvar, &r.nstored, &r.nrows, &r.step, &r.status,
          &r.close);
    const std::size_t kept = static_cast<std::size_t>(std::clamp(r.nvar, 0, int32_t{ZAN_MAX_VARS})) * ZAN_NAME_LEN;
    r.names.assign(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(kept));
    return r;
}

double value(int32_t file, int32_t sample, int32_t var)
{
    double v = -12345.0;
    ddata(&file, &sample, &var, &v);
    return v;
}

void check_load(const Loaded& r, std::size_t size)
{
    EXPECT(r.nvar >= 0 && r.nvar <= ZAN_MAX_VARS);
    EXPECT(r.nstored >= 0);
    EXPECT(r.close == 0);
    EXPECT(r.step == 1);
    const bool loaded = r.nvar > 0;
    // A load with variables ends at the end of the data or of the capacity,
    // or at a read error that keeps the rows before it; a load without
    // variables ends with one of the documented failures.
    if (loaded) EXPECT(r.status >= -1);
    else EXPECT(r.status == -1 || r.status > 0);
    for (int32_t c : r.title) EXPECT(c >= 0 && c <= 255);
    int32_t count = -1, one = 1, x = 1, y = 1;
    sdata(&one, &x, &y, &count);
    EXPECT(count == (loaded ? r.nstored : 0));
    // A binary row holds at least four bytes and a text row two.
    EXPECT(static_cast<std::size_t>(r.nstored) <= size);
}

// drang over all samples must equal a scan of ddata.
void check_ranges(const Loaded& r)
{
    for (int32_t v = 1; v <= std::min(r.nvar, kVarsChecked); ++v) {
        double up = 0, lo = 0, mag = 0;
        int32_t f = 1, var = v;
        drang(&f, &var, &up, &lo, &mag);
        if (r.nstored == 0) {
            EXPECT(up == -1.0e10 && lo == 1.0e10);
            continue;
        }
        double smax = -1e300, smin = 1e300;
        for (int32_t s = 1; s <= r.nstored; ++s) {
            const double d = value(1, s, v);
            EXPECT(d == d && d >= -1.0e9 && d <= 1.0e9);
            smax = std::max(smax, d);
            smin = std::min(smin, d);
        }
        EXPECT(up == smax && lo == smin);
        // cdata gives the same column in one call, and 0.0 beyond its ends.
        std::vector<double> column(static_cast<std::size_t>(r.nstored) + 2, -1.0);
        int32_t first = 0, count = r.nstored + 2;
        cdata(&f, &var, &first, &count, column.data());
        EXPECT(column.front() == 0.0 && column.back() == 0.0);
        for (int32_t s = 1; s <= r.nstored; ++s) EXPECT(column[static_cast<std::size_t>(s)] == value(1, s, v));
        // pdata names the stored samples, and calls them exact only when ddata gives them bit for bit.
        const double* stored = nullptr;
        int32_t n = -1, exact = -1;
        pdata(&f, &var, &stored, &n, &exact);
        EXPECT(stored && n == r.nstored);
        bool same = true;
        for (int32_t s = 1; s <= n; ++s)
            same = same && std::memcmp(&stored[s - 1], &column[static_cast<std::size_t>(s)], sizeof(double)) == 0;
        EXPECT(exact == (same ? 1 : 0));
        EXPECT(mag == (std::max(std::fabs(up), std::fabs(lo)) == 0 ? 1.0 : std::max(std::fabs(up), std::fabs(lo))));
    }
}

struct Mapped {
    int32_t x, y, xin, yin;
};

Mapped map_one(int32_t s)
{
    Mapped m{0, 0, 1, 1};
    int32_t f = 1;
    idata(&f, &s, &m.x, &m.xin);
    jdata(&f, &s, &m.y, &m.yin);
    return m;
}

// mdata and mrang against idata and jdata, for the variable pairs and
// device mappings derived from the input.
void check_mapping(const Loaded& r, const uint8_t* data, std::size_t size)
{
    if (r.nvar == 0) return;
    const int32_t n = std::min(r.nstored, kSamplesChecked);
    const uint8_t seed = size > 0 ? data[size / 2] : 0;
    const int32_t xv = 1 + seed % std::min(r.nvar, kVarsChecked);
    const int32_t yv = 1 + (seed / 7) % std::min(r.nvar, kVarsChecked);
    int32_t f = 1, count = 0, xvar = xv, yvar = yv;
    sdata(&f, &xvar, &yvar, &count);
    EXPECT(count == r.nstored);
    // Ranges: the whole data, a narrow piece of it, and an empty one.
    double xhi = 1, xlo = 0, yhi = 1, ylo = 0, mag = 0;
    drang(&f, &xvar, &xhi, &xlo, &mag);
    drang(&f, &yvar, &yhi, &ylo, &mag);
    const double views[][4] = {{xlo, xhi, ylo, yhi},
                               {xlo, xlo + (xhi - xlo) / 64, ylo + (yhi - ylo) / 3, ylo + (yhi - ylo) / 2.9},
                               {xlo, xlo, yhi, yhi}};
    for (const auto& v : views) {
        double a = v[0], b = v[1], c = v[2], d = v[3];
        int32_t xspan = 700, yspan = -500, xoff = 20, yoff = 510;
        dtran(&a, &b, &c, &d, &xspan, &yspan, &xoff, &yoff);
        std::vector<Mapped> single(static_cast<std::size_t>(n));
        for (int32_t s = 1; s <= n; ++s) {
            single[static_cast<std::size_t>(s - 1)] = map_one(s);
            const Mapped& m = single[static_cast<std::size_t>(s - 1)];
            EXPECT(m.x >= -32767 && m.x <= 32767 && m.y >= -32767 && m.y <= 32767);
        }
        if (n > 0) {
            std::vector<int32_t> bx(static_cast<std::size_t>(n)), by(bx.size()), bin(bx.size(), 1);
            int32_t first = 1, cnt = n;
            mdata(&f, &first, &cnt, bx.data(), by.data(), bin.data());
            for (int32_t s = 0; s < n; ++s) {
                const Mapped& m = single[static_cast<std::size_t>(s)];
                EXPECT(bx[static_cast<std::size_t>(s)] == m.x && by[static_cast<std::size_t>(s)] == m.y);
                EXPECT(bin[static_cast<std::size_t>(s)] == ((m.xin == 1 && m.yin == 1) ? 1 : 0));
            }
        }
        // Runs of samples chosen by the input bytes.
        for (std::size_t k = 0; k + 1 < std::min<std::size_t>(size, 16) && n > 0; k += 2) {
            int32_t lo = 1 + data[k] * 31 % n, hi = 1 + data[k + 1] * 67 % n;
            if (lo > hi) std::swap(lo, hi);
            int32_t rxlo, rxhi, rylo, ryhi, rxin, ryin;
            mrang(&f, &lo, &hi, &rxlo, &rxhi, &rylo, &ryhi, &rxin, &ryin);
            int32_t wxlo = 0, wxhi = 0, wylo = 0, wyhi = 0;
            bool xall = true, yall = true, xabove = true, xbelow = true, yabove = true, ybelow = true;
            for (int32_t s = lo; s <= hi; ++s) {
                const Mapped& m = single[static_cast<std::size_t>(s - 1)];
                wxlo = s == lo ? m.x : std::min(wxlo, m.x);
                wxhi = s == lo ? m.x : std::max(wxhi, m.x);
                wylo = s == lo ? m.y : std::min(wylo, m.y);
                wyhi = s == lo ? m.y : std::max(wyhi, m.y);
                xall = xall && m.xin == 1;
                yall = yall && m.yin == 1;
                xabove = xabove && m.xin == 0 && m.x == 32767;
                xbelow = xbelow && m.xin == 0 && m.x == -32767;
                yabove = yabove && m.yin == 0 && m.y == 32767;
                ybelow = ybelow && m.yin == 0 && m.y == -32767;
            }
            EXPECT(rxlo == wxlo && rxhi == wxhi && rylo == wylo && ryhi == wyhi);
            EXPECT(rxin == (xall ? 1 : (xabove || xbelow) ? -1 : 0));
            EXPECT(ryin == (yall ? 1 : (yabove || ybelow) ? -1 : 0));
        }
    }
}

// Numbers outside the stored data are answered neutrally.
void check_neutral(const Loaded& r)
{
    int32_t f = 1;
    const int32_t samples[] = {0, -1, r.nstored + 1, INT32_MAX, INT32_MIN};
    for (int32_t s : samples) {
        EXPECT(value(1, s, 1) == 0.0);
        int32_t x = 5, y = 5, in = 1;
        idata(&f, &s, &x, &in);
        EXPECT(x == 0 && in == 0);
        in = 1;
        jdata(&f, &s, &y, &in);
        EXPECT(y == 0 && in == 0);
        int32_t last = s, a, b, c, d, e, g;
        int32_t first = 1;
        mrang(&f, &first, &last, &a, &b, &c, &d, &e, &g);
        if (s < 1 || s > r.nstored) EXPECT(a == 0 && b == 0 && c == 0 && d == 0 && e == 0 && g == 0);
    }
    for (int32_t v : {0, -3, r.nvar + 1, ZAN_MAX_VARS + 1}) EXPECT(value(1, 1, v) == 0.0);
    int32_t two = 2, var = 1, count = -1;
    double up = 0, lo = 0, mag = 0;
    drang(&two, &var, &up, &lo, &mag);
    EXPECT(up == 1.0 && lo == 0.0 && mag == 1.0);
    sdata(&two, &var, &var, &count);
    EXPECT(count == 0);
    EXPECT(value(2, 1, 1) == 0.0);
}

// An extract of the first variables, in both kinds, loads again with the
// same variable count.
void check_extraction(const Loaded& r, const std::string& source)
{
    if (r.nvar == 0) return;
    const int32_t n = std::min(r.nvar, 3);
    std::vector<int32_t> vars(static_cast<std::size_t>(n));
    std::vector<double> upper(vars.size(), 1.0e9), lower(vars.size(), -1.0e9);
    std::string names(static_cast<std::size_t>(n) * ZAN_NAME_LEN, ' ');
    for (int32_t k = 0; k < n; ++k) {
        vars[static_cast<std::size_t>(k)] = k + 1;
        for (int32_t c = 0; c < ZAN_NAME_LEN; ++c)
            names[static_cast<std::size_t>(k * ZAN_NAME_LEN + c)] =
                static_cast<char>(r.names[static_cast<std::size_t>(k * ZAN_NAME_LEN + c)]);
    }
    std::string path = source;
    path.resize(ZAN_PATH_LEN, ' ');
    for (int32_t kind : {0, 1}) {
        int32_t f = 1, count = n, number = 1, len = 0;
        efile(&f, &count, vars.data(), upper.data(), lower.data(), &kind, path.data(), &len, names.data(), &len,
              &number);
    }
    const fs::path base = fs::path(source).replace_extension();
    for (const char* suffix : {"_exd001.bin", "_ext001.csv"}) {
        const std::string out = base.string() + suffix;
        if (!fs::exists(out)) continue;
        const Loaded back = load(2, out);
        // Names with commas or blanks only can change the text layout's
        // columns; the binary layout keeps them.
        if (suffix[3] == 'd') EXPECT(back.nvar == n && back.nstored <= r.nstored);
        int32_t done = 0;
        dclos(&done);
        const Loaded again = load(1, source);
        EXPECT(again.nvar == r.nvar);
        fs::remove(out);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string path = (work_folder() / ("input." ZAN_FUZZ_EXTENSION)).string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    int32_t done = 0;
    dclos(&done);
    const Loaded r = load(1, path);
    check_load(r, size);

    int32_t f = 1, kb = -1, spare = 0;
    std::vector<int32_t> codes = path_codes(path);
    dsize(&f, codes.data(), &kb, &spare);
    EXPECT(kb == static_cast<int32_t>((size + 1023) / 1024) || kb == static_cast<int32_t>(size / 1024));

    check_ranges(r);
    check_mapping(r, data, size);
    check_neutral(r);

    // A reload gives the very same file.
    std::vector<double> before;
    for (int32_t v = 1; v <= std::min(r.nvar, kVarsChecked); ++v)
        for (int32_t s = 1; s <= std::min(r.nstored, kSamplesChecked); ++s) before.push_back(value(1, s, v));
    dclos(&done);
    const Loaded again = load(1, path);
    EXPECT(again.status == r.status && again.nvar == r.nvar && again.nstored == r.nstored && again.nrows == r.nrows);
    EXPECT(again.names == r.names && again.title == r.title);
    std::size_t k = 0;
    for (int32_t v = 1; v <= std::min(r.nvar, kVarsChecked); ++v)
        for (int32_t s = 1; s <= std::min(r.nstored, kSamplesChecked); ++s) EXPECT(value(1, s, v) == before[k++]);

    check_extraction(r, path);
    dclos(&done);
    return 0;
}
