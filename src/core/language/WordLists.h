#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace quirel {

class EventPump;
class Messages;

// The five word lists, in the order they are loaded at start-up.
enum class WordListId : int { Dictionary = 0, Diccionario = 1, Verbos = 2, NPropios = 3, Apellidos = 4 };
inline constexpr int kWordListCount = 5;

// A list never holds more entries than this (a 10 GB file); a longer file is not read.
inline constexpr std::size_t kMaxWordListEntries = 100'000'000;

// One word list: lower-case entries 1..Size() in file order (duplicates and empty entries kept),
// with an index for exact whole-entry lookups. While a list is loading, Size() is already the
// record count of its file and the entries not read yet are empty.
class WordList {
public:
    std::size_t Size() const { return m_size; }
    // Entry i, 1-based; empty outside 1..Size(). The view lives until the list changes.
    std::string_view Entry(std::size_t index) const;
    // True when word equals an entry byte for byte, as a whole.
    bool Contains(std::string_view word) const;

private:
    friend void LoadWordList(const std::filesystem::path&, WordList&, int, EventPump*, Messages*);
    friend class WordLists;

    // Empties the list and declares size entries, all empty until appended.
    void BeginLoad(std::size_t size);
    // Stores the next entry (in file order) and indexes it at once, so a lookup made between two
    // appends sees exactly the entries stored so far. hash is HashOf(entry).
    void AppendEntry(std::string_view entry, std::uint64_t hash);
    static std::uint64_t HashOf(std::string_view word);
    // Starts fetching the filter word and index slot that adding or finding hash will touch.
    void PrefetchFor(std::uint64_t hash) const;
    // Releases the spare capacity taken while loading.
    void EndLoad();
    void Clear();

    // The exact test for a word of 1 to 40 bytes whose hash is already known.
    bool ContainsHashed(std::string_view word, std::uint64_t hash) const;
    // False when no entry can have this hash (the filter); true when one may.
    bool MayContain(std::uint64_t hash) const;
    bool FindInIndex(std::string_view word, std::uint64_t hash) const;
    void AddToIndex(std::uint32_t offset, std::uint32_t length, std::uint64_t hash);
    void RebuildIndex(std::size_t capacity);
    void RebuildFilter(std::size_t words);

    std::size_t m_size = 0; // declared entries
    std::vector<char> m_bytes; // entries read so far, back to back
    std::vector<std::uint32_t> m_offsets { 0 }; // entry i spans m_offsets[i-1] .. m_offsets[i]
    // Open-addressing (linear probing) set of the distinct non-empty entries. A slot packs the
    // entry's arena offset (bits 0-31), its length (bits 32-39), 23 bits of its hash (40-62) and
    // an occupied bit (63); 0 is a free slot. Its size is a power of two, at most 3/4 full.
    std::vector<std::uint64_t> m_slots;
    // A small filter over the same hashes (three bits in one 64-bit word per entry, 8 to 16 bits
    // per entry): most words that are in no list are turned away here, in memory that stays in
    // the processor's cache, without touching the much larger index.
    std::vector<std::uint64_t> m_filter;
    std::size_t m_indexed = 0;
    bool m_hasEmptyEntry = false;
};

// The word lists and the spelling switch.
class WordLists {
public:
    WordList& List(WordListId id) { return m_lists[static_cast<std::size_t>(id)]; }
    const WordList& List(WordListId id) const { return m_lists[static_cast<std::size_t>(id)]; }

    // True when word equals an entry of diccionario, verbos, npropios or Apellidos (asked in that
    // order). The word is compared as given: the caller lower-cases (and trims) it first.
    bool IsKnownWord(std::string_view word) const;
    // Trims the word (blanks only), then asks diccionario and verbos with it lower-cased and
    // npropios, Apellidos and dictionary with it as given; true at the first list that holds it.
    bool IsKnownWordAnyList(std::string_view word) const;

    bool spellingSensor = false;

private:
    std::array<WordList, kWordListCount> m_lists;
};

// File name of each list in the program's folder ("dictionary.log", "diccionario.log", ...).
const char* WordListFileName(WordListId id);

// How many records each list reads between two runs of the event pump while loading
// (256 for dictionary, diccionario and verbos; 1024 for npropios and Apellidos).
int WordListYieldInterval(WordListId id);

// Reads a word-list file of 100-byte records (see WordRecord.h) into list: entry r is the word of
// record r with leading and trailing blanks removed and lower-cased (Windows-1252 mapping).
// Every yieldInterval records the event pump (when given) runs pending events; lookups made then
// see the entries read so far. A file whose length is not a multiple of 100 is reported through
// prompts (when given, topmost) as "Fichero con formato Erroneo .." CR LF + the bare file name,
// and the list keeps its content. A missing or unreadable file, or one of more than
// kMaxWordListEntries records, leaves the list as it is without a message. If the file cannot be
// read to its end, the entries not read stay empty.
void LoadWordList(
    const std::filesystem::path& file, WordList& list, int yieldInterval, EventPump* pump, Messages* prompts);

// Loads the five lists present in folder, in start-up order (dictionary, diccionario, verbos,
// npropios, Apellidos) with their yield intervals; missing files are skipped silently.
void LoadAllWordLists(const std::filesystem::path& folder, WordLists& lists, EventPump* pump, Messages* prompts);

} // namespace quirel
