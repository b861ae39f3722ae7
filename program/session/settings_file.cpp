#include "session/settings_file.h"

#include "platform/file_system.h"
#include "platform/number_format.h"
#include "platform/profile.h"
#include "platform/settings_store.h"
#include "platform/text_codes.h"
#include "session/data_library.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace zan {

namespace {

namespace fs = std::filesystem;

const char* const kApplication = "ZAN";

std::string Trim(const std::string& s) {
    const char* blanks = " \t";
    const size_t b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

std::string Num(double value) { return numberWithSignPlace(value); }

int ReadInt(const platform::ProfileDocument& doc, const char* section, const std::string& key,
            const char* def) {
    return toInt32(leadingNumber(doc.Get(section, key, def)));
}

// Name of a listed data file: a bare name, or any other relative name, lies
// in the settings folder.
std::string ListedPath(const std::string& folder, const std::string& entry) {
    const std::string name = Trim(entry);
    if (fs::path(name).is_absolute()) return name;
    return BuildPath(folder, name);
}

}  // namespace

void FixPath(std::string& path) {
    std::string p = Trim(path);
    if (p.empty() || p.back() != '/') p += '/';
    if (p == "//") {
        path = "/";
        return;
    }
    std::string out(1, p[0]);
    for (size_t i = 1; i < p.size(); ++i) {
        out += p[i];
        // One pass from left to right: "///" folds to "//", as a single
        // replacement of every pair would.
        if (p[i] == '/' && i + 1 < p.size() && p[i + 1] == '/') ++i;
    }
    path = out;
}

std::string BuildPath(const std::string& folder, const std::string& name) {
    return buildpath(folder, name);
}

std::string SettingsPath(const Session& s) { return BuildPath(s.Fpath, s.Finit); }

std::string GetIni(const std::string& section, const std::string& key, const std::string& def,
                   const std::string& file) {
    return platform::GetProfileString(section, key, def, file);
}

bool PutIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& file) {
    if (Trim(key).empty()) return platform::WriteProfileString(section, std::nullopt, std::nullopt, file);
    if (Trim(value).empty()) return platform::WriteProfileString(section, key, std::nullopt, file);
    return platform::WriteProfileString(section, key, value, file);
}

void IniFiles(Session& s) {
    const platform::ProfileDocument doc = platform::ProfileDocument::Load(SettingsPath(s));
    s.nFile = 0;
    const int n = ReadInt(doc, "Startup", "Files", "0");
    if (n <= 0) return;
    // A list longer than the library can hold cannot be loaded as a whole.
    if (n > kMaxFiles) return;
    s.nFile = n;
    for (int i = 1; i <= n; ++i) {
        if (s.Flist.size() < i) s.Flist.resize(i);
        const std::string entry = doc.Get("Files", "File" + Num(i), "Output.bin");
        s.Flist[i] = ListedPath(s.Fpath, entry);
        if (!fileexists(s.Flist[i])) {
            s.nFile = 0;
            break;
        }
    }
    // Even when the list cannot be used, its first name is offered by the
    // open dialog that follows.
    s.Files = s.Flist[1];
}

void KeepStartupInRange(Session& s) {
    // The grid comes back as it was stored; the rule that a page has at most
    // three columns more than rows applies only when the boxes are edited.
    // Flags keep the two values their menus write: title flags 1, menu
    // flags -1 for on. A hand-edited number could otherwise scale a band of
    // the page past any coordinate.
    for (int Session::*flag : {&Session::iTitScrn, &Session::iTitGrph, &Session::iTitLine, &Session::iTitXAxis,
                               &Session::iTitYAxis, &Session::iTitFiles, &Session::lTitf})
        s.*flag = s.*flag != 0 ? 1 : 0;
    for (int Session::*flag : {&Session::iAuto, &Session::iNext, &Session::iTran}) s.*flag = s.*flag != 0 ? -1 : 0;
    s.nRows = std::clamp(s.nRows, 1, kMaxGridSide);
    s.nCols = std::clamp(s.nCols, 1, kMaxGridSide);
    s.nCell = s.nCols * s.nRows;
    s.iStep = std::clamp(s.iStep, 1, kMaxStep);
    s.iMark = std::clamp(s.iMark, 0, 5);
    s.iFont = std::clamp(s.iFont, 0, 6);
    s.iFsiz = std::clamp(s.iFsiz, 0, 4);
    s.iFclr = std::clamp(s.iFclr, 0, 1);
    s.iLast = std::clamp(s.iLast, 0, 7);
    s.iWstt = std::clamp(s.iWstt, 0, 2);
    s.iPage = std::max(s.iPage, 1);
    s.cGrph = std::max(s.cGrph, 1);
}

