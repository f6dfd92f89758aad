#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

class EventPump;
class Prompts;

// The five word lists, in the order they are loaded at start-up.
enum class WordListId : int { Dictionary = 0, Diccionario = 1, Verbos = 2, NPropios = 3, Apellidos = 4 };
inline constexpr int kWordListCount = 5;

// One word list: lower-case entries 1..Size() in file order (duplicates and empty entries kept),
// with an index for exact whole-entry lookups.
class WordList {
public:
    std::size_t Size() const;
    // Entry i, 1-based; empty outside 1..Size().
    std::string_view Entry(std::size_t index) const;
    // True when word equals an entry byte for byte.
    bool Contains(std::string_view word) const;

    // Implementation detail owned by the word-list code (an arena of bytes and a hash index).
    struct Storage;

private:
    friend class WordLists;
    friend void LoadWordList(const std::filesystem::path&, WordList&, int, EventPump*, Prompts*);
    std::vector<char> m_bytes;                  // all entries, back to back
    std::vector<std::uint32_t> m_offsets { 0 }; // entry i spans m_offsets[i-1] .. m_offsets[i]
    std::vector<std::uint32_t> m_slots;         // open-addressing hash index of entry numbers (0 = empty)
};

// The word lists and the spelling switch.
class WordLists {
public:
    WordList& List(WordListId id) { return m_lists[static_cast<std::size_t>(id)]; }
    const WordList& List(WordListId id) const { return m_lists[static_cast<std::size_t>(id)]; }

    // Exact whole-entry test over diccionario, verbos, npropios and Apellidos (the caller lower-cases).
    bool IsKnownWord(std::string_view word) const;
    // The same over diccionario and verbos with the trimmed word lower-cased, then npropios,
    // Apellidos and dictionary with the trimmed word as given.
    bool IsKnownWordAnyList(std::string_view word) const;

    bool spellingSensor = false;

private:
    std::array<WordList, kWordListCount> m_lists;
};

// File name of each list in the program's folder ("dictionary.log", "diccionario.log", ...).
const char* WordListFileName(WordListId id);

// Reads a word-list file of 100-byte records into list (see the .cpp for the record layout).
// yieldInterval: every that many records the event pump (when given) runs pending events.
// A file whose length is not a multiple of 100 is reported through prompts (when given) as
// "Fichero con formato Erroneo .." CR LF + the bare file name, and the list keeps its content.
// A missing file leaves the list as it is.
void LoadWordList(const std::filesystem::path& file, WordList& list, int yieldInterval, EventPump* pump, Prompts* prompts);

// Loads the five lists present in folder, in start-up order; missing files are skipped silently.
void LoadAllWordLists(const std::filesystem::path& folder, WordLists& lists, EventPump* pump, Prompts* prompts);

// The characters of one code field (value > 0): its decimal digits, left-padded with zeros to a
// multiple of three, read three at a time as Windows-1252 byte values.
std::string DecodeCodeField(std::int64_t value);

} // namespace quirel
