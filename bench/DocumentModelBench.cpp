// The document model: cutting a whole document into tokens, one keystroke at the end of a small
// and of a full document, and the memory of a full model.
#include "BenchText.h"
#include "document/Document.h"

#include <benchmark/benchmark.h>

using namespace quirel;

static void BM_TokenizeWholeDocument(benchmark::State& state)
{
    const std::string text = bench::SpanishText(static_cast<std::size_t>(state.range(0)));
    std::vector<Token> tokens;
    tokens.reserve(text.size());
    for (auto _ : state) {
        tokens.clear();
        TokenizeInto(text, 0, tokens);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.counters["tokens"] = static_cast<double>(tokens.size());
}
BENCHMARK(BM_TokenizeWholeDocument)->Arg(300000)->Unit(benchmark::kMillisecond);

// One typed letter and one Backspace, each followed by storing the current record in slot N,
// as every keystroke does.
static void BM_KeystrokeAtEnd(benchmark::State& state)
{
    Document doc;
    doc.SetText(bench::SpanishText(static_cast<std::size_t>(state.range(0))));
    for (int i = 1; i <= doc.TokenCount(); ++i)
        doc.Records().Set(i, doc.CurrentRecord());
    for (auto _ : state) {
        doc.Append("a");
        doc.StoreCurrentRecord();
        doc.RemoveLastByte();
        doc.StoreCurrentRecord();
        benchmark::DoNotOptimize(doc.TokenCount());
    }
    state.counters["tokens"] = doc.TokenCount();
}
BENCHMARK(BM_KeystrokeAtEnd)->Arg(100)->Arg(300000)->Unit(benchmark::kNanosecond);

static void BM_ModelMemoryAt300000Tokens(benchmark::State& state)
{
    for (auto _ : state) {
        const long before = bench::ResidentBytes();
        auto doc = std::make_unique<Document>();
        doc->SetText(bench::SpanishText(300000));
        for (int i = 1; i <= 300000; ++i)
            doc->Records().Set(i, doc->CurrentRecord());
        const long after = bench::ResidentBytes();
        state.counters["model_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
        state.counters["tokens"] = doc->TokenCount();
    }
}
BENCHMARK(BM_ModelMemoryAt300000Tokens)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
