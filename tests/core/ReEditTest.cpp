#include "language/ReEdit.h"

#include "TestText.h"
#include "language/LanguageMessages.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

using Items = std::vector<std::string>;

// The token numbers listed in piece items.
std::vector<int> TokenNumbers(const Items& items)
{
    std::vector<int> numbers;
    for (const std::string& item : items)
        numbers.push_back(std::stoi(item.substr(0, 6)));
    return numbers;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> out;
    for (int i = first; i <= last; ++i)
        out.push_back(i);
    return out;
}

// A document "hola mundo\r" (tokens hola, blank, mundo, CR) on one page, with page 1, token 3 chosen.
class ReEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetText("hola mundo\r");
        doc.Pages().pageCount = 1;
        doc.Pages().Slot(1).firstToken = 1;
        ChoosePage(state, "#pagina 01");
        ASSERT_EQ(ChoosePiece(state, "000003 mundo"), "mundo");
    }

    Document doc;
    ReEditState state;
};

} // namespace

TEST(TokenLabel, NamesLineEndsBlanksAndMarkers)
{
    const std::pair<unsigned char, const char*> cases[] = {
        { 10, "LF" },
        { 13, "$CR" },
        { 32, "$SPC" },
        { 1, "$ELIMINADA" },
        { 2, "INICIO SUBÍNDICE" },
        { 3, "FIN SUBÍNDICE" },
        { 4, "INICIO SUPERÍNDICE" },
        { 5, "FIN SUPERÍNDICE" },
        { 6, "INICIO EMOTICONO" },
        { 7, "FIN EMOTICONO" },
    };
    for (const auto& [byte, label] : cases)
        EXPECT_EQ(TokenLabel(byte, std::string(1, static_cast<char>(byte))), W(label)) << int(byte);
    EXPECT_EQ(TokenLabel('h', "hola"), "hola");
    EXPECT_EQ(TokenLabel(',', ","), ",");
    EXPECT_EQ(TokenLabel('\t', "\t"), "\t");
}

TEST(ReEditItems, PageAndPieceItemsKeepNumericOrder)
{
    EXPECT_EQ(PageItem(1), "#pagina 01");
    EXPECT_EQ(PageItem(12), "#pagina 12");
    EXPECT_EQ(PageItem(123), "#pagina 123");
    EXPECT_EQ(PageItems(3), (Items { "#pagina 01", "#pagina 02", "#pagina 03" }));
    EXPECT_EQ(PieceItem(57, "hola"), "000057 hola");
    EXPECT_EQ(PieceItem(300000, "$SPC"), "300000 $SPC");

    ReEditState state;
    ChoosePage(state, "#pagina 123");
    EXPECT_EQ(state.chosenPage, 123);
    ChoosePage(state, "pagina 2");
    EXPECT_EQ(state.chosenPage, 0);
}

TEST(FillPieceList, EveryTokenStandsOnExactlyOnePage)
{
    Document doc;
    doc.SetText("uno dos tres cuatro\rcinco seis"); // 11 tokens
    doc.Pages().pageCount = 3;
    doc.Pages().Slot(1).firstToken = 0; // a first token never set reads as 1
    doc.Pages().Slot(2).firstToken = 5;
    doc.Pages().Slot(3).firstToken = 9;
    EXPECT_EQ(TokenNumbers(FillPieceList(doc, 1)), Range(1, 4));
    EXPECT_EQ(TokenNumbers(FillPieceList(doc, 2)), Range(5, 8));
    EXPECT_EQ(FillPieceList(doc, 3), (Items { "000009 cinco", "000010 $SPC", "000011 seis" }));
    EXPECT_EQ(FillPieceList(doc, 2), (Items { "000005 tres", "000006 $SPC", "000007 cuatro", "000008 $CR" }));
}

TEST(FillPieceList, StaysWithinTheDocumentAndThePageTable)
{
    Document doc;
    doc.SetText("a b"); // 3 tokens
    doc.Pages().pageCount = 2;
    doc.Pages().Slot(1).firstToken = 1;
    doc.Pages().Slot(2).firstToken = 40; // left from a longer text
    EXPECT_EQ(TokenNumbers(FillPieceList(doc, 1)), Range(1, 3));
    EXPECT_EQ(FillPieceList(doc, 2), Items {});
    EXPECT_EQ(FillPieceList(doc, 0), Items {});
    EXPECT_EQ(FillPieceList(doc, 151), Items {});
}

TEST_F(ReEditTest, ChangedPieceShowsAndIsAcceptedIntoTheText)
{
    ASSERT_EQ(ChangePiece(doc, state, W("adiós")), ReEditOutcome::Done);
    EXPECT_EQ(state.replacement, W("adiós"));
    EXPECT_EQ(FillPieceList(doc, 1), (Items { "000001 hola", "000002 $SPC", W("000003 adiós"), "000004 $CR" }));
    ASSERT_EQ(AcceptChanges(doc), EditStatus::Done);
    EXPECT_EQ(doc.Text(), W("hola adiós\r"));
    EXPECT_EQ(doc.TokenCount(), 4);
}

