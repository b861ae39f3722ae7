// The File menu of the main window as plain procedures over the session:
// open, append and reload data files, rezoom, load and save settings files,
// step through numbered files, and the file-watch step that follows a running
// simulation. The window only forwards its menus and its watch timer here.
#pragma once

#include "session/data_library.h"
#include "session/session_host.h"
#include "session/session_state.h"
#include "session/startup.h"

#include <optional>
#include <set>
#include <string>

namespace zan {

class FileDialog;

// What the commands ask of the main window around them.
class CommandWindow {
public:
    virtual ~CommandWindow() = default;
    virtual void PictDraw() = 0;
    virtual void ButnStat() = 0;
    // New layout and drawing of the page.
    virtual void FormResize() = 0;
    // iStep, nCols and nRows into their boxes.
    virtual void ShowBoxes() = 0;
    // A note in the page label, for what the user should know of a watched file.
    virtual void ShowNote(const std::string& text) = 0;
};

// Interval of the file-watch timer for a "Last" index: 550 ms for the
// shortest windows, 220 ms per index step above.
int WatchInterval(int iLast);

// The settings file dialog: "Zan (Zan*.ini)|Zan*.ini", starting at Finit in
// Fpath, shown again at "Zan.ini" in `retryFolder` when the dialog rejects
// the name. On a choice Fpath becomes its folder and Finit its name; false
// when cancelled.
bool OpenInit(Session& s, FileDialog& dialog, const std::string& retryFolder);
bool SaveInit(Session& s, FileDialog& dialog, const std::string& retryFolder);

class FileCommands {
public:
    FileCommands(Session& s, StartupServices& services, SessionHost& host, DataLibrary& library,
                 CommandWindow& window, FileDialog& dialog)
        : s_(s), services_(services), host_(host), library_(library), window_(window), dialog_(dialog)
    {
    }

    // "Open": saves the session to "Zan.ini", lets the user choose data
    // files and loads them with the settings of their folder.
    void Open();
    // "Append": as Open, with the chosen files added to the list.
    void Append();
    // "Reload": loads the same files again; the graphs are rebuilt only when
    // the set of variables changed. Nothing while another reload runs.
    void Reload();
    // "Rezoom": back to the full data range, hand-set ranges dropped.
    void Rezoom();
    // "Load Ini": the data files and arrangement of another settings file.
    // A file list that cannot be used keeps the data shown and says why.
    void LoadIni();
    // "Save Ini": to the chosen settings file, or the current one when the
    // dialog is cancelled.
    void SaveIni();
    // "AutoLoad" and "AutoNext": the watch flags.
    void ToggleAutoLoad();
    void ToggleAutoNext();
    // "NextFile" (+1) and "PrevFile" (-1): each file moves to the nearest
    // existing number of its series within 100 steps; AutoNext is cleared.
    void StepFiles(int direction);
    // One tick of the watch timer (see watch_step.cpp).
    void Watch();

    // The folder the append dialog starts in, kept between calls.
    const std::string& appendFolder() const { return appendFolder_; }

private:
    // Loads the files chosen by Open or Append. When the user cancels that
    // load, the files shown before (`before`, with data) are loaded again.
    struct ChosenFiles {
        std::string Fpath, Files, Finit;
        Table<std::string> Flist;
        int nFile = 0;
        int iFclrCmd = -1;
    };
    ChosenFiles CurrentFiles() const;
    void LoadChosen(const std::optional<ChosenFiles>& before = std::nullopt);
    bool AppdFile();
    // Reads what the files gained since they were loaded, except those in
    // `stuck`; false when only a new load can show them.
    bool FollowGrowth(const std::set<int>& stuck);
    // What the watch step remembers of the files shown, dropped by a new load.
    void ForgetWatched();
    std::string RetryFolder();
    // A reload, rezoom or watch step runs, or a load with its messages:
    // window events run meanwhile, and no command may start another load.
    bool Busy() const { return s_.bBusy || s_.bLoading; }

    Session& s_;
    StartupServices& services_;
    SessionHost& host_;
    DataLibrary& library_;
    CommandWindow& window_;
    FileDialog& dialog_;
    std::string appendFolder_;
    // Files last seen with a new modification time but their size unchanged.
    std::set<int> sameSize_;
    // Files that grew at the last tick: unchanged at the next one, their
    // last line without its line end counts as a row.
    std::set<int> settle_;
};

}  // namespace zan
