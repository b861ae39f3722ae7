// The common file dialog as the session logic uses it: for data files
// (open, several at once) and for settings files (open or save).
#ifndef ZAN_PLATFORM_FILE_DIALOG_H
#define ZAN_PLATFORM_FILE_DIALOG_H

#include <string>
#include <string_view>
#include <vector>

namespace zan {

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string fileName;          // name shown at first
    std::string initialFolder;
    std::string defaultExtension;  // without the dot; added to a saved name that has none
    // Pairs of description and patterns, all separated by '|', patterns by
    // ';': "Binary data (*.bin;*.dat;*.csv)|*.bin;*.dat;*.csv".
    std::string filter;
    bool allowMultiple = false;
    bool mustExist = true;         // for Open: only existing files can be chosen
    size_t maxTextLength = 32000;  // a longer answer counts as an invalid name
};

struct FileDialogResult {
    // The values are the error numbers by which the dialog reports the two
    // ways of not choosing; success is 0.
    enum class Outcome { Chosen = 0, Cancelled = 32755, InvalidFileName = 20477 };
    Outcome outcome = Outcome::Cancelled;
    // One chosen file: its full path. Several: the folder, then each name,
    // separated by NUL characters.
    std::string text;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual FileDialogResult show(const FileDialogRequest& request) = 0;
};

// The answer text for the files chosen in one folder, as described above.
std::string selectionText(std::string_view folder, const std::vector<std::string>& names);

// The filter as a list of "description (pattern pattern)" entries; a
// description that already ends in a parenthesised pattern list loses it.
std::vector<std::string> nameFilters(std::string_view filter);

}  // namespace zan

#endif
