#pragma once

#include "io/FileError.h"
#include "io/FilePort.h"

#include <cstddef>
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
    // Settings files longer than this are not read (nobody writes one by hand; a link to a device
    // must not fill the memory).
    static constexpr std::size_t kMaxBytes = std::size_t { 1 } << 20;

    // The lines of bytes.
    static ProfileFile Parse(std::string_view bytes);
    // The lines of the file at path. Only a regular file of at most kMaxBytes is read; anything else
    // gives no lines, and error (when given) says why (None for a missing file, which is no problem).
    static ProfileFile Load(const std::filesystem::path& path, FileError* error = nullptr);

    // The value of key in section, or nullopt when either is missing. Names match without regard
    // to ASCII case, and a key written in UTF-8 (as an editor of that encoding saves "Tamaño")
    // matches its Windows-1252 name; blanks around keys and values are ignored; a value wrapped in
    // a pair of double or single quotes loses them. The value is cut to 259 characters.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Sets key in section: an existing key line (found as Get finds it) is rewritten in place as
    // "key=value"; a new key goes after the last line of its section; a new section goes at the
    // end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Every line with CR LF.
    std::string Bytes() const;

    // Replaces the file at path with Bytes() through port, so that a failed write leaves the old
    // file as it was; returns why it failed, or no problem.
    FileError Save(const std::filesystem::path& path, FilePort& port = SystemFiles()) const;

private:
    std::vector<std::string> m_lines;
};

} // namespace quirel
