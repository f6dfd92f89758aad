#include "language/WordLists.h"

#include "document/Cp1252.h"
#include "io/Ports.h"
#include "io/ProgramFiles.h"
#include "language/LanguageMessages.h"
#include "language/Mix64.h"
#include "language/WordRecord.h"

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
constexpr std::uint64_t kKeyMask = ~std::uint64_t { 0xFFFFFFFF }; // occupied bit, tag and length
constexpr std::size_t kMinIndexCapacity = 16;
constexpr std::size_t kMinFilterWords = 8;
// Entries taken into account when tables are sized before loading; a longer list grows them.
constexpr std::size_t kPresizeLimit = 16'000'000;

// A fast hash for short byte strings: eight bytes at a time. The index takes its low bits,
// the filter bits 24 and up, the slot tag bits 40 to 62.
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
    return Mix64(h);
}

std::uint64_t TagOf(std::uint64_t hash)
{
    return (hash >> 40) & kTagMask;
}

std::uint64_t MakeSlot(std::uint32_t offset, std::uint32_t length, std::uint64_t hash)
{
    return kOccupied | (TagOf(hash) << 40) | (std::uint64_t { length } << 32) | offset;
}

std::string_view SlotWord(const std::vector<char>& bytes, std::uint64_t slot)
{
    return { bytes.data() + static_cast<std::uint32_t>(slot), static_cast<std::size_t>((slot >> 32) & 0xFF) };
}

std::size_t FilterWordOf(std::uint64_t hash, std::size_t words)
{
    return (hash >> 24) & (words - 1);
}

std::uint64_t FilterBitsOf(std::uint64_t hash)
{
    return (std::uint64_t { 1 } << ((hash >> 42) & 63)) | (std::uint64_t { 1 } << ((hash >> 48) & 63))
        | (std::uint64_t { 1 } << ((hash >> 54) & 63));
}

// The smallest power of two that keeps count entries at most 3/4 full. Lookups of words that are
// not in the list rarely reach the index (the filter turns them away), so the index can be fuller
// than linear probing alone would like.
std::size_t IndexCapacityFor(std::size_t count)
{
    return std::bit_ceil(std::max(kMinIndexCapacity, count + count / 3 + 1));
}

// Filter words for count entries: 8 to 16 bits per entry.
std::size_t FilterWordsFor(std::size_t count)
{
    return std::bit_ceil(std::max(kMinFilterWords, count / 8));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Records read from the file at a time.
constexpr std::size_t kRecordsPerRead = 1024;

// The entry of one record as the list stores it: the fields' characters, lower-cased, without
// the blanks around them. word must hold kMaxRecordWordLength bytes; returns the entry's view.
std::string_view DecodeEntry(const unsigned char* record, char* word)
{
    std::size_t length = 0;
    for (int field = 1; field <= kCodeFieldCount; ++field) {
        std::uint64_t value = 0;
        const unsigned char* bytes = record + CodeFieldOffset(field);
        for (int i = 7; i >= 0; --i)
            value = (value << 8) | bytes[i];
        const auto signedValue = static_cast<std::int64_t>(value);
        if (signedValue <= 0 || signedValue > kMaxCodeFieldValue) continue;
        // The base-1000 digits, least significant first; a group above 255 voids the field.
        char groups[kCharsPerCodeField];
        std::size_t count = 0;
        bool valid = true;
        for (std::uint64_t rest = value; rest != 0; rest /= 1000) {
            const auto group = static_cast<unsigned>(rest % 1000);
            valid = valid && group <= 255;
            groups[count++] = static_cast<char>(ToLowerByte(static_cast<unsigned char>(group & 0xFF)));
        }
        if (!valid) continue;
        while (count > 0)
            word[length++] = groups[--count];
    }
    return TrimBlanks({ word, length });
}

} // namespace

std::string_view WordList::Entry(std::size_t index) const
{
    if (index == 0 || index >= m_offsets.size()) return {};
    return { m_bytes.data() + m_offsets[index - 1], m_offsets[index] - m_offsets[index - 1] };
}

