#include "document/Document.h"

#include "TestText.h"

#include <gtest/gtest.h>
#include <random>

using namespace quirel;

namespace {

std::vector<std::string> TokenTexts(const Document& doc)
{
    std::vector<std::string> out;
    for (int i = 1; i <= doc.TokenCount(); ++i)
        out.emplace_back(doc.TokenText(i));
    return out;
}

std::vector<std::string> Cut(std::string_view text)
{
    Document doc;
    EXPECT_EQ(doc.SetText(std::string(text)), EditStatus::Done);
    return TokenTexts(doc);
}

using Tokens = std::vector<std::string>;

} // namespace

TEST(Tokenize, CutsTextIntoWordsSignsAndBlanks)
{
    EXPECT_EQ(Cut("hola, mundo"), (Tokens { "hola", ",", "", "mundo" }));
    EXPECT_EQ(Cut("  a"), (Tokens { "", "", "a" }));
    EXPECT_EQ(Cut(""), Tokens {});
    EXPECT_EQ(Cut("e-mail 3.5"), (Tokens { "e-mail", "", "3", ".", "5" }));
    EXPECT_EQ(Cut("a\r\nb"), (Tokens { "a", "\r", "\n", "b" }));
    EXPECT_EQ(Cut("\xABhola\xBB"), (Tokens { "\xAB", "hola", "\xBB" }));
    EXPECT_EQ(Cut("l'\xE1rbol 50% a@b.es"), (Tokens { "l'\xE1rbol", "", "50%", "", "a@b", ".", "es" }));
    EXPECT_EQ(Cut("\x06       \x07"), (Tokens { "\x06", "", "", "", "", "", "", "", "\x07" }));
    EXPECT_EQ(Cut("\xBFqu\xE9?\t"), (Tokens { "\xBF", "qu\xE9", "?", "\t" }));
}

TEST(Tokenize, ConcatenatingTokensGivesTheTextBack)
{
    const std::string text = W("¿Qué tal?  ¡Bien!\r\n\x04x\x05 \x06       \x07"
                               "fin");
    Document doc;
    doc.SetText(text);
    std::string joined;
    for (int i = 1; i <= doc.TokenCount(); ++i)
        joined += doc.TokenFirstByte(i) == ' ' ? std::string(" ") : std::string(doc.TokenText(i));
    EXPECT_EQ(joined, text);
}

TEST(Tokenize, LongWordReadsBackAsItsFirst256Bytes)
{
    Document doc;
    doc.SetText(std::string(300, 'a') + " b");
    ASSERT_EQ(doc.TokenCount(), 3);
    EXPECT_EQ(doc.TokenText(1), std::string(256, 'a'));
    EXPECT_EQ(doc.TokenFirstByte(2), ' ');
    EXPECT_EQ(doc.TokenText(2), "");
}

TEST(Document, AppendingAndRemovingMatchesAWholeTokenize)
{
    // Random typing and backspacing, checked after every step against cutting the whole text.
    std::mt19937 random(7);
    const std::string alphabet = "ab \r\n,.\xF1\x06\x07-7";
    Document typed;
    for (int step = 0; step < 3000; ++step) {
        if (random() % 4 == 0)
            typed.RemoveLastByte();
        else
            typed.Append(std::string(1 + random() % 3, alphabet[random() % alphabet.size()]));
        Document whole;
        whole.SetText(typed.Text());
        ASSERT_EQ(typed.TokenCount(), whole.TokenCount()) << step;
        for (int i = 1; i <= whole.TokenCount(); ++i) {
            ASSERT_EQ(typed.TokenSpan(i).start, whole.TokenSpan(i).start);
            ASSERT_EQ(typed.TokenSpan(i).length, whole.TokenSpan(i).length);
        }
    }
}

TEST(Document, TypingStoresEachTokensRecordAtItsLastKeystroke)
{
    Document doc;
    auto type = [&doc](char c, int size) {
        doc.Current().size = size;
        doc.Append(std::string(1, c));
        doc.StoreCurrentRecord();
    };
    type('a', 12);
    type('b', 13);
    type(' ', 14);
    type('c', 15);
    ASSERT_EQ(doc.TokenCount(), 3);
    EXPECT_EQ(RecordSize(doc.Records().Get(1)), 13);
    EXPECT_EQ(RecordSize(doc.Records().Get(2)), 14);
    EXPECT_EQ(RecordSize(doc.Records().Get(3)), 15);
    // Backspace after a word shortens it and leaves its record in place.
    doc.RemoveLastByte();
    EXPECT_EQ(doc.TokenCount(), 2);
    type('d', 16);
    EXPECT_EQ(doc.TokenText(3), "d");
    EXPECT_EQ(RecordSize(doc.Records().Get(3)), 16);
    doc.RemoveLastByte();
    doc.RemoveLastByte();
    doc.RemoveLastByte();
    doc.RemoveLastByte();
    EXPECT_EQ(doc.TokenCount(), 0);
    EXPECT_EQ(doc.RemoveLastByte(), EditStatus::Done); // nothing left to remove
}

