#include "platform/process_facts.h"

#include <filesystem>
#include <system_error>

namespace zan {

std::string commandLineText(int argc, const char* const* argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i] ? argv[i] : "";
        // An empty argument would read back as the end of the list.
        if (arg.empty()) continue;
        if (!text.empty()) text += ' ';
        if (arg.find_first_of(" \t") != std::string::npos) text += '"' + arg + '"';
        else text += arg;
    }
    return text;
}

std::string currentDirectory()
{
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : path.string();
}

std::string programFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace zan