bool WordList::Contains(std::string_view word) const
{
    if (word.empty()) return m_hasEmptyEntry || m_offsets.size() - 1 < m_size;
    if (word.size() > kMaxRecordWordLength) return false;
    return ContainsHashed(word, HashBytes(word));
}

bool WordList::ContainsHashed(std::string_view word, std::uint64_t hash) const
{
    return MayContain(hash) && FindInIndex(word, hash);
}

bool WordList::MayContain(std::uint64_t hash) const
{
    if (m_filter.empty()) return false;
    const std::uint64_t bits = FilterBitsOf(hash);
    return (m_filter[FilterWordOf(hash, m_filter.size())] & bits) == bits;
}

std::uint64_t WordList::HashOf(std::string_view word)
{
    return HashBytes(word);
}

void WordList::PrefetchFor(std::uint64_t hash) const
{
    if (!m_filter.empty()) __builtin_prefetch(m_filter.data() + FilterWordOf(hash, m_filter.size()));
    if (!m_slots.empty()) __builtin_prefetch(m_slots.data() + (hash & (m_slots.size() - 1)));
}

bool WordList::FindInIndex(std::string_view word, std::uint64_t hash) const
{
    if (m_slots.empty()) return false;
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t expected = kOccupied | (TagOf(hash) << 40) | (std::uint64_t { word.size() } << 32);
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
    if (m_indexed + 1 > m_slots.size() / 4 * 3) RebuildIndex(std::max(kMinIndexCapacity, m_slots.size() * 2));
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i] != 0)
        i = (i + 1) & mask;
    m_slots[i] = MakeSlot(offset, length, hash);
    m_filter[FilterWordOf(hash, m_filter.size())] |= FilterBitsOf(hash);
    ++m_indexed;
}

