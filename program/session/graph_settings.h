#pragma once

// Graphs and line scales restored from the settings file once data are
// loaded: the stored layout only while the variable set is unchanged, the
// stored shifts and factors only while every file still matches.

#include "session/data_library.h"
#include "session/session_state.h"

#include <optional>
#include <string>

namespace zan {

// One "Graph" entry: a title in double quotes, then the x variable, the
// number of lines and the line variables, separated by commas. Nothing when
// the entry is malformed, names a variable outside 1..nVar, or holds more
// than 64 or fewer than 1 line.
std::optional<GraphRecord> ParseGraph(const std::string& entry, int nVar);

// Builds GrphTab and nGrph from section "Graphs" (and ScrTitle from its
// "Title"), or the default layout of one graph per variable against the
// first. Afterwards the current graph and page lie within the graphs.
void IniGrphs(Session& s);

// One graph per variable 2..nVar against variable 1, page 1, drawing rate 1,
// and no fixed level-1 ranges.
void DefaultLayout(Session& s);

// Reads "Move All" and gives the library back the stored shifts and factors,
// for all files or, when any file no longer matches its stored variable
// count and version key, for none.
void IniScale(Session& s, DataLibrary& library);

}  // namespace zan
