#include "editor/PageOutput.h"

#include "CountingPump.h"
#include "FakeCanvas.h"
#include "FakePageView.h"
#include "FakePrinter.h"
#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "io/PageRange.h"
#include "io/Ports.h"
#include "io/Printing.h"

#include <gtest/gtest.h>
#include <map>

using namespace quirel;

namespace {

// The range and set-up dialogs answered in advance, with what they were shown.
class PageAnswers : public RecordingPrompts {
public:
    PageRange AskPageRange(const PageRangeRequest& request) override
    {
        requests.push_back(request);
        return answer;
    }
    void AskPrintSetup(PrintSettings& settings, const std::string& printerName) override
    {
        shownSettings.push_back(settings);
        shownPrinter = printerName;
        if (setupAnswer) settings = *setupAnswer;
    }

    PageRange answer;
    std::optional<PrintSettings> setupAnswer;
    std::vector<PageRangeRequest> requests;
    std::vector<PrintSettings> shownSettings;
    std::string shownPrinter;
};

// Page pictures that tell their page and whether it was framed: every pixel is
// 0xFF000000 + 16 × page + framed.
class TellingPictures {
public:
    explicit TellingPictures(const PageTable& pages)
        : m_pages(pages)
    {
    }
    PixelView operator()(const PageSlot& slot)
    {
        int page = 1;
        while (&m_pages.Slot(page) != &slot)
            ++page;
        const bool framed = slot.picture && FakeCanvas::PageOf(slot).framed;
        m_pixels.assign(794 * 1122, 0xFF000000u + 16u * static_cast<std::uint32_t>(page) + (framed ? 1u : 0u));
        return { m_pixels.data(), 794, 1122, 794 };
    }

private:
    const PageTable& m_pages;
    std::vector<std::uint32_t> m_pixels;
};

class PageOutputTest : public ::testing::Test {
protected:
    PageOutputTest()
        : editor(folder.Path())
        , pictures(editor.GetDocument().Pages())
    {
        view.picture = [this](const PageSlot& slot) { return pictures(slot); };
        editor.Connect({ canvas, ports, pump, view, SystemFiles(), printer });
    }

    // Five pages, each starting with the word "pN" (60 line ends push the next word over).
    void FivePages()
    {
        std::string text;
        for (int page = 1; page <= 5; ++page)
            text += "p" + std::to_string(page) + (page < 5 ? std::string(60, '\r') : "");
        auto& doc = editor.GetDocument();
        doc.SetText(text);
        doc.Records().Reset(doc.CurrentRecord());
        editor.Run(command::Rebuild);
        ASSERT_EQ(doc.Pages().pageCount, 5);
    }

    PageRange Range(RangeChoice choice, int first = 0, int last = 0, std::string folderName = "paginas")
    {
        PageRange range;
        range.choice = choice;
        range.firstPage = first;
        range.lastPage = last;
        range.folderName = std::move(folderName);
        return range;
    }

    // The .bmp files of the export folder, by name, with the page their pixels tell.
    std::map<std::string, int> Exported(const std::string& name = "paginas")
    {
        std::map<std::string, int> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / name)) {
            const std::string bytes = folder.Read(name + "/" + entry.path().filename().string());
            EXPECT_EQ(bytes.size(), 2674902u);
            files[entry.path().filename().string()] = bytes.size() > 54 ? static_cast<unsigned char>(bytes[54]) : -1;
        }
        return files;
    }

    PageTable& Pages() { return editor.GetDocument().Pages(); }

    TempFolder folder;
    Editor editor;
    FakeCanvas canvas;
    PageAnswers ports;
    RecordingPrompts& prompts = ports;
    CountingPump pump;
    FakePageView view;
    TellingPictures pictures;
    FakePrinter printer;
    const std::string& caption = view.caption;
};

} // namespace

TEST_F(PageOutputTest, SinglePageWritesOnlyTheShownPageAndTheViewIsRebuilt)
{
    FivePages();
    editor.ShowPage(3);
    ports.answer = Range(RangeChoice::SinglePage);
    editor.Run(command::ExportBitmap);
    ASSERT_EQ(ports.requests.size(), 1u);
    EXPECT_EQ(ports.requests[0].form, PageRangeForm::Export);
    EXPECT_EQ(ports.requests[0].shownPage, 3);
    EXPECT_EQ(ports.requests[0].pageCount, 5);
    EXPECT_EQ(ports.requests[0].choice, RangeChoice::SinglePage); // nothing chosen before
    // Exported as printed, without the frame the screen shows (blue byte 16 × 3, not 16 × 3 + 1).
    EXPECT_EQ(Exported(), (std::map<std::string, int> { { "3.bmp", 3 * 16 } }));
    EXPECT_TRUE(FakeCanvas::PageOf(Pages().Slot(3)).framed); // the view has its frames again
    EXPECT_EQ(prompts.messages, (std::vector<std::string> { "Imagen exportada ..." }));
    EXPECT_EQ(prompts.urgencies[0], Prompts::Urgency::Topmost);
    EXPECT_EQ(Pages().shownPage, 5);
    EXPECT_EQ(caption.substr(0, 13), "Pagina 5 de 5");
    EXPECT_FALSE(editor.Gate().GuardedCommandRunning());
    EXPECT_FALSE(editor.BlinkHeld());
}

