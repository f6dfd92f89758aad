#include "AccentCorpus.h"

#include <cctype>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <zlib.h>

namespace quirel::wordlist {
namespace {

bool ReadFile(const std::filesystem::path& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = std::move(buffer).str();
    return true;
}

std::uint32_t Little32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

bool Inflate(std::string_view packed, std::size_t size, std::string& out)
{
    out.assign(size, '\0');
    uLongf length = static_cast<uLongf>(size);
    const int status = uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
        reinterpret_cast<const Bytef*>(packed.data()), static_cast<uLong>(packed.size()));
    out.resize(length);
    return status == Z_OK;
}

// Removes every element named name (<name ...>...</name>) with its content; a self-closing one too.
std::string DropElements(std::string_view text, std::string_view name)
{
    std::string out;
    const std::string open = "<" + std::string(name);
    const std::string close = "</" + std::string(name) + ">";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t start = text.find(open, at);
        while (start != std::string_view::npos && start + open.size() < text.size()
            && std::string_view(" />").find(text[start + open.size()]) == std::string_view::npos)
            start = text.find(open, start + 1);
        if (start == std::string_view::npos) break;
        out.append(text.substr(at, start - at));
        const std::size_t tagEnd = text.find('>', start);
        if (tagEnd == std::string_view::npos) return out;
        if (text[tagEnd - 1] == '/') {
            at = tagEnd + 1;
            continue;
        }
        const std::size_t end = text.find(close, tagEnd);
        at = end == std::string_view::npos ? text.size() : end + close.size();
    }
    if (at < text.size()) out.append(text.substr(at));
    return out;
}

std::string DecodeEntities(std::string_view text)
{
    static constexpr std::pair<std::string_view, std::string_view> kEntities[]
        = { { "&amp;", "&" }, { "&lt;", "<" }, { "&gt;", ">" }, { "&quot;", "\"" }, { "&apos;", "'" } };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.substr(i, entity.size()) == entity) {
                out += character;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

// The old spelling wrote the words a, e, o, u with an accent: á, é, ó, ú.
std::string FoldOneLetterAccents(std::string_view text)
{
    static constexpr std::pair<std::string_view, std::string_view> kFolds[]
        = { { "\xC3\xA1", "a" }, { "\xC3\xA9", "e" }, { "\xC3\xB3", "o" }, { "\xC3\xBA", "u" }, { "\xC3\x81", "A" },
              { "\xC3\x89", "E" }, { "\xC3\x93", "O" }, { "\xC3\x9A", "U" } };
    auto isLetterByte = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80; };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool folded = false;
        for (const auto& [accented, plain] : kFolds) {
            if (text.substr(i, 2) != accented) continue;
            const bool alone = (i == 0 || !isLetterByte(static_cast<unsigned char>(text[i - 1])))
                && (i + 2 >= text.size() || !isLetterByte(static_cast<unsigned char>(text[i + 2])));
            if (alone) {
                out += plain;
                i += 2;
                folded = true;
            }
            break;
        }
        if (!folded) out += text[i++];
    }
    return out;
}

void ReadTestament(const std::filesystem::path& folder, const std::string& testament, std::vector<SwordBook>& books,
    std::string& error)
{
    std::string blocks, verses, data;
    if (!ReadFile(folder / (testament + ".bzs"), blocks) || !ReadFile(folder / (testament + ".bzv"), verses)
        || !ReadFile(folder / (testament + ".bzz"), data)) {
        error = "cannot read the " + testament + " files of " + folder.string();
        return;
    }
    std::vector<std::string> unpacked(blocks.size() / 12);
    std::vector<bool> tried(unpacked.size());
    std::size_t firstBook = books.size();
    for (std::size_t v = 0; v + 10 <= verses.size(); v += 10) {
        const std::uint32_t block = Little32(verses, v);
        const std::uint32_t offset = Little32(verses, v + 4);
        const std::size_t size
            = static_cast<unsigned char>(verses[v + 8]) | (static_cast<unsigned char>(verses[v + 9]) << 8);
        if (size == 0 || block >= unpacked.size()) continue;
        if (!tried[block]) {
            tried[block] = true;
            const std::uint32_t at = Little32(blocks, block * 12);
            const std::uint32_t packed = Little32(blocks, block * 12 + 4);
            const std::uint32_t full = Little32(blocks, block * 12 + 8);
            if (std::size_t { at } + packed > data.size()
                || !Inflate(std::string_view(data).substr(at, packed), full, unpacked[block]))
                error = "a damaged block in " + testament + ".bzz";
            books.push_back({ testament, static_cast<int>(block), {} });
        }
        const std::string& text = unpacked[block];
        if (std::size_t { offset } + size > text.size()) continue;
        std::string verse = DropElements(std::string_view(text).substr(offset, size), "note");
        verse = DropElements(verse, "title");
        verse = FoldOneLetterAccents(DecodeEntities(CleanParagraph(verse)));
        if (verse.empty()) continue;
        for (std::size_t b = firstBook; b < books.size(); ++b) {
            if (books[b].block == static_cast<int>(block)) books[b].verses.push_back(std::move(verse));
        }
    }
}

