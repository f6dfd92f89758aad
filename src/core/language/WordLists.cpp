#include "language/WordLists.h"

#include "document/Cp1252.h"
#include "io/Ports.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>

namespace quirel {
namespace {

constexpr std::uint64_t kOccupied = std::uint64_t { 1 } << 63;
constexpr std::uint64_t kTagMask = (std::uint64_t { 1 } << 23) - 1;
constexpr std::size_t kMinIndexCapacity = 16;

std::uint64_t Mix(std::uint64_t h)
{
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ULL;
    h ^= h >> 32;
    return h;
}

// A fast hash for short byte strings: eight bytes at a time.
std::uint64_t HashBytes(std::string_view text)
{
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ (n * 0xFF51AFD7ED558CCDULL);
    while (n >= 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p, 8);
        h = (h ^ chunk) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    if (n > 0) {
        std::uint64_t chunk = 0;
        std::memcpy(&chunk, p, n);
        h = (h ^ chunk) * 0xBF58476D1CE4E5B9ULL;
    }
    return Mix(h);
}

std::uint64_t TagOf(std::uint64_t hash)
{
    return (hash >> 40) & kTagMask;
}

std::uint64_t MakeSlot(std::uint32_t offset, std::uint32_t length, std::uint64_t hash)
{
    return kOccupied | (TagOf(hash) << 40) | (std::uint64_t { length } << 32) | offset;
}

// The smallest power of two that keeps count entries at most 5/8 full.
std::size_t IndexCapacityFor(std::size_t count)
{
    return std::bit_ceil(std::max(kMinIndexCapacity, count + count / 2 + count / 8 + 1));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Records read from the file at a time.
constexpr std::size_t kRecordsPerRead = 1024;

} // namespace

std::string_view WordList::Entry(std::size_t index) const
{
    if (index == 0 || index >= m_offsets.size()) return {};
    return { m_bytes.data() + m_offsets[index - 1], m_offsets[index] - m_offsets[index - 1] };
}

bool WordList::Contains(std::string_view word) const
{
    if (word.empty()) return m_hasEmptyEntry || m_offsets.size() - 1 < m_size;
    if (word.size() > kMaxRecordWordLength || m_slots.empty()) return false;
    return FindInIndex(word, HashBytes(word));
}

bool WordList::FindInIndex(std::string_view word, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t expected = kOccupied | (TagOf(hash) << 40) | (std::uint64_t { word.size() } << 32);
    constexpr std::uint64_t kKeyMask = ~std::uint64_t { 0xFFFFFFFF };
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const std::uint64_t slot = m_slots[i];
        if (slot == 0) return false;
        if ((slot & kKeyMask) == expected
            && std::memcmp(m_bytes.data() + static_cast<std::uint32_t>(slot), word.data(), word.size()) == 0)
            return true;
    }
}

void WordList::AddToIndex(std::uint32_t offset, std::uint32_t length, std::uint64_t hash)
{
    if ((m_indexed + 1) > m_slots.size() / 8 * 5) RebuildIndex(std::max(kMinIndexCapacity, m_slots.size() * 2));
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i] != 0)
        i = (i + 1) & mask;
    m_slots[i] = MakeSlot(offset, length, hash);
    ++m_indexed;
}

