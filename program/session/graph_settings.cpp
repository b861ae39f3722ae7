#include "session/graph_settings.h"

#include "platform/number_format.h"
#include "platform/profile.h"
#include "session/settings_file.h"

#include <algorithm>

namespace zan {

namespace {

// More graphs than this are not read from a (hand-edited) settings file.
constexpr int kMaxStoredGraphs = 1000000;

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

int Rounded(const std::string& text) { return toInt32(leadingNumber(text)); }

// Keeps the page and the current graph within the graphs.
void KeepGraphInRange(Session& s) {
    const int cells = std::max(s.nCell, 1);
    const int pages = std::max((s.nGrph + cells - 1) / cells, 1);
    s.iPage = std::clamp(s.iPage, 1, pages);
    s.cGrph = std::clamp(s.cGrph, 1, std::max(s.nGrph, 1));
    SetWind(s);
}

}  // namespace

std::optional<GraphRecord> ParseGraph(const std::string& entry, int nVar) {
    const size_t q1 = entry.find('"');
    if (q1 == std::string::npos) return std::nullopt;
    const size_t q2 = entry.find('"', q1 + 1);
    if (q2 == std::string::npos) return std::nullopt;
    const size_t c1 = entry.find(',', q2 + 1);
    if (c1 == std::string::npos) return std::nullopt;
    const size_t c2 = entry.find(',', c1 + 1);
    if (c2 == std::string::npos) return std::nullopt;
    const size_t c3 = entry.find(',', c2 + 1);
    if (c3 == std::string::npos) return std::nullopt;
    auto between = [&](size_t a, size_t b) { return entry.substr(a + 1, b - a - 1); };
    auto isVar = [&](int v) { return v >= 1 && v <= nVar; };

    GraphRecord g;
    g.Title = entry.substr(q1 + 1, std::min<size_t>(q2 - q1 - 1, kTitleLength));
    g.xVar = Rounded(between(c1, c2));
    if (!isVar(g.xVar)) return std::nullopt;
    g.nLine = Rounded(between(c2, c3));
    if (g.nLine < 1 || g.nLine > kMaxLines) return std::nullopt;
    size_t previous = c3;
    for (int k = 1; k <= g.nLine; ++k) {
        std::string text;
        if (k < g.nLine) {
            const size_t next = entry.find(',', previous + 1);
            if (next == std::string::npos) return std::nullopt;
            text = between(previous, next);
            previous = next;
        } else {
            text = entry.substr(previous + 1);
        }
        const int line = Rounded(text);
        if (!isVar(line)) return std::nullopt;
        g.Lines[static_cast<size_t>(k)] = line;
    }
    return g;
}

void DefaultLayout(Session& s) {
    s.nGrph = std::max(s.nVar - 1, 1);
    s.iPage = 1;
    s.iStep = 1;
    s.GrphTab.assign(s.nGrph);
    for (int g = 1; g <= s.nGrph; ++g) {
        GraphRecord& r = s.GrphTab[g];
        // With the time as the only variable it is drawn against itself.
        const int line = std::min(g + 1, std::max(s.nVar, 1));
        r.nLine = 1;
        r.xVar = 1;
        r.Lines[1] = line;
        r.Title = s.VarTab.contains(line) ? s.VarTab[line].Name : std::string();
    }
    for (VarRecord& v : s.VarTab) v.Lfix[1] = 0;
}

void IniGrphs(Session& s) {
    // Without data the stored graphs cannot be matched to variables; what is
    // laid out then is not the user's layout, and writing the settings
    // must not replace it.
    s.bNoLayout = s.lderr != 0;
    const platform::ProfileDocument doc = platform::ProfileDocument::Load(SettingsPath(s));
    const int crc = Rounded(doc.Get("Files", "Crc", "0"));
    const int n = std::min(Rounded(doc.Get("Startup", "Graphs", "0")), kMaxStoredGraphs);
    if (crc == s.CrcAll && n > 0) {
        const platform::ProfileSection graphs = doc.Section("Graphs");
        const std::string title = graphs.Get("Title", "");
        if (!title.empty()) s.ScrTitle = Trim(title).substr(0, kTitleLength);
        s.nGrph = 0;
        s.GrphTab.clear();
        for (int g = 1; g <= n; ++g) {
            const std::string entry = graphs.Get("Graph" + numberWithSignPlace(g), "\" \",0,1,1");
            if (std::optional<GraphRecord> r = ParseGraph(entry, s.nVar)) {
                s.GrphTab.push_back(*r);
                ++s.nGrph;
            }
        }
        if (s.nGrph > 0) {
            KeepGraphInRange(s);
            return;
        }
    }
    DefaultLayout(s);
    KeepGraphInRange(s);
}

void IniScale(Session& s, DataLibrary& library) {
    const platform::ProfileDocument doc = platform::ProfileDocument::Load(SettingsPath(s));
    const platform::ProfileSection scales = doc.Section("Scales");
    s.iMall = Rounded(scales.Get("Move All", "0"));
    // Shifts and factors go only to files the library holds.
    if (s.lderr != 0) return;
    const int nFile = std::min(s.nFile, s.FileTab.size());
    auto prefix = [](int i) { return "File" + formatNumber(i, "0000"); };
    for (int i = 1; i <= nFile; ++i) {
        const int np = Rounded(scales.Get(prefix(i) + "nPar", "0"));
        const int ic = Rounded(scales.Get(prefix(i) + "iCrc", "-1"));
        if (np != s.FileTab[i].nPar || ic != s.FileTab[i].iCrc) return;
    }
    for (int i = 1; i <= nFile; ++i) {
        const int m = Rounded(scales.Get(prefix(i) + "mPar", "0"));
        const int n = Rounded(scales.Get(prefix(i) + "nPar", "0"));
        if (m <= 0) continue;
        for (int j = 1; j <= n; ++j) {
            const std::string entry = scales.Get(prefix(i) + formatNumber(j, "0000"), "0 , 1");
            const size_t p = entry.find(',');
            if (p == std::string::npos) continue;
            library.SetShift(i, j, leadingNumber(entry.substr(0, p)));
            library.SetFactor(i, j, leadingNumber(entry.substr(p + 1)));
        }
    }
}

}  // namespace zan
