#pragma once

#include "ModalScript.h"
#include "TempFolder.h"
#include "app/EditSurface.h"
#include "app/MainWindow.h"
#include "app/MenuBar.h"
#include "editor/Editor.h"

#include <QDir>
#include <QString>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace quirel::test {

// A file system path as Qt text.
inline QString QtPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// Shows the main window and starts it as the program does, then stops the cursor blink to keep
// the pictures still while a test looks at them.
inline void Open(MainWindow& window)
{
    window.show();
    window.Initialise({});
    window.BlinkTimer().stop();
}

// The real main window over a fresh program folder, with the user's ways in: keys, typing and
// menu commands.
class RealWindowTest : public ::testing::Test {
protected:
    // prepare writes into the program folder what the program finds when it starts (settings,
    // word lists).
    using Prepare = std::function<void(const std::filesystem::path& programFolder)>;

    explicit RealWindowTest(const Prepare& prepare = {})
        : editor(Prepared(folder, prepare))
        , window(editor)
    {
        Open(window);
    }

    // As above, answering the modal windows of the start: expect (when given) writes their steps into
    // starting, which answers them while the window starts; any other window there fails the test.
    RealWindowTest(const Prepare& prepare, const std::function<void(ModalScript&)>& expect)
        : editor(Prepared(folder, prepare))
        , window(editor)
    {
        if (expect) expect(starting);
        window.show();
        starting.Run([&] { window.Initialise({}); });
        EXPECT_TRUE(starting.AllAnswered());
        window.BlinkTimer().stop();
    }

    // A key as the keyboard sends it: down with its text, then up.
    void Key(Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Press, window.Surface(), key, text, modifiers);
        QTest::sendKeyEvent(QTest::Release, window.Surface(), key, text, modifiers);
    }

    // Characters as their keys type them; a line end is the Return key.
    void Type(const QString& text)
    {
        for (const QChar c : text)
            Key(c == QLatin1Char('\r') ? Qt::Key_Return : Qt::Key_unknown, QString(c));
    }

    // Chooses a menu item that opens no window.
    void Choose(int id) { window.Menus()->Action(id)->trigger(); }

    // Chooses a menu item while the script answers the modal windows it opens; the test fails on a
    // window the script does not expect, when its steps are not all used, or when the command has
    // not ended (still busy or holding the cursor blink).
    void Choose(int id, ModalScript& script)
    {
        SCOPED_TRACE("command " + std::to_string(id));
        script.Run([&] { Choose(id); });
        ExpectAnswered(script);
        EXPECT_FALSE(editor.Gate().GuardedCommandRunning());
        EXPECT_FALSE(editor.BlinkHeld());
    }

    // Every window was answered, and the program's message boxes carry its title.
    static void ExpectAnswered(const ModalScript& script)
    {
        EXPECT_TRUE(script.AllAnswered());
        for (const QString& title : script.Titles())
            EXPECT_EQ(title, QStringLiteral("Programador"));
    }

    Document& Doc() { return editor.GetDocument(); }

    // A file or folder in the program folder.
    QString FilePath(const QString& name) const { return QDir(QtPath(folder.Path())).filePath(name); }

    TempFolder folder;
    Editor editor;
    MainWindow window;
    ModalScript starting; // the windows the start opened, when the test expects any

private:
    static std::filesystem::path Prepared(const TempFolder& folder, const Prepare& prepare)
    {
        if (prepare) prepare(folder.Path());
        return folder.Path();
    }
};

} // namespace quirel::test
