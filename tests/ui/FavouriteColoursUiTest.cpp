#include "CanvasTestSupport.h"
#include "RealWindowTest.h"
#include "dialogs/FavouriteColoursDialog.h"
#include "io/FavouriteColours.h"
#include "io/IoMessages.h"
#include "io/Ports.h"

#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <limits>

using namespace quirel;

namespace {

class ScriptedPrompts : public Prompts {
public:
    void ShowMessage(std::string_view text, Urgency) override { messages.emplace_back(text); }
    void ShowNotice(std::string_view text) override { ShowMessage(text, Urgency::Normal); }
    bool AskYesNo(std::string_view text) override
    {
        questions.emplace_back(text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
};

// Pixels of a cell: inside its box, on its outline, and in the gap above-left of it.
QPoint Inside(int column, int row)
{
    return { 25 * column + 14, 25 * row + 14 };
}
QPoint Outline(int column, int row)
{
    return { 25 * column + 4, 25 * row + 4 };
}
QPoint Gap(int column, int row)
{
    return { 25 * column + 2, 25 * row + 2 };
}

QRgb PixelOf(const ColourArea* area, QPoint at)
{
    return area->Picture().pixel(at) & 0xFFFFFF;
}

// Clicks the grid at a point of its picture.
void ClickGrid(FavouriteColoursDialog& dialog, Qt::MouseButton button, QPoint at)
{
    QTest::mouseClick(dialog.Grid(), button, {}, at + dialog.Grid()->contentsRect().topLeft());
}

// Answers the colour chooser with colour after checking how it opened.
ModalScript& ChooseColour(ModalScript& script, QColor colour)
{
    return script.Then<QColorDialog>([colour](QColorDialog& chooser) {
        EXPECT_EQ(chooser.currentColor(), QColor(0x80, 0x80, 0x80));
        chooser.setCurrentColor(colour);
        chooser.accept();
    });
}

// Clicks a cell with the left button and answers the colour chooser that opens.
void PaintCell(FavouriteColoursDialog& dialog, int column, int row, QColor colour)
{
    ModalScript script;
    ChooseColour(script, colour);
    script.Run([&] { ClickGrid(dialog, Qt::LeftButton, Inside(column, row)); });
    EXPECT_TRUE(script.AllAnswered());
}

class FavouriteColoursDialogTest : public ::testing::Test {
protected:
    std::filesystem::path Folder() const { return folder.Path(); }
    QString FilePath() const { return test::QtPath(folder.Path() / kFavouriteColoursFileName); }
    QByteArray FileBytes() const
    {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempFolder folder;
    ScriptedPrompts prompts;
};

TEST_F(FavouriteColoursDialogTest, WithoutAFileTheGridIs130WhiteCellsAndArchivarIsOff)
{
    FavouriteColoursDialog dialog(Folder(), 0x123456, &prompts);
    EXPECT_EQ(dialog.windowTitle(), "Tus Colores Favoritos Cargalos y Guardalos");
    EXPECT_EQ(dialog.Grid()->geometry(), QRect(8, 8, 336, 260));
    EXPECT_EQ(dialog.Strip()->geometry(), QRect(8, 270, 336, 50));
    EXPECT_EQ(dialog.SaveButton()->geometry(), QRect(8, 328, 72, 24));
    EXPECT_EQ(dialog.ResetButton()->geometry(), QRect(136, 328, 72, 24));
    EXPECT_EQ(dialog.ExitButton()->geometry(), QRect(272, 328, 72, 24));
    EXPECT_EQ(dialog.SaveButton()->text(), "Archivar");
    EXPECT_EQ(dialog.ResetButton()->text(), "Reseteo");
    EXPECT_EQ(dialog.ExitButton()->text(), "Salir");
    EXPECT_FALSE(dialog.SaveButton()->isEnabled());
    int white = 0;
    for (int row = 0; row < kPaletteRows; ++row)
        for (int column = 0; column < kPaletteColumns; ++column) {
            white += PixelOf(dialog.Grid(), Inside(column, row)) == 0xFFFFFF;
            EXPECT_EQ(PixelOf(dialog.Grid(), Outline(column, row)), 0x000000u) << column << "," << row;
            EXPECT_EQ(PixelOf(dialog.Grid(), Gap(column, row)), 0xFFFFFFu);
        }
    EXPECT_EQ(white, 130);
    EXPECT_EQ(PixelOf(dialog.Grid(), { 330, 10 }), 0xFFFFFFu); // nothing right of column 12
    // The strip is white with the caption in black; the selected colour is kept as it was.
    EXPECT_EQ(PixelOf(dialog.Strip(), { 200, 40 }), 0xFFFFFFu);
    EXPECT_GT(test::CountColour(dialog.Strip()->Picture(), dialog.Strip()->Picture().rect(), qRgb(0, 0, 0)), 50);
    EXPECT_EQ(dialog.SelectedColour(), 0x123456u);
}

TEST_F(FavouriteColoursDialogTest, AChosenColourIsArchivedAndShownAtTheNextOpening)
{
    {
        FavouriteColoursDialog dialog(Folder(), 0, &prompts);
        dialog.show();
        PaintCell(dialog, 4, 2, QColor(255, 0, 0));
        EXPECT_EQ(dialog.Table().At(4, 2).colour, 0x0000FFu); // red in the low byte
        EXPECT_EQ(PixelOf(dialog.Grid(), Inside(4, 2)), 0xFF0000u);
        EXPECT_TRUE(dialog.SaveButton()->isEnabled());
        dialog.SaveButton()->click();
        EXPECT_EQ(prompts.messages, std::vector<std::string> { std::string(kColoursSavedMessage) });
        EXPECT_FALSE(dialog.SaveButton()->isEnabled());
        dialog.ExitButton()->click(); // nothing left to save: no question
        EXPECT_TRUE(prompts.questions.empty());
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(FileBytes().size(), 3120);
    FavouriteColoursDialog again(Folder(), 0, &prompts);
    EXPECT_EQ(PixelOf(again.Grid(), Inside(4, 2)), 0xFF0000u);
    EXPECT_EQ(PixelOf(again.Grid(), Inside(5, 2)), 0xFFFFFFu);
}

TEST_F(FavouriteColoursDialogTest, SalirAsksAboutChangesAndNoLeavesTheFileAlone)
{
    FavouriteColoursDialog dialog(Folder(), 0, &prompts);
    dialog.show();
    PaintCell(dialog, 0, 0, QColor(0, 255, 0));
    ASSERT_TRUE(dialog.Modified());
    prompts.answers = { false };
    QTest::keyClick(&dialog, Qt::Key_Escape); // Escape is "Salir"
    EXPECT_EQ(prompts.questions, std::vector<std::string> { std::string(kSaveBeforeExitQuestion) });
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(QFile::exists(FilePath()));

    FavouriteColoursDialog saving(Folder(), 0, &prompts);
    saving.show();
    PaintCell(saving, 1, 0, QColor(0, 0, 255));
    prompts.answers = { true };
    saving.ExitButton()->click();
    EXPECT_FALSE(saving.isVisible());
    EXPECT_EQ(ReadFavouriteColours(Folder()).At(1, 0).colour, 0xFF0000u);
}

TEST_F(FavouriteColoursDialogTest, RightClickTakesThePixelUnderThePointer)
{
    auto table = DefaultColourTable();
    table.At(2, 3).colour = 0;
    table.At(6, 6).colour = 0x00FF00;
    ASSERT_EQ(SaveFavouriteColours(Folder(), table), std::nullopt);
    FavouriteColoursDialog dialog(Folder(), 0x123456, &prompts);
    dialog.show();
    ClickGrid(dialog, Qt::RightButton, Gap(6, 6));
    EXPECT_EQ(dialog.SelectedColour(), 0xFFFFFFu);
    ClickGrid(dialog, Qt::RightButton, Inside(6, 6));
    EXPECT_EQ(dialog.SelectedColour(), 0x00FF00u);
    EXPECT_EQ(PixelOf(dialog.Strip(), { 200, 40 }), 0x00FF00u);
    ClickGrid(dialog, Qt::RightButton, Inside(2, 3));
    EXPECT_EQ(dialog.SelectedColour(), 0u);
    // Black strip, white caption.
    EXPECT_EQ(PixelOf(dialog.Strip(), { 200, 40 }), 0x000000u);
    EXPECT_GT(test::CountColour(dialog.Strip()->Picture(), dialog.Strip()->Picture().rect(), qRgb(255, 255, 255)), 50);
    // The cell under the pointer is outlined in white (the pointer comes from another cell, so that
    // the move is seen even when it already stood there).
    QTest::mouseMove(dialog.Grid(), Inside(0, 0) + dialog.Grid()->contentsRect().topLeft());
    QTest::mouseMove(dialog.Grid(), Inside(6, 6) + dialog.Grid()->contentsRect().topLeft());
    EXPECT_EQ(PixelOf(dialog.Grid(), Outline(6, 6)), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(dialog.Grid(), Outline(5, 6)), 0x000000u);
}

TEST_F(FavouriteColoursDialogTest, ReseteoDeletesTheFileAndWhitensEverything)
{
    auto table = DefaultColourTable();
    table.At(0, 0).colour = 0x0000FF;
    ASSERT_EQ(SaveFavouriteColours(Folder(), table), std::nullopt);
    FavouriteColoursDialog dialog(Folder(), 0x123456, &prompts);
    prompts.answers = { false, true };
    dialog.ResetButton()->click();
    EXPECT_TRUE(QFile::exists(FilePath()));
    EXPECT_EQ(dialog.SelectedColour(), 0x123456u);
    dialog.ResetButton()->click();
    EXPECT_EQ(prompts.questions,
        std::vector<std::string>(2, "Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos"));
    EXPECT_FALSE(QFile::exists(FilePath()));
    EXPECT_EQ(PixelOf(dialog.Grid(), Inside(0, 0)), 0xFFFFFFu);
    EXPECT_EQ(dialog.SelectedColour(), 0xFFFFFFu);
    FavouriteColoursDialog next(Folder(), 0, &prompts);
    EXPECT_EQ(PixelOf(next.Grid(), Inside(0, 0)), 0xFFFFFFu);
}

TEST_F(FavouriteColoursDialogTest, HostileRectanglesAreDrawnWithinThePicture)
{
    auto table = DefaultColourTable();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    table.At(0, 0) = { kMin, kMax, kMin, kMax, 0, 0, 0xFFFFFFFF };
    table.At(1, 0) = { kMax, kMin, kMax - 1, 5, 1, 0, 0x00FF00 };
    table.At(2, 0) = { 200, 100, 30, 10, 2, 0, 0x0000FF };
    const QImage picture = FavouriteColoursDialog::DrawGrid(table, CellPosition { 0, 0 });
    EXPECT_EQ(picture.size(), QSize(336, 312));
}

// The real window: the palette through "Colores Favoritos", then "Color Fuente".
class FavouriteColoursWindow : public test::RealWindowTest { };

TEST_F(FavouriteColoursWindow, ChosenKeptAndUsedByTheTextColour)
{
    ModalScript script;
    script.Then<FavouriteColoursDialog>([](FavouriteColoursDialog& dialog) {
        ClickGrid(dialog, Qt::LeftButton, Inside(3, 2)); // the chooser runs inside this click
    });
    ChooseColour(script, QColor(0, 0, 255))
        .Then<FavouriteColoursDialog>([](FavouriteColoursDialog& dialog) { ModalScript::Click(dialog.SaveButton()); })
        .Message()
        .Then<FavouriteColoursDialog>([](FavouriteColoursDialog& dialog) {
            ClickGrid(dialog, Qt::RightButton, Inside(3, 2));
            ModalScript::Click(dialog.ExitButton());
        });
    Choose(command::FavouriteColours, script);
    EXPECT_EQ(script.Texts(), QStringList { "Mis Colores Favoritos han sido Archivados" });
    EXPECT_EQ(editor.Format().SelectedColour(), 0xFF0000u); // blue, 0x00BBGGRR
    EXPECT_EQ(QFileInfo(FilePath("Mis Colores.log")).size(), 3120);

    ModalScript noWindow;
    Choose(command::TextColour, noWindow);
    Key(Qt::Key_X, QStringLiteral("x"));
    const auto& doc = editor.GetDocument();
    EXPECT_EQ(RecordTextColor(doc.Records().Get(doc.TokenCount())), 0xFF0000u);
    int bluish = 0;
    const QImage& page = window.Page().Canvas().Image();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb pixel = page.pixel(x, y);
            bluish += qBlue(pixel) > 150 && qRed(pixel) < 100 && qGreen(pixel) < 100;
        }
    EXPECT_GT(bluish, 5); // the typed x is drawn in the chosen colour

    ModalScript reopen;
    QRgb shown = 0;
    reopen.Then<FavouriteColoursDialog>([&shown](FavouriteColoursDialog& dialog) {
        shown = PixelOf(dialog.Grid(), Inside(3, 2));
        ModalScript::Click(dialog.ExitButton());
    });
    Choose(command::FavouriteColours, reopen);
    EXPECT_EQ(shown, 0x0000FFu);
    EXPECT_EQ(editor.Format().SelectedColour(), 0xFF0000u);
}

} // namespace
