#pragma once

// The per-user settings store: small values kept per application, section
// and key in a file of the user's configuration folder (for application
// "ZAN" the file "ZAN.conf"). The folder is $XDG_CONFIG_HOME when set, else
// the platform's generic configuration folder; tests pass their own folder.

#include <string>

namespace zan::platform {

class SettingsStore {
public:
    SettingsStore();  // the user's configuration folder
    explicit SettingsStore(std::string folder);

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& def) const;
    // Creates the folder when needed; false when the value could not be kept.
    bool Write(const std::string& application, const std::string& section,
               const std::string& key, const std::string& value) const;

    std::string FileOf(const std::string& application) const;

private:
    std::string folder_;
};

// The user's configuration folder.
std::string UserConfigFolder();

}  // namespace zan::platform
