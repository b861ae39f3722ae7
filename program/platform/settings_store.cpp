#include "platform/settings_store.h"

#include "platform/profile.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <filesystem>
#include <system_error>

namespace zan::platform {

std::string UserConfigFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0')
        return xdg;
    // The configuration folder of the home folder, named by $HOME or else
    // by the user's account.
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* account = ::getpwuid(::getuid());
        home = account != nullptr ? account->pw_dir : nullptr;
    }
    if (home == nullptr || *home == '\0') return {};
    return (std::filesystem::path(home) / ".config").string();
}

SettingsStore::SettingsStore() : folder_(UserConfigFolder()) {}

SettingsStore::SettingsStore(std::string folder) : folder_(std::move(folder)) {}

std::string SettingsStore::FileOf(const std::string& application) const {
    return (std::filesystem::path(folder_) / (application + ".conf")).string();
}

std::string SettingsStore::Read(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& def) const {
    if (folder_.empty()) return def;
    return GetProfileString(section, key, def, FileOf(application));
}

bool SettingsStore::Write(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& value) const {
    if (folder_.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return WriteProfileString(section, key, value, FileOf(application));
}

}  // namespace zan::platform
