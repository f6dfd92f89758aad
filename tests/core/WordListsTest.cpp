#include "language/WordLists.h"

#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "document/Cp1252.h"
#include "io/Ports.h"
#include "language/DictionarySearch.h"
#include "language/WordListViews.h"
#include "language/WordRecord.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace quirel {
namespace {

namespace fs = std::filesystem;

// Windows-1252 bytes of a UTF-8 literal, so the tests can spell words plainly.
std::string W(std::string_view utf8)
{
    return Utf8ToCp1252(utf8);
}

using Fields = std::array<std::int64_t, kCodeFieldCount>;

WordRecordBytes RecordOfFields(const Fields& fields)
{
    WordRecordBytes record {};
    for (int f = 0; f < kCodeFieldCount; ++f) {
        auto bits = static_cast<std::uint64_t>(fields[f]);
        for (int b = 0; b < 8; ++b, bits >>= 8)
            record[CodeFieldOffset(f + 1) + b] = static_cast<unsigned char>(bits & 0xFF);
    }
    return record;
}

WordRecordBytes RecordOfWord(std::string_view word)
{
    WordRecordBytes record {};
    EXPECT_TRUE(EncodeWordRecord(word, record)) << word;
    return record;
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    // A fresh file each time: rewriting one in place through truncation makes ext4 flush it.
    fs::remove(file);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string BytesOf(const std::vector<WordRecordBytes>& records)
{
    std::string bytes;
    for (const auto& record : records)
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    return bytes;
}

void WriteWords(const fs::path& file, const std::vector<std::string>& words)
{
    std::vector<WordRecordBytes> records;
    for (const auto& word : words)
        records.push_back(RecordOfWord(word));
    WriteBytes(file, BytesOf(records));
}

class WordListsTest : public ::testing::Test {
protected:
    TempFolder temporary;
    const fs::path folder = temporary.Path();
    RecordingPrompts prompts;
};

// The code-field rules written out the long way, digit string by digit string, as the format
// describes them; the fuzz loop checks the fast reader against this.
std::string ReferenceDecode(std::int64_t value)
{
    if (value <= 0) return {};
    std::string digits = std::to_string(value);
    if (digits.size() > 15) return {};
    digits.insert(0, (3 - digits.size() % 3) % 3, '0');
    std::string out;
    for (std::size_t i = 0; i < digits.size(); i += 3) {
        const int code = std::stoi(digits.substr(i, 3));
        if (code > 255) return {};
        out += static_cast<char>(code);
    }
    return out;
}

std::string ReferenceEntry(const unsigned char* record)
{
    std::string word;
    for (int f = 1; f <= kCodeFieldCount; ++f) {
        std::uint64_t bits = 0;
        for (int b = 7; b >= 0; --b)
            bits = (bits << 8) | record[CodeFieldOffset(f) + b];
        word += ReferenceDecode(static_cast<std::int64_t>(bits));
    }
    return ToLower(TrimBlanks(word));
}

} // namespace

TEST(DecodeCodeFieldTest, ReadsThreeDigitGroupsAndSkipsValuesOutsideTheFormat)
{
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    const struct {
        std::int64_t value;
        std::string expected;
    } cases[] = {
        { 97, "a" },
        { 99097115097, "casa" },
        { 241, "\xF1" },
        { 1, "\x01" },
        { 255255255255255, std::string(5, '\xFF') },
        { 97000098, std::string("a\0b", 3) },
        { 0, "" },
        { -97, "" },
        { kMin, "" },
        { 256, "" }, // a group above 255
        { 97300098, "" }, // an inner group above 255
        { 255255255255256, "" }, // fifteen digits, last group too large
        { 1000000000000000, "" }, // sixteen digits
        { 97097097097097097, "" }, // seventeen digits
        { kMax, "" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeCodeField(c.value), c.expected) << c.value;
        EXPECT_EQ(DecodeCodeField(c.value), ReferenceDecode(c.value)) << c.value;
    }
}

TEST(WordRecordTest, EncodesFiveCharactersPerFieldAndRefusesWhatTheFormatCannotHold)
{
    const std::string longest = W("abcdefghijklmnopqrstuvwxyzáéíóúñü0123456");
    ASSERT_EQ(longest.size(), kMaxRecordWordLength);
    for (const std::string& word :
        { std::string("a"), std::string("casa"), W("cantábamos"), longest, std::string("de la") }) {
        WordRecordBytes record {};
        ASSERT_TRUE(EncodeWordRecord(word, record));
        std::string back;
        AppendRecordWord(record.data(), back);
        EXPECT_EQ(back, word);
    }
    WordRecordBytes record {};
    EncodeWordRecord("casa", record);
    EXPECT_EQ(record[CodeFieldOffset(1)], 99097115097 & 0xFF);
    EXPECT_EQ(record[CodeFieldOffset(2)], 0);

    EXPECT_FALSE(EncodeWordRecord(longest + "x", record));
    EXPECT_FALSE(EncodeWordRecord(std::string("a\0b", 3), record));
}

TEST_F(WordListsTest, ReadsRecordsInFileOrderTrimmedAndLowerCased)
{
    const std::vector<WordRecordBytes> records = {
        RecordOfWord("Casa"), RecordOfFields({ 0, 97, 0, 0, 0, 0, 0, 0 }), // field 1 empty, field 2 "a"
        RecordOfFields({ 67, -1, 97, 0, 115, 0, 0, 97 }), // empty fields are skipped: "Casa"
        RecordOfWord("  de la  "), RecordOfFields({}), // no characters: an empty entry
        RecordOfWord("   "), // only blanks: an empty entry
        RecordOfWord(W("ÁRBOL ÑANDÚ ŠŒŽŸ")),
        RecordOfWord("casa"), // duplicates stay
    };
    WriteBytes(folder / "diccionario.log", BytesOf(records));
    WordList list;
    LoadWordList(folder / "diccionario.log", list, 256, nullptr, &prompts);

    const std::vector<std::string> expected = { "casa", "a", "casa", "de la", "", "", W("árbol ñandú šœžÿ"), "casa" };
    ASSERT_EQ(list.Size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(list.Entry(i + 1), expected[i]) << "entry " << i + 1;
    EXPECT_EQ(list.Entry(0), "");
    EXPECT_EQ(list.Entry(expected.size() + 1), "");
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_TRUE(list.Contains("casa"));
    EXPECT_TRUE(list.Contains("de la"));
    EXPECT_TRUE(list.Contains(""));
    for (const std::string absent : { "Casa", "cas", "casas", "de", "la", " casa", "de la ", "\xC1rbol" })
        EXPECT_FALSE(list.Contains(absent)) << absent;
}

TEST_F(WordListsTest, HostileFieldsAreSkippedAndTheRestOfTheRecordKept)
{
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    WriteBytes(folder / "verbos.log",
        BytesOf({ RecordOfFields({ kMax, 99097115097, 256, kMin, 1000000000000000, 0, 97300098, 115 }),
            RecordOfFields({ 999999999999999999, 255255255255256, kMax, kMax, kMax, kMax, kMax, kMax }) }));
    WordList list;
    LoadWordList(folder / "verbos.log", list, 256, nullptr, &prompts);
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.Entry(1), "casas");
    EXPECT_EQ(list.Entry(2), "");
}

TEST_F(WordListsTest, EmptyMissingAndMalformedFiles)
{
    WriteBytes(folder / "npropios.log", "");
    WordList list;
    LoadWordList(folder / "npropios.log", list, 1024, nullptr, &prompts);
    EXPECT_EQ(list.Size(), 0u);
    EXPECT_FALSE(list.Contains(""));
    EXPECT_TRUE(prompts.messages.empty());

    // A malformed file is reported with its bare name and leaves the list as it was.
    WriteWords(folder / "verbos.log", { "cantar", "comer" });
    LoadWordList(folder / "verbos.log", list, 256, nullptr, &prompts);
    WriteBytes(folder / "verbos.log", std::string(250, 'x'));
    LoadWordList(folder / "verbos.log", list, 256, nullptr, &prompts);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "Fichero con formato Erroneo ..\r\nverbos.log");
    EXPECT_EQ(prompts.urgencies[0], Prompts::Urgency::Topmost);
    EXPECT_EQ(list.Size(), 2u);
    EXPECT_TRUE(list.Contains("comer"));

