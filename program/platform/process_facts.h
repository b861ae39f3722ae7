// Facts of the running program: its command line, the current folder and
// the folder of the program file.
#ifndef ZAN_PLATFORM_PROCESS_FACTS_H
#define ZAN_PLATFORM_PROCESS_FACTS_H

#include <string>

namespace zan {

// The arguments after the program's name as one text: separated by single
// blanks, an argument holding a blank or a tab enclosed in double quotes,
// empty arguments left out, so that splitting at blanks outside quotes gives
// the arguments back.
std::string commandLineText(int argc, const char* const* argv);

// Without a trailing separator; "" when it cannot be found.
std::string currentDirectory();
std::string programFolder();

}  // namespace zan

#endif