TEST_F(ReEditTest, LeavingDropsTheReplacements)
{
    ASSERT_EQ(ChangePiece(doc, state, "adios"), ReEditOutcome::Done);
    DiscardChanges(doc);
    EXPECT_EQ(doc.Text(), "hola mundo\r");
    EXPECT_EQ(doc.TokenText(3), "mundo");
}

TEST_F(ReEditTest, ChangeNeedsAPageAPieceAndOneWord)
{
    ReEditState noPage;
    ReEditState noPiece;
    ChoosePage(noPiece, "#pagina 01");
    ReEditState pastTheEnd = state;
    pastTheEnd.chosenToken = 5;
    const std::pair<ReEditState*, const char*> cases[] = {
        { &noPage, "casa" },
        { &noPiece, "casa" },
        { &pastTheEnd, "casa" },
        { &state, "" },
        { &state, "dos palabras" },
        { &state, " casa" },
    };
    for (const auto& [chosen, text] : cases) {
        EXPECT_EQ(ChangePiece(doc, *chosen, text), ReEditOutcome::Refused) << text;
        EXPECT_EQ(doc.TokenText(3), "mundo");
    }
    EXPECT_EQ(kReEditChangeRefusedMessage,
        W("Tienes que elegir página y posición de palabra ...\r\nNo más de una palabra por posición ..."));
}

TEST_F(ReEditTest, PieceChoiceBeforeAPageIsIgnored)
{
    ReEditState fresh;
    EXPECT_EQ(ChoosePiece(fresh, "000003 mundo"), std::nullopt);
    EXPECT_EQ(fresh.chosenToken, 0);
}

TEST_F(ReEditTest, SpecialCharactersReplaceThePiece)
{
    const std::pair<const char*, const char*> cases[] = {
        { "01 - $SPC", "hola  \r" },
        { "02 - $LF", "hola \n\r" },
        { "03 - $CR", "hola \r\r" },
        { "04 - $ELIMINADA", "hola \x01\r" },
    };
    for (const auto& [item, text] : cases) {
        doc.SetText("hola mundo\r");
        const std::string shown = ChooseSpecial(state, item);
        EXPECT_EQ(shown, std::string_view(item).substr(5));
        ASSERT_EQ(ChangePiece(doc, state, shown), ReEditOutcome::Done) << item;
        ASSERT_EQ(AcceptChanges(doc), EditStatus::Done);
        EXPECT_EQ(doc.Text(), text) << item;
    }
}

TEST_F(ReEditTest, RemovedWordShowsInThePieceList)
{
    ChangePiece(doc, state, ChooseSpecial(state, "04 - $ELIMINADA"));
    EXPECT_EQ(FillPieceList(doc, 1)[2], "000003 $ELIMINADA");
}

TEST_F(ReEditTest, TypedTextOverridesAnEarlierSpecialChoice)
{
    ChooseSpecial(state, "01 - $SPC");
    ASSERT_EQ(ChangePiece(doc, state, "casa"), ReEditOutcome::Done);
    EXPECT_EQ(doc.TokenText(3), "casa");
}

TEST_F(ReEditTest, HighlightGivesThePieceTheCurrentFormat)
{
    doc.Current().style = kStyleBold;
    const FormatRecord before = doc.Records().Get(3);
    EXPECT_EQ(HighlightPiece(doc, ReEditState {}), ReEditOutcome::Refused);
    EXPECT_EQ(doc.Records().Get(3), before);
    ASSERT_EQ(HighlightPiece(doc, state), ReEditOutcome::Done);
    EXPECT_EQ(doc.Records().Get(3), doc.CurrentRecord());
    EXPECT_EQ(doc.Records().Get(2), before);
    EXPECT_EQ(kReEditHighlightRefusedMessage, W("Tienes que elegir página y posición de palabra ..."));
}

TEST(RebuildText, KeepsWordsLongerThanATokenFieldWhole)
{
    Document doc;
    const std::string longWord(300, 'a');
    doc.SetText(longWord + " " + longWord + "  b");
    doc.SetTokenField(3, "corto");
    EXPECT_EQ(RebuildText(doc), longWord + " corto  b");
}

TEST(AcceptChanges, RefusesATextBeyondTheTokenCapacity)
{
    Document doc;
    std::string text;
    for (int i = 0; i < kMaxTokens / 2; ++i)
        text += "a ";
    ASSERT_EQ(doc.SetText(text), EditStatus::Done);
    doc.SetTokenField(1, "a,b");
    EXPECT_EQ(AcceptChanges(doc), EditStatus::Refused);
    EXPECT_EQ(doc.Text(), text);
}
