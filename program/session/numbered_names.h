// Names of a numbered series of data files: run0009.bin, run0010.bin, ...
#pragma once

#include <string>

namespace zan {

// The name whose number (the digits at the end of the base name, at most the
// last 20 characters) is moved by delta, written with the same count of
// digits: run0009.bin + 1 is run0010.bin and run99.bin + 1 is run00.bin, as
// only the last digits are kept. A name without '.' in its file name or
// without digits there comes back unchanged; a moved number outside
// 0..32767 gives no name (empty).
std::string NextFile(const std::string& name, int delta);

}  // namespace zan