void WordList::RebuildIndex(std::size_t capacity)
{
    std::vector<std::uint64_t> old;
    old.swap(m_slots);
    m_slots.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (const std::uint64_t slot : old) {
        if (slot == 0) continue;
        const auto offset = static_cast<std::uint32_t>(slot);
        const auto length = static_cast<std::uint32_t>((slot >> 32) & 0xFF);
        const std::uint64_t hash = HashBytes({ m_bytes.data() + offset, length });
        std::size_t i = hash & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void WordList::Clear()
{
    m_size = 0;
    m_bytes = {};
    m_offsets = { 0 };
    m_slots = {};
    m_indexed = 0;
    m_hasEmptyEntry = false;
}

void WordList::BeginLoad(std::size_t size)
{
    Clear();
    m_size = size;
    m_offsets.reserve(size + 1);
    // Typical entries are short words; the arena grows past this when they are not.
    m_bytes.reserve(std::min<std::size_t>(size, 16'000'000) * 12);
    m_slots.assign(IndexCapacityFor(std::min<std::size_t>(size, 16'000'000)), 0);
}

void WordList::AppendEntry(std::string_view entry)
{
    if (m_offsets.size() > m_size) return;
    const auto offset = static_cast<std::uint32_t>(m_bytes.size());
    if (entry.empty()) {
        m_hasEmptyEntry = true;
        m_offsets.push_back(offset);
        return;
    }
    const std::uint64_t hash = HashBytes(entry);
    // Duplicates keep their place in the entries but need no second slot.
    const bool known = !m_slots.empty() && FindInIndex(entry, hash);
    m_bytes.insert(m_bytes.end(), entry.begin(), entry.end());
    m_offsets.push_back(static_cast<std::uint32_t>(m_bytes.size()));
    if (!known) AddToIndex(offset, static_cast<std::uint32_t>(entry.size()), hash);
}

void WordList::EndLoad()
{
    m_bytes.shrink_to_fit();
    m_offsets.shrink_to_fit();
    const std::size_t fitting = IndexCapacityFor(m_indexed);
    if (fitting < m_slots.size()) RebuildIndex(fitting);
}

bool WordLists::IsKnownWord(std::string_view word) const
{
    return List(WordListId::Diccionario).Contains(word) || List(WordListId::Verbos).Contains(word)
        || List(WordListId::NPropios).Contains(word) || List(WordListId::Apellidos).Contains(word);
}

bool WordLists::IsKnownWordAnyList(std::string_view word) const
{
    const std::string_view trimmed = TrimBlanks(word);
    // No entry is longer than a record can hold, so a longer word is in no list.
    if (trimmed.size() > kMaxRecordWordLength) return false;
    char lowered[kMaxRecordWordLength];
    for (std::size_t i = 0; i < trimmed.size(); ++i)
        lowered[i] = static_cast<char>(ToLowerByte(static_cast<unsigned char>(trimmed[i])));
    const std::string_view lower(lowered, trimmed.size());
    return List(WordListId::Diccionario).Contains(lower) || List(WordListId::Verbos).Contains(lower)
        || List(WordListId::NPropios).Contains(trimmed) || List(WordListId::Apellidos).Contains(trimmed)
        || List(WordListId::Dictionary).Contains(trimmed);
}

const char* WordListFileName(WordListId id)
{
    switch (id) {
    case WordListId::Dictionary:
        return "dictionary.log";
    case WordListId::Diccionario:
        return "diccionario.log";
    case WordListId::Verbos:
        return "verbos.log";
    case WordListId::NPropios:
        return "npropios.log";
    case WordListId::Apellidos:
        return "Apellidos.log";
    }
    return "";
}

int WordListYieldInterval(WordListId id)
{
    return id == WordListId::NPropios || id == WordListId::Apellidos ? 1024 : 256;
}

void LoadWordList(
    const std::filesystem::path& file, WordList& list, int yieldInterval, EventPump* pump, Prompts* prompts)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return;
    const std::uintmax_t length = std::filesystem::file_size(file, error);
    if (error) return;
    if (length % kWordRecordSize != 0) {
        if (prompts) {
            const std::string text = "Fichero con formato Erroneo ..\r\n" + Utf8ToCp1252(file.filename().string());
            prompts->ShowMessage(text, Prompts::Urgency::Topmost);
        }
        return;
    }
    const std::uintmax_t recordCount = length / kWordRecordSize;
    if (recordCount > kMaxWordListEntries) return;
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "rb"));
    if (!stream) return;

    try {
        list.BeginLoad(static_cast<std::size_t>(recordCount));
        std::vector<unsigned char> buffer(kRecordsPerRead * kWordRecordSize);
        std::string word;
        word.reserve(kMaxRecordWordLength);
        std::size_t record = 0;
        while (record < recordCount) {
            const std::size_t got = std::fread(buffer.data(), kWordRecordSize, kRecordsPerRead, stream.get());
            if (got == 0) break; // the file shrank or cannot be read: the rest stays empty
            for (std::size_t k = 0; k < got && record < recordCount; ++k) {
                word.clear();
                AppendRecordWord(buffer.data() + k * kWordRecordSize, word);
                ToLowerInPlace(word); // the blank has no case, so lowering before trimming is the same
                list.AppendEntry(TrimBlanks(word));
                ++record;
                if (pump && yieldInterval > 0 && record % static_cast<std::size_t>(yieldInterval) == 0)
                    pump->ProcessPendingEvents();
            }
        }
        list.EndLoad();
    } catch (const std::bad_alloc&) {
        // Not enough memory for this list: better an empty list than a half-built index.
        list.Clear();
    }
}

void LoadAllWordLists(const std::filesystem::path& folder, WordLists& lists, EventPump* pump, Prompts* prompts)
{
    for (const WordListId id : { WordListId::Dictionary, WordListId::Diccionario, WordListId::Verbos,
             WordListId::NPropios, WordListId::Apellidos }) {
        LoadWordList(folder / WordListFileName(id), lists.List(id), WordListYieldInterval(id), pump, prompts);
    }
}

} // namespace quirel
