#include "dialogs/WordSearchDialog.h"

#include "document/Cp1252.h"
#include "io/Ports.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {

class RecordingPrompts : public Prompts {
public:
    void ShowMessage(std::string_view text, Urgency urgency) override
    {
        messages.push_back(Cp1252ToUtf8(text));
        topmost.push_back(urgency == Urgency::Topmost);
    }
    bool AskYesNo(std::string_view) override { return false; }
    std::vector<std::string> messages;
    std::vector<bool> topmost;
};

using Words = std::vector<std::string>;

WordListSource SourceOf(const Words& words)
{
    return { words.size(), [&words](std::size_t i) { return std::string_view(words[i - 1]); } };
}

// Small lists in Windows-1252 as the word-list files give them (lower case).
class WordSearchDialogTest : public ::testing::Test {
protected:
    WordSearchDialogTest()
    {
        lists = { SourceOf(diccionario), SourceOf(verbos), SourceOf(npropios), SourceOf(apellidos),
            SourceOf(dictionary),
            [this](std::string_view word) { return std::find(verbos.begin(), verbos.end(), word) != verbos.end(); } };
    }

    std::unique_ptr<WordSearchDialog> Open(SearchChoice choice = SearchChoice::None)
    {
        auto dialog = std::make_unique<WordSearchDialog>(lists, DictionarySearchValues { choice, {} }, &prompts);
        dialog->show();
        return dialog;
    }
    static void Type(WordSearchDialog& dialog, const QString& text)
    {
        dialog.SearchBox()->setText(text);
        QTest::keyClick(dialog.SearchBox(), Qt::Key_Return);
    }

    Words diccionario { "casa", "castillo", "cantar", "perro", "canci\xF3n" };
    Words verbos { "cantar", "casar", "casar" };
    Words npropios { "casandra" };
    Words apellidos { "castro", "asunci\xF3n" };
    Words dictionary { "cast", "casa" };
    SearchLists lists;
    RecordingPrompts prompts;
};

} // namespace

TEST_F(WordSearchDialogTest, ControlsStandAtTheirDialogUnitPlaces)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Buscador de cadenas");
    EXPECT_EQ(dialog->pos(), QPoint(105, 114));
    EXPECT_EQ(dialog->size(), QSize(216, 479));
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_EQ(dialog->parentWidget(), nullptr);

    const std::pair<QWidget*, QRect> places[] = {
        { dialog->ChoiceBox(), { 8, 2, 203, 21 } },
        { dialog->SearchBox(), { 8, 33, 203, 21 } },
        { dialog->ResultList(), { 8, 57, 203, 382 } },
        { dialog->SearchButton(), { 8, 447, 203, 24 } },
    };
    for (const auto& [widget, place] : places) {
        EXPECT_EQ(widget->geometry(), place) << widget->objectName().toStdString();
        EXPECT_EQ(widget->font().family(), "MS Sans Serif");
        EXPECT_EQ(widget->font().pointSize(), 8);
    }
    EXPECT_EQ(dialog->SearchButton()->text(), "Buscar");
    QStringList choices;
    for (int i = 0; i < dialog->ChoiceBox()->count(); ++i)
        choices << dialog->ChoiceBox()->itemText(i);
    EXPECT_EQ(choices,
        QStringList({ "01 - Todas las palabras", "02 - Verbos solo", "03 - Diccionario solo",
            "04 - Nombres Propios solo", "05 - Apellidos solo", "06 - Dictionary only" }));
}

TEST_F(WordSearchDialogTest, TheChoiceSearchesAtOnceAndIsRemembered)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->ChoiceBox()->currentIndex(), -1);
    Type(*dialog, QStringLiteral("cas"));
    ASSERT_EQ(prompts.messages.size(), 1u); // no list chosen yet: nothing found
    EXPECT_EQ(prompts.messages[0], "Termine de buscar ...\r\nEncontrados 0 palabras con cas-");
    EXPECT_TRUE(prompts.topmost[0]);

    dialog->ChoiceBox()->setCurrentIndex(2); // "03 - Diccionario solo"
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1], "Termine de buscar ...\r\nEncontrados 2 palabras con cas-");
    EXPECT_EQ(dialog->Results(), QStringList({ "casa", "castillo" }));
    EXPECT_EQ(dialog->Values().choice, SearchChoice::Diccionario);
    EXPECT_EQ(dialog->Values().searchText, "cas");

    auto again = Open(dialog->Values().choice);
    EXPECT_EQ(again->ChoiceBox()->currentIndex(), 2);
    EXPECT_EQ(again->SearchBox()->text(), "");
    EXPECT_EQ(prompts.messages.size(), 2u); // opening searches nothing
}

TEST_F(WordSearchDialogTest, ResultsOfAllListsAreShownInAlphabeticalOrder)
{
    auto dialog = Open(SearchChoice::All);
    Type(*dialog, QStringLiteral("cas"));
    // Case counts only between equal words; the proper names come capitalised; casar once.
    EXPECT_EQ(dialog->Results(), QStringList({ "casa", "Casa", "Casandra", "casar", "Cast", "castillo", "Castro" }));
    EXPECT_EQ(prompts.messages.back(), "Termine de buscar ...\r\nEncontrados 7 palabras con cas-");

    Type(*dialog, QStringLiteral("-ción"));
    EXPECT_EQ(dialog->Results(), QStringList({ "Asunción", "canción" }));
    EXPECT_EQ(prompts.messages.back(), "Termine de buscar ...\r\nEncontrados 2 palabras con -ción");
}

TEST_F(WordSearchDialogTest, TextsOutsideTheLettersAreIgnoredWithoutAMessage)
{
    auto dialog = Open(SearchChoice::Verbos);
    Type(*dialog, QStringLiteral("ca"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    const QStringList shown = dialog->Results();
    EXPECT_EQ(shown, QStringList({ "cantar", "casar" }));
    for (const QString& text :
        { QStringLiteral("ca1"), QStringLiteral("ca-sa"), QStringLiteral("- "), QStringLiteral("ca→"), QString() }) {
        Type(*dialog, text);
        QTest::mouseClick(dialog->SearchButton(), Qt::LeftButton);
    }
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(dialog->Results(), shown);
}

TEST_F(WordSearchDialogTest, AChosenResultGoesIntoTheSearchBoxAndEnterSearchesForIt)
{
    auto dialog = Open(SearchChoice::Diccionario);
    Type(*dialog, QStringLiteral("ca"));
    // "cantar" is a verb: the diccionario search leaves it to the verbos list.
    ASSERT_EQ(dialog->Results(), QStringList({ "canción", "casa", "castillo" }));
    const QModelIndex casa = dialog->ResultList()->model()->index(1, 0);
    dialog->ResultList()->setCurrentIndex(casa);
    EXPECT_EQ(dialog->SearchBox()->text(), "casa");
    EXPECT_EQ(prompts.messages.size(), 1u); // choosing does not search

    dialog->SearchBox()->clear();
    emit dialog->ResultList()->doubleClicked(casa);
    EXPECT_EQ(dialog->SearchBox()->text(), "casa");

    QTest::mouseClick(dialog->SearchButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->Results(), QStringList({ "casa" }));
    EXPECT_EQ(prompts.messages.back(), "Termine de buscar ...\r\nEncontrados 1 palabras con casa-");
}
