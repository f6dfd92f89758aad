// The word memory calls made after every keystroke, on a rey.log of 1,000 words.
#include "document/Cp1252.h"
#include "io/WordMemory.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <unordered_set>

using namespace quirel;
namespace fs = std::filesystem;

namespace {

constexpr int kWords = 1000;

std::string Word(int i)
{
    static const char* stems[] = { "cas", "perr", "cancion", "rapid", "document", "palabr", "ni\xF1", "a\xF1" };
    return std::string(stems[i % 8]) + "o" + std::to_string(i);
}

struct Fixture {
    Fixture()
        : folder(fs::temp_directory_path() / ("quirel-bench-" + std::to_string(std::random_device {}())))
        , memory((fs::create_directories(folder), folder))
    {
        std::string bytes;
        for (int i = 0; i < kWords; ++i) {
            std::string record = Word(i);
            record.resize(kWordMemoryRecordSize, '\0');
            bytes += record;
            known.insert(Word(i));
        }
        known.insert("nuevo");
        std::ofstream(memory.File(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~Fixture() { fs::remove_all(folder); }
    fs::path folder;
    WordMemory memory;
    std::unordered_set<std::string> known;
    WordMemory::KnownWordTest isKnown = [this](std::string_view word) { return known.count(ToLower(word)) > 0; };
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

// No record matches, so every record is compared.
void BM_CompleteWordNoMatch(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.memory.CompleteWord("zorro"));
}
BENCHMARK(BM_CompleteWordNoMatch)->Unit(benchmark::kMicrosecond);

void BM_CompleteWordLastRecord(benchmark::State& state)
{
    Fixture& f = Shared();
    const std::string prefix = Word(kWords - 1).substr(0, 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.memory.CompleteWord(prefix));
}
BENCHMARK(BM_CompleteWordLastRecord)->Unit(benchmark::kMicrosecond);

void BM_IsRememberedMiss(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.memory.IsRemembered("zorro"));
}
BENCHMARK(BM_IsRememberedMiss)->Unit(benchmark::kMicrosecond);

// The usual call after a keystroke: a known word that is already stored, here as the last record.
void BM_RememberWordAlreadyStored(benchmark::State& state)
{
    Fixture& f = Shared();
    const std::string word = Word(kWords - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.memory.RememberWord(word, f.isKnown));
}
BENCHMARK(BM_RememberWordAlreadyStored)->Unit(benchmark::kMicrosecond);

void BM_RememberWordUnknown(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.memory.RememberWord("desconocida", f.isKnown));
}
BENCHMARK(BM_RememberWordUnknown)->Unit(benchmark::kMicrosecond);

// A new word is stored (a full scan and a write); the file is cut back to 1,000 words inside the
// timed loop, so the figure includes that cut.
void BM_RememberWordStores(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        if (f.memory.RememberWord("nuevo", f.isKnown) != RememberStatus::Stored) state.SkipWithError("not stored");
        fs::resize_file(f.memory.File(), kWords * kWordMemoryRecordSize);
    }
}
BENCHMARK(BM_RememberWordStores)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
