#pragma once

// What a load tells about files that did not load plainly. A text file's
// names come from the first line with the most fields among its first 99
// lines, and a row must hold exactly that many numbers; so a stray field or
// a changed layout can move the names line down or refuse rows without any
// error. A file loads plainly when rows were stored and no line holding
// fields was skipped (comment lines before the names line are no loss);
// only the others are reported, once per load.

#include "session/session_state.h"

#include <string>

namespace zan {

// "run.csv: names from line 3, 1200 rows stored, 4 skipped"; a binary file
// has no names line: "run.bin: 0 rows stored".
std::string LoadFactsLine(const std::string& name, const FileRecord& file);

// The files of the last load that had lines to offer but stored no row of
// them: the text of a message, with the rule that refused the rows; empty
// when there are none. Files that gave no variables are not among them.
std::string LostRowsText(const Session& s);

// The note of the other files that did not load plainly.
struct LoadNote {
    std::string label;  // the first one's facts, and how many more there are
    std::string lines;  // one line of facts per file
};
LoadNote LoadNoteOf(const Session& s);

}  // namespace zan
