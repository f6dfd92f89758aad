#include "editor/PageOutput.h"

#include "FakeCanvas.h"
#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "io/BitmapFile.h"
#include "io/IoMessages.h"
#include "io/PageRange.h"
#include "io/Ports.h"
#include "io/Printing.h"

#include <gtest/gtest.h>
#include <map>

using namespace quirel;

namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

unsigned Le16(const std::string& bytes, std::size_t at)
{
    return Le32(bytes + "\0\0", at) & 0xFFFF;
}

} // namespace

TEST(BitmapFileTest, SmallPictureIsStoredBottomUpInBlueGreenRedWithPaddedRows)
{
    // 3 × 2 with a stride wider than the picture: 9 bytes per row, padded to 12.
    const std::uint32_t pixels[] = { 0xFF112233, 0xFF445566, 0xFF778899, 0xDEADBEEF, //
        0xFFAABBCC, 0xFFDDEEFF, 0xFF010203, 0xDEADBEEF };
    std::string bytes = "old content";
    EncodeBitmap({ pixels, 3, 2, 4 }, bytes);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes.substr(54),
        std::string("\xCC\xBB\xAA\xFF\xEE\xDD\x03\x02\x01\0\0\0"
                    "\x33\x22\x11\x66\x55\x44\x99\x88\x77\0\0\0",
            24));
}

TEST(BitmapFileTest, PageHeaderHasTheFieldsEveryReaderExpects)
{
    std::vector<std::uint32_t> page(794 * 1122, 0xFFFFFFFF);
    std::string bytes;
    EncodeBitmap({ page.data(), 794, 1122, 794 }, bytes);
    ASSERT_EQ(bytes.size(), 2674902u);
    EXPECT_EQ(BitmapFileSize(794, 1122), 2674902u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bytes, 2), 2674902u); // file size
    EXPECT_EQ(Le32(bytes, 6), 0u); // reserved
    EXPECT_EQ(Le32(bytes, 10), 54u); // pixel offset
    EXPECT_EQ(Le32(bytes, 14), 40u); // information header size
    EXPECT_EQ(Le32(bytes, 18), 794u);
    EXPECT_EQ(Le32(bytes, 22), 1122u); // positive: bottom-up
    EXPECT_EQ(Le16(bytes, 26), 1u); // planes
    EXPECT_EQ(Le16(bytes, 28), 24u); // bits per pixel
    EXPECT_EQ(Le32(bytes, 30), 0u); // no compression
    EXPECT_EQ(Le32(bytes, 34), 2384u * 1122u); // image size
    for (std::size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(Le32(bytes, at), 0u) << "at " << at;
    EXPECT_EQ(bytes.substr(54 + 2382, 2), std::string(2, '\0')); // row padding

    EncodeBitmap({ nullptr, 794, 1122, 794 }, bytes);
    EXPECT_TRUE(bytes.empty());
}

TEST(BitmapFileTest, EveryPixelLandsInItsPlaceForAnyRowWidth)
{
    // Widths around the four-pixel steps of the encoder and the page width, rows padded by 0 to 3
    // bytes, more rows than one block of writing holds; encoded and written files are the same.
    TempFolder folder;
    for (int width : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 794 }) {
        SCOPED_TRACE("width " + std::to_string(width));
        const int height = 200;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
        const PixelView picture { pixels.data(), width, height, width };
        std::string bytes;
        EncodeBitmap(picture, bytes);
        const std::size_t rowBytes = BitmapRowBytes(width);
        ASSERT_EQ(bytes.size(), 54 + rowBytes * height);
        bool same = true;
        for (int y = 0; y < height && same; ++y) {
            const std::size_t row = 54 + rowBytes * static_cast<std::size_t>(height - 1 - y);
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
                const std::size_t at = row + 3 * static_cast<std::size_t>(x);
                same = same && static_cast<unsigned char>(bytes[at]) == (p & 0xFF)
                    && static_cast<unsigned char>(bytes[at + 1]) == ((p >> 8) & 0xFF)
                    && static_cast<unsigned char>(bytes[at + 2]) == ((p >> 16) & 0xFF);
            }
            for (std::size_t pad = row + 3 * static_cast<std::size_t>(width); pad < row + rowBytes; ++pad)
                same = same && bytes[pad] == 0;
            EXPECT_TRUE(same) << "picture row " << y;
        }
        ASSERT_TRUE(WriteBitmapFile(folder.Path() / "p.bmp", picture));
        EXPECT_TRUE(folder.Read("p.bmp") == bytes);
    }
    EXPECT_FALSE(WriteBitmapFile(folder.Path() / "none.bmp", PixelView {}));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "none.bmp"));
}

