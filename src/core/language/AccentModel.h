#pragma once

#include "io/ProgramFiles.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quirel {

// The context counts of the accent pass: how often each written form of a word that exists with and
// without an accent (esta/está, mas/más, publico/público/publicó) was seen in correctly written text
// with each neighbour word, word pair and word class. The table holds hashed keys with their counts,
// built at set-up from Spanish texts and read by the program after the first page is shown.

// What a key counts. The values are part of the file format: never renumber them.
enum class AccentFeature : std::uint8_t {
    Unigram = 1, // candidate
    Left1 = 2, // candidate, word before
    Left2 = 3, // candidate, the two words before
    Right1 = 4, // candidate, word after
    Right2 = 5, // candidate, the two words after
    LeftClass = 6, // candidate, class of the word before
    RightClass = 7, // candidate, class of the word after
    PatternUnigram = 8, // accent pattern of the group, type of the candidate
    PatternLeft1 = 9, // pattern, word before, type
    PatternRight1 = 10, // pattern, word after, type
    Group = 11, // a form without accents that has two or more written forms in the lists (count 1)
    EnglishName = 12, // a capitalised name of the English list (count 1)
    CapitalisedUse = 13, // a word seen capitalised (Simón, not SIMÓN) in the training text
};

// A 64-bit hash of a byte string (a word, a sign, a pattern).
std::uint64_t AccentWordHash(std::string_view text);

// The key of one count: the feature and up to three hashes or small numbers.
std::uint64_t AccentKey(AccentFeature feature, std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0);

// The largest count a key keeps; larger counts are stored as this.
inline constexpr std::uint32_t kMaxAccentCount = (1u << 20) - 1;

enum class AccentModelStatus { Loaded, Missing, Damaged };

// A read-only table of key → count. Keys that were never counted give 0 (one in about 10^12 keys
// that were not counted can read as counted: the table keeps 43 bits of each key).
class AccentModel {
public:
    // The count of key, 0 when it was not counted.
    std::uint32_t Count(std::uint64_t key) const;
    // Starts fetching the slot where key's search begins (a later Count of it waits less).
    void Prefetch(std::uint64_t key) const
    {
        if (!m_slots.empty()) __builtin_prefetch(m_slots.data() + SlotOf(key));
    }
    bool Empty() const { return m_entries == 0; }
    std::size_t Entries() const { return m_entries; }
    // Bytes the table takes in memory.
    std::size_t Bytes() const { return m_slots.size() * sizeof(std::uint64_t); }

    // A table of the given counts (counts above kMaxAccentCount are cut to it; zero counts are left out).
    static AccentModel FromCounts(const std::unordered_map<std::uint64_t, std::uint32_t>& counts);
    // The table as file bytes: "QTLD", version 1, the slot count and the slots (little-endian).
    std::string Serialize() const;

private:
    friend AccentModelStatus LoadAccentModel(const std::filesystem::path&, AccentModel&);
    std::size_t SlotOf(std::uint64_t key) const;
    std::vector<std::uint64_t> m_slots; // fingerprint (bits 20-63, top bit set) | count (bits 0-19); 0 is free
    std::size_t m_entries = 0;
};

// Reads a model file into model. Missing: no such file (model emptied). Damaged: a file that is not a
// model or is cut short, or one of more than 64 MB (model emptied). Loaded otherwise.
AccentModelStatus LoadAccentModel(const std::filesystem::path& file, AccentModel& model);

} // namespace quirel
