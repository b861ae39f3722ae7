#include "session/extraction_command.h"

#include "platform/file_system.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace zan {

std::vector<ExtractRequest> ExtractionLists(const Session& s, int eType)
{
    std::vector<ExtractRequest> lists;
    const int level = std::clamp(s.iZlvl, 1, kZoomLevels);
    for (int i = 1; i <= s.nFile && i <= s.FileTab.size() && i <= s.Flist.size(); ++i) {
        ExtractRequest q;
        q.file = i;
        q.kind = eType;
        q.path = s.Flist[i];
        q.number = s.iExtr;
        const int column = s.FileTab[i].iVer;
        auto add = [&](int k) {
            if (k > s.nVar || k < 1)
                k = 1;
            if (column < 1 || column > kMaxVersions || k > kMaxMerged || !s.VarTab.contains(k))
                return;
            const int v = s.VarMap(k, column);
            if (v < 1 || std::find(q.vars.begin(), q.vars.end(), v) != q.vars.end())
                return;
            const VarRecord& var = s.VarTab[k];
            q.vars.push_back(v);
            q.names.push_back(var.Name);
            q.upper.push_back(var.Vhi[static_cast<size_t>(level)]);
            q.lower.push_back(var.Vlo[static_cast<size_t>(level)]);
        };
        for (int g = 1; g <= s.nGrph && g <= s.GrphTab.size(); ++g) {
            const GraphRecord& graph = s.GrphTab[g];
            add(graph.xVar);
            for (int l = 1; l <= graph.nLine && l <= kMaxLines; ++l)
                add(graph.Lines[static_cast<size_t>(l)]);
        }
        lists.push_back(std::move(q));
    }
    return lists;
}

std::string ExtractName(const std::string& source, int eType, int number)
{
    const size_t slash = source.rfind('/');
    const size_t dot = source.rfind('.');
    const std::string stem = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                                 ? source
                                 : source.substr(0, dot);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return stem + (eType == kExtractDouble ? "_exd" : "_ext") + digits +
           (eType == kExtractText ? ".csv" : ".bin");
}

namespace {

std::string NameList(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += name + "\n";
    return text;
}

}  // namespace

ExtractOutcome ExtrFile(Session& s, SessionHost& host, DataLibrary& library, int eType)
{
    ExtractOutcome outcome;
    if (library.Loaded()) {
        s.drErr = 2;
        host.ShowProgress();
        for (const ExtractRequest& q : ExtractionLists(s, eType)) {
            host.SetProgressText(std::to_string(q.file) + " of " + std::to_string(s.nFile));
            host.ProcessEvents();
            // efile tells nothing; a write that failed leaves the output as it was.
            const std::string output = ExtractName(q.path, eType, q.number);
            const std::optional<FileInfo> before = GetFile(output);
            library.Extract(q);
            const std::optional<FileInfo> after = GetFile(output);
            (after && after != before ? outcome.written : outcome.failed).push_back(output);
        }
        s.iExtr = (s.iExtr + 1) % 1000;
        const std::vector<std::string>& failed = outcome.failed;
        if (!failed.empty()) {
            std::string text = "Could not write the extracted file";
            text += failed.size() > 1 ? "s:\n" : ":\n";
            text += NameList(failed);
            text += "\nThe folder may be read-only or the disk full; nothing was written for ";
            text += failed.size() > 1 ? "them." : "it.";
            if (!outcome.written.empty())
                text += "\n\nWritten:\n" + NameList(outcome.written);
            host.HideProgress();
            host.Message(text, "Extract", MsgButtons::Ok, MsgIcon::Critical);
        }
    }
    host.HideProgress();
    s.drErr = 0;
    return outcome;
}

std::string ExtractNote(const ExtractOutcome& outcome)
{
    constexpr size_t kNamed = 3;
    const bool none = outcome.written.empty();
    const std::vector<std::string>& names = none ? outcome.failed : outcome.written;
    if (names.empty())
        return {};
    std::string note = none ? "Cannot write " : "";
    const size_t named = none ? 1 : std::min(names.size(), kNamed);
    for (size_t i = 0; i < named; ++i)
        note += (i > 0 ? ", " : "") + getfilename(names[i]);
    if (names.size() > named)
        note += " and " + std::to_string(names.size() - named) + " more";
    return note;
}

}  // namespace zan
