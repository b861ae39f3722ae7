// Files dropped onto the window from a file manager: which of them are data
// files, which one is a settings file, what makes the whole drop unusable,
// and opening them the way the menu "Open" opens the files of its dialog.
#pragma once

#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan {

class MessageBox;
class StartupServices;

// More dropped files than this are refused as a whole.
inline constexpr int kMaxDroppedFiles = 100;

struct DroppedFiles {
    std::vector<std::string> dataFiles;  // ".bin", ".dat", ".csv", in the order dropped
    std::string settingsFile;            // a "Zan*.ini", or empty
    std::string error;                   // when not empty: nothing is opened; tells why
};

// Sorts the dropped paths into data files and a settings file. A folder, a
// missing path, a file of another kind, a second settings file or more than
// kMaxDroppedFiles paths make the whole drop fail with a message that names
// the first culprit. Names are matched without regard to case.
DroppedFiles SortDroppedFiles(const std::vector<std::string>& paths);

// Whether a file name (without folder) is a settings file "Zan*.ini".
bool IsSettingsFileName(const std::string& name);

// Opens a drop: the settings of the session shown are saved to "Zan.ini"
// first, as the menu "Open" does; then the data files are loaded with the settings of
// "Zan.ini" in their folder, or of the dropped settings file when there is
// one. A settings file dropped alone loads its own list of data files, as
// the menu "Load Ini" does. A drop that SortDroppedFiles refuses is told
// through messages and changes nothing; so does a drop while a reload runs.
// Returns true when the data were loaded anew (the window lays out and draws
// again).
bool OpenDroppedFiles(Session& s, StartupServices& services, MessageBox& messages,
                      const std::vector<std::string>& paths);

}  // namespace zan
