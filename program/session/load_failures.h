#pragma once

// Why a data file gave no data, in words the user can act on. A file fails
// to load when the library stored no variables for it; the reason comes from
// the library's status and the system's error text, or from the name itself
// when it cannot cross to the library unchanged.

#include "session/session_state.h"

#include <string>

namespace zan {

// The reason a name is never handed to the library (too long for its 255
// characters, or holding a control character that would travel as a blank
// and so name another file); empty when the name can be opened as it is.
std::string UnopenableNameReason(const std::string& path);

// The reason for a file that loaded no variables, from the library's status,
// the row count it reported and the file's size in bytes.
std::string LoadStatusReason(const FileRecord& file);

// Number of files of the last load that gave no variables.
int FailedFileCount(const Session& s);

// One line per failed file, "name: reason", under a heading; empty when
// every file loaded. At most the first ten are named, then a count of the rest.
std::string FailedFilesText(const Session& s);

}  // namespace zan
