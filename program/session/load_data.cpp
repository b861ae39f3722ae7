#include "session/load_data.h"

#include "platform/file_system.h"
#include "session/load_failures.h"
#include "session/load_report.h"
#include "session/merge_vars.h"
#include "session/version_key.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <future>
#include <system_error>
#include <vector>

namespace zan {

namespace {

namespace fs = std::filesystem;

// Total size in units of 1024 bytes above which loading shows its progress.
constexpr std::int64_t kProgressKb = 10000;
// Total size per decimation step that the library is given at most.
constexpr std::int64_t kKbPerStep = 1024000;
// A file that takes longer than this to load shows its progress and can be
// cancelled; until then the window waits as it always did.
constexpr std::chrono::milliseconds kLoadProgressDelay{500};
constexpr std::chrono::milliseconds kLoadPoll{40};
// The status the library gives a load that was stopped.
constexpr int kStatusCancelled = 500;

// A failure that ends the load, with its number and description as shown.
struct LoadError {
    int number;
    std::string description;
};

const LoadError kFileNotFound{53, "File not found"};
const LoadError kOutOfRange{9, "Subscript out of range"};

// Local time of last modification, with fractions of a second so that two
// writes within one second still differ.
std::string ModifiedText(fs::file_time_type time) {
    using namespace std::chrono;
    const auto sys = time_point_cast<nanoseconds>(file_clock::to_sys(time));
    const auto whole = floor<seconds>(sys);
    const std::time_t t = system_clock::to_time_t(time_point_cast<system_clock::duration>(whole));
    std::tm local{};
    localtime_r(&t, &local);
    char text[40];
    const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, ".%09lld",
                  static_cast<long long>((sys - whole).count()));
    return std::string(text, n) + fraction;
}


// Opens file i on a thread of its own. Once it takes longer than
// kLoadProgressDelay the host shows its progress; Cancel asks the library to
// stop. `cancelled` tells whether the user cancelled it.
OpenResult OpenWithProgress(SessionHost& host, DataLibrary& library, int i, const std::string& path, int& step,
                            bool& cancelled) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::future<OpenResult> open =
        std::async(std::launch::async, [&library, i, &path, &step] { return library.Open(i, path, step); });
    cancelled = false;
    while (open.wait_for(kLoadPoll) != std::future_status::ready) {
        if (cancelled || Clock::now() - start < kLoadProgressDelay) continue;
        if (host.ShowLoadProgress(getfilename(path), library.Progress())) {
            cancelled = true;
            library.Stop();
        }
    }
    OpenResult r = open.get();
    if (r.status == kStatusCancelled) cancelled = true;
    return r;
}

void Fail(Session& s, SessionHost& host, DataLibrary& library, const LoadError* error) {
    host.HideProgress();
    host.SetBusyPointer(false);
    if (error != nullptr)
        host.Message("Error # " + std::to_string(error->number) + " " + error->description, "Zan",
                     MsgButtons::Ok, MsgIcon::None);
    s.lderr = 1;
    library.Close();
    const MsgResult answer = host.Message("Do you want to continue ?", "Error in openning input file.",
                                          MsgButtons::YesNo, MsgIcon::Critical);
    if (answer != MsgResult::Yes) host.EndProgram();
}

}  // namespace

bool ReadFileFacts(const std::string& path, FileRecord& record) {
    const std::optional<FileInfo> info = GetFile(path);
    if (!info) return false;
    record.size = static_cast<std::int64_t>(info->Size);
    record.modifiedTime = info->DateLastModified;
    record.modified = ModifiedText(info->DateLastModified);
    return true;
}

