#include "session/merge_vars.h"
#include "session/version_key.h"

#include <gtest/gtest.h>

#include <random>

namespace zan {
namespace {

using Row = VarMapTable::Row;
struct Entry {
    std::string name;
    Row row;
};

// The walk written out step by step with plain linear searches, to hold the
// fast merge against.
std::vector<Entry> WalkByHand(std::vector<Entry> merged, const std::vector<std::string>& names, int c) {
    auto count = [](auto& list, auto nameOf) {
        int n = static_cast<int>(list.size());
        while (n > 0 && nameOf(list[static_cast<size_t>(n - 1)]).empty()) --n;
        return n;
    };
    const int nN = count(names, [](const std::string& s) { return s; });
    const int nM = count(merged, [](const Entry& e) { return e.name; });
    auto N = [&](int i) { return names[static_cast<size_t>(i - 1)]; };
    auto M = [&](int i) { return merged[static_cast<size_t>(i - 1)]; };
    std::vector<Entry> out;
    auto withColumn = [&](Entry e, int col) {
        e.row[static_cast<size_t>(c)] = col;
        out.push_back(e);
    };
    int pN = 0, pM = 0;
    bool byN = true;
    while ((pN < nN || pM < nM) && out.size() < static_cast<size_t>(kMaxMerged)) {
        if (byN) {
            if (pN == nN) { byN = false; continue; }
            int q = 0;
            for (int i = pM + 1; i <= nM && q == 0; ++i)
                if (M(i).name == N(pN + 1)) q = i;
            if (q == pM + 1) { withColumn(M(q), pN + 1); ++pN; ++pM; }
            else if (q > 0) {
                for (int i = pM + 1; i < q; ++i) withColumn(M(i), 0);
                pM = q - 1;
                byN = false;
            } else { withColumn({N(pN + 1), {}}, pN + 1); ++pN; }
        } else {
            if (pM == nM) { byN = true; continue; }
            int q = 0;
            for (int i = pN + 1; i <= nN && q == 0; ++i)
                if (N(i) == M(pM + 1).name) q = i;
            if (q == pN + 1) { withColumn(M(pM + 1), q); ++pN; ++pM; }
            else if (q > 0) {
                for (int i = pN + 1; i < q; ++i) withColumn({N(i), {}}, i);
                pN = q - 1;
                byN = true;
            } else { withColumn(M(pM + 1), 0); ++pM; }
        }
    }
    for (bool again = true; again;) {
        again = false;
        for (size_t k = 0; k < out.size() && !again; ++k)
            for (size_t j = k + 1; j < out.size() && !again; ++j)
                if (out[k].name == out[j].name) {
                    for (size_t col = 1; col < out[k].row.size(); ++col)
                        out[k].row[col] = std::max(out[k].row[col], out[j].row[col]);
                    out.erase(out.begin() + static_cast<std::ptrdiff_t>(j));
                    again = true;
                }
    }
    return out;
}

// Merges versions one after the other as loading does.
struct Merger {
    std::vector<std::string> merged;
    VarMapTable map;
    int columns = 0;

