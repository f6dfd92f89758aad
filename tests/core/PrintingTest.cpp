#include "io/Printing.h"

#include "FakePrinter.h"
#include "RecordingPrompts.h"
#include "io/IoMessages.h"
#include "io/Ports.h"

#include <gtest/gtest.h>

using namespace quirel;

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
