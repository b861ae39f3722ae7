// The program's command line: the text form the start-up reads names from,
// and the options of the viewer that come before the data file names.
#pragma once

#include <string>
#include <vector>

namespace zan {

// The next token of cmdLine after character position pos (0 before the first
// call), advancing pos. Tokens are separated by blanks or tabs; a token in
// double quotes may contain blanks and ends at its closing quote. An empty
// result means there are no more tokens.
std::string NextArg(const std::string& cmdLine, int& pos);

// The command-line text of the arguments (without the program's name): the
// arguments joined by blanks, those holding a blank or a tab in double quotes.
// Empty arguments are left out, since an empty token ends the reading.
std::string CommandLineText(const std::vector<std::string>& args);

enum class ExportFormat { Png, Bmp, Pdf };

// What the options in front of the data file names ask for.
struct ProgramArgs {
    bool help = false;
    bool exportPage = false;       // --export given: draw one page to a file and leave
    std::string exportFile;
    ExportFormat exportFormat = ExportFormat::Png;
    int width = 1600;              // picture size of the export, pixels
    int height = 1000;
    int page = 1;
    bool allPages = false;         // --page all: every page, in page order
    std::vector<std::string> files; // the data file names, in order
    std::string error;             // not empty: the arguments are unusable
};

// Whether an export file name holds a page number field: "%d", or "%0Nd"
// for at least N digits with leading zeros (N from 1 to 9).
bool HasPageNumber(const std::string& name);

// The name with its first page number field replaced by page; a name
// without such a field is returned as it is.
std::string PageFileName(const std::string& name, int page);

// Reads the options up to the first argument that is not one of them (or up
// to "--"); everything from there on is a data file name.
ProgramArgs ParseProgramArgs(const std::vector<std::string>& args);

// The text printed for --help.
std::string HelpText();

} // namespace zan

