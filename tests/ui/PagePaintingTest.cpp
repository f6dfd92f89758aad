#include "StandInPorts.h"
#include "TempFolder.h"
#include "document/Cp1252.h"
#include "editor/Editor.h"
#include "platform/QtCanvas.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

// The editor laying out on the real work surface; pages are read back as pixels.
class PagePaintingTest : public ::testing::Test {
protected:
    PagePaintingTest()
        : editor(folder.Path())
    {
        editor.Services().completeWord = nullptr;
        editor.Services().rememberWord = nullptr;
        editor.Connect(ports.For(canvas));
    }

    void Type(const char* utf8)
    {
        for (char c : Utf8ToCp1252(utf8))
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
    }

    // How many pixels of colour lie in the page's rows [top, bottom).
    int Count(QRgb colour, int top = 0, int bottom = kPageHeight)
    {
        const QImage& page = canvas.Image();
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < kPageWidth; ++x)
                n += page.pixel(x, y) == colour;
        return n;
    }

    static bool Reddish(QRgb c) { return qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) < 100; }
    int CountReddish()
    {
        const QImage& page = canvas.Image();
        int n = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < kPageWidth; ++x)
                n += Reddish(page.pixel(x, y));
        return n;
    }

    TempFolder folder;
    StandInPorts ports;
    Editor editor;
    QtCanvas canvas;
};

} // namespace

TEST_F(PagePaintingTest, UnknownWordsAreRedOnlyWhileTheSensorIsOn)
{
    Type("zzxq");
    editor.Lists().Words().spellingSensor = true;
    editor.Run(command::Rebuild);
    EXPECT_GT(CountReddish(), 20);
    editor.Lists().Words().spellingSensor = false;
    editor.Run(command::Rebuild);
    EXPECT_EQ(CountReddish(), 0);
}

TEST_F(PagePaintingTest, SearchMatchesAreBlackOnYellow)
{
    Type("casa CASA perro");
    LayoutOptions options;
    options.findWord = "casa";
    editor.GetDocument().Pages().Clear();
    const auto result = LayoutDocument(editor.GetDocument(), editor.GetSettings(), canvas, editor.View(), {}, options);
    EXPECT_EQ(result.matchCount, 2);
    EXPECT_GT(Count(qRgb(255, 255, 0), 40, 60), 200); // two yellow cells on the first line
}

TEST_F(PagePaintingTest, EmoticonLeavesItsMagentaTransparent)
{
    editor.GetDocument().Current().background = 0x00FF00; // green cells under the picture
    auto& doc = editor.GetDocument();
    doc.InsertEmoticon(19);
    for (int i = 1; i < doc.TokenCount(); ++i)
        doc.Records().Set(i, doc.CurrentRecord());
    editor.Run(command::Rebuild);
    EXPECT_EQ(Count(qRgb(255, 0, 255)), 0);
    EXPECT_GT(Count(qRgb(0, 255, 0), 40, 60), 50); // the blanks' background shows around the face
}

TEST_F(PagePaintingTest, CompletionIsDrawnInTheShadowColourAfterTheLastWord)
{
    editor.GetSettings().shadowColor = 0x0000FF; // red, easy to find
    editor.Services().completeWord = [](std::string_view w) { return w == "ca" ? std::string("sa") : std::string(); };
    Type("ca");
    EXPECT_GT(CountReddish(), 10);
    const QImage& page = canvas.Image();
    int leftmostRed = kPageWidth;
    for (int y = 40; y < 60; ++y)
        for (int x = 0; x < kPageWidth; ++x)
            if (Reddish(page.pixel(x, y))) leftmostRed = std::min(leftmostRed, x);
    EXPECT_GT(leftmostRed, 50); // after "ca", not over it
}
