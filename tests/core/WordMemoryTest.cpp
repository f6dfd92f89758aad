#include "io/WordMemory.h"

#include "TempFolder.h"
#include "TestText.h"
#include "document/Cp1252.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace quirel;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

// rey.log bytes holding words, one 30-byte record each, zero-filled.
std::string Records(std::initializer_list<std::string> words)
{
    std::string bytes;
    for (const std::string& word : words) {
        std::string record = word.substr(0, 30);
        record.resize(30, '\0');
        bytes += record;
    }
    return bytes;
}

class WordMemoryTest : public testing::Test {
protected:
    // The word lists: lower-case entries matched with the trimmed word lower-cased.
    WordMemory::KnownWordTest isKnown = [this](std::string_view word) { return known.count(ToLower(word)) > 0; };
    std::set<std::string> known { "casa", "casado", W("ñandú"), std::string(35, 'k'), "ya", "sol", "h2o" };
    TempFolder folder;
    WordMemory memory { folder.Path() };
    std::string FileBytes() const { return folder.Read(kWordMemoryFileName); }
};

} // namespace

TEST_F(WordMemoryTest, CompletesFromTheFirstMatchingRecordInItsStoredCase)
{
    folder.Write(
        kWordMemoryFileName, Records({ "Casa", "casado", W("Ñandú"), "  sol  ", "ab cd", std::string(30, 'x') }));
    const std::pair<std::string, std::string> cases[] = {
        { "ca", "sa" },
        { "CA", "sa" },
        { "  ca ", "sa" },
        { "casa", "do" }, // Casa is not longer than the prefix
        { "cas", "a" }, // from Casa, not casado
        { "casad", "o" },
        { W("ñAN"), W("dú") },
        { "s", "ol" },
        { "ab", "cd" }, // the ending is trimmed
        { "xx", std::string(28, 'x') }, // a record without a zero byte is all word
        { "z", "" },
    };
    for (const auto& [prefix, ending] : cases)
        EXPECT_EQ(memory.CompleteWord(prefix), ending) << prefix;

    EXPECT_TRUE(memory.IsRemembered("CASA"));
    EXPECT_TRUE(memory.IsRemembered(W(" ÑANDÚ ")));
    EXPECT_TRUE(memory.IsRemembered("sol"));
    EXPECT_FALSE(memory.IsRemembered("cas"));
}

TEST_F(WordMemoryTest, RemembersKnownWordsOnceInTheirTypedCase)
{
    EXPECT_EQ(memory.RememberWord("perro", isKnown), RememberStatus::NotKnown);
    EXPECT_EQ(memory.CompleteWord("c"), "");
    EXPECT_FALSE(fs::exists(memory.File())); // neither lookups nor unknown words create the file

    EXPECT_EQ(memory.RememberWord(" Casa ", isKnown), RememberStatus::Stored);
    EXPECT_EQ(memory.RememberWord("casa", isKnown), RememberStatus::AlreadyRemembered);
    EXPECT_EQ(memory.RememberWord("   ", isKnown), RememberStatus::Empty);
    // Fragments of words are no help: a word needs three letters to be kept.
    EXPECT_EQ(memory.RememberWord("ya", isKnown), RememberStatus::TooShort);
    EXPECT_EQ(memory.RememberWord("H2O", isKnown), RememberStatus::TooShort);
    EXPECT_EQ(memory.RememberWord("sol", isKnown), RememberStatus::Stored);
    EXPECT_EQ(FileBytes(), Records({ "Casa", "sol" }));
    EXPECT_EQ(memory.CompleteWord("ca"), "sa");
    EXPECT_EQ(memory.CompleteWord("CASA"), "");

    // A long word is stored cut to 29 bytes, and only once.
    const std::string longWord(35, 'k');
    EXPECT_EQ(memory.RememberWord(longWord, isKnown), RememberStatus::Stored);
    EXPECT_EQ(memory.RememberWord(longWord, isKnown), RememberStatus::AlreadyRemembered);
    EXPECT_EQ(FileBytes(), Records({ "Casa", "sol", std::string(29, 'k') }));
}

TEST_F(WordMemoryTest, IncompleteFileIsIgnoredUntilTheNextWordMendsIt)
{
    const std::string incomplete = Records({ "casado", "casa" }) + "casi\0"s;
    ASSERT_EQ(incomplete.size(), 65u);
    folder.Write(kWordMemoryFileName, incomplete);
    EXPECT_EQ(memory.CompleteWord("ca"), "");
    EXPECT_FALSE(memory.IsRemembered("casa"));

    EXPECT_EQ(memory.RememberWord("casa", isKnown), RememberStatus::Stored);
    EXPECT_EQ(FileBytes(), Records({ "casado", "casa", "casa" }));
    EXPECT_EQ(memory.CompleteWord("ca"), "sado");
}

