// Filling the font list with the installed families, as the main window does once at start-up
// (the font database itself is read by the first fill, outside the timed loop).
#include "QtBenchMain.h"
#include "app/FontList.h"

#include <benchmark/benchmark.h>

using namespace quirel;

static void BM_FillFontList(benchmark::State& state)
{
    FontList list;
    for (auto _ : state) {
        list.FillFontList();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["families"] = list.count();
}
BENCHMARK(BM_FillFontList)->Unit(benchmark::kMillisecond);

// Building the whole widget: fill, item delegate, first selection.
static void BM_CreateFontList(benchmark::State& state)
{
    for (auto _ : state) {
        FontList list;
        benchmark::DoNotOptimize(list.SelectFace(QStringLiteral("Candara")));
    }
}
BENCHMARK(BM_CreateFontList)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return quirel::bench::RunWithQt(argc, argv);
}
