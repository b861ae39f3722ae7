#include "platform/file_dialog.h"

#include "platform/file_system.h"
#include "platform/text_codes.h"

namespace zan {

namespace {

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::string selectionText(std::string_view folder, const std::vector<std::string>& names)
{
    if (names.size() == 1) return buildpath(folder, names.front());
    std::string text(folder);
    for (const auto& name : names) {
        text += '\0';
        text += name;
    }
    return text;
}

std::vector<std::string> nameFilters(std::string_view filter)
{
    std::vector<std::string> filters;
    const auto parts = split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string description = parts[i];
        const size_t paren = description.rfind('(');
        if (paren != std::string::npos && trimBlanks(description).back() == ')') description.resize(paren);
        description = trimBlanks(description);
        std::string patterns;
        for (const auto& pattern : split(parts[i + 1], ';')) {
            const std::string p = trimBlanks(pattern);
            if (p.empty()) continue;
            patterns += (patterns.empty() ? "" : " ") + p;
        }
        filters.push_back((description.empty() ? "" : description + " ") + "(" + patterns + ")");
    }
    return filters;
}

}  // namespace zan
