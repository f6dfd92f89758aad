#include "RealWindowTest.h"
#include "dialogs/ReEditDialog.h"
#include "dialogs/WordSearchDialog.h"
#include "language/WordRecord.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// A word-list file of 100-byte records.
void WriteList(const std::filesystem::path& file, std::initializer_list<const char*> words)
{
    QFile out(QtPath(file));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    for (const char* word : words) {
        WordRecordBytes record {};
        ASSERT_TRUE(EncodeWordRecord(word, record));
        out.write(reinterpret_cast<const char*>(record.data()), static_cast<qint64>(record.size()));
    }
}

// The real main window over a program folder that holds small word lists.
class LanguageCommandsTest : public RealWindowTest {
protected:
    LanguageCommandsTest()
        : RealWindowTest([](const std::filesystem::path& programFolder) {
            WriteList(programFolder / "diccionario.log", { "casa", "castillo", "canci\xF3n", "cantar", "perro" });
            WriteList(programFolder / "verbos.log", { "cantar", "casar" });
            WriteList(programFolder / "npropios.log", { "casandra" });
            WriteList(programFolder / "Apellidos.log", { "castro" });
            WriteList(programFolder / "dictionary.log", { "cast", "casa" });
        })
    {
    }

    // The window loads the lists once the first page is shown; most tests start after that.
    void SetUp() override
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return editor.Lists().Ready(); }, 10000));
    }

    QImage Picture() { return window.Page().ShownPicture().copy(); }
};

// Fills the re-edit dialog as a user does: page, piece, replacement.
void ChooseInReEdit(ReEditDialog& dialog, int pageIndex, int pieceRow)
{
    dialog.PageBox()->setCurrentIndex(pageIndex);
    dialog.PieceList()->setCurrentRow(pieceRow);
}

// The search a user makes first: "cas" in "03 - Diccionario solo", which searches at once (its
// message box opens over the dialog, inside this step).
void SearchCasInDiccionario(WordSearchDialog& dialog, QStringList& results)
{
    EXPECT_EQ(dialog.ChoiceBox()->currentIndex(), -1);
    dialog.SearchBox()->setText(QStringLiteral("cas"));
    dialog.ChoiceBox()->setCurrentIndex(2);
    results = dialog.Results();
    dialog.reject();
}

// The same window, with commands chosen before the word lists have loaded.
class LanguageCommandsBeforeListsTest : public LanguageCommandsTest {
protected:
    void SetUp() override { }
};

} // namespace

TEST_F(LanguageCommandsTest, ReEditOnAnEmptyDocumentOnlySaysSo)
{
    ModalScript script;
    Choose(command::ReEdit, script.Message());
    EXPECT_EQ(script.Texts(), QStringList { "No tienes texto Editado ..." });
    EXPECT_EQ(Doc().Text(), "");
}

TEST_F(LanguageCommandsTest, AnAcceptedReplacementReachesTheTextAndThePage)
{
    Type("hola mundo");
    const QImage before = Picture();
    bool busyMeanwhile = false;
    ModalScript script;
    script.Then<ReEditDialog>([&](ReEditDialog& dialog) {
        busyMeanwhile = editor.Gate().GuardedCommandRunning();
        EXPECT_EQ(dialog.PageBox()->count(), 1);
        ChooseInReEdit(dialog, 0, 2);
        dialog.ReplacementBox()->setText(QStringLiteral("gente"));
        QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.AcceptButton(), Qt::LeftButton);
    });
    Choose(command::ReEdit, script);
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_EQ(Doc().Text(), "hola gente");
    EXPECT_EQ(Doc().TokenText(3), "gente");
    EXPECT_NE(Picture(), before);
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral(": 3")));
}

TEST_F(LanguageCommandsTest, SalirKeepsTheTextButTheHighlightShowsOnThePage)
{
    Type("hola mundo");
    const QImage before = Picture();
    window.Menus()->Action(command::Bold)->trigger();
    ModalScript script;
    script
        .Then<ReEditDialog>([](ReEditDialog& dialog) {
            QTest::mouseClick(dialog.HighlightButton(), Qt::LeftButton); // nothing chosen yet: refused
            ChooseInReEdit(dialog, 0, 0);
            QTest::mouseClick(dialog.HighlightButton(), Qt::LeftButton);
            dialog.PieceList()->setCurrentRow(2);
            dialog.ReplacementBox()->setText(QStringLiteral("gente"));
            QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
            QTest::mouseClick(dialog.ExitButton(), Qt::LeftButton);
        })
        .Message(); // the refusal, over the dialog
    Choose(command::ReEdit, script);
    EXPECT_EQ(script.Texts(), QStringList { QStringLiteral("Tienes que elegir página y posición de palabra ...") });
    EXPECT_EQ(Doc().Text(), "hola mundo");
    EXPECT_EQ(Doc().TokenText(3), "mundo");
    EXPECT_EQ(RecordStyle(Doc().Records().Get(1)), kStyleBold);
    EXPECT_EQ(RecordStyle(Doc().Records().Get(3)), 0);
    EXPECT_NE(Picture(), before); // "hola" is drawn bold now
}

