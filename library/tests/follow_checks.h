// A fixture for tests of dgrow: calls through the public interface, and the
// comparison of a followed file with a fresh load of the same file.
#ifndef ZAN_TESTS_FOLLOW_CHECKS_H
#define ZAN_TESTS_FOLLOW_CHECKS_H

#include "loader_fixture.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zan::testfiles {

struct Grown {
    int32_t nstored = 0;
    int32_t added = 0;
    int32_t status = 0;
};

struct Range {
    double upper = 0;
    double lower = 0;
    bool operator==(const Range&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Range& r)
{
    return out << r.lower << ".." << r.upper;
}

class FollowTest : public LoaderTest {
protected:
    static Grown grow(int32_t file, const std::string& path)
    {
        Grown g;
        Path codes = path_codes(path);
        dgrow(&file, codes.data(), &g.nstored, &g.added, &g.status);
        return g;
    }

    // rrang of variable y over the samples whose variable x lies in [xlo, xhi].
    static Range window_range(int32_t file, double xlo, double xhi, int32_t y = 2, int32_t x = 1)
    {
        Range r;
        double magnitude = 0;
        rrang(&file, &y, &x, &xlo, &xhi, &r.upper, &r.lower, &magnitude);
        return r;
    }

    // Least and greatest device y (one unit per value) that mrang gives for
    // samples first..last of variable y.
    static std::pair<int32_t, int32_t> mapped_y(int32_t file, int32_t first, int32_t last, int32_t y = 2)
    {
        double lo = 0, hi = 10000;
        int32_t span = 10000, off = 0, x = 1, count = 0;
        dtran(&lo, &hi, &lo, &hi, &span, &span, &off, &off);
        sdata(&file, &x, &y, &count);
        int32_t xlo, xhi, ylo, yhi, xin, yin;
        mrang(&file, &first, &last, &xlo, &xhi, &ylo, &yhi, &xin, &yin);
        return {ylo, yhi};
    }

    // The same for samples first, first + step, ... up to last (mrngs).
    static std::pair<int32_t, int32_t> mapped_y_stepped(int32_t file, int32_t first, int32_t last, int32_t step)
    {
        double lo = 0, hi = 10000;
        int32_t span = 10000, off = 0, x = 1, y = 2, count = 0;
        dtran(&lo, &hi, &lo, &hi, &span, &span, &off, &off);
        sdata(&file, &x, &y, &count);
        int32_t xlo, xhi, ylo, yhi, xin, yin, xcont, ycont;
        mrngs(&file, &first, &last, &step, &xlo, &xhi, &ylo, &yhi, &xin, &yin, &xcont, &ycont);
        return {ylo, yhi};
    }

    // Slot `file` must hold what a fresh load of the file at `path` with the
    // same step holds, and answer every range query as a scan of its samples
    // does. With a step the fresh load is given room for all rows (a load
    // stops at the capacity its row count gives; following goes on): a text
    // file with comment lines added, a binary one loaded without a step and
    // every step-th row taken.
    void expect_same_as_fresh(int32_t file, const std::string& path, int32_t step = 1)
    {
        SCOPED_TRACE("compared with a fresh load");
        const bool text = path.ends_with(".csv");
        std::string source = path;
        if (step > 1 && text) {
            std::ifstream in(path, std::ios::binary);
            std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!content.empty() && content.back() != '\n') content += '\n';
            for (int32_t i = 0; i < step; ++i) content += "#\n";
            source = dir.file("fresh.csv");
            write_text(source, content);
        }
        const int32_t fresh = store().loaded + 1;
        const int32_t every = text ? 1 : step;
        const Loaded r = load(fresh, source, text ? step : 1);
        const FileSlot* followed = loaded_slot(file);
        ASSERT_NE(followed, nullptr);
        ASSERT_EQ(followed->nvar, r.nvar);
        ASSERT_EQ(followed->stored, (r.nstored + every - 1) / every);
        for (int32_t v = 1; v <= r.nvar; ++v)
            for (int32_t s = 1; s <= followed->stored; ++s)
                ASSERT_EQ(stored(file, v, s), stored(fresh, v, (s - 1) * every + 1)) << "variable " << v << " sample " << s;
        expect_ranges_as_scanned(file);
        if (every == 1)
            for (int32_t v = 1; v <= r.nvar; ++v) {
                EXPECT_EQ(var_tables(file)->rawmax[static_cast<std::size_t>(v - 1)],
                          var_tables(fresh)->rawmax[static_cast<std::size_t>(v - 1)]);
                EXPECT_EQ(var_tables(file)->rawmin[static_cast<std::size_t>(v - 1)],
                          var_tables(fresh)->rawmin[static_cast<std::size_t>(v - 1)]);
            }
    }

    // drang, rrang over windows around every sample and mrang over runs of
    // samples, against a scan of the stored values.
    static void expect_ranges_as_scanned(int32_t file)
    {
        const FileSlot* slot = loaded_slot(file);
        const int32_t n = slot->stored;
        for (int32_t y = 1; y <= slot->nvar; ++y) {
            double upper = 0, lower = 0, magnitude = 0;
            int32_t f = file, v = y;
            drang(&f, &v, &upper, &lower, &magnitude);
            Range scanned{-1.0e10, 1.0e10};
            for (int32_t s = 1; s <= n; ++s) {
                scanned.upper = std::max(scanned.upper, stored(file, y, s));
                scanned.lower = std::min(scanned.lower, stored(file, y, s));
            }
            EXPECT_EQ((Range{upper, lower}), scanned) << "drang of variable " << y;
            for (int32_t s = 1; s <= n; ++s) {
                const double x = stored(file, 1, s);
                Range in{-1.0e10, 1.0e10};
                for (int32_t k = 1; k <= n; ++k)
                    if (stored(file, 1, k) >= x - 0.5 && stored(file, 1, k) <= x + 0.5) {
                        in.upper = std::max(in.upper, stored(file, y, k));
                        in.lower = std::min(in.lower, stored(file, y, k));
                    }
                EXPECT_EQ(window_range(file, x - 0.5, x + 0.5, y), in) << "rrang around sample " << s;
            }
            if (n > 0) {
                const auto [lo, hi] = mapped_y(file, 1, n, y);
                EXPECT_EQ(lo, static_cast<int32_t>(std::lround(scanned.lower))) << "mrang of variable " << y;
                EXPECT_EQ(hi, static_cast<int32_t>(std::lround(scanned.upper))) << "mrang of variable " << y;
            }
        }
    }
};

}  // namespace zan::testfiles

#endif
