// The watch step: on each tick of the watch timer the data files are
// compared with what was loaded. A file that only grew is followed by reading
// just the rows appended to it; anything else, a shorter file included (a new
// run writing into it), loads the files again. A file that is gone, cannot be
// opened or was emptied keeps the data shown, since loading it could only
// fail; the page label says so and the next tick looks again.
#include "session/file_commands.h"

#include "platform/file_system.h"
#include "session/load_data.h"
#include "session/numbered_names.h"

#include <cerrno>
#include <fstream>

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

    bool changed = false;
    bool switched = false;
    std::string problem;
    for (int i = 1; i <= s_.nFile && i <= s_.Flist.size(); ++i) {
        bool moved = false;
        if (s_.iNext != 0) {
            for (int delta : {1, 2}) {
                const std::string candidate = NextFile(s_.Flist[i], delta);
                if (!candidate.empty() && candidate != s_.Flist[i] && services_.FileExists(candidate)) {
                    s_.Flist[i] = candidate;
                    moved = true;
                }
            }
        }
        switched = switched || moved;
        // A file moved on to the next of its series is new: nothing to compare.
        if (moved || !s_.FileTab.contains(i)) {
            changed = true;
            continue;
        }
        const Seen seen = Compare(s_.Flist[i], s_.FileTab[i]);
        if (seen == Seen::Missing || seen == Seen::Unreadable || seen == Seen::Emptied) {
            if (problem.empty())
                problem = Problem(seen, s_.Flist[i]);
        } else if (seen != Seen::Same) {
            changed = true;
        }
    }
    if (!problem.empty()) {
        window_.ShowNote(problem);
        return;
    }
    if (!changed && !switched)
        return;

    host_.SetWatchTimer(interval, false);
    if (!s_.bBusy && (switched || s_.lderr != 0 || !FollowGrowth()))
        Reload();
    host_.SetWatchTimer(interval, true);
}

bool FileCommands::FollowGrowth()
{
    if (s_.FileTab.size() < s_.nFile)
        return false;
    s_.bBusy = true;
    bool followed = true;
    std::string problem;
    for (int i = 1; i <= s_.nFile && followed; ++i) {
        FileRecord now;
        if (!ReadFileFacts(s_.Flist[i], now)) {
            problem = Problem(Seen::Missing, s_.Flist[i]);
            break;
        }
        FileRecord& loaded = s_.FileTab[i];
        if (now.size == loaded.size && now.modifiedTime == loaded.modifiedTime)
            continue;
        if (now.size < loaded.size) {
            followed = false;
            break;
        }
        if (now.size == loaded.size) {
            // A write shows its time before its bytes, so a new time alone
            // may be an append in progress. Found again at the next tick, the
            // file was rewritten in place: only a new load tells what changed.
            const auto seen = sameSize_.find(i);
            if (seen != sameSize_.end() && seen->second == now.modifiedTime) {
                followed = false;
                break;
            }
            sameSize_[i] = now.modifiedTime;
            continue;
        }
        sameSize_.erase(i);
        const GrowResult grown = library_.Grow(i, s_.Flist[i]);
        // Without memory for a larger block, a new load can still show the
        // file with a coarser step.
        if (grown.outcome == GrowResult::Reload || (grown.outcome == GrowResult::Failed && grown.status == ENOMEM)) {
            followed = false;
        } else if (grown.outcome == GrowResult::Failed) {
            problem = getfilename(s_.Flist[i]) + " could not be read (error " + std::to_string(grown.status) +
                      "); the data read so far are shown";
            loaded.nStored = grown.nStored;
        } else {
            // What was read is now the loaded state; a row still being
            // written is in neither and comes with a later tick.
            loaded.size = now.size;
            loaded.modifiedTime = now.modifiedTime;
            loaded.modified = now.modified;
            loaded.nStored = grown.nStored;
        }
    }
    if (followed) {
        services_.InitRanges(s_);
        window_.PictDraw();
        window_.ButnStat();
        if (!problem.empty())
            window_.ShowNote(problem);
    }
    s_.bBusy = false;
    return followed;
}

}  // namespace zan
