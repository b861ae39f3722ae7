#include "platform/profile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <unistd.h>

namespace zan::platform {

namespace {

constexpr size_t npos = static_cast<size_t>(-1);

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    const size_t b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Line breaks inside a key or value would split it into lines of their own.
std::string OneLine(std::string s) {
    std::replace(s.begin(), s.end(), '\n', ' ');
    std::replace(s.begin(), s.end(), '\r', ' ');
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::optional<std::string> ProfileSection::Raw(const std::string& key) const {
    auto it = values_.find(Lower(Trim(key)));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::string ProfileSection::Get(const std::string& key, const std::string& def) const {
    std::optional<std::string> value = Raw(key);
    return value ? Unquote(*value) : def;
}

ProfileSection ProfileDocument::Section(const std::string& section) const {
    ProfileSection result;
    const Span span = Find(section);
    if (span.first == npos) return result;
    for (size_t i = span.first + 1; i < span.last; ++i) {
        const Line& line = lines_[i];
        if (line.key.empty()) continue;
        result.values_.emplace(Lower(line.key), Trim(line.text.substr(line.text.find('=') + 1)));
    }
    return result;
}

ProfileDocument ProfileDocument::Load(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code error;
        ProfileDocument doc;
        doc.unreadable_ = std::filesystem::exists(file, error) || error;
        return doc;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

ProfileDocument ProfileDocument::Parse(const std::string& text) {
    ProfileDocument doc;
    std::istringstream in(text);
    std::string raw;
    while (std::getline(in, raw)) {
        Line line{raw, {}, false};
        // Only the one CR of a CR LF belongs to the terminator; any CR
        // before it stays part of the line.
        if (!raw.empty() && raw.back() == '\r') {
            line.text.pop_back();
            line.end = "\r\n";
        }
        const std::string t = Trim(raw);
        if (!t.empty() && t.front() == '[') {
            line.section = true;
            const size_t close = t.find(']');
            line.key = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        } else if (!t.empty() && t.front() != ';') {
            const size_t eq = t.find('=');
            if (eq != std::string::npos) line.key = Trim(t.substr(0, eq));
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

ProfileDocument::Span ProfileDocument::Find(const std::string& section) const {
    const std::string name = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!lines_[i].section || !SameText(lines_[i].key, name)) continue;
        size_t j = i + 1;
        while (j < lines_.size() && !lines_[j].section) ++j;
        return {i, j};
    }
    return {npos, npos};
}

std::optional<std::string> ProfileDocument::Raw(const std::string& section,
                                                const std::string& key) const {
    const Span span = Find(section);
    if (span.first == npos) return std::nullopt;
    const std::string name = Trim(key);
    for (size_t i = span.first + 1; i < span.last; ++i) {
        const Line& line = lines_[i];
        if (line.key.empty() || !SameText(line.key, name)) continue;
        return Trim(line.text.substr(line.text.find('=') + 1));
    }
    return std::nullopt;
}

std::string ProfileDocument::Get(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    std::optional<std::string> value = Raw(section, key);
    return value ? Unquote(*value) : def;
}

void ProfileDocument::Set(const std::string& section, const std::string& key,
                          const std::string& value) {
    const std::string name = OneLine(Trim(key));
    Line entry{name + "=" + OneLine(value), name, false};
    const Span span = Find(section);
    if (span.first == npos) {
        lines_.push_back({"[" + OneLine(Trim(section)) + "]", OneLine(Trim(section)), true});
        lines_.push_back(std::move(entry));
        return;
    }
    size_t insertAt = span.first + 1;
    for (size_t i = span.first + 1; i < span.last; ++i) {
        if (!lines_[i].key.empty() && SameText(lines_[i].key, name)) {
            entry.end = lines_[i].end;
            lines_[i] = std::move(entry);
            return;
        }
        // New keys go after the last non-empty line, before blank separators.
        if (!Trim(lines_[i].text).empty()) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
}

void ProfileDocument::RemoveKey(const std::string& section, const std::string& key) {
    const Span span = Find(section);
    if (span.first == npos) return;
    const std::string name = Trim(key);
    auto first = lines_.begin() + static_cast<std::ptrdiff_t>(span.first + 1);
    auto last = lines_.begin() + static_cast<std::ptrdiff_t>(span.last);
    lines_.erase(std::remove_if(first, last,
                                [&](const Line& l) { return !l.key.empty() && SameText(l.key, name); }),
                 last);
}

void ProfileDocument::RemoveSection(const std::string& section) {
    // Equal section headers further down are removed as well, so that a
    // deleted section cannot reappear from a duplicate.
    for (Span span = Find(section); span.first != npos; span = Find(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span.first),
                     lines_.begin() + static_cast<std::ptrdiff_t>(span.last));
    }
}

void ProfileDocument::MoveSectionToEnd(const std::string& section) {
    const Span span = Find(section);
    if (span.first == npos) return;
    std::rotate(lines_.begin() + static_cast<std::ptrdiff_t>(span.first),
                lines_.begin() + static_cast<std::ptrdiff_t>(span.last), lines_.end());
}

bool ProfileDocument::HasSection(const std::string& section) const {
    return Find(section).first != npos;
}

std::vector<std::string> ProfileDocument::Sections() const {
    std::vector<std::string> names;
    for (const Line& line : lines_)
        if (line.section) names.push_back(line.key);
    return names;
}

std::string ProfileDocument::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    return text;
}

bool ProfileDocument::Save(const std::string& file) const {
    namespace fs = std::filesystem;
    if (unreadable_) return false;
    // A linked settings file is replaced where it really lies, keeping the link.
    fs::path target(file);
    std::error_code linkError;
    if (fs::is_symlink(target, linkError)) {
        const fs::path real = fs::weakly_canonical(target, linkError);
        if (!linkError) target = real;
    }
    // The file is replaced by renaming, which needs only the folder to be
    // writable: a file the user made read-only is left alone, and one that
    // is replaced keeps its permissions.
    std::error_code statError;
    const fs::file_status existing = fs::status(target, statError);
    const bool exists = !statError && fs::exists(existing);
    constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (exists && ((existing.permissions() & kWrite) == fs::perms::none || ::access(target.c_str(), W_OK) != 0))
        return false;
    fs::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << Text();
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code error;
    if (exists) fs::permissions(temp, existing.permissions(), error);
    error.clear();
    fs::rename(temp, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& def, const std::string& file) {
    return ProfileDocument::Load(file).Get(section, key, def);
}

bool WriteProfileString(const std::string& section, const std::optional<std::string>& key,
                        const std::optional<std::string>& value, const std::string& file) {
    ProfileDocument doc = ProfileDocument::Load(file);
    if (!key)
        doc.RemoveSection(section);
    else if (!value)
        doc.RemoveKey(section, *key);
    else
        doc.Set(section, *key, *value);
    return doc.Save(file);
}

}  // namespace zan::platform