TEST(BitmapFileTest, WriteWholeFileReplacesAndReportsFailure)
{
    TempFolder folder;
    folder.Write("a.bmp", std::string(5000, 'x'));
    EXPECT_TRUE(WriteWholeFile(folder.Path() / "a.bmp", "abc"));
    EXPECT_EQ(folder.Read("a.bmp"), "abc");
    EXPECT_FALSE(WriteWholeFile(folder.Path() / "missing" / "a.bmp", "abc"));
    std::filesystem::create_directory(folder.Path() / "dir.bmp");
    EXPECT_FALSE(WriteWholeFile(folder.Path() / "dir.bmp", "abc"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "dir.bmp"));
}

TEST(PageRangeTest, PageBoxesReadAsNumbers)
{
    const std::pair<const char*, int> cases[] = { { "3", 3 }, { " 12 ", 12 }, { "", 0 }, { "abc", 0 }, { "2a", 0 },
        { "-2", 0 }, { "+2", 0 }, { "1.5", 0 }, { "0", 0 }, { "99999999999999999999", 99999 } };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ReadPageNumber(text), value) << '"' << text << '"';
}

TEST(PageRangeTest, FolderNamesThatWouldLeaveTheProgramsFolderOrTakeTheNameOfItsFilesAreRefused)
{
    const std::pair<const char*, bool> cases[] = { { "paginas", true }, { "fotos/2024", true }, { "a\\b", true },
        { "a..b", true }, { "..a", true }, { ".", true }, { " ", true }, { "", false }, { "..", false },
        { "../x", false }, { "a/../../x", false }, { "a\\..", false }, { "/tmp/x", false }, { "\\x", false },
        { "C:\\x", false }, { "c:x", false }, { "config.ini", false }, { "./config.ini/x", false },
        { "rey.log\\x", false }, { "Mis Colores.log", false }, { "diccionario.log", false },
        { "dictionary.log", false }, { "recuperacion.4tf", false }, { ".quirel-0123-4-5.tmp", false },
        { "recuperacion-4711.4tf", false }, { "recuperacion-4711-2.lock", false }, { "recuperacion.lock", false },
        { "recuperacion-4711-no-leida.4tf", false }, { "recuperaciones", true }, { "tildes.dat", false },
        { "tildes.dat/x", false }, { "config.ini.d", true }, { "x/config.ini", true }, { "Config.ini", true } };
    for (const auto& [name, accepted] : cases)
        EXPECT_EQ(IsFolderNameAccepted(name), accepted) << '"' << name << '"';
    EXPECT_EQ(ExportFolder("/prog", "a\\b"), std::filesystem::path("/prog/a/b"));
    EXPECT_EQ(ExportFolder("/prog", "p\xE1ginas"), std::filesystem::path("/prog/p\xC3\xA1ginas"));
}

// A refused folder name is explained: the name as typed and why; an empty box says nothing.
TEST(PageRangeTest, ARefusedFolderNameSaysWhy)
{
    const std::pair<const char*, std::string> cases[] = {
        { "paginas", "" },
        { "", "" },
        { "config.ini",
            "No se puede exportar a la carpeta config.ini ...\r\n"
            "\"config.ini\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta." },
        { "tildes.dat",
            "No se puede exportar a la carpeta tildes.dat ...\r\n"
            "\"tildes.dat\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta." },
        { "./rey.log\\p\xE1ginas",
            "No se puede exportar a la carpeta ./rey.log\\p\xE1ginas ...\r\n"
            "\"rey.log\" es el nombre de un fichero del programa, que no se puede ocupar con una carpeta." },
        { "../fuera",
            "No se puede exportar a la carpeta ../fuera ...\r\n"
            "La carpeta se crea dentro de la carpeta del programa: el nombre no puede contener \"..\"." },
        { "/tmp/x",
            "No se puede exportar a la carpeta /tmp/x ...\r\n"
            "La carpeta se crea dentro de la carpeta del programa: escriba su nombre, no una ruta completa." },
        { "C:\\x",
            "No se puede exportar a la carpeta C:\\x ...\r\n"
            "La carpeta se crea dentro de la carpeta del programa: escriba su nombre, no una ruta completa." },
    };
    for (const auto& [name, message] : cases)
        EXPECT_EQ(FolderNameRefusal(name), message) << '"' << name << '"';
}

