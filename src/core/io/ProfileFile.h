#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// A settings file in the classic profile format: "[section]" lines, "key=value" lines, and
// anything else (comments, blank lines) kept as it is. Bytes are Windows-1252; lines end in
// CR LF when written, and LF or CR LF are accepted when read.
class ProfileFile {
public:
    // The file's lines; a missing or unreadable file gives no lines.
    static ProfileFile Load(const std::filesystem::path& path);

    // The value of key in section, or nullopt when either is missing. Names match without regard
    // to ASCII case; blanks around keys and values are ignored; a value wrapped in a pair of
    // double or single quotes loses them. The value is cut to 259 characters.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Sets key in section: an existing key line is rewritten in place as "key=value"; a new key
    // goes after the last line of its section; a new section goes at the end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Writes every line with CR LF; false when the file cannot be written.
    bool Save(const std::filesystem::path& path) const;

private:
    std::vector<std::string> m_lines;
};

} // namespace quirel
