#include "loader.h"

#include <algorithm>

namespace zan {

void HeaderInfo::clear()
{
    title.fill(' ');
    for (auto& name : names) name.fill(' ');
    nvar = 0;
}

void HeaderInfo::set_name(int32_t v, std::string_view text, std::size_t width)
{
    if (v < 1 || v > kMaxVars) return;
    auto& name = names[static_cast<std::size_t>(v - 1)];
    name.fill(' ');
    const std::size_t n = std::min({text.size(), width, name.size()});
    std::copy_n(text.begin(), n, name.begin());
}

void HeaderInfo::set_title(std::string_view text)
{
    title.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), title.size()), title.begin());
}

}  // namespace zan