    LoadWordList(folder / "missing.log", list, 256, nullptr, &prompts);
    LoadWordList(folder, list, 256, nullptr, &prompts); // a folder, not a file
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(list.Size(), 2u);

    WordLists lists;
    LoadAllWordLists(folder, lists, nullptr, &prompts); // verbos.log is malformed, the rest missing or empty
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(lists.List(WordListId::Verbos).Size(), 0u);
}

TEST_F(WordListsTest, KnownWordAsksFourListsAndAnyListAlsoTheFifthWithItsOwnCaseRules)
{
    WriteWords(folder / "dictionary.log", { "house", "Garden" });
    WriteWords(folder / "diccionario.log", { "casa", "de la", W("árbol") });
    WriteWords(folder / "verbos.log", { "cantar" });
    WriteWords(folder / "npropios.log", { "Madrid" });
    WriteWords(folder / "Apellidos.log", { W("García") });
    WordLists lists;
    LoadAllWordLists(folder, lists, nullptr, &prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(lists.spellingSensor);

    const struct {
        std::string word;
        bool known;
        bool anyList;
    } cases[] = {
        { "casa", true, true },
        { "cantar", true, true },
        { "madrid", true, true },
        { W("garcía"), true, true },
        { W("árbol"), true, true },
        { "house", false, true }, // the English list never counts for spelling
        { "garden", false, true },
        { "CASA", false, true }, // lower-cased for diccionario and verbos only
        { "  Cantar ", false, true }, // trimmed first
        { W("ÁRBOL"), false, true },
        { "Madrid", false, false }, // npropios, Apellidos and dictionary are asked as typed
        { W("García"), false, false },
        { "House", false, false },
        { "de la", true, true }, // an entry with an inner space stays whole
        { "de", false, false },
        { "la", false, false },
        { "casas", false, false },
        { "", false, false },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lists.IsKnownWord(c.word), c.known) << c.word;
        EXPECT_EQ(lists.IsKnownWordAnyList(c.word), c.anyList) << c.word;
    }
}

