// What the about box ("Help") says, without its window: the program's name
// and version, the data library's version and the settings file in use.
#pragma once

#include "session/data_library.h"
#include "session/session_state.h"

#include <string>

namespace zan {

// The program's own version, as built.
std::string ProgramVersion();

// Lines of the about box: "Zan", what it is, "Version " and the program's
// version, "Data library version " and the library's ("unknown" when it
// cannot tell), and "Settings file: " with the full name of the settings
// file that the session reads and writes.
std::string AboutText(const Session& s, DataLibrary& library);

}  // namespace zan
