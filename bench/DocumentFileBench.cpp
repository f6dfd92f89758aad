// Saving and reading a document of 300,000 tokens (the model's capacity).
#include "io/DocumentFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>

using namespace quirel;
namespace fs = std::filesystem;

namespace {

// Words and blanks, with a line end now and then: 300,000 tokens, each with its own record.
void FillFullDocument(Document& doc)
{
    const char* words[]
        = { "el", "documento", "tiene", "palabras", "se\xF1or", "a\xF1o", "canci\xF3n", "r\xE1pidamente" };
    std::string text;
    for (int i = 0; i < kMaxTokens / 2; ++i) {
        text += words[i % 8];
        text += (i % 40 == 39) ? '\r' : ' ';
    }
    if (doc.SetText(std::move(text)) != EditStatus::Done || doc.TokenCount() != kMaxTokens) std::abort();
    for (int i = 1; i <= doc.TokenCount(); ++i) {
        const auto n = static_cast<std::uint32_t>(i);
        doc.Records().Set(i, MakeFormatRecord({ (n * 7919u) & 0xFFFFFF, 6 + i % 85, i % 5, i % 16, 0, n & 0xFFFFFF }));
    }
    for (const char* face : { "Times New Roman", "Georgia", "Consolas", "Tahoma" })
        doc.Fonts().Append(face);
}

struct Fixture {
    Fixture()
    {
        folder = fs::temp_directory_path() / ("quirel-bench-" + std::to_string(std::random_device {}()));
        fs::create_directories(folder);
        file = folder / "grande.4tf";
        FillFullDocument(original);
        if (WriteDocument(original, file) != DocumentFileStatus::Done) std::abort();
    }
    ~Fixture() { fs::remove_all(folder); }
    fs::path folder;
    fs::path file;
    Document original;
    Document copy;
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_WriteAndReadDocument(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        if (WriteDocument(f.original, f.file) != DocumentFileStatus::Done) state.SkipWithError("write failed");
        if (ReadDocument(f.copy, f.file) != DocumentFileStatus::Done) state.SkipWithError("read failed");
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(f.file));
}
BENCHMARK(BM_WriteAndReadDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteDocument(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        if (WriteDocument(f.original, f.file) != DocumentFileStatus::Done) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildDocumentFile(benchmark::State& state)
{
    Fixture& f = Shared();
    std::string bytes;
    for (auto _ : state) {
        BuildDocumentFile(f.original, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_BuildDocumentFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadDocument(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        if (ReadDocument(f.copy, f.file) != DocumentFileStatus::Done) state.SkipWithError("read failed");
    }
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
