#pragma once

#include <string>
#include <vector>

namespace zan {

// Version key of a list of variable names: a 29-bit rotating checksum over
// every name as an 80-character text (blank-padded, control characters
// counted as blanks). Two lists are the same version exactly when their keys
// are equal.
int VersionKey(const std::vector<std::string>& names);

// A name as the library's 80 character codes give it: cut to 80
// characters, control characters turned into blanks, trailing blanks
// removed (they carry nothing in a blank-padded text).
std::string CleanName(const std::string& codes);

}  // namespace zan
