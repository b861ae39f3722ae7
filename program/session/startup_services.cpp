#include "session/startup_services.h"

#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/process_facts.h"
#include "platform/screen_metrics.h"
#include "session/graph_settings.h"
#include "session/load_data.h"
#include "session/settings_file.h"

namespace zan {

ProgramServices::ProgramServices(SessionHost& host, DataLibrary& library, FileDialog& dialog,
                                 MessageBox& messages, const ScreenMetrics& screen)
    : host_(host), library_(library), dialog_(dialog), messages_(messages), screen_(screen)
{
}

bool ProgramServices::FileExists(const std::string& path)
{
    return fileexists(path);
}

std::string ProgramServices::CurrentFolder()
{
    return DefaultFolder();
}

std::string ProgramServices::ProgramFolder()
{
    std::string folder = programFolder();
    FixPath(folder);
    return folder;
}

std::string ProgramServices::LastSettingsFile(const std::string& fallback)
{
    return ReadIniPointer(host_, fallback);
}

DataDialogResult ProgramServices::ShowDataDialog(const std::string& fileName, const std::string& folder)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.fileName = fileName.empty() ? "out.bin" : fileName;
    request.initialFolder = folder;
    request.defaultExtension = "bin";
    request.filter = "Binary data (*.bin;*.dat;*.csv)|*.bin;*.dat;*.csv";
    request.allowMultiple = true;
    request.mustExist = true;
    const FileDialogResult answer = dialog_.show(request);

    DataDialogResult result;
    if (answer.outcome == FileDialogResult::Outcome::Cancelled)
        return result;
    if (answer.outcome == FileDialogResult::Outcome::InvalidFileName) {
        result.outcome = DataDialogResult::InvalidName;
        return result;
    }
    result.outcome = DataDialogResult::Chosen;
    // Several files: the folder, then the names, separated by NULs.
    size_t start = 0;
    std::vector<std::string> parts;
    for (;;) {
        const size_t nul = answer.text.find('\0', start);
        parts.push_back(answer.text.substr(start, nul == std::string::npos ? std::string::npos : nul - start));
        if (nul == std::string::npos)
            break;
        start = nul + 1;
    }
    if (parts.size() == 1) {
        result.names = parts;
    } else {
        result.folder = parts.front();
        result.names.assign(parts.begin() + 1, parts.end());
    }
    return result;
}

bool ProgramServices::AskYesNo(const std::string& title, const std::string& text)
{
    return messages_.askYesNo(text, title, MessageIcon::Question);
}

ScreenArea ProgramServices::Screen()
{
    const PixelRect virtualScreen = screen_.virtualScreen();
    ScreenArea area;
    area.left = virtualScreen.left;
    area.top = virtualScreen.top;
    area.width = virtualScreen.width;
    area.height = virtualScreen.height;
    area.tx = screen_.twipsPerPixelX();
    area.ty = screen_.twipsPerPixelY();
    return area;
}

void ProgramServices::IniFiles(Session& s) { ::zan::IniFiles(s); }
void ProgramServices::IniStart(Session& s) { ::zan::IniStart(s, host_); }
void ProgramServices::LoadData(Session& s) { ::zan::LoadData(s, host_, library_); }
void ProgramServices::IniGrphs(Session& s) { ::zan::IniGrphs(s); }
void ProgramServices::IniScale(Session& s) { ::zan::IniScale(s, library_); }
void ProgramServices::InitRanges(Session& s) { ::zan::InitRanges(s, host_, library_); }
void ProgramServices::IniWrite(Session& s) { ::zan::IniWrite(s, host_, library_); }
void ProgramServices::ReleaseData() { library_.Close(); }

void ProgramServices::UnloadDialogs()
{
    if (onUnloadDialogs)
        onUnloadDialogs();
}

bool ProgramServices::EndRequested()
{
    return endRequested && endRequested();
}

} // namespace zan
