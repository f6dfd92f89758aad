// Export of every page of a 150-page document as bitmap files (the layout, painting each page,
// encoding and writing 150 × 2,674,902 bytes), against a plain buffered write of the same number
// of bytes into the same number of files: the export should stay within 1.5 times the plain write.
// Files go to a folder under the system's temporary folder (QUIREL_BENCH_DIR overrides it).
#include "BenchText.h"
#include "QtBenchMain.h"
#include "StandInPorts.h"
#include "editor/Editor.h"
#include "platform/PagePixels.h"
#include "platform/QtCanvas.h"
#include "platform/QtPrinter.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace quirel;

namespace {

// Enough Spanish prose at 10 points for 150 pages.
constexpr std::size_t kFullDocumentTokens = 265000;

std::filesystem::path BenchFolder()
{
    const char* chosen = std::getenv("QUIREL_BENCH_DIR");
    auto folder = (chosen && *chosen ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path())
        / "quirel-export-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

// The dialog answered with "all pages" into the folder "paginas"; pictures painted as the window does.
class AllPages : public RecordingPrompts {
public:
    PageRange AskPageRange(const PageRangeRequest&) override
    {
        PageRange range;
        range.choice = RangeChoice::AllPages;
        range.folderName = "paginas";
        return range;
    }
};

class PaintedPages : public FakePageView {
public:
    PixelView PagePicture(const PageSlot& slot) override { return m_pixels.Paint(slot); }

private:
    PagePixels m_pixels;
};

struct Fixture {
    Fixture()
        : folder(BenchFolder())
    {
        std::filesystem::remove_all(folder / "paginas");
        std::filesystem::remove(folder / "rey.log");
        editor = std::make_unique<Editor>(folder);
        editor->Services().completeWord = nullptr;
        editor->Services().rememberWord = nullptr;
        editor->Connect({ canvas, prompts, pump, view, SystemFiles(), printer });
        auto& doc = editor->GetDocument();
        doc.SetText(bench::SpanishText(kFullDocumentTokens));
        doc.Records().Reset(doc.CurrentRecord());
        editor->Run(command::Rebuild);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    QtCanvas canvas;
    AllPages prompts;
    CountingPump pump;
    PaintedPages view;
    QtPrinter printer;
    std::unique_ptr<Editor> editor;
};

} // namespace

static void BM_ExportAllPages(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state)
        fixture.editor->Run(command::ExportBitmap);
    const int pages = fixture.editor->GetDocument().Pages().pageCount;
    state.counters["pages"] = pages;
    state.SetBytesProcessed(state.iterations() * pages * static_cast<std::int64_t>(BitmapFileSize(794, 1122)));
}
BENCHMARK(BM_ExportAllPages)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

// The same bytes written with a buffered stream, one file per page: the floor of the export.
static void BM_PlainWrite150Bitmaps(benchmark::State& state)
{
    const auto folder = BenchFolder() / "plain";
    std::filesystem::create_directories(folder);
    const std::string bytes(BitmapFileSize(794, 1122), '\xFF');
    for (auto _ : state)
        for (int page = 1; page <= PageTable::kMaxPages; ++page) {
            std::ofstream out(folder / (std::to_string(page) + ".bmp"), std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    state.SetBytesProcessed(state.iterations() * PageTable::kMaxPages * static_cast<std::int64_t>(bytes.size()));
    std::filesystem::remove_all(folder.parent_path());
}
BENCHMARK(BM_PlainWrite150Bitmaps)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

int main(int argc, char** argv)
{
    return quirel::bench::RunWithQt(argc, argv);
}
