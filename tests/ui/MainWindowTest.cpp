#include "app/MainWindow.h"

#include "RealWindowTest.h"
#include "app/FontList.h"
#include "app/MenuBar.h"
#include "app/RulerWidget.h"
#include "app/SizeList.h"
#include "dialogs/AboutBox.h"
#include "dialogs/SearchDialogs.h"
#include "document/Cp1252.h"
#include "editor/Ruler.h"
#include "io/DocumentFile.h"
#include "layout/EmoticonNames.h"
#include "platform/FaceResolver.h"
#include "platform/QtCanvas.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// The real main window over a fresh program folder.
class MainWindowTest : public RealWindowTest { };

} // namespace

TEST_F(MainWindowTest, TypingStoresEachTokensFormatAndShowsTheCaption)
{
    EXPECT_EQ(window.windowTitle(), "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 0");
    Type("a");
    Doc().Current().size = 14;
    Type("b ");
    Doc().Current().size = 16;
    Type("c");
    EXPECT_EQ(Doc().Text(), "ab c");
    EXPECT_EQ(RecordSize(Doc().Records().Get(1)), 14);
    EXPECT_EQ(RecordSize(Doc().Records().Get(2)), 14);
    EXPECT_EQ(RecordSize(Doc().Records().Get(3)), 16);
    EXPECT_EQ(window.windowTitle(), "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 3");
    // The letters are on the page shown: something dark where the first line starts.
    const QImage screen = window.Surface()->Screen();
    bool ink = false;
    for (int x = 40; x < 80 && !ink; ++x)
        for (int y = 40; y < 60 && !ink; ++y)
            ink = qGray(screen.pixel(x, y)) < 128;
    EXPECT_TRUE(ink);
}

