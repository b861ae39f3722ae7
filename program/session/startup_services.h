// Start-up and shutdown services of the running program: the platform's
// file system, dialogs and screen, and the session's settings and loading.
#pragma once

#include "session/data_library.h"
#include "session/session_host.h"
#include "session/startup.h"

#include <functional>

namespace zan {

class FileDialog;
class MessageBox;
class ScreenMetrics;

class ProgramServices : public StartupServices {
public:
    ProgramServices(SessionHost& host, DataLibrary& library, FileDialog& dialog, MessageBox& messages,
                    const ScreenMetrics& screen);

    bool FileExists(const std::string& path) override;
    std::string CurrentFolder() override;
    std::string ProgramFolder() override;
    std::string LastSettingsFile(const std::string& fallback) override;
    DataDialogResult ShowDataDialog(const std::string& fileName, const std::string& folder) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    ScreenArea Screen() override;

    void IniFiles(Session& s) override;
    void IniStart(Session& s) override;
    void LoadData(Session& s) override;
    void IniGrphs(Session& s) override;
    void IniScale(Session& s) override;
    void InitRanges(Session& s) override;
    void IniWrite(Session& s) override;
    void ReleaseData() override;
    void UnloadDialogs() override;
    bool EndRequested() override;

    // Closes the variable selection and move dialogs, where they exist.
    std::function<void()> onUnloadDialogs;
    // Tells whether the user chose to end the program.
    std::function<bool()> endRequested;

private:
    SessionHost& host_;
    DataLibrary& library_;
    FileDialog& dialog_;
    MessageBox& messages_;
    const ScreenMetrics& screen_;
};

} // namespace zan
