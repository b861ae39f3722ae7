#pragma once

#include "session/data_library.h"
#include "session/session_host.h"
#include "session/session_state.h"

#include <string>

namespace zan {

// Loads Flist(1..nFile) through the library into FileTab, VarTab names,
// VarMap, nVar, CrcAll and ScrTitle; files whose name lists have the same
// version key share a version column, at most 20 columns. Returns true on
// success (lderr 0). On failure (more than 20 versions, a missing file, a
// file with more than 5000 variables) the library is emptied, lderr is 1,
// the user is told and asked whether to go on; answering No ends the
// program through the host.
bool LoadData(Session& s, SessionHost& host, DataLibrary& library);

// Size and last modification of a file into its record; false when the file
// is gone.
bool ReadFileFacts(const std::string& path, FileRecord& record);

// Level-1 ranges of every merged variable over all files, and its division.
void InitRanges(Session& s, SessionHost& host, DataLibrary& library);

// The file-name part of Flist(i); empty when there is no such file.
std::string GetFiles(const Session& s, int i);
// Trimmed name of merged variable i; empty beyond nVar.
std::string GetLines(const Session& s, int i);
// Ahi - Alo of merged variable v at the current zoom level; 0 beyond nVar.
double GetDelta(const Session& s, int v);
// Number of merged variable v within file f; 0 when the file lacks it.
int GetParam(const Session& s, int f, int v);

}  // namespace zan
