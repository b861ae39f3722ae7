#include "platform/text_codes.h"

namespace zan {

std::vector<int32_t> toCharCodes(std::string_view text, size_t width)
{
    std::vector<int32_t> codes(width, ' ');
    for (size_t i = 0; i < width && i < text.size(); ++i) codes[i] = static_cast<unsigned char>(text[i]);
    return codes;
}

std::string fromCharCodes(const int32_t* codes, size_t width)
{
    std::string text(width, ' ');
    for (size_t i = 0; i < width; ++i) text[i] = static_cast<char>(codes[i] & 0xff);
    return text;
}

std::string trimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') + 1 - first));
}

std::string trimTrailingBlanks(std::string_view text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace zan
