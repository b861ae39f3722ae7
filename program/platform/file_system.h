// The file-system object the session logic leans on: path pieces, joining,
// existence, size and last-modified time. Paths use '/' as separator; the
// functions only look at the text, except fileexists and GetFile.
#ifndef ZAN_PLATFORM_FILE_SYSTEM_H
#define ZAN_PLATFORM_FILE_SYSTEM_H

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zan {

inline constexpr char kPathSeparator = '/';

// The folder part without a trailing separator; "" for a bare name, "/" for
// a name directly in the root. A trailing separator of path is ignored, so
// the parent of "/a/b/" is "/a".
std::string getparentfoldername(std::string_view path);

// The last component (name and extension); "" for "/" and "".
std::string getfilename(std::string_view path);

// The last component without its extension (the part from its last '.' on);
// a name whose only '.' is its first character has no extension.
std::string getbasename(std::string_view path);

// folder and name joined with exactly one separator; either may be empty.
std::string buildpath(std::string_view folder, std::string_view name);

// True when path names an existing file (after following links); false for
// folders, missing paths and paths that cannot be examined.
bool fileexists(std::string_view path);

// Size and last-modified time, compared by file watching to notice changes.
struct FileInfo {
    std::uintmax_t Size = 0;
    std::filesystem::file_time_type DateLastModified{};

    bool operator==(const FileInfo&) const = default;
};

// Facts of an existing file; nothing when it does not exist or cannot be
// examined, which callers treat as the error the platform would raise.
std::optional<FileInfo> GetFile(std::string_view path);

}  // namespace zan

#endif
