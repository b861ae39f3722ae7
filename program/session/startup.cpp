#include "session/startup.h"

#include "platform/file_system.h"
#include "session/command_line.h"
#include "session/settings_file.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>

namespace zan {

namespace {

constexpr int kAskAbove = 9;  // more files than this need a confirmation

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A start-up step that fails is skipped and the next one runs.
template <class Step>
void Tolerant(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

void SetFile(Session& s, int i, const std::string& path)
{
    if (s.Flist.size() < i)
        s.Flist.resize(i);
    s.Flist[i] = path;
}

// "Number of requested files is" + the count with a blank in front.
std::string QuestionText(int nFile)
{
    return "Number of requested files is " + std::to_string(nFile) +
           "! Do you really want to load them ?";
}

} // namespace

std::string FolderOf(const std::string& path)
{
    const std::string trimmed = Trim(path);
    const size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos)
        return {};
    std::string folder = trimmed.substr(0, slash + 1);
    FixPath(folder);
    return folder;
}

FramePlacement PlaceFrame(int iWstt, int iFtop, int iFlft, const ScreenArea& screen)
{
    FramePlacement p;
    p.state = iWstt == kMinimisedState ? kNormalState : iWstt;
    const double y0 = screen.top * screen.ty;
    const double x0 = screen.left * screen.tx;
    const double bottom = y0 + 0.9 * screen.height * screen.ty;
    const double right = x0 + 0.9 * screen.width * screen.tx;
    p.top = std::min(std::max<double>(iFtop, y0), bottom);
    p.left = std::min(std::max<double>(iFlft, x0), right);
    return p;
}

void KeepFrameSizeOnScreen(Session& s, const ScreenArea& screen)
{
    constexpr double kMinWidth = 6000;
    constexpr double kMinHeight = 4500;
    const double width = screen.width * screen.tx;
    const double height = screen.height * screen.ty;
    s.iFwdt = static_cast<int>(std::clamp<double>(s.iFwdt, std::min(kMinWidth, width), width));
    s.iFhgt = static_cast<int>(std::clamp<double>(s.iFhgt, std::min(kMinHeight, height), height));
}

bool OpenFile(Session& s, StartupServices& services)
{
    DataDialogResult chosen = services.ShowDataDialog(getfilename(Trim(s.Files)), s.Fpath);
    if (chosen.outcome == DataDialogResult::InvalidName)
        chosen = services.ShowDataDialog("out.bin", services.CurrentFolder());
    if (chosen.outcome != DataDialogResult::Chosen || chosen.names.empty())
        return false;

    s.nFile = 0;
    s.Fpath.clear();
    if (chosen.names.size() > 1 || !chosen.folder.empty()) {
        s.iFclrCmd = 1;
        s.Fpath = FolderOf(buildpath(chosen.folder, "x"));
        for (const std::string& name : chosen.names)
            SetFile(s, ++s.nFile, buildpath(s.Fpath, Trim(name)));
        s.Files = s.Flist[1];
    } else {
        s.iFclrCmd = 0;
        s.nFile = 1;
        s.Files = chosen.names.front();
        SetFile(s, 1, s.Files);
        s.Fpath = FolderOf(s.Files);
        if (s.Fpath.empty())
            s.Fpath = services.CurrentFolder();
    }
    return true;
}

LoadResult FormLoad(Session& s, StartupServices& services, const std::string& cmdLine)
{
    LoadResult result;
    s.drErr = 1;
    s.lderr = 1;
    s.iFclrCmd = -1;
    s.bRept = false;
    s.bKeyb = false;
    s.bBusy = false;
    s.iMall = 0;
    s.iWstt = kMaximisedState;
    s.Fpath = services.CurrentFolder();
    s.Finit = "Zan.ini";
    s.nFile = 0;

    int pos = 0;
    for (;;) {
        std::string t = Trim(NextArg(cmdLine, pos));
        if (t.empty())
            break;
        // Relative names are taken against the current folder, so that the
        // stored list still finds them from another folder.
        if (t.front() != '/')
            t = buildpath(services.CurrentFolder(), t);
        t = std::filesystem::path(t).lexically_normal().generic_string();
        s.Fpath = FolderOf(t);
        if (s.Fpath.empty())
            s.Fpath = services.CurrentFolder();
        const std::string name = buildpath(s.Fpath, getfilename(t));
        if (services.FileExists(name))
            SetFile(s, ++s.nFile, name);
    }
    if (s.nFile == 1)
        s.iFclrCmd = 0;
    else if (s.nFile > 1)
        s.iFclrCmd = 1;

    if (s.nFile == 0) {
        const std::string settings = Trim(services.LastSettingsFile(buildpath(services.ProgramFolder(), "Zan.ini")));
        s.Fpath = FolderOf(settings);
        if (s.Fpath.empty())
            s.Fpath = services.CurrentFolder();
        s.Finit = getfilename(settings);
        Tolerant([&] { services.IniFiles(s); });
        if (s.nFile > 0)
            s.iFclrCmd = -1;
    }

    if (s.nFile == 0) {
        if (!OpenFile(s, services))
            return result;
    } else if (s.nFile > kAskAbove) {
        if (!services.AskYesNo("Select:", QuestionText(s.nFile)) && !OpenFile(s, services))
            return result;
    }

    Tolerant([&] { services.IniStart(s); });
    Tolerant([&] { services.LoadData(s); });
    if (services.EndRequested())
        return result;
    Tolerant([&] { services.IniGrphs(s); });
    Tolerant([&] { services.IniScale(s); });
    Tolerant([&] { services.InitRanges(s); });
    s.iZlvl = 1;
    s.mZlvl = 1;

    if (s.iWstt == kMinimisedState)
        s.iWstt = kNormalState;
    const ScreenArea screen = services.Screen();
    result.placement = PlaceFrame(s.iWstt, s.iFtop, s.iFlft, screen);
    KeepFrameSizeOnScreen(s, screen);
    result.outcome = LoadOutcome::Loaded;
    return result;
}

void FormUnload(Session& s, StartupServices& services)
{
    Tolerant([&] { services.UnloadDialogs(); });
    // A load the user cancelled leaves the settings file as it was.
    const bool cancelled = s.bCancel && s.lderr != 0;
    if (s.iQuit != 1 && !cancelled) {
        s.Finit = "Zan.ini";
        Tolerant([&] { services.IniWrite(s); });
    }
    Tolerant([&] { services.ReleaseData(); });
}

} // namespace zan
