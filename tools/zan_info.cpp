// zan-info: prints what the data library makes of data files.
//
// All files named on the command line are loaded as one batch, the way the
// viewer loads its file versions: the store is emptied first, then file k of
// the list is loaded as file number k, and the decimation step one load ends
// with is where the next one starts.
#include "zan.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: zan-info FILE...\n"
    "\n"
    "Loads the data files as one batch (file numbers 1, 2, ... in the order given)\n"
    "and prints for each its title, load status, close status, variable count,\n"
    "stored and expected row counts and decimation step, and per variable its\n"
    "name, raw minimum and maximum, shift, factor, and the range with shift and\n"
    "factor applied.\n"
    "\n"
    "Exit status: 0 when every file loaded, 1 when one or more failed, 2 on a\n"
    "usage error.\n";

std::string fromCodes(const int32_t* codes, size_t width)
{
    std::string text(width, ' ');
    for (size_t i = 0; i < width; ++i) text[i] = static_cast<char>(codes[i] & 0xff);
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string describeStatus(int32_t status)
{
    switch (status) {
    case 0: return "0 (ok)";
    case -1: return "-1 (end of file)";
    case ZAN_STATUS_NO_MARKER: return "100 (record layout without the \" ## \" marker)";
    case ZAN_STATUS_NO_MEMORY: return "200 (not enough memory even at step 64)";
    case ZAN_STATUS_TOO_MANY_VARS: return "999 (more than 5000 variables)";
    case ZAN_STATUS_NO_EXTENSION: return "300 (path without '.': no reader chosen)";
    case ZAN_STATUS_BAD_FILE_NUMBER: return "400 (file number out of range or already loaded)";
    default: break;
    }
    if (status > 0) return std::to_string(status) + " (" + std::strerror(status) + ")";
    return std::to_string(status) + " (read error)";
}

// Loads path as file number `file` and prints its report; returns whether
// the load succeeded (status 0 or -1 and at least one variable).
bool reportFile(int32_t file, const std::string& path, int32_t& step)
{
    std::printf("File %d: %s\n", file, path.c_str());
    std::vector<int32_t> codes(ZAN_PATH_LEN, ' ');
    for (size_t i = 0; i < path.size() && i < codes.size(); ++i) codes[i] = static_cast<unsigned char>(path[i]);
    // A load that reads nothing may leave the status as it was; start from a
    // value no load gives to tell that apart.
    int32_t status = -99999;
    int32_t closeStatus = 0, nvar = 0, nstored = 0, nrows = 0;
    std::vector<int32_t> names(static_cast<size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN, ' ');
    std::vector<int32_t> title(ZAN_NAME_LEN, ' ');
    if (path.size() > ZAN_PATH_LEN) {
        std::printf("  path longer than %d characters: not loaded\n\n", ZAN_PATH_LEN);
        // An empty path still takes the file number, so the later files keep theirs.
        std::fill(codes.begin(), codes.end(), ' ');
    }
    dopen(&file, codes.data(), names.data(), title.data(), &nvar, &nstored, &nrows, &step, &status, &closeStatus);
    if (path.size() > ZAN_PATH_LEN) return false;

    const bool ok = (status == 0 || status == -1) && nvar >= 1;
    std::printf("  title:        %s\n", fromCodes(title.data(), ZAN_NAME_LEN).c_str());
    std::printf("  status:       %s\n",
                status == -99999 ? "none (nothing read)" : describeStatus(status).c_str());
    std::printf("  close status: %d\n", closeStatus);
    std::printf("  variables:    %d\n", nvar);
    std::printf("  rows:         %d stored of %d expected\n", nstored, nrows);
    std::printf("  step:         %d\n", step);
    if (!ok) {
        std::printf("  load failed\n\n");
        return false;
    }

    std::printf("  %5s  %-24s %14s %14s %10s %10s %14s %14s\n", "#", "name", "raw min", "raw max", "shift",
                "factor", "min", "max");
    for (int32_t v = 1; v <= nvar && v <= ZAN_MAX_VARS; ++v) {
        // For files after the first, drang widens what it is given: start
        // from an empty range so that only this file's samples count.
        double upper = -1.0e300, lower = 1.0e300, magnitude = 0.0, shift = 0.0, factor = 1.0;
        drang(&file, &v, &upper, &lower, &magnitude);
        gshft(&file, &v, &shift);
        gfact(&file, &v, &factor);
        const std::string name = fromCodes(&names[static_cast<size_t>(v - 1) * ZAN_NAME_LEN], ZAN_NAME_LEN);
        if (factor != 0.0) {
            // The range comes back with shift and factor applied; undo them
            // for the raw one (a negative factor swaps the ends).
            double rawMax = (upper - shift) / factor, rawMin = (lower - shift) / factor;
            if (factor < 0) std::swap(rawMax, rawMin);
            std::printf("  %5d  %-24s %14.7g %14.7g %10.4g %10.4g %14.7g %14.7g\n", v, name.c_str(), rawMin, rawMax,
                        shift, factor, lower, upper);
        } else {
            std::printf("  %5d  %-24s %14s %14s %10.4g %10.4g %14.7g %14.7g\n", v, name.c_str(), "-", "-", shift,
                        factor, lower, upper);
        }
    }
    std::printf("\n");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--") {
            for (++i; i < argc; ++i) paths.emplace_back(argv[i]);
            break;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "zan-info: unknown option %s\n%s", argv[i], kUsage);
            return 2;
        }
        paths.emplace_back(arg);
    }
    if (paths.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (paths.size() > ZAN_MAX_FILES) {
        std::fprintf(stderr, "zan-info: at most %d files can be loaded at once\n", ZAN_MAX_FILES);
        return 2;
    }

    int32_t result = 0;
    dclos(&result);
    int32_t step = 1;
    int failures = 0;
    for (size_t k = 0; k < paths.size(); ++k)
        if (!reportFile(static_cast<int32_t>(k + 1), paths[k], step)) ++failures;
    dclos(&result);

    if (failures) std::fprintf(stderr, "zan-info: %d of %zu files failed to load\n", failures, paths.size());
    return failures ? 1 : 0;
}
