// The window's side of unsaved work: a close request (the window manager's close button, Alt+F4)
// goes through "Salir", and Ctrl+Z is "Deshacer".
#include "ModalScript.h"
#include "app/EditSurface.h"
#include "app/MainWindow.h"
#include "app/MenuBar.h"
#include "editor/Editor.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {

class UnsavedWorkUiTest : public ::testing::Test {
protected:
    UnsavedWorkUiTest()
        : editor(folder.path().toStdString())
        , window(editor)
    {
        window.show();
        window.Initialise({});
        window.BlinkTimer().stop();
    }

    void Type(const QString& text)
    {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, window.Surface(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, window.Surface(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

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

    bool SettingsWritten() const { return QFile::exists(folder.filePath(QStringLiteral("config.ini"))); }

    QTemporaryDir folder;
    Editor editor;
    MainWindow window;
};

} // namespace

TEST_F(UnsavedWorkUiTest, ACloseRequestWithUnsavedTextAsksAndCancelarKeepsTheWindow)
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
    EXPECT_FALSE(SettingsWritten());

    // No: "Salir" runs to its end (the settings are written) and the window may close.
    ModalScript no;
    no.Message(QMessageBox::No);
    RequestClose(no);
    EXPECT_TRUE(no.AllAnswered());
    EXPECT_TRUE(SettingsWritten());
    EXPECT_TRUE(window.close());
}

TEST_F(UnsavedWorkUiTest, ACloseRequestWithNothingToLoseAsksNothingAndWritesTheSettings)
{
    ModalScript nothing;
    RequestClose(nothing);
    EXPECT_TRUE(nothing.AllAnswered());
    EXPECT_TRUE(SettingsWritten());
}

TEST_F(UnsavedWorkUiTest, CtrlZTakesBackAReplacement)
{
    Type("la casa");
    editor.ReplaceCommand("casa", "cosa");
    ASSERT_EQ(editor.GetDocument().Text(), "la cosa");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.Surface(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.GetDocument().Text(), "la casa");
    // "Deshacer" heads the "Documento" menu.
    const auto* documentMenu = window.Menus()->findChild<QMenu*>(QStringLiteral("Documento"));
    ASSERT_NE(documentMenu, nullptr);
    EXPECT_EQ(documentMenu->actions().constFirst(), window.Menus()->Action(command::Undo));
}
