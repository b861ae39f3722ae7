#include "session/load_report.h"

#include "platform/file_system.h"

#include <algorithm>

namespace zan {

namespace {

// Files named in the message; the rest are counted.
constexpr int kNamedFiles = 10;

bool Loaded(const FileRecord& f) { return f.nPar > 0; }
bool LostRows(const FileRecord& f) { return Loaded(f) && f.nStored == 0 && f.nRefused > 0; }
bool Plain(const FileRecord& f) { return f.nRefused == 0 && f.nStored > 0; }

std::string Rows(int n) { return std::to_string(n) + (n == 1 ? " row" : " rows"); }

std::string NameOf(const Session& s, int i)
{
    std::string name = s.Flist.contains(i) ? getfilename(s.Flist[i]) : std::string();
    // A control character would break the text into lines.
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32) c = '?';
    return name;
}

int FileCount(const Session& s) { return std::min(s.nFile, s.FileTab.size()); }

}  // namespace

std::string LoadFactsLine(const std::string& name, const FileRecord& file)
{
    std::string text = name + ": ";
    if (file.namesLine > 0) text += "names from line " + std::to_string(file.namesLine) + ", ";
    text += Rows(file.nStored) + " stored";
    if (file.namesLine > 0) text += ", " + std::to_string(file.nRefused) + " skipped";
    return text;
}

std::string LostRowsText(const Session& s)
{
    int lost = 0;
    std::string lines;
    for (int i = 1; i <= FileCount(s); ++i) {
        if (!LostRows(s.FileTab[i])) continue;
        if (++lost <= kNamedFiles) lines += "\n" + LoadFactsLine(NameOf(s, i), s.FileTab[i]);
    }
    if (lost == 0) return {};
    if (lost > kNamedFiles) lines += "\nand " + std::to_string(lost - kNamedFiles) + " more";
    return std::string(lost == 1 ? "No row of this file could be read:" : "No row of these files could be read:") +
           lines +
           "\n\nThe names come from the first line with the most fields among the first 99 lines, "
           "and a row must hold a number for every name.";
}

LoadNote LoadNoteOf(const Session& s)
{
    LoadNote note;
    int others = 0;
    for (int i = 1; i <= FileCount(s); ++i) {
        const FileRecord& f = s.FileTab[i];
        if (!Loaded(f) || Plain(f) || LostRows(f)) continue;
        const std::string line = LoadFactsLine(NameOf(s, i), f);
        if (note.label.empty())
            note.label = line;
        else
            ++others;
        note.lines += (note.lines.empty() ? "" : "\n") + line;
    }
    if (others > 0) note.label += " (and " + std::to_string(others) + (others == 1 ? " more file)" : " more files)");
    return note;
}

}  // namespace zan
