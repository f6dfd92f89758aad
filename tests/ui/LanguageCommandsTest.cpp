#include "ModalAnswers.h"
#include "app/EditSurface.h"
#include "app/MainWindow.h"
#include "app/MenuBar.h"
#include "dialogs/ReEditDialog.h"
#include "dialogs/WordSearchDialog.h"
#include "editor/Editor.h"
#include "language/WordRecord.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {

// The real main window over a program folder that holds small word lists.
class LanguageCommandsTest : public ::testing::Test {
protected:
    LanguageCommandsTest()
        : editor(folder.path().toStdString())
        , window(editor)
    {
        WriteList("diccionario.log", { "casa", "castillo", "canci\xF3n", "cantar", "perro" });
        WriteList("verbos.log", { "cantar", "casar" });
        WriteList("npropios.log", { "casandra" });
        WriteList("Apellidos.log", { "castro" });
        WriteList("dictionary.log", { "cast", "casa" });
        window.show();
        window.Initialise({});
        window.BlinkTimer().stop();
    }

    // The window loads the lists once the first page is shown; most tests start after that.
    void SetUp() override { ASSERT_TRUE(QTest::qWaitFor([this] { return editor.WordListsReady(); }, 10000)); }

    // A word-list file of 100-byte records.
    void WriteList(const char* name, std::initializer_list<const char*> words)
    {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const char* word : words) {
            WordRecordBytes record {};
            ASSERT_TRUE(EncodeWordRecord(word, record));
            file.write(reinterpret_cast<const char*>(record.data()), static_cast<qint64>(record.size()));
        }
    }

    // Chooses a menu item and answers the modal windows it opens; the test fails on a window it
    // does not expect or when the answers are not all used.
    void Choose(int id, std::vector<ModalAnswers::Answer> answers = {})
    {
        const int expected = static_cast<int>(answers.size());
        ModalAnswers modal(std::move(answers));
        window.Menus()->Action(id)->trigger();
        EXPECT_EQ(modal.Used(), expected) << "command " << id;
        EXPECT_EQ(modal.Unexpected(), 0) << "command " << id;
        EXPECT_FALSE(modal.TimedOut()) << "command " << id;
        EXPECT_FALSE(editor.commandBusy);
        EXPECT_FALSE(editor.blinkHold);
    }

    void Type(const QString& text)
    {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, window.Surface(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, window.Surface(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    QImage Picture() { return window.ShownPicture().copy(); }
    Document& Doc() { return editor.GetDocument(); }

    QTemporaryDir folder;
    Editor editor;
    MainWindow window;
};

// Fills the re-edit dialog as a user does: page, piece, replacement.
void ChooseInReEdit(ReEditDialog& dialog, int pageIndex, int pieceRow)
{
    dialog.PageBox()->setCurrentIndex(pageIndex);
    dialog.PieceList()->setCurrentRow(pieceRow);
}

// The search a user makes first: "cas" in "03 - Diccionario solo", which searches at once.
ModalAnswers::Answer SearchCasInDiccionario(QStringList& results)
{
    return [&results](QWidget* window) {
        auto* found = qobject_cast<WordSearchDialog*>(window);
        ASSERT_NE(found, nullptr);
        WordSearchDialog& dialog = *found;
        EXPECT_EQ(dialog.ChoiceBox()->currentIndex(), -1);
        dialog.SearchBox()->setText(QStringLiteral("cas"));
        dialog.ChoiceBox()->setCurrentIndex(2);
        results = dialog.Results();
        dialog.reject();
    };
}

// The same window, with commands chosen before the word lists have loaded.
class LanguageCommandsBeforeListsTest : public LanguageCommandsTest {
protected:
    void SetUp() override { }
};

} // namespace

TEST_F(LanguageCommandsTest, ReEditOnAnEmptyDocumentOnlySaysSo)
{
    QString message;
    Choose(command::ReEdit, { ModalAnswers::ReadMessage(message) });
    EXPECT_EQ(message, "No tienes texto Editado ...");
    EXPECT_EQ(Doc().Text(), "");
}

TEST_F(LanguageCommandsTest, AnAcceptedReplacementReachesTheTextAndThePage)
{
    Type("hola mundo");
    const QImage before = Picture();
    bool busyMeanwhile = false;
    Choose(command::ReEdit, { [&](QWidget* window) {
        auto* found = qobject_cast<ReEditDialog*>(window);
        ASSERT_NE(found, nullptr);
        ReEditDialog& dialog = *found;
        busyMeanwhile = editor.commandBusy;
        EXPECT_EQ(dialog.PageBox()->count(), 1);
        ChooseInReEdit(dialog, 0, 2);
        dialog.ReplacementBox()->setText(QStringLiteral("gente"));
        QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.AcceptButton(), Qt::LeftButton);
    } });
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
    QString refusal;
    Choose(command::ReEdit,
        { [&](QWidget* window) {
             auto* found = qobject_cast<ReEditDialog*>(window);
             ASSERT_NE(found, nullptr);
             ReEditDialog& dialog = *found;
             QTest::mouseClick(dialog.HighlightButton(), Qt::LeftButton); // nothing chosen yet: refused
             ChooseInReEdit(dialog, 0, 0);
             QTest::mouseClick(dialog.HighlightButton(), Qt::LeftButton);
             dialog.PieceList()->setCurrentRow(2);
             dialog.ReplacementBox()->setText(QStringLiteral("gente"));
             QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
             QTest::mouseClick(dialog.ExitButton(), Qt::LeftButton);
         },
            ModalAnswers::ReadMessage(refusal) });
    EXPECT_EQ(refusal, QStringLiteral("Tienes que elegir página y posición de palabra ..."));
    EXPECT_EQ(Doc().Text(), "hola mundo");
    EXPECT_EQ(Doc().TokenText(3), "mundo");
    EXPECT_EQ(RecordStyle(Doc().Records().Get(1)), kStyleBold);
    EXPECT_EQ(RecordStyle(Doc().Records().Get(3)), 0);
    EXPECT_NE(Picture(), before); // "hola" is drawn bold now
}

