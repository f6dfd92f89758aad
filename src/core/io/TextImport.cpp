#include "io/TextImport.h"

#include "document/Cp1252.h"
#include "io/FileBytes.h"
#include "io/IoMessages.h"

#include <optional>

namespace quirel {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kEndMark = '\x1A';
constexpr char kReplacement = '?';
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Appends the Windows-1252 byte of a code point, or "?" (counted) when the code page cannot hold it.
void AppendCp1252(TextFileContents& out, char32_t codePoint)
{
    const int byte = UnicodeToCp1252(codePoint);
    if (byte < 0) ++out.replaced;
    out.text.push_back(byte < 0 ? kReplacement : static_cast<char>(byte));
}

// The code point of the UTF-8 sequence at bytes[pos], pos moved past it; kMalformedUtf8 for a
// sequence that is cut, malformed, overlong, a surrogate or beyond U+10FFFF. Stricter than
// DecodeUtf8At, so that Windows-1252 text is not mistaken for UTF-8.
char32_t NextStrictUtf8(std::string_view bytes, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t extra = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        least = 0x10000;
    } else {
        return kMalformedUtf8;
    }
    if (bytes.size() - pos <= extra) return kMalformedUtf8;
    char32_t codePoint = lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(bytes[pos + k]);
        if ((next & 0xC0) != 0x80) return kMalformedUtf8;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return kMalformedUtf8;
    pos += extra + 1;
    return codePoint;
}

// Converts bytes when they are valid UTF-8 (a leading mark skipped); false, with out unusable, otherwise.
bool DecodeUtf8(std::string_view bytes, TextFileContents& out)
{
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    out.text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const char32_t codePoint = NextStrictUtf8(bytes, pos);
        if (codePoint == kMalformedUtf8) return false;
        AppendCp1252(out, codePoint);
    }
    return true;
}

// Converts UTF-16 units (after the byte-order mark) of the given byte order.
void DecodeUtf16(std::string_view bytes, bool bigEndian, TextFileContents& out)
{
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    out.text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            AppendCp1252(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(++i) - 0xDC00));
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            ++out.replaced;
            out.text.push_back(kReplacement);
        } else {
            AppendCp1252(out, unit);
        }
    }
    if (bytes.size() % 2 != 0) {
        ++out.replaced;
        out.text.push_back(kReplacement);
    }
}

// The byte order of UTF-16 text written without a byte-order mark, told by its zero bytes: text
// in the Latin alphabets has a zero high byte in most units. More than half of the units with a
// zero on one side and at most one in ten with a zero on the other is taken for UTF-16; any other
// text (also one with a stray zero byte) is not. Nullopt when the bytes do not look so.
std::optional<bool> Utf16WithoutMarkIsBigEndian(std::string_view bytes)
{
    const std::size_t units = bytes.size() / 2;
    std::size_t zeroFirst = 0;
    std::size_t zeroSecond = 0;
    for (std::size_t i = 0; i < units; ++i) {
        zeroFirst += bytes[2 * i] == '\0' ? 1 : 0;
        zeroSecond += bytes[2 * i + 1] == '\0' ? 1 : 0;
    }
    const auto mostly = [units](std::size_t zeros) { return 2 * zeros > units; };
    const auto rarely = [units](std::size_t zeros) { return 10 * zeros <= units; };
    if (mostly(zeroSecond) && rarely(zeroFirst)) return false;
    if (mostly(zeroFirst) && rarely(zeroSecond)) return true;
    return std::nullopt;
}

// Every line end (CR LF, LF or CR) becomes one CR; end marks are dropped.
void UnifyLineEnds(std::string& text)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == kEndMark) continue;
        if (c == kCr && i + 1 < text.size() && text[i + 1] == kLf) ++i;
        text[kept++] = c == kLf ? kCr : c;
    }
    text.resize(kept);
}

} // namespace

TextFileContents DecodeTextFile(std::string_view bytes)
{
    TextFileContents out;
    if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
        DecodeUtf16(bytes.substr(2), bytes.starts_with(kUtf16BeMark), out);
    } else if (const auto bigEndian = Utf16WithoutMarkIsBigEndian(bytes)) {
        DecodeUtf16(bytes, *bigEndian, out);
    } else if (!DecodeUtf8(bytes, out)) {
        out = { TextImportStatus::Done, std::string(bytes), 0 };
    }
    UnifyLineEnds(out.text);
    return out;
}

TextFileContents ReadTextFile(const std::filesystem::path& path)
{
    std::string bytes;
    switch (ReadFileBytes(path, kMaxTextFileBytes, bytes)) {
    case FileReadStatus::Done:
        return DecodeTextFile(bytes);
    case FileReadStatus::Unreadable:
        return { TextImportStatus::Unreadable, {}, 0 };
    case FileReadStatus::TooLarge:
        return { TextImportStatus::FileTooLarge, {}, 0 };
    }
    return { TextImportStatus::Unreadable, {}, 0 };
}

std::string ReplacedCharactersMessage(std::size_t count)
{
    if (count == 1) return std::string(kOneCharacterReplacedMessage);
    return std::to_string(count) + std::string(kCharactersReplacedTail);
}

TextImportStatus ImportText(Document& document, std::string text, std::string_view face)
{
    if (document.SetText(std::move(text)) == EditStatus::Refused) return TextImportStatus::TooManyTokens;
    document.Fonts().Reset(face);
    document.Current().emoticon = 0;
    document.Records().Reset(document.CurrentRecord());
    return TextImportStatus::Done;
}

std::string TextImportMessage(TextImportStatus status, const std::filesystem::path& path)
{
    const std::string name = Utf8ToCp1252(path.string());
    const auto named
        = [&name](std::string_view head, std::string_view tail) { return std::string(head).append(name).append(tail); };
    switch (status) {
    case TextImportStatus::Done:
        return {};
    case TextImportStatus::Unreadable:
        return named(kTextUnreadableHead, kDocumentUnchangedTail);
    case TextImportStatus::FileTooLarge:
        return named(kTextFileTooLargeHead, kDocumentUnchangedTail);
    case TextImportStatus::TooManyTokens:
        return named(kTextTooManyTokensHead, kDocumentUnchangedTail);
    }
    return {};
}

} // namespace quirel
