#include "session/session_state.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zan {

std::string DefaultFolder() {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).generic_string();
    if (error || folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

namespace {
// A page always holds at least one cell, even if a caller broke the grid.
int CellsPerPage(const Session& s) { return std::max(s.nCell, 1); }
}  // namespace

void SetPage(Session& s) {
    s.iPage = (std::max(s.cGrph, 1) - 1) / CellsPerPage(s) + 1;
}

void SetGrph(Session& s) {
    // Without any graph the current graph stays 1, so that page and cell
    // arithmetic never sees 0.
    s.cGrph = std::max(1, std::min((s.iPage - 1) * CellsPerPage(s) + s.cWind, s.nGrph));
}

void SetWind(Session& s) {
    s.cWind = (std::max(s.cGrph, 1) - 1) % CellsPerPage(s) + 1;
}

}  // namespace zan