bool LoadData(Session& s, SessionHost& host, DataLibrary& library) {
    // Window events run during the load and its messages; they must find
    // the load under way until it has returned.
    struct Loading {
        Session& s;
        explicit Loading(Session& session) : s(session) { s.bLoading = true; }
        ~Loading() { s.bLoading = false; }
    } loading(s);
    s.lderr = 2;
    s.bCancel = false;
    library.Close();
    s.VarMap.clear();
    std::vector<std::string> merged;
    // Name lists of the versions found so far. The key alone is a weak
    // checksum ("X9" and "X10" in the same place give the same key), so a
    // file joins a version only when its names are equal as well.
    struct Version {
        int key;
        std::vector<std::string> names;
    };
    std::vector<Version> versions;

    // More files than the library holds, or than the list names.
    if (s.nFile < 0 || s.nFile > kMaxFiles || s.nFile > s.Flist.size()) {
        Fail(s, host, library, &kOutOfRange);
        return false;
    }
    s.FileTab.assign(s.nFile);


    std::int64_t total = 0;
    for (int i = 1; i <= s.nFile; ++i) {
        total += library.SizeKb(i, s.Flist[i]);
        if (!ReadFileFacts(s.Flist[i], s.FileTab[i])) {
            Fail(s, host, library, &kFileNotFound);
            return false;
        }
    }

    const bool showProgress = total > kProgressKb && !s.bBusy;
    if (showProgress) {
        host.ShowProgress();
        host.SetBusyPointer(true);
    }

    s.iSkip = 1;
    while (static_cast<double>(total) / s.iSkip > kKbPerStep) s.iSkip *= 2;
    // A single file is only decimated by the library's own memory retry.
    if (s.nFile == 1) s.iSkip = 1;

    std::string title;
    for (int i = 1; i <= s.nFile; ++i) {
        host.SetProgressText(std::to_string(i) + " of " + std::to_string(s.nFile));
        host.ProcessEvents();
        FileRecord& file = s.FileTab[i];
        // A name that cannot cross to the library unchanged is not opened:
        // cut, or with blanks for control characters, it could name another
        // file. The library is given no name instead, so the file still
        // takes its slot and the next files keep their numbers.
        const std::string unopenable = UnopenableNameReason(s.Flist[i]);
        const std::string name = unopenable.empty() ? s.Flist[i] : std::string();
        bool cancelled = false;
        OpenResult r = OpenWithProgress(host, library, i, name, s.iSkip, cancelled);
        if (cancelled) {
            // Nothing stays loaded; the user is told and the program goes on.
            host.HideProgress();
            host.SetBusyPointer(false);
            library.Close();
            s.lderr = 1;
            s.bCancel = true;
            const std::string shown =
                s.bCancelRestores ? "the files shown before are loaded again." : "no data are loaded.";
            host.Message("Loading of " + getfilename(s.Flist[i]) + " was cancelled: " + shown, "Zan", MsgButtons::Ok,
                         MsgIcon::None);
            return false;
        }
        file.nPar = std::max(r.nPar, 0);
        file.nStored = r.nStored;
        file.nRowsRead = r.nRows;
        file.status = r.status;
        file.closeStatus = r.closeStatus;
        file.namesLine = r.namesLine;
        file.nRefused = r.refused;
        file.note = file.nPar > 0 ? std::string() : !unopenable.empty() ? unopenable : LoadStatusReason(file);
        title = r.title;
        if (file.nPar > kMaxMerged) {
            Fail(s, host, library, &kOutOfRange);
            return false;
        }

        std::vector<std::string> names(static_cast<size_t>(file.nPar));
        for (int m = 0; m < file.nPar && static_cast<size_t>(m) < r.names.size(); ++m)
            names[static_cast<size_t>(m)] = CleanName(r.names[static_cast<size_t>(m)]);
        file.iCrc = VersionKey(names);

        auto known = std::find_if(versions.begin(), versions.end(), [&](const Version& v) {
            return v.key == file.iCrc && v.names == names;
        });
        if (known != versions.end()) {
            file.iVer = static_cast<int>(known - versions.begin()) + 1;
            continue;
        }
        if (static_cast<int>(versions.size()) == kMaxVersions) {
            host.HideProgress();
            host.SetBusyPointer(false);
            host.Message("Different file versions exceeds 20!", "Zan", MsgButtons::Ok, MsgIcon::None);
            Fail(s, host, library, nullptr);
            return false;
        }
        versions.push_back({file.iCrc, names});
        const int c = static_cast<int>(versions.size());
        file.iVer = c;
        for (int m = 1; m <= file.nPar; ++m) s.VarMap(m, c) = m;
        MergeVars(merged, s.VarMap, names, c);
    }

    host.ShowDecimated(s.iSkip != 1);
    host.SetProgressText("Sorting..");
    s.nVar = static_cast<int>(merged.size());
    s.VarTab.assign(s.nVar);
    s.ScrTitle = CleanName(title);
    for (int k = 1; k <= s.nVar; ++k) s.VarTab[k].Name = merged[static_cast<size_t>(k - 1)];
    s.CrcAll = VersionKey(merged);

    host.HideProgress();
    host.SetBusyPointer(false);
    // Files that gave no data are named with the reason, and files whose
    // rows were all refused with the rule, in one message per load.
    const std::string failures = FailedFilesText(s);
    const std::string lost = LostRowsText(s);
    const std::string problems = failures + (failures.empty() || lost.empty() ? "" : "\n\n") + lost;
    if (!problems.empty()) host.Message(problems, "Zan", MsgButtons::Ok, MsgIcon::None);
    const LoadNote note = LoadNoteOf(s);
    host.ShowLoadNote(note.label, note.lines);
    s.lderr = 0;
    s.iZlvl = 1;
    s.mZlvl = 1;
    return true;
}

