#pragma once

#include "io/FileError.h"
#include "io/FilePort.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quirel {

// The word memory file in the program's folder: 30-byte records without header, record i at
// offset 30 × (i − 1), each the word as typed (at most 29 bytes, no leading or trailing blanks)
// followed by a zero byte; the rest of the record means nothing. A file whose length is not a
// multiple of 30 gives no completions and remembers nothing until the next stored word overwrites
// its incomplete last record.
inline constexpr const char* kWordMemoryFileName = "rey.log";
inline constexpr std::size_t kWordMemoryRecordSize = 30;
inline constexpr std::size_t kWordMemoryWordLength = 29;
// Shorter words are not worth a completion: the memory keeps words of at least this many letters.
inline constexpr std::size_t kWordMemoryMinLetters = 3;

// What RememberWord did.
enum class RememberStatus {
    Stored,
    Empty, // nothing but blanks; nothing stored
    TooShort, // fewer than three letters; nothing stored
    NotKnown, // the word lists do not hold the word; nothing stored
    AlreadyRemembered, // nothing stored
    WriteFailed, // the record could not be written (the file may be left incomplete, which the next write mends)
};

// Completions from the words the user has typed before. Every call reads the file afresh, so a
// change made to it by anyone else is seen at once; a missing file is an empty memory and is
// created by the first stored word. Words compare after trimming blanks and lower-casing with the
// program's single-byte case mapping; the first matching record wins.
class WordMemory {
public:
    // The memory kept in folder/rey.log.
    explicit WordMemory(const std::filesystem::path& folder);

    const std::filesystem::path& File() const { return m_file; }

    // The missing end of the first remembered word that starts with prefix and is longer than it,
    // in the case in which the word was stored and trimmed of blanks; empty when there is none.
    std::string CompleteWord(std::string_view prefix) const;

    // True when a record holds word.
    bool IsRemembered(std::string_view word) const;

    // A test of whether the word lists hold a word (the trimmed word as typed is passed; the test
    // does its own lower-casing), normally WordLists::IsKnownWordAnyList.
    using KnownWordTest = std::function<bool(std::string_view)>;

    // Stores the trimmed word, cut to 29 bytes, as a new record at offset 30 × (length / 30), when
    // it has at least three letters, isKnown accepts it and the word as its record will read back
    // (cut, ended at a zero byte, trimmed) is not remembered yet. Testing that form keeps a word that
    // does not fit a record from being stored again on every call. Empty when nothing of the word
    // would remain. The record is written through port; after WriteFailed, error (when given) says why.
    RememberStatus RememberWord(std::string_view word, const KnownWordTest& isKnown, FilePort& port = SystemFiles(),
        FileError* error = nullptr) const;

private:
    // Calls visit(word) for each record's trimmed word in file order until visit returns true.
    // Returns false when the file is missing, unreadable or not a whole number of records.
    template <typename Visit> bool ScanRecords(Visit&& visit) const;

    std::filesystem::path m_file;
};

// The message for the user (Windows-1252) when a word could not be written to the memory file.
std::string WordMemoryWriteMessage(const FileError& error, const std::filesystem::path& file);

} // namespace quirel
