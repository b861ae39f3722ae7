// Naming of extracted files.
#ifndef ZAN_EXTRACTION_WRITER_H
#define ZAN_EXTRACTION_WRITER_H

#include <cstdint>
#include <string>

namespace zan {

// The source path without the extension of its file name, then "_exd" for
// kind 0 and "_ext" otherwise, the number with at least three digits, and
// ".bin" for kinds 0 and 2 or ".csv" otherwise: RUN.BIN, kind 0, 7 gives
// RUN_exd007.bin. Only a '.' in the last path component starts an extension;
// without one the suffix follows the whole path. A number above 999 keeps
// all its digits (1234 -> "1234") and a negative one its sign before three
// digits (-7 -> "-007"), so that distinct numbers never share a name.
std::string extraction_path(const std::string& source, int32_t kind, int32_t number);

}  // namespace zan

#endif
