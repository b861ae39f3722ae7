#include "session/version_key.h"

#include "session/session_state.h"

#include <cstdint>

namespace zan {

int VersionKey(const std::vector<std::string>& names) {
    uint32_t key = 0x0FFFFFFF;
    for (const std::string& name : names) {
        for (size_t i = 0; i < static_cast<size_t>(kNameLength); ++i) {
            uint32_t c = i < name.size() ? static_cast<unsigned char>(name[i]) : 32u;
            if (c < 32) c = 32;
            key ^= c;
            const uint32_t carry = (key >> 28) & 1u;
            key = ((key & 0x0FFFFFFFu) << 1) | carry;
        }
    }
    return static_cast<int>(key);
}

std::string CleanName(const std::string& codes) {
    std::string name = codes.substr(0, static_cast<size_t>(kNameLength));
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    const size_t end = name.find_last_not_of(' ');
    name.erase(end == std::string::npos ? 0 : end + 1);
    return name;
}

}  // namespace zan
