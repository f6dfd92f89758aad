// The work surface brings its image up to date by painting again only the rectangle where a new
// recording differs from the one shown. These tests hold it to the pixels of painting the whole
// recording on a blank page, after every step of real editing and of drawing made to catch the
// hard cases (glyphs reaching into a neighbour's cell, lines, pictures, the frame), and check that
// the rectangle it reports holds every pixel that changed.
#include "CanvasTestSupport.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "document/Cp1252.h"
#include "document/PageTable.h"
#include "editor/Editor.h"
#include "language/WordLists.h"
#include "language/WordRecord.h"
#include "platform/QtCanvas.h"
#include "platform/RecordedPage.h"

#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// Smallest rectangle holding every pixel where a and b differ (null when they are equal).
QRect DifferenceBounds(const QImage& a, const QImage& b)
{
    QRect bounds;
    for (int y = 0; y < kPageHeight; ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::memcmp(rowA, rowB, kPageWidth * sizeof(QRgb)) == 0) continue;
        int first = 0;
        while (rowA[first] == rowB[first])
            ++first;
        int last = kPageWidth - 1;
        while (rowA[last] == rowB[last])
            --last;
        bounds |= QRect(first, y, last - first + 1, 1);
    }
    return bounds;
}

// Checks a canvas step by step: after each step its image must equal its recording painted
// from scratch, and TakeChangedRect must hold every pixel that differs from the step before.
class RepaintChecker {
public:
    explicit RepaintChecker(QtCanvas& canvas)
        : m_canvas(canvas)
        , m_before(canvas.Image().copy())
    {
        m_canvas.TakeChangedRect();
    }

    // Returns the changed rectangle reported for the step.
    QRect Check(const std::string& step)
    {
        SCOPED_TRACE(step);
        const QRect changed = m_canvas.TakeChangedRect();
        const QImage& image = m_canvas.Image();
        PageSlot slot;
        m_canvas.StorePage(slot);
        const QImage fresh = PageImage(slot);
        EXPECT_EQ(DifferenceBounds(image, fresh), QRect()) << "the image differs from a full repaint";
        const QRect differs = DifferenceBounds(m_before, image);
        if (!differs.isNull()) {
            EXPECT_TRUE(changed.contains(differs))
                << "changed pixels " << differs.x() << "," << differs.y() << " " << differs.width() << "x"
                << differs.height() << " outside the reported rectangle " << changed.x() << "," << changed.y() << " "
                << changed.width() << "x" << changed.height();
        }
        m_before = image.copy();
        ++m_steps;
        return changed;
    }

    int Steps() const { return m_steps; }

private:
    QtCanvas& m_canvas;
    QImage m_before;
    int m_steps = 0;
};

// The editor laying out on the real work surface, with spelling marks from a small word list and
// completions from a fixed table.
class EditorRepaintTest : public ::testing::Test {
protected:
    EditorRepaintTest()
        : editor(folder.Path())
    {
        WriteWordList({ "el", "casa", "perro", "come", "mucho", "de", "la", "ni\xF1o" });
        LoadWordList(folder.Path() / "diccionario.log", editor.Lists().Words().List(WordListId::Diccionario), 256,
            nullptr, nullptr);
        editor.Lists().Words().spellingSensor = true;
        editor.Services().rememberWord = nullptr;
        editor.Services().completeWord = [](std::string_view word) -> std::string {
            if (word == "pe") return "rro";
            if (word == "mu") return "cho";
            return {};
        };
        editor.GetSettings().shadowColor = 0x808080;
        editor.Connect(ports.For(canvas));
    }

    void WriteWordList(std::initializer_list<const char*> words)
    {
        std::ofstream out(folder.Path() / "diccionario.log", std::ios::binary);
        for (const char* word : words) {
            WordRecordBytes record {};
            ASSERT_TRUE(EncodeWordRecord(word, record));
            out.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
        }
    }

    // Types each byte of text (UTF-8; '\b' takes one back) and checks the surface after each.
    void TypeAndCheck(RepaintChecker& checker, const char* utf8)
    {
        for (const char c : Utf8ToCp1252(utf8)) {
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
            checker.Check("after byte " + std::to_string(static_cast<unsigned char>(c)) + " of \"" + utf8 + "\"");
            if (HasFatalFailure()) return;
        }
    }

