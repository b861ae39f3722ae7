#include "session/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace zan {

std::string NextArg(const std::string& cmdLine, int& pos)
{
    const int length = static_cast<int>(cmdLine.size());
    std::string token;
    if (pos < 0 || pos >= length) {
        pos = std::max(pos, length);
        return token;
    }
    bool quoted = false;
    bool begun = false;
    for (int i = pos; i < length; ++i) {
        const char c = cmdLine[static_cast<size_t>(i)];
        pos = i + 1;
        if (c == '"') {
            if (quoted)
                return token;
            quoted = true;
        } else if (c == ' ' || c == '\t') {
            if (quoted)
                token += c;
            else if (begun)
                return token;
        } else {
            begun = true;
            token += c;
        }
    }
    return token;
}

std::string CommandLineText(const std::vector<std::string>& args)
{
    std::string text;
    for (const std::string& arg : args) {
        if (arg.empty())
            continue;
        if (!text.empty())
            text += ' ';
        if (arg.find_first_of(" \t") != std::string::npos)
            text += '"' + arg + '"';
        else
            text += arg;
    }
    return text;
}

namespace {

bool ReadPositive(const std::string& text, int& value)
{
    int v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < 1)
        return false;
    value = v;
    return true;
}

bool ReadSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    int w = 0;
    int h = 0;
    // Larger pictures than this would need gigabytes of memory.
    constexpr int kMaxSide = 20000;
    if (!ReadPositive(text.substr(0, x), w) || !ReadPositive(text.substr(x + 1), h) ||
        w > kMaxSide || h > kMaxSide)
        return false;
    width = w;
    height = h;
    return true;
}

bool FormatOf(const std::string& file, ExportFormat& format)
{
    const size_t dot = file.rfind('.');
    if (dot == std::string::npos || file.find('/', dot) != std::string::npos)
        return false;
    std::string ext = file.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "png")
        format = ExportFormat::Png;
    else if (ext == "bmp")
        format = ExportFormat::Bmp;
    else if (ext == "pdf")
        format = ExportFormat::Pdf;
    else
        return false;
    return true;
}

// Position and length of the first "%d" or "%0Nd" in name, or npos.
std::pair<size_t, size_t> PageNumberField(const std::string& name)
{
    for (size_t i = name.find('%'); i != std::string::npos; i = name.find('%', i + 1)) {
        if (i + 1 < name.size() && name[i + 1] == 'd')
            return {i, 2};
        if (i + 3 < name.size() && name[i + 1] == '0' && name[i + 2] >= '1' && name[i + 2] <= '9' &&
            name[i + 3] == 'd')
            return {i, 4};
    }
    return {std::string::npos, 0};
}

} // namespace

bool HasPageNumber(const std::string& name)
{
    return PageNumberField(name).first != std::string::npos;
}

std::string PageFileName(const std::string& name, int page)
{
    const auto [at, length] = PageNumberField(name);
    if (at == std::string::npos)
        return name;
    std::string number = std::to_string(page);
    const size_t width = length == 4 ? static_cast<size_t>(name[at + 2] - '0') : 0;
    if (number.size() < width)
        number.insert(0, width - number.size(), '0');
    return name.substr(0, at) + number + name.substr(at + length);
}

ProgramArgs ParseProgramArgs(const std::vector<std::string>& args)
{
    ProgramArgs result;
    bool sizeGiven = false;
    bool pageGiven = false;
    size_t i = 0;
    auto valueOf = [&](const std::string& option, std::string& value) {
        if (i + 1 >= args.size()) {
            result.error = option + " needs a value";
            return false;
        }
        value = args[++i];
        return true;
    };
    for (; i < args.size() && result.error.empty(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--export") {
            if (!valueOf(arg, value))
                break;
            result.exportPage = true;
            result.exportFile = value;
            if (!FormatOf(value, result.exportFormat))
                result.error = "--export writes .png, .bmp or .pdf files, not " + value;
        } else if (arg == "--size") {
            if (!valueOf(arg, value))
                break;
            sizeGiven = true;
            if (!ReadSize(value, result.width, result.height))
                result.error = "--size wants WIDTHxHEIGHT in pixels (1 to 20000), not " + value;
        } else if (arg == "--page") {
            if (!valueOf(arg, value))
                break;
            pageGiven = true;
            if (value == "all")
                result.allPages = true;
            else if (!ReadPositive(value, result.page))
                result.error = "--page wants a page number from 1, or all, not " + value;
        } else {
            break;
        }
    }
    if (!result.error.empty())
        return result;
    for (; i < args.size(); ++i)
        result.files.push_back(args[i]);
    if ((sizeGiven || pageGiven) && !result.exportPage)
        result.error = "--size and --page only go with --export";
    else if (result.exportPage && result.files.empty())
        result.error = "--export needs the data files to draw";
    else if (result.allPages && result.exportFormat != ExportFormat::Pdf && !HasPageNumber(result.exportFile))
        result.error = "--page all writes one picture per page: put %d in the name, for example page_%d.png";
    return result;
}

std::string HelpText()
{
    return "Usage: zan [FILE...]\n"
           "       zan --export OUT.png|OUT.bmp|OUT.pdf [--size WxH] [--page N|all] FILE...\n"
           "\n"
           "Shows the data files (.bin, .dat, .csv) as pages of graphs. Without file names\n"
           "the files of the settings file written last are shown, else a file dialog asks.\n"
           "The settings \"Zan.ini\" are read from and written to the folder of the last file.\n"
           "\n"
           "Options (before the file names):\n"
           "  --export OUT   draw a page with the settings of the data folder into OUT\n"
           "                 (PNG, BMP or PDF, by its extension) and leave without a window;\n"
           "                 the settings file is not written\n"
           "  --size WxH     picture size of the export in pixels (default 1600x1000)\n"
           "  --page N       page to export, from 1 (default 1; past the last page: the last)\n"
           "  --page all     every page, in order: all in one PDF, or one file per page\n"
           "                 when OUT holds %d (page_%d.png: page_1.png, page_2.png, ...;\n"
           "                 %03d: page_001.png); %d in a name is the page number\n"
           "  --help, -h     show this text\n"
           "  --             ends the options; every following argument is a file name\n";
}

} // namespace zan
