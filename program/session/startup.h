// Life of the main plot window from its load to its unload: where the list of
// data files comes from, the order of settings and data loading, where the
// frame window goes, and what is saved and released at the end.
#pragma once

#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan {

// Window states of the frame, as stored in the settings.
enum : int { kNormalState = 0, kMinimisedState = 1, kMaximisedState = 2 };

// What the data file dialog gave back.
struct DataDialogResult {
    enum Outcome { Chosen, Cancelled, InvalidName };
    Outcome outcome = Cancelled;
    // Several files: the folder and the bare names. One file: its full path
    // in names[0] and folder empty.
    std::string folder;
    std::vector<std::string> names;
};

// The virtual screen in pixels and the screen's twips per pixel.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 1920;
    int height = 1080;
    double tx = 15;
    double ty = 15;
};

// Everything start-up and shutdown need from outside: the platform's file
// system, dialogs and screen, and the session procedures of settings and
// loading. The program implements it over the real ones, tests with fakes.
class StartupServices {
public:
    virtual ~StartupServices() = default;

    virtual bool FileExists(const std::string& path) = 0;
    virtual std::string CurrentFolder() = 0;   // with a trailing '/'
    virtual std::string ProgramFolder() = 0;   // with a trailing '/'
    // Full name of the settings file written last, or fallback.
    virtual std::string LastSettingsFile(const std::string& fallback) = 0;
    virtual DataDialogResult ShowDataDialog(const std::string& fileName, const std::string& folder) = 0;
    // Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
    virtual ScreenArea Screen() = 0;

    virtual void IniFiles(Session& s) = 0;
    virtual void IniStart(Session& s) = 0;
    virtual void LoadData(Session& s) = 0;
    virtual void IniGrphs(Session& s) = 0;
    virtual void IniScale(Session& s) = 0;
    virtual void InitRanges(Session& s) = 0;
    virtual void IniWrite(Session& s) = 0;
    virtual void ReleaseData() = 0;            // all data of the library
    virtual void UnloadDialogs() = 0;          // variable selection and move dialogs
    // The user chose to end the program during a step (the loading asks
    // whether to go on after a failure).
    virtual bool EndRequested() { return false; }
};

// Where and how the frame window is shown; top and left in twips.
struct FramePlacement {
    int state = 2;      // 0 normal, 2 maximised (never minimised)
    double top = 0;
    double left = 0;
};

// Placement from the stored state and position, with top and left clamped
// into the virtual screen (at most nine tenths of its size in from its
// top-left corner), and a minimised state turned into the normal one.
FramePlacement PlaceFrame(int iWstt, int iFtop, int iFlft, const ScreenArea& screen);

// The stored frame size (iFwdt, iFhgt, in twips) kept within the virtual
// screen and no smaller than a usable window (400 x 300 pixels at 96 dots
// per inch, or the whole screen when it is smaller): a hand-edited or foreign
// settings file must not open a window too small to use or far larger than
// the screen.
void KeepFrameSizeOnScreen(Session& s, const ScreenArea& screen);

enum class LoadOutcome {
    Loaded,       // the window is to be shown (or unloaded when lderr != 0)
    EndProgram,   // no files were chosen: end at once, nothing saved
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::EndProgram;
    FramePlacement placement;
};

// Form_Load: the start-up sequence, with the text of the command line.
LoadResult FormLoad(Session& s, StartupServices& services, const std::string& cmdLine);

// OpenFile: shows the data file dialog and fills Flist, nFile, Files, Fpath
// and iFclrCmd; false (and nothing changed) when the user cancelled.
bool OpenFile(Session& s, StartupServices& services);

// Form_Unload: dialogs closed, settings written to "Zan.ini" in Fpath unless
// the program is left by "Quit", data released. Ending the program is the
// caller's.
void FormUnload(Session& s, StartupServices& services);

// Folder part of a path with the rules of the settings folder: a trailing
// '/', doubled separators collapsed; "" for a bare name.
std::string FolderOf(const std::string& path);

} // namespace zan