    TempFolder folder;
    StandInPorts ports;
    Editor editor;
    QtCanvas canvas;
};

TEST_F(EditorRepaintTest, TypingErasingMarksCompletionsEmoticonsAndBlinksRepaintExactly)
{
    RepaintChecker checker(canvas);
    // Words turn red while unknown and black when complete; "pe" and "mu" show a completion that
    // goes away with the next letter.
    TypeAndCheck(checker, "El perro come mucho. ");
    TypeAndCheck(checker, "La casa del ni\xC3\xB1o \xC2\xBFverdad?");
    TypeAndCheck(checker, "\b\b\b\b\b\b\b\b\b");
    // A word taken back to a known one and typed on to an unknown one.
    TypeAndCheck(checker, " casas\b\bas");
    // Enough words to wrap onto new lines, then erased back over the wraps.
    for (int i = 0; i < 12; ++i)
        TypeAndCheck(checker, " extraordinariamente");
    TypeAndCheck(checker, std::string(60, '\b').c_str());
    // An emoticon over its blanks, typed past and taken back.
    editor.GetDocument().InsertEmoticon(7);
    TypeAndCheck(checker, " ole\b\b\b\b");
    // The cursor blinking, and a key in between.
    for (int blink = 0; blink < 4; ++blink) {
        editor.Run(command::BlinkTick);
        checker.Check("blink " + std::to_string(blink));
    }
    TypeAndCheck(checker, "x");
    editor.Run(command::BlinkTick);
    checker.Check("blink after typing");
    EXPECT_GT(checker.Steps(), 200);
}

TEST_F(EditorRepaintTest, AKeystrokeAtTheEndOfAFullPageChangesOnlyTheEndOfIt)
{
    // A page of prose, then letters typed until the next page begins and erased until it is gone.
    const std::string sentence = "El perro come mucho de la casa del ni\xF1o, \xBFverdad? ";
    auto& doc = editor.GetDocument();
    auto layOut = [&](int sentences) {
        std::string text;
        for (int i = 0; i < sentences; ++i)
            text += sentence;
        doc.SetText(text);
        doc.Records().Reset(doc.CurrentRecord());
        editor.Run(command::Rebuild);
    };
    int sentences = 1;
    while (doc.Pages().pageCount == 1)
        layOut(++sentences);
    layOut(sentences - 1);
    ASSERT_EQ(doc.Pages().pageCount, 1);
    canvas.SelectFont(doc.Current().faceName, doc.Current().size, 0, CharSet::Ansi);
    const int lineHeight = canvas.LineHeight();

    RepaintChecker checker(canvas);
    int typed = 0;
    while (doc.Pages().pageCount == 1 && typed < 3000) {
        editor.Run({ command::TypeByte, typed % 7 == 6 ? ' ' : 'a' + typed % 26 });
        ++typed;
        const QRect changed = checker.Check("typed " + std::to_string(typed));
        if (HasFatalFailure()) return;
        if (doc.Pages().pageCount == 1) {
            EXPECT_LE(changed.height(), 2 * lineHeight + 8) << "typed " << typed;
        }
    }
    ASSERT_EQ(doc.Pages().pageCount, 2);
    for (int erased = 0; erased < 12; ++erased) {
        editor.Run({ command::TypeByte, 8 });
        checker.Check("erased " + std::to_string(erased));
    }
    EXPECT_EQ(doc.Pages().pageCount, 1) << "erasing the new page's only word brings back the full page";
    // The blink changes the cursor cell and nothing else.
    editor.Run(command::BlinkTick);
    const QRect blink = checker.Check("blink");
    EXPECT_FALSE(blink.isEmpty());
    EXPECT_LE(blink.height(), lineHeight + 4);
    EXPECT_LE(blink.width(), lineHeight);
}

// Drawing made on purpose: the end of the page changes, as after a keystroke, next to glyphs that
// reach into the changed cells from the cell before and from the line above, an underline, a
// picture over the text, and the frame under text at the page's edges.
class CanvasRepaintTest : public ::testing::Test {
protected:
    CanvasRepaintTest()
    {
        QImage smile(20, 20, QImage::Format_RGB32);
        smile.fill(QColor(255, 0, 255));
        for (int i = 0; i < 20; ++i) {
            smile.setPixel(i, 10, qRgb(250, 200, 0));
            smile.setPixel(i, i, qRgb(0, 120, 250));
        }
        canvas.Emoticons().Set(5, smile);
    }