    void Add(const std::vector<std::string>& names) {
        ++columns;
        MergeVars(merged, map, names, columns);
    }
    std::vector<int> Column(int c) const {
        std::vector<int> values;
        for (int k = 1; k <= static_cast<int>(merged.size()); ++k) values.push_back(map(k, c));
        return values;
    }
};

using Names = std::vector<std::string>;

TEST(MergeVars, SameNamesGiveOneColumnEach) {
    Merger m;
    m.Add({"Time", "Alt", "Vel"});
    EXPECT_EQ(m.merged, (Names{"Time", "Alt", "Vel"}));
    EXPECT_EQ(m.Column(1), (std::vector<int>{1, 2, 3}));
}

TEST(MergeVars, ExtraNameAtTheEndIsAppendedAndMissingFromTheOldVersion) {
    Merger m;
    m.Add({"Time", "Alt", "Vel"});
    m.Add({"Time", "Alt", "Vel", "Mach"});
    EXPECT_EQ(m.merged, (Names{"Time", "Alt", "Vel", "Mach"}));
    EXPECT_EQ(m.Column(1), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(m.Column(2), (std::vector<int>{1, 2, 3, 4}));
}

TEST(MergeVars, WalkKeepsTheOrderOfBothLists) {
    struct Case {
        Names first, second, merged;
        std::vector<int> col1, col2;
    };
    const Case cases[] = {
        // a name inserted in the middle
        {{"T", "A", "C"}, {"T", "A", "B", "C"}, {"T", "A", "B", "C"}, {1, 2, 0, 3}, {1, 2, 3, 4}},
        // a name dropped in the middle
        {{"T", "A", "B", "C"}, {"T", "A", "C"}, {"T", "A", "B", "C"}, {1, 2, 3, 4}, {1, 2, 0, 3}},
        // a name moved to the front: the skipped names stay ahead of it and
        // are then found again as the new version's names
        {{"T", "A", "B"}, {"B", "T", "A"}, {"T", "A", "B"}, {1, 2, 3}, {2, 3, 1}},
        // nothing in common
        {{"T", "A"}, {"X", "Y"}, {"X", "Y", "T", "A"}, {0, 0, 1, 2}, {1, 2, 0, 0}},
        // an empty new version adds nothing
        {{"T", "A"}, {}, {"T", "A"}, {1, 2}, {0, 0}},
        // trailing blank names are not counted
        {{"T", "A"}, {"T", "", "A", "", ""}, {"T", "", "A"}, {1, 0, 2}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        Merger m;
        m.Add(c.first);
        m.Add(c.second);
        EXPECT_EQ(m.merged, c.merged);
        EXPECT_EQ(m.Column(1), c.col1);
        EXPECT_EQ(m.Column(2), c.col2);
    }
}

TEST(MergeVars, EqualNamesFoldIntoTheFirstWithTheLargerNumbers) {
    Merger m;
    m.Add({"T", "A", "A", "B"});
    EXPECT_EQ(m.merged, (Names{"T", "A", "B"}));
    EXPECT_EQ(m.Column(1), (std::vector<int>{1, 3, 4}));
}

TEST(MergeVars, MatchesTheStepByStepWalkOnRandomLists) {
    std::mt19937 random(12345);
    for (int trial = 0; trial < 300; ++trial) {
        Merger fast;
        std::vector<Entry> slow;
        const int versions = 1 + static_cast<int>(random() % 6);
        for (int v = 1; v <= versions; ++v) {
            Names names;
            const int n = static_cast<int>(random() % 12);
            for (int i = 0; i < n; ++i)
                names.push_back(random() % 9 == 0 ? "" : std::string(1, static_cast<char>('a' + random() % 10)));
            slow = WalkByHand(slow, names, v);
            fast.Add(names);
            ASSERT_EQ(fast.merged.size(), slow.size()) << trial;
            for (size_t k = 0; k < slow.size(); ++k) {
                ASSERT_EQ(fast.merged[k], slow[k].name) << trial;
                for (int col = 1; col <= v; ++col)
                    ASSERT_EQ(fast.map(static_cast<int>(k + 1), col), slow[k].row[static_cast<size_t>(col)])
                        << "trial " << trial << " entry " << k << " column " << col;
            }
        }
    }
}

TEST(MergeVars, KeepsAtMost5000Entries) {
    Names a, b;
    for (int i = 0; i < 4000; ++i) a.push_back("a" + std::to_string(i));
    for (int i = 0; i < 4000; ++i) b.push_back("b" + std::to_string(i));
    Merger m;
    m.Add(a);
    m.Add(b);
    EXPECT_EQ(m.merged.size(), 5000u);
}

TEST(VersionKey, TabCountsAsBlankAndOrderMatters) {
    EXPECT_EQ(VersionKey({"Alt\tx"}), VersionKey({"Alt x"}));
    EXPECT_EQ(CleanName("Alt\tx   "), "Alt x");
    EXPECT_EQ(VersionKey({"Alt  "}), VersionKey({"Alt"}));
    EXPECT_NE(VersionKey({"A", "B"}), VersionKey({"B", "A"}));
    EXPECT_NE(VersionKey({"A"}), VersionKey({"A", ""}));
    EXPECT_EQ(VersionKey({}), 0x0FFFFFFF);
    EXPECT_LT(VersionKey({"Time", "Altitude"}), 1 << 29);
}

TEST(VersionKey, RotatesTwentyNineBits) {
    // One name of a single "A" followed by 79 blanks, worked through by hand
    // with the rule: xor the code, then rotate the 29-bit key left by one.
    uint32_t k = 0x0FFFFFFF;
    for (int i = 0; i < 80; ++i) {
        k ^= i == 0 ? 65u : 32u;
        k = ((k & 0x0FFFFFFFu) << 1) | ((k >> 28) & 1u);
    }
    EXPECT_EQ(VersionKey({"A"}), static_cast<int>(k));
}

}  // namespace
}  // namespace zan
