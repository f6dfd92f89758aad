#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quirel::wordlist {

// Readers of the Spanish texts the accent model learns from (Debian packages unpacked at set-up), and
// the cleaning that turns them into plain paragraphs (UTF-8, one per line).

// One book of a SWORD compressed Bible module (zText, blocks of one book).
struct SwordBook {
    std::string testament; // "ot" or "nt"
    int block = 0; // the book's block number in its testament
    std::vector<std::string> verses; // plain text, one per verse, empty verses left out
};

// Reads the books of the module in folder (ot.bzs/bzv/bzz, nt.bzs/bzv/bzz: 12-byte block entries of
// offset, size and unpacked size into zlib blocks, 10-byte verse entries of block, offset and size).
// Notes and titles are dropped with their text, other markup without it, entities decoded, and the
// one-letter words á é ó ú of the old spelling are written a e o u. An error text in error when a file
// is missing or damaged (the books read so far are returned).
std::vector<SwordBook> ReadSwordModule(const std::filesystem::path& folder, std::string& error);

// The translations of a GNU message catalogue (.mo), each split at its line breaks into paragraphs,
// without markup, placeholders (%s, %1$d, {name}, $unit.name) or accelerator marks (_ & ~). The
// catalogue's header entry is left out. False for a file that is not a message catalogue.
bool ReadMessageCatalogue(std::string_view bytes, std::vector<std::string>& paragraphs);

// text without markup (<...>), with runs of blanks made one and the ends trimmed.
std::string CleanParagraph(std::string_view text);

} // namespace quirel::wordlist