TEST_F(WordMemoryTest, ChangesMadeByOthersAreSeenAtOnce)
{
    folder.Write(kWordMemoryFileName, Records({ "casa" }));
    EXPECT_EQ(memory.CompleteWord("ca"), "sa");
    folder.Write(kWordMemoryFileName, Records({ "cama" })); // same length, same second
    EXPECT_EQ(memory.CompleteWord("ca"), "ma");
    EXPECT_FALSE(memory.IsRemembered("casa"));
    fs::remove(memory.File());
    EXPECT_EQ(memory.CompleteWord("ca"), "");
}

TEST_F(WordMemoryTest, FailedWriteIsReported)
{
    fs::create_directory(memory.File());
    EXPECT_EQ(memory.RememberWord("casa", isKnown), RememberStatus::WriteFailed);
    EXPECT_EQ(memory.CompleteWord("ca"), "");
}

// The memory against a plain reading of the record rules, on random files and words.
TEST_F(WordMemoryTest, RandomFilesAgreeWithTheRecordRules)
{
    const std::string alphabet = "aAbB \0\x1A"s + W("ñÑéÉ");
    auto lower = [](std::string_view text) { return ToLower(text); };
    auto trim = [](std::string_view text) { return std::string(TrimBlanks(text)); };
    auto letters = [](std::string_view text) {
        return std::count_if(
            text.begin(), text.end(), [](char c) { return ToLower(std::string(1, c)) != ToUpper(std::string(1, c)); });
    };
    auto recordWords = [&](const std::string& bytes) {
        std::vector<std::string> words;
        for (std::size_t at = 0; at + 30 <= bytes.size(); at += 30) {
            const std::string record = bytes.substr(at, 30);
            words.push_back(trim(record.substr(0, record.find('\0'))));
        }
        return words;
    };
    auto complete = [&](const std::string& bytes, std::string_view prefix) -> std::string {
        if (bytes.size() % 30 != 0) return "";
        const std::string p = trim(prefix);
        for (const std::string& r : recordWords(bytes)) {
            if (r.size() > p.size() && lower(r.substr(0, p.size())) == lower(p)) return trim(r.substr(p.size()));
        }
        return "";
    };
    auto remembered = [&](const std::string& bytes, std::string_view word) {
        if (bytes.size() % 30 != 0) return false;
        for (const std::string& r : recordWords(bytes)) {
            if (lower(r) == lower(trim(word))) return true;
        }
        return false;
    };

    std::mt19937 random(7);
    auto text = [&](std::size_t length) {
        std::string out;
        for (std::size_t i = 0; i < length; ++i)
            out += alphabet[random() % alphabet.size()];
        return out;
    };
    const WordMemory::KnownWordTest anyWord = [](std::string_view) { return true; };
    for (int round = 0; round < 400; ++round) {
        const std::size_t records = random() % 12;
        std::string bytes = text(records * 30 + (random() % 4 == 0 ? random() % 30 : 0));
        folder.Write(kWordMemoryFileName, bytes);
        for (int query = 0; query < 10; ++query) {
            const std::string word = text(random() % 5);
            ASSERT_EQ(memory.CompleteWord(word), complete(bytes, word)) << round << ' ' << testing::PrintToString(word);
            ASSERT_EQ(memory.IsRemembered(word), remembered(bytes, word)) << round;
        }
        const std::string word = text(1 + random() % 40);
        const RememberStatus status = memory.RememberWord(word, anyWord);
        const std::string after = FileBytes();
        std::string readBack = trim(word).substr(0, 29);
        readBack = trim(readBack.substr(0, readBack.find('\0')));
        if (readBack.empty()) {
            ASSERT_EQ(status, RememberStatus::Empty);
        } else if (letters(readBack) < 3) {
            ASSERT_EQ(status, RememberStatus::TooShort);
        } else if (remembered(bytes, readBack)) {
            ASSERT_EQ(status, RememberStatus::AlreadyRemembered);
        } else {
            const std::size_t whole = bytes.size() / 30 * 30;
            ASSERT_EQ(status, RememberStatus::Stored) << round;
            ASSERT_EQ(after.size(), whole + 30);
            ASSERT_EQ(after.substr(0, whole), bytes.substr(0, whole));
            ASSERT_TRUE(memory.IsRemembered(readBack));
            ASSERT_EQ(memory.RememberWord(word, anyWord), RememberStatus::AlreadyRemembered);
            continue;
        }
        ASSERT_EQ(after, bytes);
    }
}