TEST_F(LanguageCommandsTest, WordSearchRemembersTheListBetweenOpenings)
{
    QStringList results;
    bool heldMeanwhile = false;
    ModalScript first;
    first
        .Then<WordSearchDialog>([&](WordSearchDialog& dialog) {
            heldMeanwhile = editor.Gate().GuardedCommandRunning() && editor.BlinkHeld();
            SearchCasInDiccionario(dialog, results);
        })
        .Message();
    Choose(command::WordSearch, first);
    EXPECT_TRUE(heldMeanwhile);
    EXPECT_EQ(first.Texts(), QStringList { "Termine de buscar ...\r\nEncontrados 2 palabras con cas-" });
    EXPECT_EQ(results, QStringList({ "casa", "castillo" }));

    ModalScript again;
    again
        .Then<WordSearchDialog>([&](WordSearchDialog& dialog) {
            EXPECT_EQ(dialog.ChoiceBox()->currentText(), "03 - Diccionario solo");
            dialog.ChoiceBox()->setCurrentIndex(0); // "01 - Todas las palabras"
            dialog.SearchBox()->setText(QStringLiteral("-ar"));
            QTest::keyClick(dialog.SearchBox(), Qt::Key_Return);
            results = dialog.Results();
            dialog.reject();
        })
        .Message();
    Choose(command::WordSearch, again);
    EXPECT_EQ(again.Texts(), QStringList { "Termine de buscar ...\r\nEncontrados 2 palabras con -ar" });
    EXPECT_EQ(results, QStringList({ "cantar", "casar" }));
    EXPECT_EQ(editor.WordSearchValues().choice, SearchChoice::All);
}

TEST_F(LanguageCommandsTest, AccentCommandPutsTheAccentsAndReportsThemTopmost)
{
    Type("Cancion y CANCION, perro");
    const QImage before = Picture();
    ModalScript first;
    Choose(command::Accents, first.Message());
    EXPECT_EQ(Doc().Text(), "Canci\xF3n y CANCI\xD3N, perro");
    EXPECT_EQ(first.Texts(),
        QStringList { QStringLiteral(
            "Encontradas 2 palabras a las que se le ha puesto tílde ortográfica ...\r\ncanción\r\ncanción\r\n") });
    EXPECT_EQ(first.Topmost(), std::vector<bool> { true });
    EXPECT_NE(Picture(), before);

    ModalScript again;
    Choose(command::Accents, again.Message());
    EXPECT_EQ(again.Texts(),
        QStringList { QStringLiteral("Encontradas 0 palabras a las que se le ha puesto tílde ortográfica ...") });
}

TEST_F(LanguageCommandsTest, RepeatedWordsReportTheTwoHighestCounts)
{
    ModalScript empty;
    Choose(command::RepeatedWords, empty.Message());
    EXPECT_EQ(empty.Texts(), QStringList { "No Repite palabras claramente ..." });

    Type(QStringLiteral("perro de ").repeated(12) + QStringLiteral("casa ").repeated(10)
        + QStringLiteral("gato ").repeated(9));
    ModalScript typed;
    Choose(command::RepeatedWords, typed.Message());
    EXPECT_EQ(typed.Texts(),
        QStringList { QStringLiteral("Este trozo de texto tiene 2 palabra(s) más repetidas\r\nLo que más repite es: "
                                     "perro \r\nOtra(s) que repiten: casa \r\n") });
    EXPECT_EQ(typed.Topmost(), std::vector<bool> { false });
}

TEST_F(LanguageCommandsBeforeListsTest, AWordSearchChosenWhileTheListsLoadWaitsForThem)
{
    ASSERT_FALSE(editor.Lists().Ready());
    QStringList results;
    ModalScript script;
    script.Then<WordSearchDialog>([&](WordSearchDialog& dialog) { SearchCasInDiccionario(dialog, results); }).Message();
    script.Run([&] {
        window.Menus()->Action(command::WordSearch)->trigger();
        EXPECT_EQ(script.StepsDone(), 0u); // the dialog opens once the lists are in
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return script.StepsDone() == 2 && !editor.Gate().GuardedCommandRunning(); }, 10000));
    });
    ExpectAnswered(script);
    EXPECT_EQ(script.Texts(), QStringList { "Termine de buscar ...\r\nEncontrados 2 palabras con cas-" });
    EXPECT_EQ(results, QStringList({ "casa", "castillo" }));
}