TEST_F(LanguageCommandsTest, WordSearchRemembersTheListBetweenOpenings)
{
    QString message;
    QStringList results;
    bool heldMeanwhile = false;
    Choose(command::WordSearch,
        { [&](QWidget* window) {
             heldMeanwhile = editor.commandBusy && editor.blinkHold;
             SearchCasInDiccionario(results)(window);
         },
            ModalAnswers::ReadMessage(message) });
    EXPECT_TRUE(heldMeanwhile);
    EXPECT_EQ(message, "Termine de buscar ...\r\nEncontrados 2 palabras con cas-");
    EXPECT_EQ(results, QStringList({ "casa", "castillo" }));

    Choose(command::WordSearch,
        { [&](QWidget* window) {
             auto* found = qobject_cast<WordSearchDialog*>(window);
             ASSERT_NE(found, nullptr);
             WordSearchDialog& dialog = *found;
             EXPECT_EQ(dialog.ChoiceBox()->currentText(), "03 - Diccionario solo");
             dialog.ChoiceBox()->setCurrentIndex(0); // "01 - Todas las palabras"
             dialog.SearchBox()->setText(QStringLiteral("-ar"));
             QTest::keyClick(dialog.SearchBox(), Qt::Key_Return);
             results = dialog.Results();
             dialog.reject();
         },
            ModalAnswers::ReadMessage(message) });
    EXPECT_EQ(message, "Termine de buscar ...\r\nEncontrados 2 palabras con -ar");
    EXPECT_EQ(results, QStringList({ "cantar", "casar" }));
    EXPECT_EQ(editor.wordSearch.choice, SearchChoice::All);
}

TEST_F(LanguageCommandsTest, AccentCommandPutsTheAccentsAndReportsThemTopmost)
{
    Type("Cancion y CANCION, perro");
    const QImage before = Picture();
    QString message;
    bool topmost = false;
    Choose(command::Accents, { [&](QWidget* window) {
        topmost = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        ModalAnswers::ReadMessage(message)(window);
    } });
    EXPECT_EQ(Doc().Text(), "Canci\xF3n y CANCI\xD3N, perro");
    EXPECT_EQ(message,
        QStringLiteral(
            "Encontradas 2 palabras a las que se le ha puesto tílde ortográfica ...\r\ncanción\r\ncanción\r\n"));
    EXPECT_TRUE(topmost);
    EXPECT_NE(Picture(), before);

    Choose(command::Accents, { ModalAnswers::ReadMessage(message) });
    EXPECT_EQ(message, QStringLiteral("Encontradas 0 palabras a las que se le ha puesto tílde ortográfica ..."));
}

TEST_F(LanguageCommandsTest, RepeatedWordsReportTheTwoHighestCounts)
{
    QString message;
    Choose(command::RepeatedWords, { ModalAnswers::ReadMessage(message) });
    EXPECT_EQ(message, "No Repite palabras claramente ...");

    Type(QStringLiteral("perro de ").repeated(12) + QStringLiteral("casa ").repeated(10)
        + QStringLiteral("gato ").repeated(9));
    bool topmost = true;
    Choose(command::RepeatedWords, { [&](QWidget* window) {
        topmost = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        ModalAnswers::ReadMessage(message)(window);
    } });
    EXPECT_EQ(message,
        QStringLiteral("Este trozo de texto tiene 2 palabra(s) más repetidas\r\nLo que más repite es: perro \r\n"
                       "Otra(s) que repiten: casa \r\n"));
    EXPECT_FALSE(topmost);
}

TEST_F(LanguageCommandsBeforeListsTest, AWordSearchChosenWhileTheListsLoadWaitsForThem)
{
    ASSERT_FALSE(editor.WordListsReady());
    QString message;
    QStringList results;
    ModalAnswers modal({ SearchCasInDiccionario(results), ModalAnswers::ReadMessage(message) });
    window.Menus()->Action(command::WordSearch)->trigger();
    EXPECT_EQ(modal.Used(), 0); // the dialog opens once the lists are in
    ASSERT_TRUE(QTest::qWaitFor([&] { return modal.Used() == 2 && !editor.commandBusy; }, 10000));
    EXPECT_EQ(modal.Unexpected(), 0);
    EXPECT_EQ(message, "Termine de buscar ...\r\nEncontrados 2 palabras con cas-");
    EXPECT_EQ(results, QStringList({ "casa", "castillo" }));
}
