// Single-value queries: the size of a file on disk, one displayed value, and
// the choice of the X and Y variables that the device mapping reads.
#include "store.h"
#include "value_access.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>

namespace {

// Low 8 bits of each code up to the first code 0, trailing blanks dropped.
std::string path_from_codes(const int32_t* codes)
{
    std::string path;
    for (int32_t i = 0; i < zan::kPathLen; ++i) {
        const char c = static_cast<char>(codes[i] & 0xFF);
        if (c == '\0') break;
        path.push_back(c);
    }
    const auto end = path.find_last_not_of(' ');
    path.erase(end == std::string::npos ? 0 : end + 1);
    return path;
}

}  // namespace

extern "C" {

// A file that cannot be found, or is no regular file, has size 0; a size
// beyond the 32-bit range reads as the largest 32-bit number.
ZAN_EXPORT void dsize(int32_t* /*file*/, const int32_t* path, int32_t* size, int32_t* /*spare*/)
{
    *size = 0;
    const std::string name = path_from_codes(path);
    if (name.empty()) return;
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(name, ec);
    if (ec) return;
    const std::uintmax_t units = bytes / 1024;
    constexpr auto kMax = static_cast<std::uintmax_t>(std::numeric_limits<int32_t>::max());
    *size = static_cast<int32_t>(units > kMax ? kMax : units);
}

// A file that is not loaded, a variable the file does not have or a sample
// outside 1..stored count gives the value 0.0.
ZAN_EXPORT void ddata(int32_t* file, int32_t* sample, int32_t* var, double* value)
{
    const zan::FileSlot* slot = zan::loaded_slot(*file);
    const double* col = zan::stored_column(slot, *var);
    if (!col || !zan::has_sample(*slot, *sample)) {
        *value = 0.0;
        return;
    }
    *value = zan::displayed(col[*sample - 1], zan::scaling_of(*file, *var));
}

// The variables are selected whatever the file number, as plain numbers;
// idata and jdata check them against the file they are asked about.
ZAN_EXPORT void sdata(int32_t* file, int32_t* xvar, int32_t* yvar, int32_t* count)
{
    zan::Transform& tr = zan::transform();
    tr.xvar = *xvar;
    tr.yvar = *yvar;
    ++tr.changes;
    const zan::FileSlot* slot = zan::loaded_slot(*file);
    *count = slot ? zan::readable_count(*slot) : 0;
}
}
