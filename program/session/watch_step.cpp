// The watch step: on each tick of the watch timer the data files are
// compared with what was loaded. A file that only grew is followed by reading
// just the rows appended to it; anything else, a shorter file included (a new
// run writing into it), loads the files again. A file that is gone, cannot be
// opened or was emptied keeps its data shown, since loading it could only
// fail; the page label says so, the other files are followed as far as they
// can be, and the next tick looks again.
#include "session/file_commands.h"

#include "platform/file_system.h"
#include "session/load_data.h"
#include "session/numbered_names.h"

#include <cerrno>
#include <fstream>
#include <map>
#include <set>

namespace zan {

namespace {

enum class Seen { Same, Changed, Grown, Missing, Unreadable, Emptied };

Seen Compare(const std::string& path, const FileRecord& loaded)
{
    const std::optional<FileInfo> info = GetFile(path);
    if (!info)
        return Seen::Missing;
    if (!std::ifstream(path, std::ios::binary).is_open())
        return Seen::Unreadable;
    const auto size = static_cast<std::int64_t>(info->Size);
    if (size == loaded.size && info->DateLastModified == loaded.modifiedTime)
        return Seen::Same;
    if (size == 0 && loaded.size > 0)
        return Seen::Emptied;
    return size > loaded.size ? Seen::Grown : Seen::Changed;
}

std::string Problem(Seen seen, const std::string& path)
{
    const std::string name = getfilename(path);
    switch (seen) {
    case Seen::Missing:
        return name + " is gone; the last data are shown until it is back";
    case Seen::Unreadable:
        return name + " cannot be opened; the last data are shown until it can";
    case Seen::Emptied:
        return name + " is empty; the last data are shown until it holds data again";
    default:
        return {};
    }
}

}  // namespace

void FileCommands::Watch()
{
    if (Busy() || s_.iAuto == 0 || s_.lderr == 2)
        return;
    const int interval = WatchInterval(s_.iLast);
    host_.SetWatchTimer(interval, true);

    // Each entry moves on to the newest of the next two files of its series.
    std::map<int, std::string> movedFrom;
    if (s_.iNext != 0)
        for (int i = 1; i <= s_.nFile && i <= s_.Flist.size(); ++i)
            for (int delta : {1, 2}) {
                const std::string candidate = NextFile(s_.Flist[i], delta);
                if (!candidate.empty() && candidate != s_.Flist[i] && services_.FileExists(candidate)) {
                    movedFrom.emplace(i, s_.Flist[i]);
                    s_.Flist[i] = candidate;
                }
            }

    bool changed = !settle_.empty();
    std::set<int> stuck;
    std::string problem;
    for (int i = 1; i <= s_.nFile && i <= s_.Flist.size(); ++i) {
        // A file moved on to the next of its series is new: nothing to compare.
        const bool known = !movedFrom.contains(i) && s_.FileTab.contains(i);
        const Seen seen = Compare(s_.Flist[i], known ? s_.FileTab[i] : FileRecord{});
        if (seen == Seen::Missing || seen == Seen::Unreadable || (known && seen == Seen::Emptied)) {
            stuck.insert(i);
            if (problem.empty())
                problem = Problem(seen, s_.Flist[i]);
        } else if (!known || seen != Seen::Same) {
            changed = true;
        }
    }
    if (!stuck.empty()) {
        // A new load would fail on those files: the entries moved on keep
        // their names, so that the list names what is shown, until all the
        // files can be loaded again.
        for (const auto& [i, name] : movedFrom)
            s_.Flist[i] = name;
        movedFrom.clear();
        window_.ShowNote(problem);
    }
    if (!changed && movedFrom.empty())
        return;

    host_.SetWatchTimer(interval, false);
    const bool reload = !movedFrom.empty() || s_.lderr != 0 || !FollowGrowth(stuck);
    if (reload && stuck.empty() && !s_.bBusy)
        Reload();
    host_.SetWatchTimer(interval, true);
}

bool FileCommands::FollowGrowth(const std::set<int>& stuck)
{
    if (s_.FileTab.size() < s_.nFile)
        return false;
    s_.bBusy = true;
    // A new load, when one is due and can be made, reads every file.
    const bool canReload = stuck.empty();
    bool reloadDue = false;
    bool news = false;
    std::string problem;
    for (int i = 1; i <= s_.nFile && !(reloadDue && canReload); ++i) {
        if (stuck.contains(i))
            continue;
        FileRecord now;
        if (!ReadFileFacts(s_.Flist[i], now)) {
            if (problem.empty())
                problem = Problem(Seen::Missing, s_.Flist[i]);
            continue;
        }
        FileRecord& loaded = s_.FileTab[i];
        const bool same = now.size == loaded.size && now.modifiedTime == loaded.modifiedTime;
        if (same) {
            sameSize_.erase(i);
            // Grown at the last tick and unchanged since: what looked like
            // a row still being written is the last row, and is read.
            if (settle_.erase(i) == 0)
                continue;
        } else if (now.size < loaded.size) {
            reloadDue = true;
            continue;
        } else if (now.size == loaded.size) {
            // A write shows its time before its bytes, so a new time alone
            // may be an append in progress. Still so at the next tick, the
            // file was rewritten in place: only a new load tells what changed.
            if (!sameSize_.insert(i).second)
                reloadDue = true;
            continue;
        } else {
            sameSize_.erase(i);
        }
        const GrowResult grown = library_.Grow(i, s_.Flist[i]);
        // Without memory for a larger block, a new load can still show the
        // file with a coarser step.
        if (grown.outcome == GrowResult::Reload || (grown.outcome == GrowResult::Failed && grown.status == ENOMEM)) {
            reloadDue = true;
            continue;
        }
        news = news || grown.added > 0 || grown.nStored != loaded.nStored;
        loaded.nStored = grown.nStored;
        if (grown.outcome == GrowResult::Failed) {
            if (problem.empty())
                problem = getfilename(s_.Flist[i]) + " could not be read (error " + std::to_string(grown.status) +
                          "); the data read so far are shown";
            continue;
        }
        // What was read is now the loaded state.
        if (!same) {
            loaded.size = now.size;
            loaded.modifiedTime = now.modifiedTime;
            loaded.modified = now.modified;
            settle_.insert(i);
        }
    }
    if (!(reloadDue && canReload)) {
        if (news) {
            services_.InitRanges(s_);
            window_.PictDraw();
            window_.ButnStat();
        }
        if (!problem.empty())
            window_.ShowNote(problem);
    }
    s_.bBusy = false;
    return !reloadDue;
}

}  // namespace zan