TEST_F(MainWindowTest, SpanishLettersFromKeysAndInputMethods)
{
    Type(QStringLiteral("ñÑ¿¡«»€ü"));
    QInputMethodEvent deadKey;
    deadKey.setCommitString(QStringLiteral("é"));
    QCoreApplication::sendEvent(window.Surface(), &deadKey);
    Type(QStringLiteral("\u03b1")); // Greek alpha: not in the code page, ignored
    Key(Qt::Key_Tab, QStringLiteral("\t"));
    Key(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(Doc().Text(), Utf8ToCp1252("ñÑ¿¡«»€üé\r"));
    EXPECT_EQ(window.focusWidget(), window.Surface()); // Tab did not move the focus
}

TEST_F(MainWindowTest, ADeadKeyThatNoInputMethodTookAccentsTheNextKey)
{
    // Keys sent at once after the window got the focus come before the input method knows the
    // page takes text: the dead key reaches the page as a key of its own.
    const struct {
        Qt::Key deadKey;
        const char* next;
    } cases[] = {
        { Qt::Key_Dead_Acute, "e" }, { Qt::Key_Dead_Acute, "A" }, { Qt::Key_Dead_Diaeresis, "u" },
        { Qt::Key_Dead_Diaeresis, "U" }, { Qt::Key_Dead_Grave, "a" }, { Qt::Key_Dead_Circumflex, "o" },
        { Qt::Key_Dead_Tilde, "n" }, { Qt::Key_Dead_Acute, " " }, { Qt::Key_Dead_Diaeresis, " " },
        { Qt::Key_Dead_Acute, "b" }, // no such letter: the accent, then the b
    };
    for (const auto& c : cases) {
        Key(c.deadKey);
        Type(QString::fromUtf8(c.next));
    }
    Type(QStringLiteral("e")); // the accent went with its key
    EXPECT_EQ(Doc().Text(), Utf8ToCp1252("éÁüÜàôñ´¨´be"));
}

TEST_F(MainWindowTest, KeysThatMakeNoCharacterTypeNothing)
{
    Type("ab");
    struct Case {
        Qt::Key key;
        const char* text;
        Qt::KeyboardModifiers modifiers;
    };
    const Case keys[] = {
        { Qt::Key_Delete, "\x7f", Qt::NoModifier },
        { Qt::Key_Escape, "\x1b", Qt::NoModifier },
        { Qt::Key_K, "\x0b", Qt::ControlModifier },
        { Qt::Key_B, "\x02", Qt::ControlModifier },
        { Qt::Key_E, "\x05", Qt::ControlModifier },
        { Qt::Key_M, "\r", Qt::ControlModifier },
        { Qt::Key_Q, "q", Qt::ControlModifier },
        { Qt::Key_Insert, "", Qt::NoModifier },
        { Qt::Key_F5, "", Qt::NoModifier },
    };
    for (const Case& c : keys)
        Key(c.key, QString::fromLatin1(c.text), c.modifiers);
    QInputMethodEvent controls;
    controls.setCommitString(QStringLiteral("\x1b\x7f\x0b"));
    QCoreApplication::sendEvent(window.Surface(), &controls);
    Key(Qt::Key_At, QStringLiteral("@"), Qt::ControlModifier | Qt::AltModifier); // AltGr as some systems send it
    EXPECT_EQ(Doc().Text(), "ab@");
    Key(Qt::Key_Backspace, QStringLiteral("\b"));
    Key(Qt::Key_Enter, QString(), Qt::KeypadModifier);
    EXPECT_EQ(Doc().Text(), "ab\r");
}

TEST_F(MainWindowTest, ShortcutsRunTheirCommandsAlsoWhenTheirKeyReachesTheSurface)
{
    Type("abc");
    // The key as the surface gets it when no window is active, as right after a box closed with
    // no window manager to hand the activation back.
    auto reachesSurface = [this](Qt::Key key, const char* text) {
        for (const auto type : { QEvent::KeyPress, QEvent::KeyRelease }) {
            QKeyEvent event(type, key, Qt::ControlModifier, QString::fromLatin1(text));
            QCoreApplication::sendEvent(window.Surface(), &event);
        }
    };
    auto closeReplace = [](ReplaceDialog& dialog) { ModalScript::Click(dialog.ExitButton()); };
    ModalScript replace;
    replace.Then<ReplaceDialog>(closeReplace);
    replace.Run([&] { reachesSurface(Qt::Key_H, "\x08"); });
    EXPECT_TRUE(replace.AllAnswered());
    EXPECT_EQ(Doc().Text(), "abc"); // Ctrl+H opened "Reemplazar" and did not act as Backspace

    // Through the window's own shortcuts the command runs once.
    ModalScript once;
    once.Then<ReplaceDialog>(closeReplace);
    once.Run([&] { Key(Qt::Key_H, QStringLiteral("\x08"), Qt::ControlModifier); });
    EXPECT_TRUE(once.AllAnswered());
    EXPECT_EQ(Doc().Text(), "abc");

    ModalScript discard; // "Nuevo" asks about the unsaved text
    discard.Message(QMessageBox::No).Run([&] { reachesSurface(Qt::Key_N, "\x0e"); });
    EXPECT_TRUE(discard.AllAnswered());
    EXPECT_EQ(Doc().Text(), "");
}

TEST_F(MainWindowTest, AHeldKeyTypesOnceAndOverlappingKeysKeepTheirOrder)
{
    QTest::sendKeyEvent(QTest::Press, window.Surface(), Qt::Key_A, QStringLiteral("a"), Qt::NoModifier);
    for (int i = 0; i < 3; ++i) {
        QTest::sendKeyEvent(QTest::Release, window.Surface(), Qt::Key_A, QStringLiteral("a"), Qt::NoModifier);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
        QCoreApplication::sendEvent(window.Surface(), &repeat);
    }
    QKeyEvent lastRelease(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), false);
    QCoreApplication::sendEvent(window.Surface(), &lastRelease);
    EXPECT_EQ(Doc().Text(), "a");

    QTest::sendKeyEvent(QTest::Press, window.Surface(), Qt::Key_B, QStringLiteral("b"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Press, window.Surface(), Qt::Key_C, QStringLiteral("c"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, window.Surface(), Qt::Key_C, QStringLiteral("c"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, window.Surface(), Qt::Key_B, QStringLiteral("b"), Qt::NoModifier);
    EXPECT_EQ(Doc().Text(), "abc");
}

TEST_F(MainWindowTest, BackspaceAfterAnEmoticonRemovesOnlyItsEndMarker)
{
    Type("x");
    Doc().InsertEmoticon(3);
    Key(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(Doc().Text(), "x\x06       ");
}

TEST_F(MainWindowTest, PageKeysAndTheWheel)
{
    Type(QString(60, QChar('\r')) + "x");
    ASSERT_EQ(Doc().Pages().pageCount, 2);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(window.windowTitle(), "Pagina 1 de 2 TAB: 6 Margen: 40 quirel: 61");
    Key(Qt::Key_End);
    EXPECT_EQ(Doc().Pages().shownPage, 2);
    Key(Qt::Key_Home);
    EXPECT_EQ(Doc().Pages().shownPage, 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Doc().Pages().shownPage, 2);

    auto wheel = [this](int delta) {
        QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window.Surface(), &event);
    };
    wheel(120);
    EXPECT_EQ(editor.View().scrollOffset, 0);
    for (int i = 0; i < 39; ++i)
        wheel(-120);
    EXPECT_EQ(editor.View().scrollOffset, -570);
}

TEST_F(MainWindowTest, RulerClicksSetTheMarginAndTheTabButtonTypesBlanks)
{
    auto click = [this](int cell, int y) {
        const QPoint at(ruler::CellLeft(cell) + 2 + RulerWidget::kBorder, y + RulerWidget::kBorder);
        QTest::mouseClick(window.Ruler(), Qt::LeftButton, Qt::NoModifier, at);
    };
    click(7, 17);
    EXPECT_EQ(editor.GetSettings().margin, 70);
    EXPECT_EQ(window.windowTitle(), "Pagina 1 de 1 TAB: 6 Margen: 70 quirel: 0");
    click(23, 17);
    EXPECT_EQ(editor.GetSettings().margin, 70);
    click(4, 17);
    EXPECT_EQ(editor.GetSettings().margin, 40);
    click(41, 7);
    EXPECT_EQ(editor.GetSettings().tabWidth, 6);

    QTest::mousePress(window.Ruler(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::qWait(RulerWidget::kTabPressMs + 150);
    EXPECT_EQ(Doc().Text(), std::string(6, ' '));
    EXPECT_EQ(Doc().TokenCount(), 6);
}

TEST_F(MainWindowTest, SizeListShowsTheConfiguredSize)
{
    struct Case {
        const char* size;
        QString shown;
    };
    for (const Case& c : { Case { "9", "09" }, Case { "90", "90" }, Case { "91", "" }, Case { "5", "" } }) {
        TempFolder configured;
        configured.Write("config.ini", "[Formato]\r\nTama\xF1o=" + std::string(c.size) + "\r\n");
        Editor configuredEditor(configured.Path());
        MainWindow configuredWindow(configuredEditor);
        Open(configuredWindow);
        EXPECT_EQ(configuredWindow.Sizes()->count(), 82);
        EXPECT_EQ(configuredWindow.Sizes()->currentText(), c.shown) << c.size;
    }
    EXPECT_EQ(window.Emoticons()->count(), kEmoticonCount);
    EXPECT_EQ(window.Emoticons()->itemText(1), QStringLiteral("pestañear"));
    EXPECT_FALSE(window.Fonts()->isEnabled());
}

TEST_F(MainWindowTest, ASizeTypedInTheSizeListActsOnReturnOnlyWhenItIsOneOfTheList)
{
    QLineEdit* field = window.Sizes()->lineEdit();
    struct Case {
        const char* typed;
        int size; // the size for new text afterwards
    };
    const Case cases[] = { { "7", 10 }, { "9", 9 }, { "70", 70 }, { "95", 70 }, { "91", 70 }, { "1x", 70 },
        { " 12", 12 }, { "", 12 } };
    // The keyboard's keys reach the combo box, which stands in for its field; keys sent to the
    // field itself must act the same.
    for (QWidget* target : { static_cast<QWidget*>(window.Sizes()), static_cast<QWidget*>(field) }) {
        SCOPED_TRACE(target == field ? "keys to the field" : "keys to the size list");
        editor.Run({ command::ChooseSize, 10 });
        for (const Case& c : cases) {
            field->clear();
            QTest::keyClicks(target, QString::fromLatin1(c.typed));
            EXPECT_EQ(field->text(), QString::fromLatin1(c.typed)); // nothing is completed
            QTest::keyClick(target, Qt::Key_Return);
            EXPECT_EQ(Doc().Current().size, c.size) << c.typed;
            EXPECT_EQ(field->text(), QStringLiteral("%1").arg(c.size, 2, 10, QLatin1Char('0'))) << c.typed;
        }
        // Leaving the field without Return drops what was typed.
        field->clear();
        QTest::keyClicks(target, QStringLiteral("33"));
        QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(target, &focusOut);
        EXPECT_EQ(field->text(), "12");
        EXPECT_EQ(Doc().Current().size, 12);
    }
}

// The main window over a program folder whose config.ini holds config.
class ConfiguredWindowTest : public RealWindowTest {
protected:
    explicit ConfiguredWindowTest(std::string config)
        : RealWindowTest([config](const std::filesystem::path& programFolder) {
            std::ofstream(programFolder / "config.ini", std::ios::binary) << config;
        })
    {
    }
};

class SizeTwentyWindowTest : public ConfiguredWindowTest {
protected:
    SizeTwentyWindowTest()
        : ConfiguredWindowTest("[Formato]\r\nTama\xF1o=20\r\n")
    {
    }
};

class CandaraWindowTest : public ConfiguredWindowTest {
protected:
    CandaraWindowTest()
        : ConfiguredWindowTest("[Formato]\r\nFuente=Candara\r\n")
    {
    }
};

TEST_F(SizeTwentyWindowTest, AfterReadingADocumentTheSizeListShowsTheSizeOfNewText)
{
    EXPECT_EQ(window.Sizes()->currentText(), "20");
    Type("hola");
    const std::filesystem::path file = folder.Path() / "hola.4tf";
    ASSERT_EQ(WriteDocument(Doc(), file), DocumentFileStatus::Done);
    editor.OpenStartDocument(file.string()); // as a file named at start-up, read like "Leer Documento" reads one
    EXPECT_EQ(Doc().Current().size, 11);
    EXPECT_EQ(window.Sizes()->currentText(), "11");
}

TEST_F(CandaraWindowTest, TheFontListShowsTheFaceThatStandsInForTheConfiguredOne)
{
    const QStringList standIns = FaceResolver::Shared().StandIns(QStringLiteral("Candara"));
    if (standIns.isEmpty()) GTEST_SKIP() << "Candara is installed, or none of its stand-ins is";
    EXPECT_EQ(window.Fonts()->currentText(), standIns.constFirst());
    EXPECT_EQ(Doc().Fonts().Name(0), "Candara"); // the document keeps the configured name
}

TEST_F(MainWindowTest, TheAboutBoxLeavesTheMainWindowUsable)
{
    int boxes = -1;
    QTimer::singleShot(0, &window, [&] {
        // Typed through the window system, which holds back input from windows under a modal one.
        QTest::keyClick(window.windowHandle(), 'x');
        window.Dispatch(command::About); // a second "Autor" is kept out while the first is open
        const auto all = QApplication::topLevelWidgets();
        boxes = static_cast<int>(std::count_if(
            all.begin(), all.end(), [](QWidget* w) { return qobject_cast<AboutBox*>(w) && w->isVisible(); }));
        for (QWidget* w : all)
            if (auto* box = qobject_cast<AboutBox*>(w)) QTest::mouseClick(box->ExitButton(), Qt::LeftButton);
    });
    // Should the box not close, the test fails instead of hanging.
    QTimer::singleShot(10000, &window, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<AboutBox*>(w)) box->close();
    });
    window.Dispatch(command::About);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(Doc().Text(), "x");
}

TEST_F(MainWindowTest, TheWindowShowsThePageAfterEveryKeystrokeAndBlink)
{
    // Keystrokes and blinks draw only what changed on the page; what reaches the screen must still
    // be the whole page as the work surface holds it, also after scrolling and paging.
    const QPoint origin = window.Surface()->mapTo(&window, QPoint(0, 0));
    auto expectScreenShowsPage = [&](const std::string& step) {
        QCoreApplication::processEvents();
        const QImage screen = window.screen()
                                  ->grabWindow(window.winId(), origin.x(), origin.y(), kPageWidth, kPageBodyHeight)
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32);
        const QImage expected = window.Surface()->Screen();
        ASSERT_EQ(screen.size(), expected.size()) << step;
        for (int y = 0; y < expected.height(); ++y) {
            ASSERT_EQ(std::memcmp(screen.constScanLine(y), expected.constScanLine(y), kPageWidth * sizeof(QRgb)), 0)
                << step << ": the screen differs from the page on row " << y;
        }
    };
    expectScreenShowsPage("start");
    const QString words = QStringLiteral("El ni\u00f1o come pan con queso y bebe agua fresca del r\u00edo. ");
    for (int round = 0; round < 4; ++round) {
        for (const QChar c : words) {
            Key(Qt::Key_unknown, QString(c));
            expectScreenShowsPage("typing");
        }
        editor.Run(command::BlinkTick);
        expectScreenShowsPage("blink");
    }
    for (int i = 0; i < 10; ++i) {
        Key(Qt::Key_Backspace, QStringLiteral("\b"));
        expectScreenShowsPage("erasing");
    }
    Type(QString(60, QChar('\r')) + "x");
    ASSERT_EQ(Doc().Pages().pageCount, 2);
    expectScreenShowsPage("new page");
    Type(" uno");
    expectScreenShowsPage("typing on the new page");
    Key(Qt::Key_PageUp);
    expectScreenShowsPage("page up");
    Key(Qt::Key_PageDown);
    expectScreenShowsPage("page down");
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.Surface(), &wheel);
    expectScreenShowsPage("scrolled");
    Type("yz");
    expectScreenShowsPage("typing while scrolled");
    editor.Run(command::BlinkTick);
    expectScreenShowsPage("blink while scrolled");
}

TEST_F(MainWindowTest, AKeystrokeDrawsOnlyTheEndOfThePageAgain)
{
    // The parts of the editing surface drawn again, as its paint events ask for them.
    struct PaintedAreas : QObject {
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) areas.push_back(static_cast<QPaintEvent*>(event)->rect());
            return false;
        }
        std::vector<QRect> areas;
    } painted;
    Type(QString(20, QChar('\r')) + "Hola, buenos ");
    QCoreApplication::processEvents();
    window.Surface()->installEventFilter(&painted);
    auto expectSmallArea = [&](const char* step) {
        QCoreApplication::processEvents();
        ASSERT_EQ(painted.areas.size(), 1u) << step;
        EXPECT_LT(painted.areas[0].height(), 40) << step;
        EXPECT_LT(painted.areas[0].width(), 100) << step;
        painted.areas.clear();
    };
    Type("d");
    expectSmallArea("a letter");
    editor.Run(command::BlinkTick);
    expectSmallArea("a blink");
    // After a scroll the whole surface is drawn once; the next keystroke again draws little.
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.Surface(), &wheel);
    QCoreApplication::processEvents();
    ASSERT_EQ(painted.areas.size(), 1u);
    EXPECT_EQ(painted.areas[0], window.Surface()->rect());
    painted.areas.clear();
    Type("\u00ed");
    expectSmallArea("a letter after scrolling");
    // A new page is drawn whole (twice: at the page break and when laid out); the next keystroke
    // again draws little.
    Type(QString(60, QChar('\r')) + "x");
    ASSERT_EQ(Doc().Pages().pageCount, 2);
    QCoreApplication::processEvents();
    painted.areas.clear();
    Type(" ");
    expectSmallArea("a blank on the new page");
}

