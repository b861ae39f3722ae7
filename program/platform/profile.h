#pragma once

// Settings files in the profile (INI) format: "[Section]" lines and
// "key=value" lines. Sections and keys are matched without regard to case;
// lines outside the sections touched, comments and the order of everything
// are kept. A value read back loses its surrounding blanks and one pair of
// enclosing double quotes.

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace zan::platform {

// The keys of one section, for many look-ups without rescanning the file.
class ProfileSection {
public:
    std::optional<std::string> Raw(const std::string& key) const;
    std::string Get(const std::string& key, const std::string& def) const;

private:
    friend class ProfileDocument;
    std::unordered_map<std::string, std::string> values_;  // lower-cased key -> value
};

// One settings file held in memory. Edit it, then Save() replaces the file on
// disk in one step (temporary file in the same folder, then rename), so a
// reader never sees a half-written file.
class ProfileDocument {
public:
    ProfileDocument() = default;
    // Reads the file; a missing or unreadable file gives an empty document.
    static ProfileDocument Load(const std::string& file);
    static ProfileDocument Parse(const std::string& text);

    // The value as written (blanks around it removed, quotes kept), or
    // nothing when the section or the key is missing. The first of several
    // equal keys wins.
    std::optional<std::string> Raw(const std::string& section, const std::string& key) const;
    // The value with one pair of enclosing double quotes removed, or def.
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& def) const;

    // Replaces the key's value or appends the key to its section (the
    // section is appended at the end of the file when missing).
    ProfileSection Section(const std::string& section) const;

    void Set(const std::string& section, const std::string& key, const std::string& value);
    void RemoveKey(const std::string& section, const std::string& key);
    void RemoveSection(const std::string& section);
    // Moves the section's lines, its first header with them, behind all others.
    void MoveSectionToEnd(const std::string& section);

    bool HasSection(const std::string& section) const;
    std::vector<std::string> Sections() const;
    std::string Text() const;
    // Returns false when the file could not be written; the old file is
    // then left as it was. A document loaded from a file that exists but
    // could not be read is never saved, so its other sections are not lost.
    bool Save(const std::string& file) const;

private:
    struct Line {
        std::string text;     // the line as it stands in the file
        std::string key;      // trimmed key of a "key=value" line, else empty
        bool section = false; // a "[...]" line; key holds the section name
        std::string end = "\n";  // the line's own terminator, written back as read
    };
    // Index range [first, last) of the lines of a section, the header
    // included; first == npos when missing.
    struct Span {
        size_t first;
        size_t last;
    };
    Span Find(const std::string& section) const;

    std::vector<Line> lines_;
    bool unreadable_ = false;
};

// One-call forms of the platform's profile functions, each reading or
// rewriting the whole file.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& def, const std::string& file);
// A missing key deletes the whole section, a missing value deletes the key.
// Returns false when the file could not be written.
bool WriteProfileString(const std::string& section, const std::optional<std::string>& key,
                        const std::optional<std::string>& value, const std::string& file);

}  // namespace zan::platform