TEST(Document, MarkerSequencesAppendAndSetTheCurrentFormat)
{
    Document doc;
    doc.Current().size = 20;
    doc.Append("x");
    ASSERT_EQ(doc.InsertEmoticon(26), EditStatus::Done);
    EXPECT_EQ(doc.TokenCount(), 10);
    EXPECT_EQ(doc.TokenFirstByte(10), kMarkerEmoticonEnd);
    EXPECT_EQ(RecordEmoticon(doc.Records().Get(10)), 26);
    EXPECT_EQ(RecordEmoticon(doc.Records().Get(9)), 0); // only slot N is written

    doc.SetSuperscript(true);
    EXPECT_EQ(doc.Current().size, 10);
    EXPECT_EQ(RecordSize(doc.Records().Get(11)), 10);
    doc.SetSuperscript(false);
    EXPECT_EQ(doc.Current().size, 20);
    EXPECT_EQ(doc.Text().substr(1), std::string("\x06       \x07\x04\x05"));

    // A size outside the small-size table is left as it is.
    doc.Current().size = 95;
    doc.SetSubscript(true);
    EXPECT_EQ(doc.Current().size, 95);
    doc.SetSubscript(false);
    EXPECT_EQ(doc.Current().size, 95);
}

TEST(Document, RefusesToPassTheTokenCapacity)
{
    Document doc;
    std::string full(kMaxTokens - 1, ',');
    ASSERT_EQ(doc.SetText(full + "ab"), EditStatus::Done);
    ASSERT_EQ(doc.TokenCount(), kMaxTokens);
    EXPECT_EQ(doc.Append("c"), EditStatus::Done); // the last word grows, no new token
    EXPECT_EQ(doc.Append(" "), EditStatus::Refused);
    EXPECT_EQ(doc.InsertEmoticon(3), EditStatus::Refused);
    EXPECT_EQ(doc.Text(), full + "abc");
    EXPECT_EQ(doc.TokenCount(), kMaxTokens);
    EXPECT_EQ(doc.TokenText(kMaxTokens), "abc");
    EXPECT_EQ(doc.SetText(full + ",,"), EditStatus::Refused);
    EXPECT_EQ(doc.Text(), full + "abc");
}

TEST(Document, ReEditFieldsReplaceTokenTextUntilTheTextChanges)
{
    Document doc;
    doc.SetText("hola mundo");
    doc.SetTokenField(3, std::string("adi\xF3s") + std::string(300, ' '));
    doc.SetTokenField(2, "\n");
    EXPECT_EQ(doc.TokenText(3), "adi\xF3s");
    EXPECT_EQ(doc.TokenFirstByte(2), '\n');
    doc.Append("!");
    EXPECT_EQ(doc.TokenText(3), "mundo");
}

TEST(FontTable, GrowsToSlot255AndThenStays)
{
    FontTable fonts;
    fonts.Reset("Candara");
    for (int i = 1; i <= 256; ++i)
        fonts.Append("Face" + std::to_string(i));
    EXPECT_EQ(fonts.LastIndex(), 255);
    EXPECT_EQ(fonts.Name(0), "Candara");
    EXPECT_EQ(fonts.Name(255), "Face255");
    EXPECT_EQ(fonts.Name(256), "");
    EXPECT_FALSE(fonts.Append("Other"));
}

TEST(FormatRecords, SlotsHoldTheResetRecordUntilWritten)
{
    FormatRecords records;
    records.Reset(FormatRecord("FFFFFF0B000000000000"));
    records.Set(5, FormatRecord("000000"));
    records.Set(0, FormatRecord("bad"));
    records.Set(FormatRecords::kSlots + 1, FormatRecord("bad"));
    EXPECT_EQ(records.Get(4).Text(), "FFFFFF0B000000000000");
    EXPECT_EQ(records.Get(5).Text(), "000000");
    EXPECT_EQ(records.Get(FormatRecords::kSlots).Text(), "FFFFFF0B000000000000");
    records.Set(FormatRecords::kSlots, FormatRecord("1"));
    EXPECT_EQ(records.Get(FormatRecords::kSlots).Text(), "1");
}

namespace {

// A record told apart by its size field.
FormatRecord Marked(int size)
{
    return MakeFormatRecord({ 0xFFFFFF, size, 0, 0, 0, 0 });
}

// Each token's text with the size its record carries, as "text/size".
std::vector<std::string> TokensWithSizes(const Document& doc)
{
    std::vector<std::string> out;
    for (int i = 1; i <= doc.TokenCount(); ++i)
        out.push_back(std::string(doc.TokenText(i)) + "/" + std::to_string(RecordSize(doc.Records().Get(i))));
    return out;
}

} // namespace

