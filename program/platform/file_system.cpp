#include "platform/file_system.h"

#include <system_error>

namespace zan {

namespace {

// path without trailing separators, except that the root stays "/".
std::string_view withoutTrailingSeparators(std::string_view path)
{
    while (path.size() > 1 && path.back() == kPathSeparator) path.remove_suffix(1);
    return path;
}

}  // namespace

std::string getparentfoldername(std::string_view path)
{
    path = withoutTrailingSeparators(path);
    const size_t cut = path.rfind(kPathSeparator);
    if (cut == std::string_view::npos || path == "/") return {};
    std::string_view folder = path.substr(0, cut);
    while (!folder.empty() && folder.back() == kPathSeparator) folder.remove_suffix(1);
    return folder.empty() ? std::string(1, kPathSeparator) : std::string(folder);
}

std::string getfilename(std::string_view path)
{
    path = withoutTrailingSeparators(path);
    if (path == "/") return {};
    const size_t cut = path.rfind(kPathSeparator);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string getbasename(std::string_view path)
{
    const std::string name = getfilename(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string buildpath(std::string_view folder, std::string_view name)
{
    if (folder.empty()) return std::string(name);
    while (folder.size() > 1 && folder.back() == kPathSeparator) folder.remove_suffix(1);
    while (!name.empty() && name.front() == kPathSeparator) name.remove_prefix(1);
    std::string out(folder);
    if (out.back() != kPathSeparator) out += kPathSeparator;
    return out + std::string(name);
}

bool fileexists(std::string_view path)
{
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

std::optional<FileInfo> GetFile(std::string_view path)
{
    if (!fileexists(path)) return std::nullopt;
    std::error_code ec;
    FileInfo info;
    info.Size = std::filesystem::file_size(std::filesystem::path(path), ec);
    if (ec) return std::nullopt;
    info.DateLastModified = std::filesystem::last_write_time(std::filesystem::path(path), ec);
    if (ec) return std::nullopt;
    return info;
}

}  // namespace zan