TEST_F(WordListsTest, PumpedLookupsSeeExactlyTheEntriesReadSoFar)
{
    std::vector<std::string> words;
    for (int i = 0; i < 2600; ++i)
        words.push_back("w" + std::to_string(i));
    WriteWords(folder / "npropios.log", words);

    struct CheckingPump : EventPump {
        void ProcessPendingEvents() override
        {
            const std::size_t read = 1024 * ++calls;
            ok = ok && list->Size() == 2600 && list->Entry(read) == "w" + std::to_string(read - 1)
                && list->Contains("w" + std::to_string(read - 1)) && list->Entry(read + 1).empty()
                && !list->Contains("w" + std::to_string(read)) && list->Contains("");
        }
        WordList* list = nullptr;
        int calls = 0;
        bool ok = true;
    } pump;
    WordLists lists;
    pump.list = &lists.List(WordListId::NPropios);
    LoadAllWordLists(folder, lists, &pump, &prompts);
    EXPECT_EQ(pump.calls, 2);
    EXPECT_TRUE(pump.ok);
    EXPECT_TRUE(lists.IsKnownWord("w2599"));
    EXPECT_FALSE(lists.List(WordListId::NPropios).Contains(""));
}

// A long file of few distinct words (blanks and repeats) leaves the index and filter sized for the
// words, not the records; every word must still be found and the order kept.
TEST_F(WordListsTest, ManyEmptyOrRepeatedRecords)
{
    std::vector<std::string> words;
    for (int i = 0; i < 20000; ++i)
        words.push_back(i % 7 == 0 ? "w" + std::to_string(i / 7 % 700) : i % 2 ? "" : "casa");
    WriteWords(folder / "diccionario.log", words);
    WordList list;
    LoadWordList(folder / "diccionario.log", list, 256, nullptr, &prompts);
    ASSERT_EQ(list.Size(), words.size());
    for (std::size_t i = 0; i < words.size(); i += 13)
        EXPECT_EQ(list.Entry(i + 1), words[i]);
    for (int i = 0; i < 700; ++i)
        EXPECT_TRUE(list.Contains("w" + std::to_string(i))) << i;
    for (int i = 700; i < 5000; ++i)
        EXPECT_FALSE(list.Contains("w" + std::to_string(i))) << i;
    EXPECT_TRUE(list.Contains("casa"));
    EXPECT_TRUE(list.Contains(""));
}

