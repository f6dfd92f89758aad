#include "dialogs/AboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace quirel;

TEST(AboutBox, ShowsItsTextsInTheirPlaces)
{
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), "Autor");
    EXPECT_EQ(box.size(), QSize(397, 192));

    auto* picture = box.findChild<QLabel*>("picture");
    auto* description = box.findChild<QLabel*>("description");
    auto* exitButton = box.findChild<QPushButton*>("exitButton");
    ASSERT_TRUE(picture && description && exitButton);
    EXPECT_EQ(picture->geometry(), QRect(0, 0, 150, 154));
    EXPECT_EQ(description->geometry(), QRect(152, 8, 232, 120));
    EXPECT_EQ(exitButton->geometry(), QRect(312, 152, 75, 24));

    EXPECT_EQ(description->text(),
        QString::fromUtf8("Programa realizado por quirel.example Editor de textos y documentos con formato propio. "
                          "Corrector ortográfico incluido.       Visitame!!"));
    EXPECT_EQ(description->font().family(), "Segoe Print");
    EXPECT_EQ(description->font().pointSize(), 10);
    EXPECT_TRUE(description->font().bold());
    EXPECT_EQ(description->palette().color(QPalette::WindowText), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(description->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(description->autoFillBackground());

    EXPECT_EQ(exitButton->text(), "Salir");
    EXPECT_EQ(exitButton->font().family(), "MS Sans Serif");
    EXPECT_EQ(exitButton->font().pointSize(), 8);
    EXPECT_TRUE(exitButton->font().bold());

    // The program's icon fits the picture; without the icon resource the picture stays empty.
    const QPixmap shown = picture->pixmap();
    if (QPixmap(":/icon/quirel-256.png").isNull()) {
        EXPECT_TRUE(shown.isNull());
    } else {
        ASSERT_FALSE(shown.isNull());
        EXPECT_LE(shown.width(), 150);
        EXPECT_LE(shown.height(), 154);
        EXPECT_TRUE(shown.width() == 150 || shown.height() == 154);
    }
}

TEST(AboutBox, CentredOnTheScreenEvenWithAnOwner)
{
    QWidget owner;
    owner.setGeometry(10, 10, 200, 100);
    owner.show();
    AboutBox box(&owner);
    box.show();
    const QPoint screenCentre = box.screen()->availableGeometry().center();
    const QPoint boxCentre = box.frameGeometry().center();
    EXPECT_LE((boxCentre - screenCentre).manhattanLength(), 4)
        << boxCentre.x() << "," << boxCentre.y() << " vs " << screenCentre.x() << "," << screenCentre.y();
}

TEST(AboutBox, EveryWayOutEndsWithResultZero)
{
    const std::pair<const char*, std::function<void(AboutBox&)>> ways[] = {
        { "Salir clicked", [](AboutBox& box) { QTest::mouseClick(box.ExitButton(), Qt::LeftButton); } },
        { "Enter on Salir", [](AboutBox& box) { QTest::keyClick(box.ExitButton(), Qt::Key_Return); } },
        { "Escape", [](AboutBox& box) { QTest::keyClick(&box, Qt::Key_Escape); } },
        { "window closed", [](AboutBox& box) { box.close(); } },
    };
    for (const auto& [what, leave] : ways) {
        AboutBox box;
        box.setResult(7);
        box.show();
        QSignalSpy finished(&box, &QDialog::finished);
        leave(box);
        ASSERT_EQ(finished.count(), 1) << what;
        EXPECT_EQ(finished.at(0).at(0).toInt(), 0) << what;
        EXPECT_FALSE(box.isVisible()) << what;
    }
}

TEST(AboutBox, ShowAboutWaitsForSalirWithoutBlockingOtherWindows)
{
    bool looked = false;
    QTimer::singleShot(0, [&] {
        AboutBox* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<AboutBox*>(w); box && box->isVisible()) shown = box;
        ASSERT_NE(shown, nullptr);
        looked = true;
        EXPECT_EQ(shown->windowModality(), Qt::NonModal);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        QTest::mouseClick(shown->ExitButton(), Qt::LeftButton);
    });
    // Should the box not close, the test fails instead of hanging.
    QObject guard; // the timer ends with the test
    QTimer::singleShot(10000, &guard, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<AboutBox*>(w)) box->close();
    });
    ShowAbout(nullptr);
    EXPECT_TRUE(looked);
}