TEST(PageRangeTest, IntervalsAndFolderRules)
{
    struct Case {
        PageRangeForm form;
        RangeChoice choice;
        int first, last;
        const char* folder;
        bool accepted;
    };
    using enum PageRangeForm;
    using enum RangeChoice;
    const Case cases[] = {
        { Export, Interval, 2, 4, "paginas", true },
        { Export, Interval, 1, 5, "paginas", true }, // the whole five-page document
        { Export, Interval, 3, 3, "paginas", false }, // one page is not an interval
        { Export, Interval, 0, 2, "paginas", false },
        { Export, Interval, 4, 2, "paginas", false },
        { Export, Interval, 4, 6, "paginas", false }, // beyond the page count
        { Export, Interval, 5, 6, "paginas", false },
        { Export, Interval, 2, 4, "", false },
        { Export, SinglePage, 0, 0, "paginas", true }, // page boxes are not looked at
        { Export, AllPages, 9, 1, "paginas", true },
        { Export, SinglePage, 0, 0, "", false },
        { Export, AllPages, 0, 0, "../fuera", false },
        { Print, Interval, 2, 4, "", true }, // printing has no folder
        { Print, Interval, 3, 3, "", false },
        { Print, Interval, 0, 2, "", false },
        { Print, Interval, 2, 9, "", false },
        { Print, SinglePage, 0, 0, "", true },
        { Print, AllPages, 0, 0, "", true },
    };
    for (const auto& c : cases) {
        PageRange range;
        range.choice = c.choice;
        range.firstPage = c.first;
        range.lastPage = c.last;
        range.folderName = c.folder;
        EXPECT_EQ(IsPageRangeAccepted(c.form, range, 5), c.accepted)
            << (c.form == Export ? "export " : "print ") << static_cast<int>(c.choice) << " " << c.first << "-"
            << c.last << " '" << c.folder << "'";
    }
}

TEST(PrintSetupTest, SettingsShowTheirItemsAndItemsGiveBackTheSettings)
{
    const int copies[] = { 1, 2, 3, 4, 5, 10 };
    for (int i = 0; i < 6; ++i)
        for (int colour = 1; colour <= 2; ++colour)
            for (int quality = 1; quality <= 4; ++quality) {
                const PrintSettings settings { copies[i], colour, quality };
                const auto selection = SelectionForSettings(settings);
                EXPECT_EQ(selection.copies, i);
                const auto read = SettingsFromItems(kCopiesItems[static_cast<std::size_t>(selection.copies)],
                    kColourModeItems[static_cast<std::size_t>(selection.colourMode)],
                    kQualityItems[static_cast<std::size_t>(selection.quality)]);
                EXPECT_EQ(read.copies, settings.copies);
                EXPECT_EQ(read.colourMode, settings.colourMode);
                EXPECT_EQ(read.quality, settings.quality);
            }
    const auto none = SelectionForSettings({ 0, 0, 0 });
    EXPECT_EQ(none.copies, -1);
    EXPECT_EQ(none.colourMode, -1);
    EXPECT_EQ(none.quality, -1);
    EXPECT_EQ(SelectionForSettings({ 7, 3, 5 }).copies, -1);
    const auto empty = SettingsFromItems("", "", "");
    EXPECT_EQ(empty.copies + empty.colourMode + empty.quality, 0);
}

namespace {

// A printer that records its jobs; without a name it behaves as a system without a default printer.
class FakePrinter : public Printer {
public:
    PrinterAttach AttachDefault() override
    {
        ++attaches;
        return { name };
    }
    bool PrintJob(std::string_view printerName, const PixelView& page, const PrintSettings& settings,
        std::string_view title) override
    {
        jobs.push_back({ std::string(printerName), page.pixels ? page.pixels[0] : 0, settings, std::string(title) });
        return static_cast<int>(jobs.size()) != failingJob;
    }
    struct Job {
        std::string printer;
        std::uint32_t firstPixel;
        PrintSettings settings;
        std::string title;
    };
    std::string name = "Oficina";
    int failingJob = 0; // the job (counting from 1) that fails; 0 for none
    int attaches = 0;
    std::vector<Job> jobs;
};

} // namespace