void WordList::RebuildIndex(std::size_t capacity)
{
    decltype(m_slots) old;
    old.swap(m_slots);
    m_slots.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (const std::uint64_t slot : old) {
        if (slot == 0) continue;
        std::size_t i = HashBytes(SlotWord(m_bytes, slot)) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void WordList::RebuildFilter(std::size_t words)
{
    m_filter.assign(words, 0);
    for (const std::uint64_t slot : m_slots) {
        if (slot == 0) continue;
        const std::uint64_t hash = HashBytes(SlotWord(m_bytes, slot));
        m_filter[FilterWordOf(hash, words)] |= FilterBitsOf(hash);
    }
}

void WordList::Clear()
{
    m_size = 0;
    m_bytes = {};
    m_offsets = { 0 };
    m_slots = {};
    m_filter = {};
    m_indexed = 0;
    m_hasEmptyEntry = false;
}

void WordList::BeginLoad(std::size_t size)
{
    Clear();
    m_size = size;
    m_offsets.reserve(size + 1);
    const std::size_t expected = std::min(size, kPresizeLimit);
    // Typical entries are short words; the arena grows past this when they are not.
    m_bytes.reserve(expected * 12);
    m_slots.assign(IndexCapacityFor(expected), 0);
    m_filter.assign(FilterWordsFor(expected), 0);
}

void WordList::AppendEntry(std::string_view entry, std::uint64_t hash)
{
    if (m_offsets.size() > m_size) return;
    const auto offset = static_cast<std::uint32_t>(m_bytes.size());
    if (entry.empty()) {
        m_hasEmptyEntry = true;
        m_offsets.push_back(offset);
        return;
    }
    // Duplicates keep their place in the entries but need no second slot.
    const bool known = ContainsHashed(entry, hash);
    m_bytes.insert(m_bytes.end(), entry.begin(), entry.end());
    m_offsets.push_back(static_cast<std::uint32_t>(m_bytes.size()));
    if (!known) AddToIndex(offset, static_cast<std::uint32_t>(entry.size()), hash);
}

void WordList::EndLoad()
{
    m_bytes.shrink_to_fit();
    m_offsets.shrink_to_fit();
    // A file of many empty or repeated records leaves tables larger than its entries need.
    if (const std::size_t fitting = IndexCapacityFor(m_indexed); fitting < m_slots.size()) RebuildIndex(fitting);
    if (const std::size_t fitting = FilterWordsFor(m_indexed); fitting < m_filter.size()) RebuildFilter(fitting);
}

bool WordLists::IsKnownWord(std::string_view word) const
{
    const WordList& diccionario = List(WordListId::Diccionario);
    const WordList& verbos = List(WordListId::Verbos);
    const WordList& npropios = List(WordListId::NPropios);
    const WordList& apellidos = List(WordListId::Apellidos);
    if (word.empty() || word.size() > kMaxRecordWordLength) {
        return diccionario.Contains(word) || verbos.Contains(word) || npropios.Contains(word)
            || apellidos.Contains(word);
    }
    // One hash serves the four lists. Most known words stand in diccionario, so its filter word
    // and first slot are fetched at once; the filters turn most unknown words away without
    // reading any index.
    const std::uint64_t hash = HashBytes(word);
    diccionario.PrefetchFor(hash);
    return diccionario.ContainsHashed(word, hash) || verbos.ContainsHashed(word, hash)
        || npropios.ContainsHashed(word, hash) || apellidos.ContainsHashed(word, hash);
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

static_assert(kWordListFileNames.size() == kWordListCount, "one file name per word list");

const char* WordListFileName(WordListId id)
{
    const auto index = static_cast<std::size_t>(id);
    // The names are literals, so each view ends in the literal's terminating zero.
    return index < kWordListFileNames.size() ? kWordListFileNames[index].data() : "";
}

int WordListYieldInterval(WordListId id)
{
    return id == WordListId::NPropios || id == WordListId::Apellidos ? 1024 : 256;
}

void LoadWordList(
    const std::filesystem::path& file, WordList& list, int yieldInterval, EventPump* pump, Messages* prompts)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return;
    const std::uintmax_t length = std::filesystem::file_size(file, error);
    if (error) return;
    if (length % kWordRecordSize != 0) {
        if (prompts) {
            const std::string text = std::string(kWordListFormatErrorHead) + Utf8ToCp1252(file.filename().string());
            prompts->ShowMessage(text, Messages::Urgency::Topmost);
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
        // Decoded entries of one read, with their hashes: knowing the next entries ahead lets the
        // loop fetch their filter words and index slots while it stores the current one.
        std::vector<char> words(kRecordsPerRead * kMaxRecordWordLength);
        std::vector<std::string_view> entries(kRecordsPerRead);
        std::vector<std::uint64_t> hashes(kRecordsPerRead);
        constexpr std::size_t kLookAhead = 8;
        std::size_t record = 0;
        while (record < recordCount) {
            const std::size_t wanted
                = static_cast<std::size_t>(std::min<std::uintmax_t>(kRecordsPerRead, recordCount - record));
            const std::size_t got = std::fread(buffer.data(), kWordRecordSize, wanted, stream.get());
            if (got == 0) break; // the file shrank or cannot be read: the rest stays empty
            for (std::size_t k = 0; k < got; ++k) {
                entries[k] = DecodeEntry(buffer.data() + k * kWordRecordSize, words.data() + k * kMaxRecordWordLength);
                hashes[k] = WordList::HashOf(entries[k]);
            }
            for (std::size_t k = 0; k < got; ++k) {
                if (k + kLookAhead < got) list.PrefetchFor(hashes[k + kLookAhead]);
                list.AppendEntry(entries[k], hashes[k]);
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

void LoadAllWordLists(const std::filesystem::path& folder, WordLists& lists, EventPump* pump, Messages* prompts)
{
    for (const WordListId id : { WordListId::Dictionary, WordListId::Diccionario, WordListId::Verbos,
             WordListId::NPropios, WordListId::Apellidos }) {
        LoadWordList(folder / WordListFileName(id), lists.List(id), WordListYieldInterval(id), pump, prompts);
    }
}

} // namespace quirel
