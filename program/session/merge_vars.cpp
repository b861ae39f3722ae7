#include "session/merge_vars.h"

#include <algorithm>
#include <unordered_map>

namespace zan {

namespace {

// Counts only up to the last name that is not blank.
int UsedCount(const std::vector<std::string>& names) {
    int n = static_cast<int>(names.size());
    while (n > 0 && names[static_cast<size_t>(n - 1)].empty()) --n;
    return n;
}

// Positions (1-based, ascending) of every name in a list, to find the first
// occurrence after a given position without scanning.
class PositionIndex {
public:
    PositionIndex(const std::vector<std::string>& names, int count) {
        index_.reserve(static_cast<size_t>(count));
        for (int i = 1; i <= count; ++i) index_[names[static_cast<size_t>(i - 1)]].push_back(i);
    }
    // First position > after holding name, or 0.
    int FindAfter(const std::string& name, int after) const {
        auto it = index_.find(name);
        if (it == index_.end()) return 0;
        auto pos = std::upper_bound(it->second.begin(), it->second.end(), after);
        return pos == it->second.end() ? 0 : *pos;
    }

private:
    std::unordered_map<std::string, std::vector<int>> index_;
};

struct Entry {
    std::string name;
    VarMapTable::Row row;
};

}  // namespace

void MergeVars(std::vector<std::string>& merged, VarMapTable& map,
               const std::vector<std::string>& names, int c) {
    const int nN = UsedCount(names);
    const int nM = UsedCount(merged);
    const PositionIndex inN(names, nN);
    const PositionIndex inM(merged, nM);
    auto N = [&](int i) -> const std::string& { return names[static_cast<size_t>(i - 1)]; };
    auto M = [&](int i) -> const std::string& { return merged[static_cast<size_t>(i - 1)]; };

    std::vector<Entry> out;
    out.reserve(static_cast<size_t>(std::min(nN + nM, kMaxMerged)));
    const auto full = [&] { return static_cast<int>(out.size()) >= kMaxMerged; };
    auto appendMerged = [&](int m, int column) {
        Entry e{M(m), map.row(m)};
        e.row[static_cast<size_t>(c)] = column;
        out.push_back(std::move(e));
    };
    auto appendNew = [&](int n) {
        Entry e{N(n), {}};
        e.row[static_cast<size_t>(c)] = n;
        out.push_back(std::move(e));
    };

    int pN = 0;
    int pM = 0;
    bool drivenByN = true;
    while ((pN < nN || pM < nM) && !full()) {
        if (drivenByN) {
            if (pN == nN) {
                drivenByN = false;
                continue;
            }
            const int q = inM.FindAfter(N(pN + 1), pM);
            if (q == pM + 1) {
                appendMerged(q, pN + 1);
                ++pN;
                ++pM;
            } else if (q > pM + 1) {
                for (int m = pM + 1; m < q && !full(); ++m) appendMerged(m, 0);
                pM = q - 1;
                drivenByN = false;
            } else {
                appendNew(pN + 1);
                ++pN;
            }
        } else {
            if (pM == nM) {
                drivenByN = true;
                continue;
            }
            const int q = inN.FindAfter(M(pM + 1), pN);
            if (q == pN + 1) {
                appendMerged(pM + 1, q);
                ++pN;
                ++pM;
            } else if (q > pN + 1) {
                for (int n = pN + 1; n < q && !full(); ++n) appendNew(n);
                pN = q - 1;
                drivenByN = true;
            } else {
                appendMerged(pM + 1, 0);
                ++pM;
            }
        }
    }

    // Equal names fold into their first entry, column by column the larger.
    std::vector<Entry> folded;
    folded.reserve(out.size());
    std::unordered_map<std::string, size_t> first;
    first.reserve(out.size());
    for (Entry& e : out) {
        auto [it, inserted] = first.emplace(e.name, folded.size());
        if (inserted) {
            folded.push_back(std::move(e));
            continue;
        }
        VarMapTable::Row& row = folded[it->second].row;
        for (size_t col = 1; col < row.size(); ++col) row[col] = std::max(row[col], e.row[col]);
    }

    merged.clear();
    for (size_t k = 0; k < folded.size(); ++k) {
        merged.push_back(std::move(folded[k].name));
        map.row(static_cast<int>(k + 1)) = folded[k].row;
    }
    for (int k = static_cast<int>(folded.size()) + 1; k <= kMaxMerged; ++k) map.row(k) = {};
}

}  // namespace zan
