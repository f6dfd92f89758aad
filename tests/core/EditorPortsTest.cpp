// The editor reaches the world only through the ports it is given once: each of them is used for
// what it stands for, and nothing is reached before they are given.
#include "editor/EditorPorts.h"

#include "FailingFiles.h"
#include "FakeCanvas.h"
#include "FakePrinter.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "editor/Editor.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

// "Imprimir" over one page, with the settings left as they are.
class PrintOnePage : public RecordingPrompts {
public:
    PageRange AskPageRange(const PageRangeRequest&) override
    {
        PageRange range;
        range.choice = RangeChoice::SinglePage;
        return range;
    }
};

} // namespace

TEST(EditorPortsTest, EachPortServesWhatItStandsFor)
{
    TempFolder folder;
    FakeCanvas canvas;
    PrintOnePage prompts;
    CountingPump pump;
    FakePageView view;
    FailingFiles files;
    FakePrinter printer;
    int pictures = 0;
    view.picture = [&](const PageSlot&) {
        ++pictures;
        return PixelView {};
    };
    Editor editor(folder.Path());
    editor.Run({ command::TypeByte, 'a' }); // not connected yet: nothing is drawn or shown
    EXPECT_TRUE(canvas.ops.empty());

    editor.Connect({ canvas, prompts, pump, view, files, printer });
    // The empty page is laid out on the canvas and shown, and the caption written.
    EXPECT_TRUE(canvas.framed);
    EXPECT_GE(view.shown, 1);
    EXPECT_EQ(view.caption.rfind("Pagina 1 de 1", 0), 0u);

    // A layout that reaches a new page lets the events through the pump and shows the new page.
    const int shownBefore = view.shown;
    for (int i = 0; i < 60; ++i)
        editor.Run({ command::TypeByte, '\r' });
    editor.Run({ command::TypeByte, 'x' });
    EXPECT_GE(pump.calls, 1);
    EXPECT_GT(view.shown, shownBefore);
    EXPECT_EQ(view.caption.rfind("Pagina 2 de 2", 0), 0u);

    // Commands bring the controls up to date; messages and questions go to the prompts.
    editor.Run(command::Bold);
    EXPECT_EQ(view.controlsChanged, 1);
    editor.Run({ command::TabCell, 12 });
    ASSERT_EQ(prompts.messages.size(), 1u);

    // Writes go through the file port: a full disk is told once, in a notice.
    files.writeLimit = 0;
    editor.Run({ command::ChooseSize, 14 });
    EXPECT_EQ(prompts.notices.size(), 1u);

    // "Imprimir" takes the page's picture from the view and prints it on the printer.
    editor.Run(command::Print);
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(printer.jobs.size(), 1u);

    // "Salir" closes the view.
    prompts.threeWay = Prompts::Answer::No;
    editor.Run(command::Quit);
    EXPECT_EQ(view.closed, 1);
}
