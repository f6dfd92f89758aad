#include "app/RulerWidget.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace quirel;

namespace {
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrey = qRgb(0xC0, 0xC0, 0xC0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kDark = qRgb(0x40, 0x40, 0x40);
const QRgb kShadow = qRgb(0x80, 0x80, 0x80);
const QRgb kFace = qRgb(0xD4, 0xD0, 0xC8);

// Middle of the square of cell t in the tab row (y 5 to 9) or the margin row (y 15 to 19).
QPoint TabSquare(int t)
{
    return { 10 * t + 19, 7 };
}
QPoint MarginSquare(int t)
{
    return { 10 * t + 19, 17 };
}

struct PixelCase {
    const char* what;
    QPoint at;
    QRgb colour;
};

void ExpectPixels(const QImage& picture, const std::vector<PixelCase>& cases)
{
    for (const PixelCase& c : cases)
        EXPECT_EQ(picture.pixel(c.at), c.colour) << c.what << " at " << c.at.x() << "," << c.at.y();
}

// A click on the ruler at a position of its picture (inside the border).
void ClickPicture(RulerWidget& ruler, QPoint at)
{
    QTest::mouseClick(&ruler, Qt::LeftButton, {}, at + QPoint(RulerWidget::kBorder, RulerWidget::kBorder));
}
} // namespace

TEST(RulerWidget, CellsAlternateAndShowTheMarginsAndTheLimits)
{
    RulerWidget ruler(40);
    ASSERT_EQ(ruler.Picture().size(), QSize(820, 26));
    ExpectPixels(ruler.Picture(),
        {
            { "even cell inside", TabSquare(6), kWhite },
            { "even cell outline", { 77, 5 }, kBlack },
            { "even cell, margin row", MarginSquare(6), kWhite },
            { "odd cell", TabSquare(5), kBlack },
            { "odd cell, margin row", MarginSquare(5), kBlack },
            { "gap between cells", { 84, 7 }, kWhite },
            { "gap between rows", { 79, 12 }, kWhite },
            { "left margin cell 4", TabSquare(4), kGrey },
            { "left margin cell 4 outline", { 57, 15 }, kGrey },
            { "cell 5 starts the text", MarginSquare(5), kBlack },
            { "cell 75 before the right margin", TabSquare(75), kBlack },
            { "right margin from cell 76 (794 - 40 = 754)", MarginSquare(76), kGrey },
            { "last cell 79", TabSquare(79), kGrey },
            { "tab limit 40", TabSquare(40), kRed },
            { "tab limit outline", { 417, 5 }, kRed },
            { "cell 40 margin row", MarginSquare(40), kWhite },
            { "margin limit 22", MarginSquare(22), kRed },
            { "cell 22 tab row", TabSquare(22), kWhite },
        });
}

TEST(RulerWidget, NewMarginRedrawsBothWays)
{
    RulerWidget ruler(40);
    ruler.SetMargin(220);
    ExpectPixels(ruler.Picture(),
        {
            { "cell 21 inside the margin", TabSquare(21), kGrey },
            { "cell 22 stays red above the grey", MarginSquare(22), kRed },
            { "cell 22 tab row grey", TabSquare(22), kGrey },
            { "cell 23 outside", TabSquare(23), kBlack },
            { "cell 57 (570 < 574)", TabSquare(57), kBlack },
            { "cell 58 (580 >= 574)", TabSquare(58), kGrey },
        });
    ruler.SetMargin(40);
    ExpectPixels(ruler.Picture(),
        {
            { "cell 21 back to odd black", TabSquare(21), kBlack },
            { "cell 10 back to even white", MarginSquare(10), kWhite },
            { "cell 58 back to even white", TabSquare(58), kWhite },
        });
}

TEST(RulerWidget, TabButtonRaisedAndPressed)
{
    QImage picture(820, 26, QImage::Format_RGB32);
    picture.fill(Qt::white);
    DrawTabButton(picture, TabLook::Released);
    ExpectPixels(picture,
        {
            { "light top edge", { 12, 5 }, kWhite },
            { "light left edge", { 4, 12 }, kWhite },
            { "shadow right", { 23, 6 }, kShadow },
            { "shadow bottom", { 12, 18 }, kShadow },
            { "dark right", { 24, 12 }, kDark },
            { "dark bottom", { 12, 19 }, kDark },
            { "face", { 5, 6 }, kFace },
            { "outside", { 25, 12 }, kWhite },
        });
    DrawTabButton(picture, TabLook::Pressed);
    ExpectPixels(picture,
        {
            { "flat top", { 12, 5 }, kFace },
            { "flat left", { 4, 12 }, kFace },
            { "flat right", { 23, 6 }, kFace },
            { "flat bottom", { 12, 18 }, kFace },
            { "dark right", { 24, 12 }, kDark },
            { "dark bottom", { 12, 19 }, kDark },
            { "outside", { 25, 12 }, kWhite },
        });

    // The caption is drawn in the dark colour on the face.
    int darkest = 255;
    for (int y = 7; y < 18; ++y)
        for (int x = 6; x < 23; ++x)
            darkest = std::min(darkest, qRed(picture.pixel(x, y)));
    EXPECT_LT(darkest, 0x90);
}

TEST(RulerWidget, ShownInsideABlackBorder)
{
    RulerWidget ruler(40);
    ruler.show();
    const QImage shown = ruler.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(820, 26));
    EXPECT_EQ(shown.pixel(0, 0), kBlack);
    EXPECT_EQ(shown.pixel(819, 25), kBlack);
    EXPECT_EQ(shown.pixel(500, 25), kBlack);
    EXPECT_EQ(shown.pixel(TabSquare(6) + QPoint(1, 1)), kWhite);
    EXPECT_EQ(shown.pixel(TabSquare(40) + QPoint(1, 1)), kRed);
}

