#include "RealWindowTest.h"

#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// The real main window; the settings it saves are read back from config.ini.
class MenuCommandsTest : public RealWindowTest {
protected:
    QByteArray Config() { return QByteArray::fromStdString(folder.Read("config.ini")); }

    // Asks the window to close, as a window manager does, while script answers what that asks
    // (the question comes once the request has been handled). True when the window closed at once.
    bool RequestClose(ModalScript& script)
    {
        bool closed = false;
        script.Run([&] {
            closed = window.close();
            QTest::qWait(200);
        });
        return closed;
    }
};

} // namespace

TEST_F(MenuCommandsTest, StyleItemsToggleTheRecordsOfNewTextAndTheirChecks)
{
    Choose(command::Bold);
    Choose(command::Italic);
    Type("a ");
    Choose(command::Bold);
    Type("b");
    EXPECT_EQ(RecordStyle(Doc().Records().Get(1)), kStyleBold | kStyleItalic);
    EXPECT_EQ(RecordStyle(Doc().Records().Get(3)), kStyleItalic);
    EXPECT_FALSE(window.Menus()->Action(command::Bold)->isChecked());
    EXPECT_TRUE(window.Menus()->Action(command::Italic)->isChecked());
}

TEST_F(MenuCommandsTest, SuperscriptAndSubscriptSizesAndTheSizeList)
{
    std::vector<int> sizes { Doc().Current().size };
    for (int id : { command::Superscript, command::Subscript, command::Subscript, command::Superscript }) {
        Choose(id);
        sizes.push_back(Doc().Current().size);
    }
    EXPECT_EQ(sizes, (std::vector<int> { 10, 6, 6, 6, 6 }));
    EXPECT_FALSE(window.Sizes()->isEnabled()); // stays off after subscript until "Nuevo"
    ModalScript script; // the markers are unsaved changes: "No" to saving them
    script.Message(QMessageBox::No).Run([&] { Choose(command::New); });
    EXPECT_TRUE(script.AllAnswered());
    EXPECT_TRUE(window.Sizes()->isEnabled());
}

TEST_F(MenuCommandsTest, ColourCommandsAndTheirSwatches)
{
    const QImage before = window.Menus()->Action(command::TextColour)->icon().pixmap(16, 16).toImage();
    Choose(command::BackgroundColour); // no favourite chosen yet: black
    EXPECT_EQ(Doc().Current().background, 0u);
    EXPECT_TRUE(Config().contains("Fondo=0\r\n"));
    editor.Format().SelectColour(0x0000FF);
    Choose(command::TextColour);
    const QImage after = window.Menus()->Action(command::TextColour)->icon().pixmap(16, 16).toImage();
    EXPECT_NE(before, after);
    EXPECT_TRUE(Config().contains("Texto=255\r\n"));
    Choose(command::DocumentColours);
    EXPECT_TRUE(Config().contains("Fondo=16777215\r\nTexto=0\r\n"));
}

TEST_F(MenuCommandsTest, SizeChoiceLaysOutAgainAndIsSaved)
{
    Type("hola");
    const int index = window.Sizes()->findText(QStringLiteral("12"));
    window.Sizes()->setCurrentIndex(index);
    emit window.Sizes()->activated(index);
    EXPECT_EQ(Doc().Current().size, 12);
    EXPECT_TRUE(Config().contains("Tama\xF1o=12\r\n"));
}

TEST_F(MenuCommandsTest, NewKeepsTheOldCountInTheCaptionAndQuitSavesTheSettings)
{
    Type("uno dos");
    ModalScript script;
    script.Message(QMessageBox::No).Run([&] { Choose(command::New); });
    EXPECT_TRUE(script.AllAnswered());
    EXPECT_EQ(Doc().Text(), "");
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("quirel: 3")));
    EXPECT_TRUE(Config().isEmpty());
    Choose(command::Quit);
    EXPECT_TRUE(Config().startsWith("[Colores]\r\nFondo=16777215\r\n"));
}

