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
};

// The text lines of bytes, joined without separators. A line ends at a CR; an LF right after the
// CR belongs to that line end; an LF on its own is not a line end and stays in the text. A byte
// 0x1A (the end mark of old text files) ends the line it stands on and is dropped; the bytes after
// it are still read, so no text after a stray mark is lost. Every other byte is kept as it is.
std::string JoinTextLines(std::string_view bytes);

// Reads the plain text file at path (Windows-1252 bytes, nothing converted) as JoinTextLines
// describes. An unreadable file gives an empty text and Unreadable; a file longer than
// kMaxTextFileBytes gives an empty text and FileTooLarge.
TextFileContents ReadTextFile(const std::filesystem::path& path);

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
