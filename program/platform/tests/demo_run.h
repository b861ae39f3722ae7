// The demo flight written once per test run into a temporary folder, for
// every test that needs real data files.
#ifndef ZAN_PLATFORM_TESTS_DEMO_RUN_H
#define ZAN_PLATFORM_TESTS_DEMO_RUN_H

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zan::test {

// Folder holding flight.bin, flight_c.bin, flight.dat, flight.csv and
// flight2.csv; empty when the generator could not be run. The folder is
// removed when the test program ends.
inline const std::filesystem::path& demoRunFolder()
{
    struct Folder {
        std::filesystem::path path;
        Folder()
        {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("zan_demo_run_" + std::to_string(::getpid()));
            const std::string command = std::string("\"") + ZAN_EXAMPLES_BIN + "\" \"" + candidate.string() + "\" >/dev/null";
            if (std::system(command.c_str()) == 0) path = candidate;
        }
        ~Folder()
        {
            std::error_code ec;
            if (!path.empty()) std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline std::string demoFile(const char* name) { return (demoRunFolder() / name).string(); }

}  // namespace zan::test

#endif