void IniStart(Session& s, SessionHost& host) {
    const platform::ProfileDocument doc = platform::ProfileDocument::Load(SettingsPath(s));
    auto read = [&](const char* key, const char* def) { return ReadInt(doc, "Startup", key, def); };
    s.iWstt = read("Win State", "2");
    s.iFtop = read("Top", "0");
    s.iFlft = read("Left", "0");
    s.iFhgt = read("Height", "9000");
    s.iFwdt = read("Width", "12000");
    s.iMtop = read("Move Top", "0");
    s.iMlft = read("Move Left", "0");
    s.iStop = read("Sel Top", "0");
    s.iSlft = read("Sel Left", "0");
    s.iAuto = read("Auto Load", "0");
    s.iNext = read("Auto Next", "0");
    s.iTitScrn = read("Screen Title", "0");
    s.iTitGrph = read("Graph Title", "1");
    s.iTitLine = read("Line Title", "0");
    s.iTitXAxis = read("Xaxis Title", "1");
    s.iTitYAxis = read("Yaxis Title", "0");
    s.iTitFiles = read("Files Legend", "0");
    s.lTitf = read("Files Path", "0");
    s.iFont = read("Font", "4");
    s.iFsiz = read("Fsiz", "1");
    s.iFclr = read("Fclr", "0");
    // The way the files were chosen decides the colouring, whatever the file says.
    if (s.iFclrCmd != -1) {
        s.iFclr = s.iFclrCmd;
        s.iFclrCmd = -1;
    }
    s.iTran = read("Transpose", "0");
    s.iLast = read("Last", "0");
    s.iMark = read("Mark", "0");
    s.iPage = read("Page", "1");
    s.cGrph = read("Grph", "1");
    s.iStep = read("Step", "1");
    // "Rows" holds the number of columns and "Columns" the number of rows.
    s.nCols = read("Rows", "2");
    s.nRows = read("Columns", "3");
    KeepStartupInRange(s);
    s.CellTab.fill(CellRecord{});
    host.SetWatchTimer(std::max(s.iLast * 220, 550), s.iAuto != 0);
    host.ShowGridBoxes(s.iStep, s.nCols, s.nRows);
}

