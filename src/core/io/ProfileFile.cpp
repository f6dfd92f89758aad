#include "io/ProfileFile.h"

#include <fstream>
#include <iterator>

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

std::string_view ValueOf(std::string_view line)
{
    auto value = TrimSpace(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value.substr(0, kMaxValue);
}

} // namespace

ProfileFile ProfileFile::Load(const std::filesystem::path& path)
{
    ProfileFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) return file;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        file.m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return file;
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
        if (const auto name = KeyName(line); name && EqualsIgnoringAsciiCase(*name, key))
            return std::string(ValueOf(line));
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
        if (const auto name = KeyName(line); name && EqualsIgnoringAsciiCase(*name, key)) {
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

bool ProfileFile::Save(const std::filesystem::path& path) const
{
    std::string bytes;
    for (const auto& line : m_lines) {
        bytes += line;
        bytes += "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace quirel
