#pragma once

#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan {

// Merges the names of a new file version (column c of VarMap) into the
// merged list `merged` (entry k-1 is merged variable k, with VarMap row k).
//
// Both lists are walked together, keeping the order of each: names found in
// both are paired, a name of the new list missing from the merged one is
// inserted where it stands, and a stretch of merged names skipped by a match
// further on is kept ahead of that match. Each output entry carries its row
// of version columns, with column c set to the name's number in the new list
// (0 when the new version lacks it). Afterwards equal names are folded into
// their first entry, each column taking the larger number. At most 5000
// entries are kept. Names are compared as blank-padded 80-character texts,
// so they must come without trailing blanks (CleanName).
void MergeVars(std::vector<std::string>& merged, VarMapTable& map,
               const std::vector<std::string>& names, int c);

}  // namespace zan