// A translation without placeholders and accelerator marks.
std::string WithoutPlaceholders(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size()) {
            std::size_t j = i + 1;
            while (j < text.size() && std::string_view("0123456789$.-+#lh(").find(text[j]) != std::string_view::npos) {
                if (text[j] == '(') j = text.find(')', j) == std::string_view::npos ? text.size() : text.find(')', j);
                ++j;
            }
            i = j < text.size() ? j : text.size();
            continue;
        }
        if (c == '$') {
            // $unit.name, $second_unit.name|: a dot belongs to the name only when a name goes on after it.
            auto isNameChar = [&text](std::size_t at) {
                return at < text.size()
                    && (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_' || text[at] == '|');
            };
            while (isNameChar(i + 1) || (i + 1 < text.size() && text[i + 1] == '.' && isNameChar(i + 2)))
                ++i;
            continue;
        }
        if (c == '{') {
            const std::size_t end = text.find('}', i);
            if (end != std::string_view::npos) {
                i = end;
                continue;
            }
        }
        if (c == '_' || c == '&' || c == '~') continue;
        out += c;
    }
    return out;
}

} // namespace

std::string CleanParagraph(std::string_view text)
{
    std::string out;
    bool inTag = false;
    bool blank = true; // no blank at the start
    for (const char c : text) {
        if (c == '<') inTag = true;
        if (inTag) {
            if (c == '>') inTag = false;
            continue;
        }
        const bool isBlank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (isBlank) {
            if (!blank) out += ' ';
            blank = true;
            continue;
        }
        out += c;
        blank = false;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::vector<SwordBook> ReadSwordModule(const std::filesystem::path& folder, std::string& error)
{
    std::vector<SwordBook> books;
    for (const std::string testament : { "ot", "nt" })
        ReadTestament(folder, testament, books, error);
    return books;
}

bool ReadMessageCatalogue(std::string_view bytes, std::vector<std::string>& paragraphs)
{
    if (bytes.size() < 28 || Little32(bytes, 0) != 0x950412DE) return false;
    const std::uint32_t count = Little32(bytes, 8);
    const std::uint32_t originals = Little32(bytes, 12);
    const std::uint32_t translations = Little32(bytes, 16);
    auto string = [&bytes](std::uint32_t table, std::uint32_t index, std::string_view& out) {
        const std::size_t entry = std::size_t { table } + std::size_t { index } * 8;
        if (entry + 8 > bytes.size()) return false;
        const std::uint32_t length = Little32(bytes, entry);
        const std::uint32_t offset = Little32(bytes, entry + 4);
        if (std::size_t { offset } + length > bytes.size()) return false;
        out = bytes.substr(offset, length);
        return true;
    };
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string_view original, translation;
        if (!string(originals, i, original) || !string(translations, i, translation)) return false;
        if (original.empty()) continue; // the header
        // Plural forms follow one another, separated by a zero byte.
        std::size_t start = 0;
        while (start <= translation.size()) {
            std::size_t end = translation.find('\0', start);
            if (end == std::string_view::npos) end = translation.size();
            const std::string text = WithoutPlaceholders(translation.substr(start, end - start));
            std::size_t lineStart = 0;
            while (lineStart <= text.size()) {
                std::size_t lineEnd = text.find('\n', lineStart);
                if (lineEnd == std::string::npos) lineEnd = text.size();
                std::string paragraph = CleanParagraph(std::string_view(text).substr(lineStart, lineEnd - lineStart));
                if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
                lineStart = lineEnd + 1;
            }
            start = end + 1;
        }
    }
    return true;
}

} // namespace quirel::wordlist