TEST_F(MainWindowTest, TheInsertionPointFollowsArrowsDeleteAndAClickAndItsCaretIsDrawn)
{
    Type("uno dos\rtres");
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window.Surface(), k, modifiers);
    };
    const auto caret = [&] { return editor.Insertion().Position(Doc().Text().size()); };
    key(Qt::Key_Left);
    EXPECT_EQ(caret(), 11u);
    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(caret(), 8u);
    key(Qt::Key_Up);
    EXPECT_EQ(caret(), 0u) << "the first line, at the x of the second line's start";
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(caret(), 4u);
    key(Qt::Key_Delete);
    EXPECT_EQ(Doc().Text(), "uno os\rtres");
    key(Qt::Key_Down);
    EXPECT_EQ(Doc().Pages().shownPage, 1);
    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(editor.Insertion().AtEnd());
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(caret(), 0u);

    // A click left of the second line puts it at the line's start; the caret is drawn there in
    // the cursor colour, over the page picture, which stays clean.
    QTest::mouseClick(window.Surface(), Qt::LeftButton, Qt::NoModifier, QPoint(5, editor.View().cursorY + 30));
    EXPECT_EQ(caret(), 7u);
    const ViewState& view = editor.View();
    ASSERT_TRUE(view.insertionInside);
    editor.View().caretOn = true;
    const QImage shown = window.Surface()->grab().toImage();
    const QColor cursor
        = QColor::fromRgb(QtCanvas::ToRgb(static_cast<std::uint32_t>(editor.GetSettings().cursorColor)));
    EXPECT_EQ(shown.pixelColor(view.cursorX, view.cursorY + view.cursorLineHeight / 2), cursor);
    const QImage page = window.Surface()->Screen();
    EXPECT_EQ(page.pixelColor(view.cursorX, view.cursorY + view.cursorLineHeight / 2), QColor(Qt::white));
    Type("X");
    EXPECT_EQ(Doc().Text(), "uno os\rXtres");
}
