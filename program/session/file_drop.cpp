#include "session/file_drop.h"

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "session/startup.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <system_error>

namespace zan {

namespace {

constexpr const char* kWhatFits = "Drop data files (.bin, .dat, .csv), with at most one settings file (Zan*.ini).";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsDataFileName(const std::string& name)
{
    const std::string lower = Lower(name);
    const size_t dot = lower.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string ext = lower.substr(dot);
    return ext == ".bin" || ext == ".dat" || ext == ".csv";
}

DroppedFiles Refused(std::string why)
{
    DroppedFiles drop;
    drop.error = std::move(why);
    return drop;
}

// Each step of a load carries on when one of them fails, as at start-up.
template <class Step>
void Tolerant(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

void SetFileList(Session& s, const std::vector<std::string>& files)
{
    s.Flist.clear();
    s.Flist.resize(static_cast<int>(files.size()));
    for (size_t i = 0; i < files.size(); ++i)
        s.Flist[static_cast<int>(i) + 1] = files[i];
    s.nFile = static_cast<int>(files.size());
    s.Files = s.Flist[1];
    s.iFclrCmd = s.nFile > 1 ? 1 : 0;
}

}  // namespace

bool IsSettingsFileName(const std::string& name)
{
    const std::string lower = Lower(name);
    return lower.size() >= 7 && lower.compare(0, 3, "zan") == 0 && lower.compare(lower.size() - 4, 4, ".ini") == 0;
}

DroppedFiles SortDroppedFiles(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return Refused(std::string("Nothing was dropped that could be opened. ") + kWhatFits);
    if (paths.size() > static_cast<size_t>(kMaxDroppedFiles))
        return Refused(std::to_string(paths.size()) + " files were dropped; at most " +
                       std::to_string(kMaxDroppedFiles) + " can be opened at once. Nothing was opened.");
    DroppedFiles drop;
    for (const std::string& path : paths) {
        const std::string name = getfilename(path);
        std::error_code ec;
        const std::filesystem::file_status status = std::filesystem::status(path, ec);
        if (std::filesystem::is_directory(status))
            return Refused("\"" + path + "\" is a folder. " + kWhatFits);
        if (!std::filesystem::is_regular_file(status))
            return Refused("\"" + path + "\" cannot be found or is not a file. Nothing was opened.");
        if (IsSettingsFileName(name)) {
            if (!drop.settingsFile.empty())
                return Refused("Two settings files were dropped (\"" + getfilename(drop.settingsFile) + "\" and \"" +
                               name + "\"); only one can be used. Nothing was opened.");
            drop.settingsFile = path;
        } else if (IsDataFileName(name)) {
            drop.dataFiles.push_back(path);
        } else {
            return Refused("\"" + path + "\" is not a data file. " + kWhatFits);
        }
    }
    return drop;
}

bool OpenDroppedFiles(Session& s, StartupServices& services, MessageBox& messages,
                      const std::vector<std::string>& paths)
{
    if (s.bBusy || s.bLoading)
        return false;
    const DroppedFiles drop = SortDroppedFiles(paths);
    if (!drop.error.empty()) {
        messages.inform(drop.error, "Open", MessageIcon::Critical);
        return false;
    }
    if (drop.dataFiles.empty()) {
        // A settings file alone brings its own list; one whose files are
        // gone would leave nothing to show, so the current data stay.
        Session listed;
        listed.Fpath = FolderOf(drop.settingsFile);
        listed.Finit = getfilename(drop.settingsFile);
        Tolerant([&] { services.IniFiles(listed); });
        if (listed.nFile == 0) {
            messages.inform("\"" + drop.settingsFile + "\" lists no data files that can be found. Nothing was opened.",
                            "Open", MessageIcon::Critical);
            return false;
        }
    }
    s.bBusy = true;
    // The session shown so far is kept in "Zan.ini" of its folder; a session
    // whose load failed has nothing worth keeping.
    if (s.lderr == 0 && s.nFile > 0) {
        s.Finit = "Zan.ini";
        Tolerant([&] { services.IniWrite(s); });
    }

    if (!drop.settingsFile.empty()) {
        s.Fpath = FolderOf(drop.settingsFile);
        s.Finit = getfilename(drop.settingsFile);
    }
    if (!drop.dataFiles.empty()) {
        SetFileList(s, drop.dataFiles);
        if (drop.settingsFile.empty())
            s.Fpath = FolderOf(drop.dataFiles.front());
    }
    services.ReleaseData();
    if (drop.dataFiles.empty())
        Tolerant([&] { services.IniFiles(s); });
    Tolerant([&] { services.IniStart(s); });
    Tolerant([&] { services.LoadData(s); });
    if (services.EndRequested()) {
        s.bBusy = false;
        return false;
    }
    Tolerant([&] { services.IniGrphs(s); });
    Tolerant([&] { services.IniScale(s); });
    Tolerant([&] { services.InitRanges(s); });
    s.iZlvl = 1;
    s.mZlvl = 1;
    s.bBusy = false;
    return true;
}

}  // namespace zan