bool IniWrite(Session& s, SessionHost& host, DataLibrary& library) {
    const std::string file = SettingsPath(s);
    platform::ProfileDocument doc = platform::ProfileDocument::Load(file);
    // A start-up whose load failed or was cancelled holds no layout of its
    // own: the stored graphs and scales stay, with the count and file check
    // they belong to, so the next start with those files finds them again.
    const bool keepLayout = s.bNoLayout;
    auto stored = [&doc](const char* section, const char* key) {
        const std::optional<std::string> raw = doc.Raw(section, key);
        return raw ? Num(std::atof(raw->c_str())) : std::string();
    };
    const std::string storedGraphs = stored("Startup", "Graphs");
    const std::string storedCrc = stored("Files", "Crc");
    for (const char* section : {"Startup", "Files", "Graphs", "Scales"})
        if (!keepLayout || std::string_view(section) == "Startup" || std::string_view(section) == "Files")
            doc.RemoveSection(section);

    auto put = [&](const char* section, const std::string& key, const std::string& value) {
        if (Trim(value).empty())
            doc.RemoveKey(section, key);
        else
            doc.Set(section, key, value);
    };
    auto putNum = [&](const char* key, double value) { put("Startup", key, Num(value)); };

    const FrameGeometry frame = host.Frame();
    putNum("Win State", frame.state);
    if (frame.state != 1) {
        putNum("Top", frame.top);
        putNum("Left", frame.left);
        putNum("Height", frame.height);
        putNum("Width", frame.width);
    }
    putNum("Move Top", s.iMtop);
    putNum("Move Left", s.iMlft);
    putNum("Sel Top", s.iStop);
    putNum("Sel Left", s.iSlft);
    putNum("Auto Load", s.iAuto);
    putNum("Auto Next", s.iNext);
    putNum("Screen Title", s.iTitScrn);
    putNum("Graph Title", s.iTitGrph);
    putNum("Line Title", s.iTitLine);
    putNum("Xaxis Title", s.iTitXAxis);
    putNum("Yaxis Title", s.iTitYAxis);
    putNum("Files Legend", s.iTitFiles);
    putNum("Files Path", s.lTitf);
    putNum("Font", s.iFont);
    putNum("Fsiz", s.iFsiz);
    putNum("Fclr", s.iFclr);
    putNum("Transpose", s.iTran);
    putNum("Last", s.iLast);
    putNum("Mark", s.iMark);
    putNum("Page", s.iPage);
    putNum("Grph", s.cGrph);
    putNum("Step", s.iStep);
    putNum("Rows", s.nCols);
    putNum("Columns", s.nRows);
    putNum("Files", s.nFile);
    if (keepLayout)
        put("Startup", "Graphs", storedGraphs);
    else
        putNum("Graphs", s.nGrph);
    putNum("Width", s.iFwdt);
    putNum("Height", s.iFhgt);
    put("Startup", "CmdLine", host.CommandLine());

    // A file directly in the settings folder is kept as a bare name, so
    // that the folder can move with its data.
    std::string folder = s.Fpath;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    for (int i = 1; i <= s.nFile && i <= s.Flist.size(); ++i) {
        const std::string v = Trim(s.Flist[i]);
        const std::string value = getparentfoldername(v) == folder ? getfilename(v) : v;
        put("Files", "File" + Num(i), value);
    }
    put("Files", "Crc", keepLayout ? storedCrc : Num(s.CrcAll));

    if (keepLayout) {
        doc.MoveSectionToEnd("Graphs");
        doc.MoveSectionToEnd("Scales");
    } else {
        put("Graphs", "Title", "\"" + Trim(s.ScrTitle) + "\"");
        for (int g = 1; g <= s.nGrph && g <= s.GrphTab.size(); ++g) {
            const GraphRecord& r = s.GrphTab[g];
            const int nLine = std::clamp(r.nLine, 0, kMaxLines);
            std::string value = "\"" + Trim(r.Title) + "\"," + Num(r.xVar) + "," + Num(nLine);
            for (int k = 1; k <= nLine; ++k) value += "," + Num(r.Lines[static_cast<size_t>(k)]);
            put("Graphs", "Graph" + Num(g), value);
        }

        put("Scales", "Move All", Num(s.iMall));
        // The library is asked only while it holds the loaded files.
        const bool loaded = s.lderr == 0;
        for (int i = 1; i <= s.nFile; ++i) {
            const std::string prefix = "File" + formatNumber(i, "0000");
            const bool known = loaded && s.FileTab.contains(i);
            const int nPar = known ? s.FileTab[i].nPar : 0;
            int m = 0;
            for (int j = 1; j <= nPar; ++j) {
                const double shift = library.Shift(i, j);
                const double factor = library.Factor(i, j);
                if (shift == 0 && factor == 1) continue;
                ++m;
                put("Scales", prefix + formatNumber(j, "0000"), Num(shift) + "," + Num(factor));
            }
            put("Scales", prefix + "mPar", Num(m));
            put("Scales", prefix + "nPar", Num(nPar));
            put("Scales", prefix + "iCrc", Num(known ? s.FileTab[i].iCrc : -1));
        }
    }

    if (!doc.Save(file)) {
        if (s.FiniFailed != file) {
            s.FiniFailed = file;
            host.Message("The settings could not be written to " + file + ".", "Zan",
                         MsgButtons::Ok, MsgIcon::Critical);
        }
        return false;
    }
    s.FiniFailed.clear();
    WriteIniPointer(host, file);
    return true;
}

std::string ReadIniPointer(const SessionHost& host, const std::string& def) {
    return host.Store().Read(kApplication, "Startup", "filename", def);
}

bool WriteIniPointer(const SessionHost& host, const std::string& file) {
    return host.Store().Write(kApplication, "Startup", "filename", file);
}

}  // namespace zan