TEST_F(MenuCommandsTest, GuardedCommandsAreIgnoredWhileAnotherRuns)
{
    Type("x");
    bool ignored = false;
    editor.Gate().RunGuarded([&] {
        Choose(command::Recover);
        Choose(command::SpellingSensor); // not guarded
        ignored = editor.Gate().GuardedCommandRunning();
    });
    EXPECT_TRUE(ignored);
    EXPECT_TRUE(editor.Lists().Words().spellingSensor);
    Choose(command::SpellingSensor);
    EXPECT_FALSE(editor.Lists().Words().spellingSensor);
    Choose(command::SpellingSensor);
    EXPECT_TRUE(editor.Lists().Words().spellingSensor);
    EXPECT_TRUE(window.Menus()->Action(command::SpellingSensor)->isChecked());
}

TEST_F(MenuCommandsTest, EmoticonWithoutChoiceIsRandomAndShownInTheList)
{
    ASSERT_EQ(window.Emoticons()->currentIndex(), -1);
    Choose(command::InsertEmoticon);
    const int number = RecordEmoticon(Doc().Records().Get(Doc().TokenCount()));
    EXPECT_GE(number, 1);
    EXPECT_EQ(window.Emoticons()->currentIndex(), number - 1);
}

TEST_F(MenuCommandsTest, ACloseRequestWithUnsavedTextAsksAndCancelarKeepsTheWindow)
{
    Type("hola");
    ModalScript cancel;
    cancel.Message(QMessageBox::Cancel);
    EXPECT_FALSE(RequestClose(cancel));
    EXPECT_TRUE(cancel.AllAnswered());
    EXPECT_EQ(
        cancel.Texts(), QStringList { QStringLiteral("El documento tiene cambios sin grabar. ¿Quiere grabarlos?") });
    EXPECT_EQ(cancel.Titles(), QStringList { QStringLiteral("Programador") });
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(Config().isEmpty());

    // No: "Salir" runs to its end (the settings are written) and the window may close.
    ModalScript no;
    no.Message(QMessageBox::No);
    RequestClose(no);
    EXPECT_TRUE(no.AllAnswered());
    EXPECT_TRUE(Config().startsWith("[Colores]"));
    EXPECT_TRUE(window.close());
}

TEST_F(MenuCommandsTest, ACloseRequestWithNothingToLoseAsksNothingAndWritesTheSettings)
{
    ModalScript nothing;
    RequestClose(nothing);
    EXPECT_TRUE(nothing.AllAnswered());
    EXPECT_TRUE(Config().startsWith("[Colores]"));
}

TEST_F(MenuCommandsTest, CtrlZTakesBackAReplacement)
{
    Type("la casa");
    // A rewrite as "Reemplazar" makes it, with the step it leaves.
    editor.Unsaved().AsUndoStep([&] { Doc().SetText("la cosa"); });
    editor.Run(command::Rebuild);
    ASSERT_EQ(Doc().Text(), "la cosa");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.Surface(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Doc().Text(), "la casa");
    // Ctrl+Y and Ctrl+Shift+Z bring it back, and take back the typing before it.
    QTest::keyClick(window.Surface(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Doc().Text(), "la cosa");
    QTest::keyClick(window.Surface(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.Surface(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Doc().Text(), "la ");
    QTest::keyClick(window.Surface(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Doc().Text(), "la casa");
    // "Deshacer" heads the "Documento" menu, "Rehacer" follows it.
    const auto* documentMenu = window.Menus()->findChild<QMenu*>(QStringLiteral("Documento"));
    ASSERT_NE(documentMenu, nullptr);
    EXPECT_EQ(documentMenu->actions().constFirst(), window.Menus()->Action(command::Undo));
    EXPECT_EQ(documentMenu->actions().at(1), window.Menus()->Action(command::Redo));
    EXPECT_EQ(documentMenu->actions().at(1)->text(), QStringLiteral("Rehacer"));
}
