#include "ModalScript.h"

#include <QColorDialog>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void ShowBox(QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Aviso"), QStringLiteral("texto"), buttons);
    box.exec();
}

// A dialog whose one button opens a message box over it.
void ShowDialogWithBox()
{
    QDialog dialog;
    auto* button = new QPushButton(QStringLiteral("Avisar"), &dialog);
    QObject::connect(button, &QPushButton::clicked, [] { ShowBox(QMessageBox::Ok); });
    dialog.exec();
}

QPushButton* ButtonOf(QDialog& dialog)
{
    return dialog.findChild<QPushButton*>();
}

// What a script makes of the windows an action opens, the wrong ones among them.
TEST(ModalScript, AnswersItsWindowsAndReportsTheOthersWithoutHanging)
{
    struct Case {
        const char* what;
        std::function<void(ModalScript&)> write;
        std::function<void()> action;
        bool answered;
        std::size_t stepsDone;
        const char* report; // part of the failure message
        int timeLimitMs = 10000;
    };
    const Case cases[] = {
        { "a box no step expects", [](ModalScript&) {}, [] { ShowBox(QMessageBox::Ok); }, false, 0,
            "unexpected QMessageBox \"Aviso\": texto" },
        { "a box where a dialog is expected",
            [](ModalScript& script) { script.Then<QColorDialog>([](QColorDialog& chooser) { chooser.accept(); }); },
            [] { ShowBox(QMessageBox::Ok); }, false, 0, "0 of 1 steps answered; unexpected QMessageBox" },
        { "a step whose window never opens", [](ModalScript& script) { script.Message(); }, [] {}, false, 0,
            "0 of 1 steps answered" },
        { "a box without the button to press", [](ModalScript& script) { script.Message(QMessageBox::Ok); },
            [] { ShowBox(QMessageBox::Yes | QMessageBox::No); }, false, 1, "no button" },
        { "a window its step leaves open", [](ModalScript& script) { script.Then<QMessageBox>([](QMessageBox&) {}); },
            [] { ShowBox(QMessageBox::Ok); }, false, 1, "time limit reached with QMessageBox", 200 },
        { "a box over a dialog, opened inside the dialog's step",
            [](ModalScript& script) {
                script
                    .Then<QDialog>([](QDialog& dialog) {
                        ButtonOf(dialog)->click(); // the box runs its loop here
                        QTest::qWait(50); // polls see the dialog active again, its step still running
                        dialog.accept();
                    })
                    .Message();
            },
            ShowDialogWithBox, true, 2, "" },
        { "a box over a dialog, opened by a queued click",
            [](ModalScript& script) {
                script.Then<QDialog>([](QDialog& dialog) { ModalScript::Click(ButtonOf(dialog)); })
                    .Message()
                    .Then<QDialog>([](QDialog& dialog) { dialog.accept(); });
            },
            ShowDialogWithBox, true, 3, "" },
        { "one dialog shown twice",
            [](ModalScript& script) {
                for (int i = 0; i < 2; ++i)
                    script.Then<QDialog>([](QDialog& dialog) { dialog.reject(); });
            },
            [] {
                QDialog dialog;
                dialog.exec();
                dialog.exec();
            },
            true, 2, "" },
    };
    for (const Case& c : cases) {
        ModalScript script(c.timeLimitMs);
        c.write(script);
        script.Run(c.action);
        const ::testing::AssertionResult answered = script.AllAnswered();
        EXPECT_EQ(bool(answered), c.answered) << c.what << ": " << answered.message();
        EXPECT_NE(std::string(answered.message()).find(c.report), std::string::npos)
            << c.what << ": " << answered.message();
        EXPECT_EQ(script.StepsDone(), c.stepsDone) << c.what;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.what;
    }
}

TEST(ModalScript, KeepsWhatEachMessageBoxShowed)
{
    ModalScript script;
    script.Message().Message(QMessageBox::No);
    script.Run([] {
        QMessageBox first(QMessageBox::NoIcon, QStringLiteral("Uno"), QStringLiteral("primero"), QMessageBox::Ok);
        first.setWindowFlag(Qt::WindowStaysOnTopHint);
        EXPECT_EQ(first.exec(), QMessageBox::Ok);
        QMessageBox second(QMessageBox::Question, QStringLiteral("Dos"), QStringLiteral("segundo"),
            QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(second.exec(), QMessageBox::No);
    });
    EXPECT_TRUE(script.AllAnswered());
    EXPECT_EQ(script.Texts(), QStringList({ "primero", "segundo" }));
    EXPECT_EQ(script.Titles(), QStringList({ "Uno", "Dos" }));
    EXPECT_EQ(script.Topmost(), std::vector<bool>({ true, false }));
}

} // namespace