TEST_F(PageOutputTest, IntervalAndAllPagesAndTheRememberedChoice)
{
    FivePages();
    ports.answer = Range(RangeChoice::Interval, 2, 4);
    editor.Run(command::ExportBitmap);
    EXPECT_EQ(Exported(), (std::map<std::string, int> { { "2.bmp", 32 }, { "3.bmp", 48 }, { "4.bmp", 64 } }));
    EXPECT_EQ(prompts.messages.back(), "Imagenes exportadas ...");

    ports.answer = Range(RangeChoice::AllPages, 0, 0, "todo\\junto");
    editor.Run(command::ExportBitmap);
    EXPECT_EQ(ports.requests.back().choice, RangeChoice::Interval);
    EXPECT_EQ(Exported("todo/junto").size(), 5u);
    EXPECT_EQ(prompts.messages.back(), "Documento exportado ...");

    // "Salir" writes nothing, says nothing, and the single page is offered next time.
    ports.answer = PageRange { RangeChoice::None, 0, 0, "", true };
    editor.Run(command::ExportBitmap);
    EXPECT_EQ(prompts.messages.size(), 2u);
    editor.Run(command::Print);
    EXPECT_EQ(ports.requests.back().choice, RangeChoice::SinglePage);
    EXPECT_EQ(ports.requests.back().form, PageRangeForm::Print);
    EXPECT_TRUE(ports.shownSettings.empty()); // the set-up dialog was not opened
}

TEST_F(PageOutputTest, AFolderOrFileThatCannotBeWrittenIsReportedInsteadOfSuccess)
{
    FivePages();
    folder.Write("ocupado", "a file where the folder should be");
    // Each failure says why, on a line of its own: a file in the way (of the folder or of one of
    // its parts), or the system's reason.
    const std::pair<std::string, std::string> folders[] = {
        { "ocupado",
            "Ya hay un fichero con ese nombre donde ir\xED"
            "a la carpeta." },
        { "ocupado/dentro",
            "Ya hay un fichero con ese nombre donde ir\xED"
            "a la carpeta." },
        { std::string(300, 'x'), "El nombre del fichero es demasiado largo." },
    };
    for (const auto& [name, reason] : folders) {
        prompts.messages.clear();
        ports.answer = Range(RangeChoice::AllPages, 0, 0, name);
        editor.Run(command::ExportBitmap);
        EXPECT_EQ(prompts.messages,
            (std::vector<std::string> { "No se puede crear la carpeta " + name + " ...\r\n" + reason }));
    }

    std::filesystem::create_directories(folder.Path() / "paginas" / "2.bmp"); // a folder in the way of page 2
    ports.answer = Range(RangeChoice::AllPages);
    editor.Run(command::ExportBitmap);
    EXPECT_EQ(prompts.messages.back(),
        "No se puede grabar el archivo 2.bmp en la carpeta paginas ...\r\nEs una carpeta, no un fichero.");
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "paginas" / "1.bmp"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "paginas" / "3.bmp")); // the export stopped there
    EXPECT_FALSE(editor.Gate().GuardedCommandRunning());
}

TEST_F(PageOutputTest, PrintingAnIntervalGivesOneUndecoratedJobPerPageAndRestoresTheView)
{
    FivePages();
    editor.ShowPage(3);
    ports.answer = Range(RangeChoice::Interval, 2, 4, "");
    ports.setupAnswer = PrintSettings { 10, 1, 2 };
    editor.Run(command::Print);
    EXPECT_EQ(ports.shownPrinter, "Oficina");
    ASSERT_EQ(printer.jobs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(
            printer.jobs[static_cast<std::size_t>(i)].firstPixel, 0xFF000000u + 16u * static_cast<unsigned>(i + 2))
            << "page " << i + 2 << " printed without frame";
        EXPECT_EQ(printer.jobs[static_cast<std::size_t>(i)].settings.copies, 10);
    }
    EXPECT_EQ(Pages().shownPage, 3);
    EXPECT_EQ(caption.substr(0, 13), "Pagina 3 de 5");
    EXPECT_TRUE(FakeCanvas::PageOf(Pages().Slot(2)).framed); // the view has its frames again
    EXPECT_TRUE(prompts.messages.empty());

    // The set-up dialog shows the settings chosen last time.
    ports.answer = Range(RangeChoice::SinglePage);
    ports.setupAnswer.reset();
    editor.Run(command::Print);
    EXPECT_EQ(ports.shownSettings.back().copies, 10);
    EXPECT_EQ(ports.shownSettings.back().quality, 2);
    ASSERT_EQ(printer.jobs.size(), 4u);
    EXPECT_EQ(printer.jobs.back().title, "Quirel Pagina 3");
}

TEST_F(PageOutputTest, CommandsWaitForALayoutUnderWayAndAreIgnoredWhileAnotherRuns)
{
    FivePages();
    ports.answer = Range(RangeChoice::SinglePage);
    editor.Gate().RunGuarded([&] {
        editor.Run(command::ExportBitmap);
        editor.Run(command::Print);
    });
    EXPECT_TRUE(ports.requests.empty());

    // A command that arrives while a layout lets events through runs once that layout has ended.
    bool asked = false;
    pump.hook = [&] {
        if (!asked) {
            asked = true;
            editor.Run(command::ExportBitmap);
            EXPECT_TRUE(ports.requests.empty());
        }
    };
    editor.Run(command::Rebuild);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ports.requests.size(), 1u);
    EXPECT_EQ(prompts.messages, (std::vector<std::string> { "Imagen exportada ..." }));
}