TEST(RulerWidget, ClicksOnCellsReportTheCellOfTheirRow)
{
    struct ClickCase {
        const char* what;
        QPoint at;
        int margin; // expected MarginCellClicked argument, 0 for none
        int tab; // expected TabCellClicked argument, 0 for none
    };
    const ClickCase cases[] = {
        { "margin row cell 4", MarginSquare(4), 4, 0 },
        { "margin row cell 1 left edge", { 27, 15 }, 1, 0 },
        { "margin row cell 22, the largest", MarginSquare(22), 22, 0 },
        { "margin row cell 23", MarginSquare(23), 0, 0 },
        { "margin row cell 79", MarginSquare(79), 0, 0 },
        { "tab row cell 1", TabSquare(1), 0, 1 },
        { "tab row cell 40, the largest", TabSquare(40), 0, 40 },
        { "tab row cell 41", TabSquare(41), 0, 0 },
        { "cell edge x = 10t + 22, bottom of the row", { 62, 20 }, 4, 0 },
        { "between two cells", { 64, 17 }, 0, 0 },
        { "between the rows", { 59, 12 }, 0, 0 },
        { "below the rows", { 59, 22 }, 0, 0 },
        { "left of the first cell", { 26, 7 }, 0, 0 },
    };
    RulerWidget ruler(40);
    ruler.show();
    for (const ClickCase& c : cases) {
        QSignalSpy margins(&ruler, &RulerWidget::MarginCellClicked);
        QSignalSpy tabs(&ruler, &RulerWidget::TabCellClicked);
        QSignalSpy tabButton(&ruler, &RulerWidget::TabPressed);
        ClickPicture(ruler, c.at);
        ASSERT_EQ(margins.count(), c.margin ? 1 : 0) << c.what;
        ASSERT_EQ(tabs.count(), c.tab ? 1 : 0) << c.what;
        if (c.margin) {
            EXPECT_EQ(margins.at(0).at(0).toInt(), c.margin) << c.what;
        }
        if (c.tab) {
            EXPECT_EQ(tabs.at(0).at(0).toInt(), c.tab) << c.what;
        }
        EXPECT_EQ(tabButton.count(), 0) << c.what;
    }

    // Other buttons do nothing.
    QSignalSpy margins(&ruler, &RulerWidget::MarginCellClicked);
    QTest::mouseClick(&ruler, Qt::RightButton, {}, MarginSquare(4) + QPoint(1, 1));
    EXPECT_EQ(margins.count(), 0);
}

TEST(RulerWidget, TabPressShowsThePressedButtonAndSignalsAfterTheRelease)
{
    RulerWidget ruler(40);
    ruler.show();
    const QPoint lightEdge(4, 12);
    QRgb edgeWhenSignalled = 0;
    int emitted = 0;
    QObject::connect(&ruler, &RulerWidget::TabPressed, [&] {
        ++emitted;
        edgeWhenSignalled = ruler.Picture().pixel(lightEdge);
    });

    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(15, 12) + QPoint(1, 1));
    EXPECT_EQ(ruler.Picture().pixel(lightEdge), kFace) << "pressed look at once";
    EXPECT_EQ(emitted, 0) << "no signal while the button is down";
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(15, 12) + QPoint(1, 1));

    QSignalSpy spy(&ruler, &RulerWidget::TabPressed);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(emitted, 1);
    EXPECT_EQ(edgeWhenSignalled, kWhite) << "released look before the signal";
    EXPECT_EQ(ruler.grab().toImage().pixel(lightEdge + QPoint(1, 1)), kWhite);
}
