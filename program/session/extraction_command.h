// "Extract Dbl Bin", "Extract Bin" and "Extract Csv": for every loaded file a
// new data file with the variables shown in the graphs, cut to their visible
// ranges, numbered with the session's extraction number.
#pragma once

#include "session/data_library.h"
#include "session/session_host.h"
#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan {

// Kinds of extracted file.
enum : int { kExtractDouble = 0, kExtractText = 1, kExtractSingle = 2 };

// Per loaded file: each distinct variable shown (graph by graph, the X
// variable before the lines) that the file has, with its name and the upper
// and lower bounds of its visible range at the current zoom level.
std::vector<ExtractRequest> ExtractionLists(const Session& s, int eType);

// Name of the file written for `source`: the path without its extension,
// "_exd" (doubles) or "_ext", the number in three digits, ".bin" or ".csv".
std::string ExtractName(const std::string& source, int eType, int number);

// What one extraction wrote, by full output name.
struct ExtractOutcome {
    std::vector<std::string> written;
    std::vector<std::string> failed;
};

// ExtrFile: writes the files with the progress window shown and drawing held
// off, then moves the extraction number on (999 is followed by 000). A file
// whose version has none of the shown variables still gets an output, one
// without variables. Files that could not be written are named in one
// message, together with those that were; none of them is left behind half
// written. Nothing is written when no data are loaded.
ExtractOutcome ExtrFile(Session& s, SessionHost& host, DataLibrary& library, int eType);

// The page label's note after an extraction, as after saving a bitmap: the
// written files' names without their folder (the first three, then how many
// more), or "Cannot write" and the first name when nothing could be written;
// empty when nothing was extracted.
std::string ExtractNote(const ExtractOutcome& outcome);

}  // namespace zan
