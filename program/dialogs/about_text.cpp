#include "dialogs/about_text.h"

#include "session/settings_file.h"

namespace zan {

std::string ProgramVersion()
{
    return ZAN_PROGRAM_VERSION;
}

std::string AboutText(const Session& s, DataLibrary& library)
{
    const std::string libraryVersion = library.Version();
    return "Zan\n"
           "Viewer for the results of simulation runs\n\n"
           "Version " + ProgramVersion() + "\n"
           "Data library version " + (libraryVersion.empty() ? "unknown" : libraryVersion) + "\n\n"
           "Settings file: " + SettingsPath(s);
}

}  // namespace zan