TEST(DocumentReplace, RecutsAroundTheChangeAndKeepsRecordsWithTheirText)
{
    // "ca" is in size 10, " " 11, "sa" 12, "." 13, "\r" 14, "fin" 15; new tokens take size 99.
    struct Case {
        std::size_t pos, count;
        std::string bytes;
        std::string text;
        Tokens tokens;
    };
    const std::vector<Case> cases {
        { 0, 0, "X", "Xca sa.\rfin", { "Xca/10", "/11", "sa/12", "./13", "\r/14", "fin/15" } },
        { 1, 0, "x", "cxa sa.\rfin", { "cxa/10", "/11", "sa/12", "./13", "\r/14", "fin/15" } },
        { 1, 0, " ", "c a sa.\rfin", { "c/10", "/99", "a/10", "/11", "sa/12", "./13", "\r/14", "fin/15" } },
        { 2, 1, "", "casa.\rfin", { "casa/10", "./13", "\r/14", "fin/15" } },
        { 3, 0, "y ", "ca y sa.\rfin", { "ca/10", "/11", "y/99", "/99", "sa/12", "./13", "\r/14", "fin/15" } },
        { 5, 1, "", "ca sa\rfin", { "ca/10", "/11", "sa/12", "\r/14", "fin/15" } },
        { 6, 1, "", "ca sa.fin", { "ca/10", "/11", "sa/12", "./13", "fin/15" } },
        { 10, 0, "!", "ca sa.\rfin!", { "ca/10", "/11", "sa/12", "./13", "\r/14", "fin/15", "!/99" } },
        { 0, 11, "", "", {} },
    };
    for (const Case& c : cases) {
        Document doc;
        ASSERT_EQ(doc.SetText("ca sa.\rfin"), EditStatus::Done);
        for (int i = 1; i <= doc.TokenCount(); ++i)
            doc.Records().Set(i, Marked(9 + i));
        const std::string textBefore = doc.Text();
        const auto tokensBefore = TokensWithSizes(doc);
        const auto revisionBefore = doc.Revision();
        TextChange change;
        ASSERT_EQ(doc.Replace(c.pos, c.count, c.bytes, Marked(99), &change), EditStatus::Done);
        EXPECT_EQ(doc.Text(), c.text) << c.pos << " " << c.bytes;
        EXPECT_EQ(TokensWithSizes(doc), c.tokens) << c.pos << " " << c.bytes;
        Document whole;
        whole.SetText(doc.Text());
        EXPECT_EQ(TokenTexts(doc), TokenTexts(whole)) << "cut as the whole text is";
        doc.Revert(change);
        EXPECT_EQ(doc.Text(), textBefore);
        EXPECT_EQ(TokensWithSizes(doc), tokensBefore) << c.pos << " " << c.bytes;
        EXPECT_EQ(doc.Revision(), revisionBefore);
    }
}

TEST(DocumentReplace, RandomEditsCutTheTextAsAWholeCutDoesAndRevertExactly)
{
    std::mt19937 random(7);
    const std::string alphabet = W("ab ñ.\r\x04\x05\x06\x07");
    Document doc;
    doc.SetText(W("Había una vez, en un lugar.\r"));
    for (int round = 0; round < 2000; ++round) {
        const std::size_t size = doc.Text().size();
        const std::size_t pos = random() % (size + 1);
        const std::size_t count = random() % 3 == 0 ? random() % 4 : 0;
        std::string bytes;
        for (std::size_t i = random() % 3; i > 0; --i)
            bytes += alphabet[random() % alphabet.size()];
        const std::string textBefore = doc.Text();
        const auto tokensBefore = TokensWithSizes(doc);
        TextChange change;
        ASSERT_EQ(doc.Replace(pos, count, bytes, Marked(round % 200), &change), EditStatus::Done);
        Document whole;
        whole.SetText(doc.Text());
        ASSERT_EQ(TokenTexts(doc), TokenTexts(whole));
        ASSERT_EQ(
            doc.TokenCount() - static_cast<int>(tokensBefore.size()), change.tokens.newCount - change.tokens.oldCount);
        if (round % 5 == 0) {
            doc.Revert(change);
            ASSERT_EQ(doc.Text(), textBefore);
            ASSERT_EQ(TokensWithSizes(doc), tokensBefore);
        }
    }
}

TEST(DocumentReplace, RefusedPastTheTokenLimitWithNothingChanged)
{
    Document doc;
    ASSERT_EQ(doc.SetText(std::string(kMaxTokens - 1, '.')), EditStatus::Done);
    const auto revision = doc.Revision();
    EXPECT_EQ(doc.Replace(5, 0, "..", Marked(1), nullptr), EditStatus::Refused);
    EXPECT_EQ(doc.Text().size(), static_cast<std::size_t>(kMaxTokens - 1));
    EXPECT_EQ(doc.Revision(), revision);
    EXPECT_EQ(doc.Replace(5, 0, ".", Marked(1), nullptr), EditStatus::Done);
    EXPECT_EQ(doc.TokenCount(), kMaxTokens);
}
