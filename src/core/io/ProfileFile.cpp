#include "io/ProfileFile.h"

#include "document/Cp1252.h"
#include "io/FileBytes.h"

namespace quirel {
namespace {

constexpr std::size_t kMaxValue = 259;

std::string_view TrimSpace(std::string_view text)
{
    constexpr std::string_view kSpace = " \t";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line)
{
    const auto trimmed = TrimSpace(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return TrimSpace(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line, or nullopt for comments and other lines.
std::optional<std::string_view> KeyName(std::string_view line)
{
    const auto trimmed = TrimSpace(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return TrimSpace(trimmed.substr(0, equals));
}

// True when the key of a line names key: alike but for ASCII case, also once a key saved in UTF-8
// is read as such.
bool KeyMatches(std::string_view lineKey, std::string_view key)
{
    if (EqualsIgnoringAsciiCase(lineKey, key)) return true;
    bool multiByte = false;
    for (std::size_t at = 0; at < lineKey.size();) {
        const std::size_t start = at;
        if (DecodeUtf8At(lineKey, at) == kMalformedUtf8) return false;
        multiByte = multiByte || at - start > 1;
    }
    return multiByte && EqualsIgnoringAsciiCase(Utf8ToCp1252(lineKey), key);
}

std::string_view ValueOf(std::string_view line)
{
    auto value = TrimSpace(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value.substr(0, kMaxValue);
}

} // namespace

ProfileFile ProfileFile::Parse(std::string_view bytes)
{
    ProfileFile file;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string line(bytes.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        file.m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return file;
}

ProfileFile ProfileFile::Load(const std::filesystem::path& path, FileError* error)
{
    std::string bytes;
    FileError why;
    ReadFileBytes(path, kMaxBytes, bytes, &why);
    if (why.problem == FileProblem::Missing) why = {};
    if (error) *error = why;
    return Parse(bytes);
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const auto& line : m_lines) {
        if (const auto name = SectionName(line)) {
            inSection = EqualsIgnoringAsciiCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        if (const auto name = KeyName(line); name && KeyMatches(*name, key)) return std::string(ValueOf(line));
    }
    return std::nullopt;
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string newLine = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    std::size_t insertAt = m_lines.size();
    bool sectionFound = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto& line = m_lines[i];
        if (const auto name = SectionName(line)) {
            inSection = EqualsIgnoringAsciiCase(*name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (const auto name = KeyName(line); name && KeyMatches(*name, key)) {
            m_lines[i] = std::move(newLine);
            return;
        }
        if (!TrimSpace(line).empty()) insertAt = i + 1;
    }
    if (!sectionFound) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::move(newLine));
        return;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
}

std::string ProfileFile::Bytes() const
{
    std::string bytes;
    for (const auto& line : m_lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

FileError ProfileFile::Save(const std::filesystem::path& path, FilePort& port) const
{
    return ReplaceFileContents(path, Bytes(), port);
}

} // namespace quirel
