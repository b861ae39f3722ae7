#pragma once

// Stand-ins for the file commands' surroundings: services that record the
// session procedures they are asked for (data files exist when they exist in
// the file system), and a main window that records its drawing and notes.

#include "platform/file_system.h"
#include "session/file_commands.h"
#include "session/load_data.h"

#include <string>
#include <vector>

namespace zan::testing {

class RecordingServices : public StartupServices {
public:
    bool FileExists(const std::string& path) override { return fileexists(path); }
    std::string CurrentFolder() override { return "/home/eng/"; }
    std::string ProgramFolder() override { return "/opt/zan/"; }
    std::string LastSettingsFile(const std::string& fallback) override { return fallback; }
    DataDialogResult ShowDataDialog(const std::string& fileName, const std::string& folder) override
    {
        calls.push_back("dialog " + fileName + " in " + folder);
        if (dialogAnswers.empty())
            return {};
        DataDialogResult answer = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        return answer;
    }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    ScreenArea Screen() override { return {}; }

    void IniFiles(Session& s) override
    {
        calls.push_back("IniFiles");
        s.nFile = static_cast<int>(storedList.size());
        s.Flist.assign(s.nFile);
        for (int i = 1; i <= s.nFile; ++i)
            s.Flist[i] = storedList[static_cast<size_t>(i - 1)];
        for (int i = 1; i <= s.nFile; ++i)
            if (!fileexists(s.Flist[i]))
                s.nFile = 0;
    }
    void IniStart(Session&) override { calls.push_back("IniStart"); }
    void LoadData(Session& s) override
    {
        calls.push_back("LoadData");
        s.FileTab.assign(s.nFile);
        for (int i = 1; i <= s.nFile; ++i)
            ReadFileFacts(s.Flist[i], s.FileTab[i]);
        s.CrcAll = crcAfterLoad;
        s.lderr = 0;
        s.bCancel = false;
        busyDuringLoad = s.bBusy;
        if (cancelLoads > 0) {
            --cancelLoads;
            s.lderr = 1;
            s.bCancel = true;
        }
    }
    int cancelLoads = 0;  // the next loads the user cancels
    void IniGrphs(Session&) override { calls.push_back("IniGrphs"); }
    void IniScale(Session&) override { calls.push_back("IniScale"); }
    void InitRanges(Session& s) override
    {
        calls.push_back("InitRanges");
        s.iZlvl = 1;
    }
    void IniWrite(Session& s) override { calls.push_back("IniWrite " + s.Finit); }
    void ReleaseData() override { calls.push_back("dclos"); }
    void UnloadDialogs() override {}

    std::vector<std::string> calls;
    std::vector<DataDialogResult> dialogAnswers;
    std::vector<std::string> storedList;
    int crcAfterLoad = 7;
    bool busyDuringLoad = false;
};

class RecordingWindow : public CommandWindow {
public:
    void PictDraw() override { calls->push_back("PictDraw"); }
    void ButnStat() override { calls->push_back("ButnStat"); }
    void FormResize() override { calls->push_back("FormResize"); }
    void ShowBoxes() override { calls->push_back("ShowBoxes"); }
    void ShowNote(const std::string& text) override { notes.push_back(text); }

    std::vector<std::string>* calls = nullptr;  // shared with the services, in order
    std::vector<std::string> notes;
};

}  // namespace zan::testing
