// Start-up and shutdown services of the running program: the real file
// system, dialogs and screen, and the session's settings and loading.
#pragma once

#include "session/startup.h"

#include <functional>

namespace zan {

class ProgramServices : public StartupServices {
public:
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
};

} // namespace zan
