// Reads any bytes as the settings file the way start-up does (file list,
// section "Startup", graphs and scales against a made-up set of loaded
// files) and holds the result to what the menus and dialogs can produce:
// every value that enters the page arithmetic within its menu, every graph
// within the variables, the page inside the target. Then the settings are
// written, read back and written again: the second text equals the first.
#include "platform/number_format.h"
#include "platform/profile.h"
#include "platform/settings_store.h"
#include "render/page_layout.h"
#include "session/graph_settings.h"
#include "session/settings_file.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

#define EXPECT(cond)                                                                   \
    do {                                                                               \
        if (!(cond)) {                                                                 \
            std::fprintf(stderr, "broken promise at line %d: %s\n", __LINE__, #cond); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

const fs::path& work_folder()
{
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("zan_fuzz_settings_" + std::to_string(::getpid()));
        fs::create_directories(p / "data");
        // Names a settings file may list.
        for (const char* name : {"Output.bin", "a.bin", "b.csv", "run.dat"}) std::ofstream(p / "data" / name) << "x";
        return p;
    }();
    return folder;
}

class Host : public zan::SessionHost {
public:
    explicit Host(const std::string& folder) : store_(folder) {}
    zan::MsgResult Message(const std::string&, const std::string&, zan::MsgButtons buttons, zan::MsgIcon) override
    {
        return buttons == zan::MsgButtons::Ok ? zan::MsgResult::Ok : zan::MsgResult::No;
    }
    const zan::platform::SettingsStore& Store() const override { return store_; }
    void SetWatchTimer(int interval, bool) override { watch = interval; }
    zan::FrameGeometry Frame() const override { return {2, 100, 200, 9000, 12000}; }
    std::string CommandLine() const override { return "a.bin"; }
    int watch = 0;

private:
    zan::platform::SettingsStore store_;
};

// Shifts and factors only; nothing is loaded from disk.
class Library : public zan::DataLibrary {
public:
    explicit Library(int nFile, int nVar) : nFile_(nFile), nVar_(nVar) {}
    void Close() override {}
    int SizeKb(int, const std::string&) override { return 0; }
    zan::OpenResult Open(int, const std::string&, int&) override { return {}; }
    void Range(int, int, double& upper, double& lower, double& magnitude) override
    {
        upper = 1;
        lower = 0;
        magnitude = 1;
    }
    zan::Division Divide(double lo, double hi) override { return {lo, hi, 1, 1}; }
    double Shift(int f, int v) override { return shifts.count({f, v}) ? shifts[{f, v}] : 0.0; }
    double Factor(int f, int v) override { return factors.count({f, v}) ? factors[{f, v}] : 1.0; }
    void SetShift(int f, int v, double x) override
    {
        EXPECT(f >= 1 && f <= nFile_ && v >= 1 && v <= nVar_);
        shifts[{f, v}] = x;
    }
    void SetFactor(int f, int v, double x) override
    {
        EXPECT(f >= 1 && f <= nFile_ && v >= 1 && v <= nVar_);
        factors[{f, v}] = x;
    }
    std::map<std::pair<int, int>, double> shifts, factors;

private:
    int nFile_, nVar_;
};

std::string read_text(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The start-up reading of the settings, with nVar variables in every file.
void read_settings(zan::Session& s, Host& host, Library& library, int nVar, int crc)
{
    s.Fpath = (work_folder() / "data").string() + "/";
    s.Finit = "Zan.ini";
    zan::IniFiles(s);
    zan::IniStart(s, host);
    s.nVar = nVar;
    s.VarTab.assign(nVar);
    for (int k = 1; k <= nVar; ++k) s.VarTab[k].Name = "v" + std::to_string(k);
    s.CrcAll = crc;
    s.FileTab.assign(s.nFile);
    for (int i = 1; i <= s.nFile; ++i) {
        s.FileTab[i].nPar = nVar;
        s.FileTab[i].iCrc = crc;
        s.FileTab[i].iVer = 1;
    }
    s.lderr = 0;
    zan::IniGrphs(s);
    zan::IniScale(s, library);
}

void check_session(const zan::Session& s, const Host& host)
{
    EXPECT(s.nFile >= 0 && s.nFile <= zan::kMaxFiles);
    // The grid comes back as stored, within 1..6 each way.
    EXPECT(s.nRows >= 1 && s.nRows <= 6 && s.nCols >= 1 && s.nCols <= 6);
    EXPECT(s.nCell == s.nCols * s.nRows);
    EXPECT(s.iStep >= 1 && s.iStep <= zan::kMaxStep);
    EXPECT(s.iMark >= 0 && s.iMark <= 5 && s.iFont >= 0 && s.iFont <= 6 && s.iFsiz >= 0 && s.iFsiz <= 4);
    EXPECT(s.iFclr >= 0 && s.iFclr <= 1 && s.iLast >= 0 && s.iLast <= 7 && s.iWstt >= 0 && s.iWstt <= 2);
    for (int f : {s.iTitScrn, s.iTitGrph, s.iTitLine, s.iTitXAxis, s.iTitYAxis, s.iTitFiles, s.lTitf})
        EXPECT(f == 0 || f == 1);
    for (int f : {s.iAuto, s.iNext, s.iTran}) EXPECT(f == 0 || f == -1);
    EXPECT(host.watch >= 550 && host.watch <= 7 * 220 + 550);
    EXPECT(s.nGrph == s.GrphTab.size() && s.nGrph >= 1);
    for (const zan::GraphRecord& g : s.GrphTab) {
        EXPECT(g.xVar >= 1 && g.xVar <= s.nVar);
        EXPECT(g.nLine >= 1 && g.nLine <= zan::kMaxLines);
        for (int k = 1; k <= g.nLine; ++k) EXPECT(g.Lines[static_cast<size_t>(k)] >= 1 && g.Lines[static_cast<size_t>(k)] <= s.nVar);
        EXPECT(g.Title.size() <= static_cast<size_t>(zan::kTitleLength));
    }
    const int pages = (s.nGrph + s.nCell - 1) / s.nCell;
    EXPECT(s.iPage >= 1 && s.iPage <= pages && s.cGrph >= 1 && s.cGrph <= s.nGrph);

    // The page of a screen-sized target: every cell inside it.
    const int SW = 1600, SH = 1000;
    const zan::render::PageGeometry g = zan::render::ComputePageGeometry(s, SW, SH);
    EXPECT(g.hT >= 0 && g.hF >= 0 && g.P > 0 && g.P <= 1);
    for (int row = 0; row < g.rows; ++row)
        for (int col = 0; col < g.cols; ++col) {
            const zan::CellRecord c = zan::render::CellGeometry(s, g, row, col);
            EXPECT(c.Top >= 0 && c.Top <= c.Bottom && c.Bottom <= SH);
            // Huge text in narrow columns may leave no width, never more than the page.
            EXPECT(c.Left >= 0 && c.Left <= SW && c.Right >= 0 && c.Right <= SW);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const fs::path folder = work_folder();
    const fs::path ini = folder / "data" / "Zan.ini";
    {
        std::ofstream out(ini, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The variable count and the version key come from the input too, so
    // that both fitting and unfitting graph sections are read.
    const int nVar = 1 + static_cast<int>(size % 9);
    const int crc = size % 2 == 0 ? zan::toInt32(zan::leadingNumber(zan::platform::GetProfileString("Files", "Crc", "0", ini.string())))
                                  : 0;

    Host host((folder / "config").string());
    zan::Session s;
    Library library(zan::kMaxFiles, nVar);
    read_settings(s, host, library, nVar, crc);
    check_session(s, host);

    // Written, read back and written again, the text settles at once.
    zan::IniWrite(s, host, library);
    const std::string first = read_text(ini);
    zan::Session back;
    Library again(zan::kMaxFiles, nVar);
    read_settings(back, host, again, nVar, crc);
    check_session(back, host);
    EXPECT(back.nFile == s.nFile && back.nGrph == s.nGrph && back.nCols == s.nCols && back.nRows == s.nRows);
    // The same shift and factor for every line, set or left at 0 and 1.
    for (int f = 1; f <= s.nFile; ++f)
        for (int v = 1; v <= nVar; ++v) {
            const double a = library.Shift(f, v), b = again.Shift(f, v);
            const double c = library.Factor(f, v), d = again.Factor(f, v);
            EXPECT((a == b || (a != a && b != b)) && (c == d || (c != c && d != d)));
        }
    zan::IniWrite(back, host, again);
    EXPECT(read_text(ini) == first);
    return 0;
}
