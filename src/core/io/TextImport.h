#pragma once

#include "document/Document.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

// Plain text files longer than this are not imported (a document holds at most 300000 tokens; the
// limit keeps a huge file from exhausting the memory before that is known).
inline constexpr std::size_t kMaxTextFileBytes = std::size_t { 256 } << 20;

// Outcome of a plain-text import.
enum class TextImportStatus {
    Done,
    Unreadable, // the file could not be opened or read; the document is unchanged
    FileTooLarge, // longer than kMaxTextFileBytes; nothing was read
    TooManyTokens, // the text cuts into more than 300000 tokens; the document is unchanged
};

struct TextFileContents {
    TextImportStatus status = TextImportStatus::Done;
    std::string text;
    std::size_t replaced = 0; // characters Windows-1252 cannot hold, each now a "?"
};

// The document text of the bytes of a plain text file (status Done).
// Encoding: bytes that start with the UTF-16 byte-order mark (FF FE little-endian, FE FF
// big-endian) are read as UTF-16, and so are bytes without the mark that look like UTF-16 (more
// than half of the two-byte units with a zero high byte, in either order, and at most one in ten
// with a zero low byte); other bytes that are valid UTF-8 (no overlong form, surrogate
// or code point beyond U+10FFFF) are read as UTF-8, a leading byte-order mark skipped; any other
// bytes are Windows-1252 and kept as they are. A character Windows-1252 cannot hold, an unpaired
// UTF-16 surrogate and a lone last byte of UTF-16 each become "?" and are counted in replaced.
// Line ends: CR LF, LF and a lone CR each become one CR, the line end the Return key types, so
// paragraphs and blank lines are kept. A 0x1A (the end mark of old text files) is dropped; the
// text after it is still read.
TextFileContents DecodeTextFile(std::string_view bytes);

// Reads the plain text file at path as DecodeTextFile describes. An unreadable file gives an empty
// text and Unreadable; a file longer than kMaxTextFileBytes gives an empty text and FileTooLarge.
TextFileContents ReadTextFile(const std::filesystem::path& path);

// The message for the user (Windows-1252) after an import in which count characters (count > 0)
// became "?".
std::string ReplacedCharactersMessage(std::size_t count);

// Replaces the document by an imported text: the text is cut into tokens; the font table holds
// face in slot 0 with K = 0; the current format keeps its colours, size and style, its emoticon
// becomes 0, and its record (with font index 0) goes into every format-record slot. The producer
// line is not changed. Returns TooManyTokens, with the document unchanged, when the text cuts into
// more than 300000 tokens; Done otherwise.
TextImportStatus ImportText(Document& document, std::string text, std::string_view face);

// The message for the user (Windows-1252, shown under the title "Programador") after an import of
// path ended with status; empty for Done.
std::string TextImportMessage(TextImportStatus status, const std::filesystem::path& path);

} // namespace quirel