// Random damage to record files: the reader must never crash or read out of bounds, must agree
// with the long-hand decoding of the format, and must keep its invariants.
TEST_F(WordListsTest, SurvivesMutatedFiles)
{
    std::vector<std::string> seedWords = { "casa", W("Canción"), "  de la ", W("cantábamos"), "", W("Ñandú") };
    seedWords.push_back(std::string(40, 'z'));
    std::vector<WordRecordBytes> seed;
    for (const auto& word : seedWords)
        seed.push_back(RecordOfWord(word));
    const std::string original = BytesOf(seed);

    const std::int64_t edgeValues[]
        = { 0, -1, 1, 255, 256, 999, 1000, 255255255255255, 255255255255256, 999999999999999, 1000000000000000,
              std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min() };
    std::mt19937_64 random(20240611);
    const fs::path file = folder / "diccionario.log";
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string bytes = original;
        const int mutations = 1 + static_cast<int>(random() % 6);
        for (int m = 0; m < mutations; ++m) {
            switch (random() % 5) {
            case 0: // flip a byte
                if (!bytes.empty()) bytes[random() % bytes.size()] = static_cast<char>(random());
                break;
            case 1: { // an edge value in a code field
                if (bytes.size() < kWordRecordSize) break;
                const std::size_t at = (random() % (bytes.size() / kWordRecordSize)) * kWordRecordSize
                    + CodeFieldOffset(1 + static_cast<int>(random() % kCodeFieldCount));
                auto bits = static_cast<std::uint64_t>(edgeValues[random() % std::size(edgeValues)]);
                for (int b = 0; b < 8; ++b, bits >>= 8)
                    bytes[at + b] = static_cast<char>(bits & 0xFF);
                break;
            }
            case 2: // a random 64-bit field
            {
                if (bytes.size() < kWordRecordSize) break;
                const std::size_t at = (random() % (bytes.size() / kWordRecordSize)) * kWordRecordSize
                    + CodeFieldOffset(1 + static_cast<int>(random() % kCodeFieldCount));
                std::uint64_t bits = random() >> (random() % 64);
                for (int b = 0; b < 8; ++b, bits >>= 8)
                    bytes[at + b] = static_cast<char>(bits & 0xFF);
                break;
            }
            case 3: // cut the file
                bytes.resize(random() % (bytes.size() + 1));
                break;
            case 4: // grow it by garbage
                for (std::size_t n = random() % 250; n > 0; --n)
                    bytes += static_cast<char>(random());
                break;
            }
        }
        WriteBytes(file, bytes);

        WordList list;
        const std::size_t messagesBefore = prompts.messages.size();
        LoadWordList(file, list, 1 + static_cast<int>(random() % 4), nullptr, &prompts);
        if (bytes.size() % kWordRecordSize != 0) {
            ASSERT_EQ(list.Size(), 0u);
            ASSERT_EQ(prompts.messages.size(), messagesBefore + 1);
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), messagesBefore);
        ASSERT_EQ(list.Size(), bytes.size() / kWordRecordSize);
        for (std::size_t r = 0; r < list.Size(); ++r) {
            const std::string_view entry = list.Entry(r + 1);
            const auto* record = reinterpret_cast<const unsigned char*>(bytes.data()) + r * kWordRecordSize;
            ASSERT_EQ(entry, ReferenceEntry(record)) << "iteration " << iteration << " record " << r + 1;
            ASSERT_LE(entry.size(), kMaxRecordWordLength);
            ASSERT_TRUE(list.Contains(entry));
        }
    }
}

