// What the program tells the user on its own (a background write that failed) never takes the
// keyboard, and the question about a recovery copy deletes it only on an explicit "No".
#include "RealWindowTest.h"
#include "app/NoticeBar.h"
#include "language/WordRecord.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// A program folder whose word list knows the typed words and whose word memory (rey.log) is a
// folder: the first finished word fails to be remembered.
class BackgroundNoticesTest : public RealWindowTest {
protected:
    BackgroundNoticesTest()
        : RealWindowTest([](const std::filesystem::path& programFolder) {
            QFile out(QtPath(programFolder / "diccionario.log"));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            for (const char* word : { "zapatilla", "camino", "ventana" }) {
                WordRecordBytes record {};
                ASSERT_TRUE(EncodeWordRecord(word, record));
                out.write(reinterpret_cast<const char*>(record.data()), static_cast<qint64>(record.size()));
            }
            std::filesystem::create_directory(programFolder / "rey.log");
        })
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return editor.Lists().Ready(); }, 10000));
    }
};

} // namespace

TEST_F(BackgroundNoticesTest, AFailedWriteWhileTypingShowsANoticeAndNoKeyIsLost)
{
    window.activateWindow();
    window.Surface()->setFocus();
    const int baseHeight = window.height();
    ModalScript noWindows; // any window that opens fails the test
    noWindows.Run([&] { Type(QStringLiteral("zapatilla camino ventana ")); });
    EXPECT_TRUE(noWindows.AllAnswered());
    EXPECT_EQ(Doc().Text(), "zapatilla camino ventana ");

    NoticeBar* bar = window.Notices();
    ASSERT_EQ(bar->Count(), 1); // once per run and cause
    const auto* text = bar->findChild<QLabel*>(QStringLiteral("noticeText"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().startsWith(QStringLiteral("No se ha podido grabar en la memoria de palabras\n")))
        << text->text().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), window.Surface());
    for (const QWidget* part : bar->findChildren<QWidget*>())
        EXPECT_EQ(part->focusPolicy(), Qt::NoFocus) << part->objectName().toStdString();
    // The bar sits between the ruler and the page, which moved down with the window: it covers nothing.
    EXPECT_TRUE(bar->isVisible());
    EXPECT_LE(bar->geometry().bottom(), window.Surface()->geometry().top());
    EXPECT_EQ(window.height(), baseHeight + bar->height());

    // Its button closes it, and everything is back in place.
    auto* close = bar->findChild<QToolButton*>(QStringLiteral("noticeClose"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(bar->Count(), 0);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(window.height(), baseHeight);
    EXPECT_EQ(window.Surface()->y(), 55);
    EXPECT_EQ(QApplication::focusWidget(), window.Surface());
}

TEST(RecoveryQuestionTest, OnlyNoAnswersNoEscapeAndTheCloseButtonAnswerNothing)
{
    using Answer = Prompts::Answer;
    struct Case {
        const char* what;
        std::function<void(QMessageBox&)> act;
        Answer answer;
    };
    const Case cases[] = {
        { "Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, Answer::Cancel },
        { "close button", [](QMessageBox& box) { box.close(); }, Answer::Cancel },
        { "No", [](QMessageBox& box) { ModalScript::Click(box.button(QMessageBox::No)); }, Answer::No },
        // A letter typed while the box comes up answers nothing, not even the underlined one of No.
        { "a typed n, then Escape",
            [](QMessageBox& box) {
                QTest::keyClick(&box, Qt::Key_N);
                QTest::keyClick(&box, Qt::Key_Escape);
            },
            Answer::Cancel },
        { "Si", [](QMessageBox& box) { ModalScript::Click(box.button(QMessageBox::Yes)); }, Answer::Yes },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QtPrompts prompts;
        ModalScript script;
        script.Then<QMessageBox>([&](QMessageBox& box) {
            // Only the two answers show.
            int shown = 0;
            for (const QAbstractButton* button : box.buttons())
                shown += button->isVisibleTo(&box) ? 1 : 0;
            EXPECT_EQ(shown, 2);
            c.act(box);
        });
        Answer answer = Answer::Yes;
        script.Run(
            [&] { answer = prompts.AskYesNoOrClose("Quirel se cerr\xF3 sin grabar el documento. \xBFRecuperarlo?"); });
        EXPECT_TRUE(script.AllAnswered());
        EXPECT_EQ(answer, c.answer);
    }
}
