#include "session/file_commands.h"

#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "session/numbered_names.h"
#include "session/settings_file.h"

#include <algorithm>

namespace zan {

namespace {

// Search of a numbered series: this many numbers on from the current one.
constexpr int kSeriesSearch = 100;

bool SettingsDialog(Session& s, FileDialog& dialog, FileDialogRequest::Kind kind, const std::string& retryFolder)
{
    FileDialogRequest request;
    request.kind = kind;
    request.fileName = s.Finit;
    request.initialFolder = s.Fpath;
    request.defaultExtension = "ini";
    request.filter = "Zan (Zan*.ini)|Zan*.ini";
    // Only an opened settings file must exist; a saved one may be new.
    request.mustExist = kind == FileDialogRequest::Kind::Open;
    request.maxTextLength = 32000;
    FileDialogResult answer = dialog.show(request);
    if (answer.outcome == FileDialogResult::Outcome::InvalidFileName) {
        request.fileName = "Zan.ini";
        request.initialFolder = retryFolder;
        answer = dialog.show(request);
    }
    if (answer.outcome != FileDialogResult::Outcome::Chosen || getfilename(answer.text).empty())
        return false;
    const std::string folder = FolderOf(answer.text);
    if (!folder.empty())
        s.Fpath = folder;
    s.Finit = getfilename(answer.text);
    return true;
}

}  // namespace

int WatchInterval(int iLast)
{
    return std::max(iLast * 220, 550);
}

bool OpenInit(Session& s, FileDialog& dialog, const std::string& retryFolder)
{
    return SettingsDialog(s, dialog, FileDialogRequest::Kind::Open, retryFolder);
}

bool SaveInit(Session& s, FileDialog& dialog, const std::string& retryFolder)
{
    return SettingsDialog(s, dialog, FileDialogRequest::Kind::Save, retryFolder);
}

std::string FileCommands::RetryFolder()
{
    return services_.ProgramFolder();
}

FileCommands::ChosenFiles FileCommands::CurrentFiles() const
{
    return {s_.Fpath, s_.Files, s_.Finit, s_.Flist, s_.nFile, s_.iFclrCmd};
}

void FileCommands::LoadChosen(const std::optional<ChosenFiles>& before)
{
    services_.ReleaseData();
    services_.IniStart(s_);
    s_.bCancelRestores = before.has_value();
    services_.LoadData(s_);
    s_.bCancelRestores = false;
    if (services_.EndRequested())
        return;
    if (s_.bCancel && before) {
        // Their settings were written before the choice, so the layout
        // comes back with them.
        s_.Fpath = before->Fpath;
        s_.Files = before->Files;
        s_.Finit = before->Finit;
        s_.Flist = before->Flist;
        s_.nFile = before->nFile;
        s_.iFclrCmd = before->iFclrCmd;
        LoadChosen();
        return;
    }
    ForgetWatched();
    services_.IniGrphs(s_);
    services_.IniScale(s_);
    services_.InitRanges(s_);
    window_.ShowBoxes();
    window_.ButnStat();
    window_.FormResize();
}

// A command that loads anew waits for a reload or watch step that lets
// window events run; it would release the data under it.
void FileCommands::Open()
{
    if (Busy())
        return;
    s_.Finit = "Zan.ini";
    services_.IniWrite(s_);
    std::optional<ChosenFiles> before;
    if (s_.lderr == 0)
        before = CurrentFiles();
    if (!OpenFile(s_, services_))
        return;
    LoadChosen(before);
}

void FileCommands::Append()
{
    if (Busy())
        return;
    s_.Finit = "Zan.ini";
    services_.IniWrite(s_);
    std::optional<ChosenFiles> before;
    if (s_.lderr == 0)
        before = CurrentFiles();
    if (!AppdFile())
        return;
    LoadChosen(before);
}

bool FileCommands::AppdFile()
{
    if (appendFolder_.empty())
        appendFolder_ = s_.Fpath;
    const DataDialogResult chosen = services_.ShowDataDialog(getfilename(s_.Files), appendFolder_);
    if (chosen.outcome != DataDialogResult::Chosen || chosen.names.empty())
        return false;
    auto add = [this](const std::string& path) {
        ++s_.nFile;
        if (s_.Flist.size() < s_.nFile)
            s_.Flist.resize(s_.nFile);
        s_.Flist[s_.nFile] = path;
    };
    if (chosen.folder.empty()) {
        add(chosen.names.front());
        const std::string folder = FolderOf(chosen.names.front());
        if (!folder.empty())
            appendFolder_ = folder;
    } else {
        std::string folder = chosen.folder;
        FixPath(folder);
        for (const std::string& name : chosen.names)
            add(buildpath(folder, name));
        s_.Files = s_.Flist[1];
        appendFolder_ = folder;
    }
    s_.iFclrCmd = 1;
    return true;
}

void FileCommands::Reload()
{
    if (Busy())
        return;
    s_.bBusy = true;
    s_.Finit = "Zan.ini";
    services_.IniWrite(s_);
    const int crc = s_.CrcAll;
    services_.LoadData(s_);
    ForgetWatched();
    if (services_.EndRequested()) {
        s_.bBusy = false;
        return;
    }
    if (s_.CrcAll != crc)
        services_.IniGrphs(s_);
    services_.IniScale(s_);
    services_.InitRanges(s_);
    window_.PictDraw();
    window_.ButnStat();
    s_.bBusy = false;
}

void FileCommands::ForgetWatched()
{
    sameSize_.clear();
    settle_.clear();
}

void FileCommands::Rezoom()
{
    if (Busy())
        return;
    s_.bBusy = true;
    s_.Finit = "Zan.ini";
    services_.IniWrite(s_);
    services_.IniScale(s_);
    for (VarRecord& v : s_.VarTab)
        v.Lfix[1] = 0;
    services_.InitRanges(s_);
    window_.PictDraw();
    window_.ButnStat();
    s_.bBusy = false;
}

void FileCommands::LoadIni()
{
    if (Busy())
        return;
    s_.Finit = "Zan.ini";
    services_.IniWrite(s_);
    const std::string fpath = s_.Fpath, finit = s_.Finit, files = s_.Files;
    const Table<std::string> flist = s_.Flist;
    const int nFile = s_.nFile;
    if (!OpenInit(s_, dialog_, RetryFolder()))
        return;
    const std::string chosen = buildpath(s_.Fpath, s_.Finit);
    services_.IniFiles(s_);
    if (s_.nFile == 0) {
        // The list is checked before the data shown are released: a list that
        // cannot be loaded leaves everything as it was.
        std::string missing;
        for (int i = 1; i <= s_.Flist.size() && missing.empty(); ++i)
            if (!services_.FileExists(s_.Flist[i]))
                missing = s_.Flist[i];
        const std::string reason = missing.empty() ? "It lists no data files." : "Data file not found: " + missing;
        host_.Message(reason + "\n\nThe settings file " + chosen +
                          " was not loaded; the data shown are kept. Choose the data files with Open (F4).",
                      "Load Ini", MsgButtons::Ok, MsgIcon::Critical);
        s_.Fpath = fpath;
        s_.Finit = finit;
        s_.Files = files;
        s_.Flist = flist;
        s_.nFile = nFile;
        return;
    }
    LoadChosen();
}

void FileCommands::SaveIni()
{
    SaveInit(s_, dialog_, RetryFolder());
    services_.IniWrite(s_);
}

void FileCommands::ToggleAutoLoad()
{
    s_.iAuto = s_.iAuto != 0 ? 0 : -1;
    host_.SetWatchTimer(WatchInterval(s_.iLast), s_.iAuto != 0);
    window_.ButnStat();
}

void FileCommands::ToggleAutoNext()
{
    s_.iNext = s_.iNext != 0 ? 0 : -1;
    window_.ButnStat();
}

void FileCommands::StepFiles(int direction)
{
    s_.iNext = 0;
    window_.ButnStat();
    if (Busy())
        return;
    bool replaced = false;
    std::string stuck;
    for (int i = 1; i <= s_.nFile && i <= s_.Flist.size(); ++i) {
        bool found = false;
        for (int k = 1; k <= kSeriesSearch && !found; ++k) {
            const std::string candidate = NextFile(s_.Flist[i], direction * k);
            if (!candidate.empty() && candidate != s_.Flist[i] && services_.FileExists(candidate)) {
                s_.Flist[i] = candidate;
                found = true;
            }
        }
        replaced = replaced || found;
        if (!found && stuck.empty())
            stuck = getfilename(s_.Flist[i]);
    }
    if (replaced) {
        host_.SetWatchTimer(WatchInterval(s_.iLast), false);
        if (!s_.bBusy)
            Reload();
        host_.SetWatchTimer(WatchInterval(s_.iLast), true);
    }
    if (!stuck.empty())
        window_.ShowNote(std::string("No ") + (direction > 0 ? "next" : "previous") + " file to " + stuck +
                         " within " + std::to_string(kSeriesSearch) + " numbers");
}

}  // namespace zan