    using Tail = std::function<void(QtCanvas&, int x, int y)>;

    // A framed page of five lines of large italic words, closer together than their height (the
    // fourth underlined), a picture over the end of the last line, then tail drawn with the pen
    // after the last line's words.
    void DrawPage(const Tail& tail)
    {
        canvas.Clear();
        canvas.DrawFrame();
        int x = 0;
        int y = 0;
        for (int row = 0; row < 5; ++row) {
            x = 0;
            y = 20 + row * 30;
            int i = 0;
            for (const char* word : { "fff", "gjy", " ", "f\xEDjate", "Wff" }) {
                canvas.SelectFont(row % 2 ? "Georgia" : "Candara", 28, row == 3 ? 6 : 2, CharSet::Ansi);
                canvas.SetColors(i % 3 == 1 ? 0x0000FF : 0x000000, i % 4 == 3 ? 0xE0FFE0 : 0xFFFFFF);
                x += canvas.DrawText(x, y, word);
                ++i;
            }
        }
        canvas.DrawEmoticon(5, x - 12, y + 6);
        if (tail) tail(canvas, x, y);
    }

    // Words drawn one after the other in italic (style 2) or the given style.
    static Tail Words(std::vector<std::string> words, int style = 2)
    {
        return [words = std::move(words), style](QtCanvas& c, int x, int y) {
            c.SelectFont("Candara", 28, style, CharSet::Ansi);
            c.SetColors(0x0000FF, 0xFFFFFF);
            for (const std::string& word : words)
                x += c.DrawText(x, y, word);
        };
    }

    QtCanvas canvas;
};

TEST_F(CanvasRepaintTest, ChangesAtTheEndAmongOverhangingGlyphsLinesPicturesAndTheFrameRepaintExactly)
{
    RepaintChecker checker(canvas);
    DrawPage(nullptr);
    checker.Check("the page");
    struct Step {
        const char* name;
        Tail tail;
    };
    const Step steps[] = {
        { "a letter added", Words({ "f" }) },
        { "a letter changed", Words({ "j" }) },
        { "a word grown", Words({ "jf", " ", "fj" }) },
        { "a word shrunk", Words({ "jf", " ", "f" }) },
        { "bold", Words({ "jf", " ", "f" }, 3) },
        { "struck through", Words({ "jf", " ", "f" }, 10) },
        { "the words removed", nullptr },
        { "a picture over the line", [](QtCanvas& c, int x, int y) { c.DrawEmoticon(5, x - 30, y - 10); } },
        { "past the right edge", Words({ "Wfffffffffffffffffffffffffffffffffff" }) },
        { "back inside", Words({ "Wf" }) },
    };
    for (const Step& step : steps) {
        DrawPage(step.tail);
        const QRect changed = checker.Check(step.name);
        EXPECT_LT(changed.height(), 100) << step.name << ": only the end of the page is painted again";
    }
    // Text over the frame at the corners, and the frame given back.
    for (const QPoint corner : { QPoint(-5, -5), QPoint(760, 1105), QPoint(-5, 1105), QPoint(760, -5) }) {
        DrawPage([corner](QtCanvas& c, int, int) {
            c.SelectFont("Candara", 20, 2, CharSet::Ansi);
            c.SetColors(0x000000, 0xFFC0C0);
            c.DrawText(corner.x(), corner.y(), "esquina");
        });
        checker.Check("text over a corner");
        DrawPage(nullptr);
        checker.Check("the corner given back");
    }
    // From a cleared page and back.
    canvas.Clear();
    checker.Check("cleared");
    DrawPage(Words({ "fin" }));
    checker.Check("drawn again after a clear");
}

TEST_F(CanvasRepaintTest, NothingDrawnAgainMeansNothingChanged)
{
    RepaintChecker checker(canvas);
    for (int round = 0; round < 2; ++round) {
        canvas.Clear();
        canvas.DrawFrame();
        DrawPage(Words({ "uno", " ", "dos" }));
        const QRect changed = checker.Check("round " + std::to_string(round));
        if (round == 0)
            EXPECT_FALSE(changed.isEmpty());
        else
            EXPECT_TRUE(changed.isEmpty()) << "the same recording changes no pixel";
    }
    EXPECT_TRUE(canvas.TakeChangedRect().isEmpty());
}

} // namespace