// Without a default printer, or with a printer that refuses a job, one message in Spanish says
// what went wrong, and nothing more is printed or said for the pages after it.
TEST(PrintRunTest, AFailureIsToldOnceInSpanishAndEndsThePrinting)
{
    struct Case {
        const char* name;
        std::string printer;
        int failingJob;
        std::string message;
        std::size_t jobs;
    };
    const Case cases[] = {
        { "no default printer", "", 0, std::string(kNoDefaultPrinterMessage), 0 },
        { "second job fails", "Oficina", 2,
            "No se ha podido imprimir la p\xE1gina 2 en la impresora Oficina ...\r\n"
            "Las p\xE1ginas siguientes no se imprimen.",
            2 },
    };
    for (const Case& c : cases) {
        FakePrinter printer;
        printer.name = c.printer;
        printer.failingJob = c.failingJob;
        RecordingPrompts prompts;
        PrintRun run(printer, &prompts, { 2, 1, 3 });
        for (int page = 1; page <= 4; ++page)
            run.PrintPage(page, [] { return PixelView {}; });
        EXPECT_EQ(prompts.messages, std::vector<std::string> { c.message }) << c.name;
        EXPECT_EQ(printer.jobs.size(), c.jobs) << c.name;
        EXPECT_EQ(printer.attaches, std::max<int>(1, static_cast<int>(c.jobs))) << c.name;
    }
}

TEST(PrintRunTest, EveryPageIsItsOwnJobWithTheSettings)
{
    FakePrinter printer;
    RecordingPrompts prompts;
    PrintRun run(printer, &prompts, { 10, 2, 4 });
    const std::uint32_t pixel = 0xFF123456;
    for (int page = 2; page <= 4; ++page)
        run.PrintPage(page, [&] { return PixelView { &pixel, 1, 1, 1 }; });
    ASSERT_EQ(printer.jobs.size(), 3u);
    EXPECT_EQ(printer.jobs[0].title, "Quirel Pagina 2");
    EXPECT_EQ(printer.jobs[2].title, "Quirel Pagina 4");
    for (const auto& job : printer.jobs) {
        EXPECT_EQ(job.printer, "Oficina");
        EXPECT_EQ(job.firstPixel, pixel);
        EXPECT_EQ(job.settings.copies, 10);
        EXPECT_EQ(job.settings.colourMode, 2);
        EXPECT_EQ(job.settings.quality, 4);
    }
    EXPECT_TRUE(prompts.messages.empty());
}

namespace {

// Dialog answers given in advance, and page pictures that tell their page and whether it was framed:
// every pixel is 0xFF000000 + 16 × page + framed.
class FakePorts : public PageOutputPorts {
public:
    explicit FakePorts(const PageTable& pages)
        : m_pages(pages)
    {
    }
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
    PixelView PagePicture(const PageSlot& slot) override
    {
        int page = 1;
        while (&m_pages.Slot(page) != &slot)
            ++page;
        const bool framed = slot.picture && FakeCanvas::PageOf(slot).framed;
        m_pixels.assign(794 * 1122, 0xFF000000u + 16u * static_cast<std::uint32_t>(page) + (framed ? 1u : 0u));
        return { m_pixels.data(), 794, 1122, 794 };
    }

    PageRange answer;
    std::optional<PrintSettings> setupAnswer;
    std::vector<PageRangeRequest> requests;
    std::vector<PrintSettings> shownSettings;
    std::string shownPrinter;

private:
    const PageTable& m_pages;
    std::vector<std::uint32_t> m_pixels;
};

class PageOutputTest : public ::testing::Test {
protected:
    PageOutputTest()
        : editor(folder.Path())
        , ports(editor.GetDocument().Pages())
        , output(editor, ports, printer, &prompts)
    {
        EditorHooks hooks;
        hooks.setCaption = [this](const std::string& text) { caption = text; };
        editor.Attach(canvas, hooks, &prompts);
        editor.ConnectCommands({ nullptr, &output, nullptr });
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
        editor.RebuildDocumentView();
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
    RecordingPrompts prompts;
    FakePrinter printer;
    FakePorts ports;
    PageOutput output;
    std::string caption;
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
    EditorHooks hooks;
    hooks.processPendingEvents = [&] {
        if (!asked) {
            asked = true;
            editor.Run(command::ExportBitmap);
            EXPECT_TRUE(ports.requests.empty());
        }
    };
    editor.Attach(canvas, hooks, &prompts);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ports.requests.size(), 1u);
    EXPECT_EQ(prompts.messages, (std::vector<std::string> { "Imagen exportada ..." }));
}
