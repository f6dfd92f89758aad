// The work surface as layout uses it: the memory of 150 stored pages; one selection of font and
// colours and one text output per token over a whole document, the page stored at every page
// break; what a keystroke costs (the last page again, stored and painted to be shown); storing
// and painting one full page of text.
#include "BenchText.h"
#include "QtBenchMain.h"
#include "document/PageTable.h"
#include "platform/QtCanvas.h"
#include "platform/RecordedPage.h"

#include <benchmark/benchmark.h>

using namespace quirel;

namespace {

constexpr int kMargin = 40;

struct Document {
    std::string text;
    std::vector<Token> tokens;
};

const Document& SpanishDocument()
{
    static const Document document = [] {
        Document d;
        d.text = bench::SpanishText(300000);
        d.tokens = Tokenize(d.text);
        return d;
    }();
    return document;
}

// Lays the tokens out the way the layout does: width estimate characters × points, wrap at the
// right margin, a new page when the pen is 800 pixels below the top margin, CR as a line end.
// Formats change as in a worked document: a style or face change every few hundred tokens, one
// word in thirteen marked unknown (red), a highlighted stretch now and then. Stops at the end of
// page maxPages (the program ends rather than make page 151). Returns the pages laid out.
int LayOut(QtCanvas& canvas, PageTable& pages, const Document& document, int points, int maxPages)
{
    static const char* const kFaces[] = { "Candara", "Candara", "Georgia", "Candara" };
    static const int kStyles[] = { 0, 1, 0, 2, 0, 4 };
    canvas.Clear();
    canvas.DrawFrame();
    int page = 1;
    int x = kMargin;
    int y = kMargin;
    int words = 0;
    auto pageCheck = [&] {
        if (y - kMargin < kPageBodyHeight) return true;
        if (page == maxPages) return false;
        canvas.StorePage(pages.Slot(page));
        ++page;
        canvas.Clear();
        canvas.DrawFrame();
        x = kMargin;
        y = kMargin;
        return true;
    };
    const int count = static_cast<int>(document.tokens.size());
    for (int k = 0; k < count; ++k) {
        const Token token = document.tokens[static_cast<std::size_t>(k)];
        const std::string_view text(document.text.data() + token.start, token.length);
        const char* face = kFaces[(k / 700) % 4];
        const int style = kStyles[(k / 400) % 6];
        canvas.SelectFont(face, points, style, CharSet::Ansi);
        if (text[0] == '\r') {
            y += canvas.LineHeight();
            x = kMargin;
            continue;
        }
        if (!pageCheck()) break;
        if (x + static_cast<int>(text.size()) * points > kPageWidth - kMargin) {
            y += canvas.LineHeight();
            x = kMargin;
            if (!pageCheck()) break;
        }
        const bool word = text[0] != ' ';
        words += word ? 1 : 0;
        const std::uint32_t colour = (word && words % 13 == 0) ? 0x0000FF : 0x000000;
        const std::uint32_t background = (k % 5000) < 60 ? 0x80FFFF : 0xFFFFFF;
        canvas.SetColors(colour, background);
        x += canvas.DrawText(x, y, text);
    }
    canvas.StorePage(pages.Slot(page));
    return page;
}

// 150 full pages of text laid out and stored: the pictures' bytes and the process's growth
// (measured first, before other benchmarks have grown the heap).
void BM_MemoryOf150Pages(benchmark::State& state)
{
    for (auto _ : state) {
        const long before = bench::ResidentBytes();
        auto pages = std::make_unique<PageTable>();
        QtCanvas canvas;
        const int last = LayOut(canvas, *pages, SpanishDocument(), 10, PageTable::kMaxPages);
        std::size_t bytes = 0;
        int filled = 0;
        for (int page = 1; page <= PageTable::kMaxPages; ++page) {
            if (const auto* picture = dynamic_cast<const RecordedPage*>(pages->Slot(page).picture.get())) {
                bytes += picture->MemoryBytes();
                ++filled;
            }
        }
        const long after = bench::ResidentBytes();
        state.counters["pages"] = filled;
        state.counters["laid_out"] = last;
        state.counters["pictures_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
        state.counters["process_growth_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_MemoryOf150Pages)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LayOutDocument(benchmark::State& state)
{
    const Document& document = SpanishDocument();
    QtCanvas canvas;
    auto pages = std::make_unique<PageTable>();
    const int points = static_cast<int>(state.range(0));
    int laidOut = 0;
    for (auto _ : state) {
        laidOut = LayOut(canvas, *pages, document, points, PageTable::kMaxPages);
        benchmark::DoNotOptimize(laidOut);
    }
    state.counters["pages"] = laidOut;
}
BENCHMARK(BM_LayOutDocument)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One full page of 10-point text, as the layout leaves it on the surface.
void PaintOnePage(QtCanvas& canvas)
{
    auto pages = std::make_unique<PageTable>();
    LayOut(canvas, *pages, SpanishDocument(), 10, 1);
}

// What a keystroke costs the surface: the last page laid out again, stored, and shown (its picture
// painted into the image the window copies).
void BM_RelayAndShowLastPage(benchmark::State& state)
{
    QtCanvas canvas;
    auto pages = std::make_unique<PageTable>();
    QImage shown;
    for (auto _ : state) {
        LayOut(canvas, *pages, SpanishDocument(), 10, 1);
        PaintPageInto(pages->Slot(1), shown);
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_RelayAndShowLastPage)->Unit(benchmark::kMicrosecond);

void BM_StoreTextPage(benchmark::State& state)
{
    QtCanvas canvas;
    PaintOnePage(canvas);
    PageSlot slot;
    for (auto _ : state) {
        canvas.StorePage(slot);
        benchmark::DoNotOptimize(slot.picture.get());
    }
    state.counters["picture_KB"]
        = static_cast<double>(dynamic_cast<const RecordedPage&>(*slot.picture).MemoryBytes()) / 1024.0;
}
BENCHMARK(BM_StoreTextPage)->Unit(benchmark::kMicrosecond);

void BM_PaintStoredTextPage(benchmark::State& state)
{
    QtCanvas canvas;
    PaintOnePage(canvas);
    PageSlot slot;
    canvas.StorePage(slot);
    QImage target;
    for (auto _ : state) {
        PaintPageInto(slot, target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PaintStoredTextPage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return quirel::bench::RunWithQt(argc, argv);
}
