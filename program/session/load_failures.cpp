#include "session/load_failures.h"

#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "zan.h"

namespace zan {

namespace {

// Files named in the message; the rest are counted.
constexpr int kNamedFailures = 10;

bool Failed(const FileRecord& file) { return file.nPar < 1; }

// A control character in a file name would break the message into lines.
std::string Printable(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32) c = '?';
    return name;
}

}  // namespace

std::string UnopenableNameReason(const std::string& path) {
    if (path.size() > static_cast<size_t>(kPathLength))
        return "the path is longer than " + std::to_string(kPathLength) + " characters";
    const bool control = std::any_of(path.begin(), path.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 32; });
    if (control) return "the name holds a control character";
    return {};
}

std::string LoadStatusReason(const FileRecord& file) {
    const int status = file.status;
    switch (status) {
    case ZAN_STATUS_NO_MARKER:
        return "not a data file (the record layout begins with \" ## \")";
    case ZAN_STATUS_NO_MEMORY:
        return "not enough memory for its samples";
    case ZAN_STATUS_TOO_MANY_VARS:
        return "more than 5000 variables";
    case ZAN_STATUS_NO_EXTENSION:
        return "the file name has no extension (.bin, .csv or another for the record layout)";
    case ZAN_STATUS_BAD_FILE_NUMBER:
        return "more files than can be loaded at once";
    case -1:
        if (file.size == 0) return "the file is empty";
        // A text file has counted its lines by then; a binary one ended in its header.
        if (file.nRowsRead == 0) return "the file ends inside its header";
        break;
    default:
        break;
    }
    // The record layout frames every record with its length; a file of
    // another layout under such an extension breaks that framing first.
    if (status == EBADMSG) return "its records are not framed as in a data file (is the extension right?)";
    if (status > 0) return std::strerror(status);
    return "the file holds no variables";
}

int FailedFileCount(const Session& s) {
    int n = 0;
    for (int i = 1; i <= s.nFile && i <= s.FileTab.size(); ++i)
        if (Failed(s.FileTab[i])) ++n;
    return n;
}

std::string FailedFilesText(const Session& s) {
    const int failed = FailedFileCount(s);
    if (failed == 0) return {};
    std::string text = failed == 1 ? "This file could not be loaded:" : "These files could not be loaded:";
    int named = 0;
    for (int i = 1; i <= s.nFile && i <= s.FileTab.size() && named < kNamedFailures; ++i) {
        if (!Failed(s.FileTab[i])) continue;
        const std::string name = s.Flist.contains(i) ? Printable(getfilename(s.Flist[i])) : std::string();
        text += "\n" + name + ": " + s.FileTab[i].note;
        ++named;
    }
    if (failed > named) text += "\nand " + std::to_string(failed - named) + " more";
    return text;
}

}  // namespace zan