// With the lists built from the Spanish dictionaries (scripts/build-wordlists.sh), typical words
// are known and an accent left out is not.
TEST(RealWordListsTest, KnowsInflectedSpanishWords)
{
    const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
    if (!dir || !*dir || !fs::exists(fs::path(dir) / "diccionario.log"))
        GTEST_SKIP() << "QUIREL_WORDLISTS_DIR does not name a folder with the built word lists";
    RecordingPrompts prompts;
    WordLists lists;
    LoadAllWordLists(dir, lists, nullptr, &prompts);
    EXPECT_TRUE(prompts.messages.empty());
    for (const char* word : { "canción", "cantábamos", "díselo", "dámelo", "casas", "soy", "está", "abdicaciones" })
        EXPECT_TRUE(lists.IsKnownWord(Utf8ToCp1252(word))) << word;
    for (const char* word : { "cancion", "corazon", "reir", "cantabamos" })
        EXPECT_FALSE(lists.IsKnownWord(Utf8ToCp1252(word))) << word;
    for (const char* word : { "cantábamos", "díselo", "soy", "fuimos", "hemos" })
        EXPECT_TRUE(lists.List(WordListId::Verbos).Contains(Utf8ToCp1252(word))) << word;
    EXPECT_FALSE(lists.List(WordListId::Verbos).Contains(Utf8ToCp1252("canción")));
    EXPECT_TRUE(lists.IsKnownWordAnyList("house"));
    EXPECT_FALSE(lists.IsKnownWord("house"));
}

// The built lists: "03 - Diccionario solo" finds the common words that are verb forms too (casa is
// also a form of casar), the ending search over all lists still finds every word in -ción, the names
// the Spanish texts write without an accent stay names, and the misspelling tí is no word.
TEST(RealWordListsTest, SearchFindsDictionaryWordsAndNamesStay)
{
    const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
    if (!dir || !*dir || !fs::exists(fs::path(dir) / "diccionario.log"))
        GTEST_SKIP() << "QUIREL_WORDLISTS_DIR does not name a folder with the built word lists";
    WordLists lists;
    LoadAllWordLists(dir, lists, nullptr, nullptr);
    const auto beginning = SearchWordLists(SearchListsOf(lists), SearchChoice::Diccionario, "cas");
    ASSERT_TRUE(beginning);
    for (const char* word : { "casa", "caso", "casas", "castillo", "casi" })
        EXPECT_NE(std::find(beginning->items.begin(), beginning->items.end(), word), beginning->items.end()) << word;
    EXPECT_TRUE(beginning->message.ends_with(" palabras con cas-"));
    const auto ending = SearchWordLists(SearchListsOf(lists), SearchChoice::All, Utf8ToCp1252("-ción"));
    ASSERT_TRUE(ending);
    EXPECT_EQ(ending->items.size(), 2210u);
    EXPECT_EQ(ending->message, Utf8ToCp1252("Termine de buscar ...\r\nEncontrados 2210 palabras con -ción"));

    EXPECT_TRUE(lists.IsKnownWord("asia"));
    EXPECT_TRUE(lists.IsKnownWord(Utf8ToCp1252("asía")));
    EXPECT_FALSE(lists.IsKnownWord("maria"));
    EXPECT_FALSE(lists.IsKnownWord("angel"));
    EXPECT_FALSE(lists.IsKnownWord(Utf8ToCp1252("tí")));
    EXPECT_TRUE(lists.IsKnownWord("ti"));
}

} // namespace quirel