void InitRanges(Session& s, SessionHost& host, DataLibrary& library) {
    for (int k = 1; k <= s.nVar; ++k) {
        VarRecord& v = s.VarTab[k];
        double lower = 1.0e99;
        double upper = -1.0e99;
        double magnitude = 0;
        for (int f = 1; f <= s.nFile && f <= s.FileTab.size(); ++f) {
            const int c = s.FileTab[f].iVer;
            if (c < 1 || c > kMaxVersions || k > kMaxMerged) continue;
            const int var = s.VarMap(k, c);
            if (v.Lfix[1] != 0 || var < 1) continue;
            library.Range(f, var, upper, lower, magnitude);
            v.Dmax[1] = upper;
            v.Dmin[1] = lower;
            v.Dabs[1] = magnitude;
            v.Vhi[1] = upper;
            v.Vlo[1] = lower;
        }
        const Division d = library.Divide(v.Vlo[1], v.Vhi[1]);
        v.Alo[1] = d.Alo;
        v.Ahi[1] = d.Ahi;
        v.Astp[1] = d.Astp;
        v.Anum[1] = d.Anum;
        v.Rlo[1] = d.Alo;
        v.Rhi[1] = d.Ahi;
    }
    s.iZlvl = 1;
    s.mZlvl = 1;
    host.ProcessEvents();
}

std::string GetFiles(const Session& s, int i) {
    if (!s.Flist.contains(i)) return {};
    return getfilename(s.Flist[i]);
}

std::string GetLines(const Session& s, int i) {
    if (i < 1 || i > s.nVar || !s.VarTab.contains(i)) return {};
    const std::string& name = s.VarTab[i].Name;
    const size_t b = name.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return name.substr(b, name.find_last_not_of(' ') - b + 1);
}

double GetDelta(const Session& s, int v) {
    if (v < 1 || v > s.nVar || !s.VarTab.contains(v)) return 0;
    const int level = std::clamp(s.iZlvl, 1, kZoomLevels);
    return s.VarTab[v].Ahi[static_cast<size_t>(level)] - s.VarTab[v].Alo[static_cast<size_t>(level)];
}

int GetParam(const Session& s, int f, int v) {
    if (!s.FileTab.contains(f) || v < 1 || v > kMaxMerged) return 0;
    const int c = s.FileTab[f].iVer;
    if (c < 1 || c > kMaxVersions) return 0;
    return s.VarMap(v, c);
}

}  // namespace zan
