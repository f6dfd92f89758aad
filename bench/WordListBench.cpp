// Word-list speed: loading a list of a million records, IsKnownWord on a mix of known and
// unknown words, and loading the five lists at start-up. With QUIREL_WORDLISTS_DIR naming a
// folder with the built lists (scripts/build-wordlists.sh) the real lists are used; otherwise
// synthetic lists of the same sizes.

#include "io/Ports.h"
#include "language/WordLists.h"
#include "language/WordRecord.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace quirel;
namespace fs = std::filesystem;

class QuietPrompts : public Messages {
public:
    void ShowMessage(std::string_view, Urgency) override { }
    void ShowNotice(std::string_view) override { }
};

class CountingPump : public EventPump {
public:
    void ProcessPendingEvents() override { ++calls; }
    std::size_t calls = 0;
};

// Word-like strings: Spanish letter frequencies, 2 to 16 characters, a few accents.
std::vector<std::string> SyntheticWords(std::size_t count, std::uint64_t seed)
{
    static const std::string kLetters = "eeeeaaaaoooossrrrnnniiilllddttcccuummppbggvyqhfzj\xE1\xE9\xED\xF3\xFA\xF1";
    std::mt19937_64 random(seed);
    std::vector<std::string> words;
    words.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string word(2 + random() % 15, ' ');
        for (char& c : word)
            c = kLetters[random() % kLetters.size()];
        words.push_back(std::move(word));
    }
    return words;
}

fs::path BenchFolder()
{
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("quirel-wordlist-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        std::atexit([] {
            fs::remove_all(fs::temp_directory_path() / ("quirel-wordlist-bench-" + std::to_string(::getpid())));
        });
        return path;
    }();
    return folder;
}

void WriteList(const fs::path& file, const std::vector<std::string>& words)
{
    std::string bytes;
    bytes.reserve(words.size() * kWordRecordSize);
    WordRecordBytes record {};
    for (const auto& word : words) {
        EncodeWordRecord(word, record);
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The folder with the real lists, or one with synthetic lists of their sizes.
fs::path ListsFolder(bool& real)
{
    const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
    real = dir && *dir && fs::exists(fs::path(dir) / "diccionario.log");
    if (real) return dir;
    static const fs::path synthetic = [] {
        const fs::path folder = BenchFolder() / "lists";
        fs::create_directories(folder);
        const std::pair<WordListId, std::size_t> sizes[]
            = { { WordListId::Dictionary, 101'846 }, { WordListId::Diccionario, 726'624 },
                  { WordListId::Verbos, 601'590 }, { WordListId::NPropios, 11'177 }, { WordListId::Apellidos, 762 } };
        std::uint64_t seed = 1;
        for (const auto& [id, size] : sizes)
            WriteList(folder / WordListFileName(id), SyntheticWords(size, seed++));
        return folder;
    }();
    return synthetic;
}

void BM_LoadMillionRecordList(benchmark::State& state)
{
    const fs::path file = BenchFolder() / "million.log";
    if (!fs::exists(file)) WriteList(file, SyntheticWords(1'000'000, 42));
    QuietPrompts prompts;
    CountingPump pump;
    for (auto _ : state) {
        WordList list;
        LoadWordList(file, list, 256, &pump, &prompts);
        benchmark::DoNotOptimize(list.Size());
    }
    state.counters["records"] = 1'000'000;
    state.counters["pump_calls_per_load"] = static_cast<double>(pump.calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LoadMillionRecordList)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_LoadAllFiveLists(benchmark::State& state)
{
    bool real = false;
    const fs::path folder = ListsFolder(real);
    QuietPrompts prompts;
    CountingPump pump;
    std::size_t entries = 0;
    for (auto _ : state) {
        WordLists lists;
        LoadAllWordLists(folder, lists, &pump, &prompts);
        entries = 0;
        for (int id = 0; id < kWordListCount; ++id)
            entries += lists.List(static_cast<WordListId>(id)).Size();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.SetLabel(real ? "real lists" : "synthetic lists");
}
BENCHMARK(BM_LoadAllFiveLists)->Unit(benchmark::kMillisecond)->UseRealTime();

// Half of the queries are entries of the lists (taken across diccionario, verbos, npropios and
// Apellidos), half are not (the same words with a letter changed or added). The argument is the
// number of distinct queries: 4,096 is the vocabulary of a long document (what the painter asks
// while it lays pages out), 65,536 a very large one, 1,048,576 scattered lookups over the whole
// lists, bound by memory latency.
void BM_IsKnownWord(benchmark::State& state)
{
    const std::size_t distinct = static_cast<std::size_t>(state.range(0));
    bool real = false;
    const fs::path folder = ListsFolder(real);
    WordLists lists;
    QuietPrompts prompts;
    LoadAllWordLists(folder, lists, nullptr, &prompts);

    std::mt19937_64 random(7);
    std::vector<std::string> queries;
    const WordListId sources[]
        = { WordListId::Diccionario, WordListId::Verbos, WordListId::NPropios, WordListId::Apellidos };
    for (std::size_t i = 0; i < distinct; ++i) {
        const WordList& list = lists.List(sources[i % 8 < 4 ? 0 : i % 8 < 7 ? 1 : 2 + i % 2]);
        std::string word(list.Entry(1 + random() % list.Size()));
        if (i % 2 == 1) {
            if (word.size() > 3)
                word[random() % word.size()] = "qxkwz"[random() % 5];
            else
                word += "q";
        }
        queries.push_back(std::move(word));
    }
    std::size_t known = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        known += lists.IsKnownWord(queries[next]);
        next = (next + 1) & (queries.size() - 1);
    }
    benchmark::DoNotOptimize(known);
    state.SetItemsProcessed(state.iterations());
    state.counters["known_share"] = static_cast<double>(known) / static_cast<double>(state.iterations());
    state.SetLabel(real ? "real lists" : "synthetic lists");
}
BENCHMARK(BM_IsKnownWord)->Arg(4096)->Arg(1 << 16)->Arg(1 << 20);

} // namespace

BENCHMARK_MAIN();
