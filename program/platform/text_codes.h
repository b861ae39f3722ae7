// Text as the data library takes and gives it, and the trimming rules of the
// program: paths, names and titles cross the library boundary as arrays of
// 32-bit character codes, blank-padded to a fixed width.
#ifndef ZAN_PLATFORM_TEXT_CODES_H
#define ZAN_PLATFORM_TEXT_CODES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zan {

// One code per byte of text, cut or blank-padded to width codes.
std::vector<int32_t> toCharCodes(std::string_view text, size_t width);

// Text of width codes (low 8 bits of each), padding blanks kept.
std::string fromCharCodes(const int32_t* codes, size_t width);

// Blanks only; tabs and other white space are part of the text.
std::string trimBlanks(std::string_view text);
std::string trimTrailingBlanks(std::string_view text);

// Letters a to z upper-cased; every other byte unchanged.
std::string upperAscii(std::string_view text);

}  // namespace zan

#endif
