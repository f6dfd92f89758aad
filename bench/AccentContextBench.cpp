// The accent command with its context model, on the held-out Spanish texts the model never learnt from
// (accent-heldout.txt beside the built lists and model; QUIREL_WORDLISTS_DIR names the folder; without
// them every benchmark here is skipped with a message).
//
// BM_AccentRestoration strips the accent from every word of the held-out text that has one acute accent
// and runs the command on the result, once with the context model and once with the list rule alone
// (the *_lists counters). Counters, in per cent of the stripped accents: restored (all), restored_nonword
// (the form without accent is not a word: cancion), restored_ambiguous (it is a word too: esta/está),
// wrong (another accent); added_per_1000: accents put on words that were right without one, per 1,000
// such words. Style accents (sólo, éste…) and accented words the lists do not know (the Bible's fué)
// are not counted: stripped_counted says how many are.
// BM_AccentPassContext: the pass over 300,000 tokens of the stripped text. BM_AccentModelLoad: loading
// the model after the first page is shown, with its entries, bytes and the resident memory it adds.
#include "BenchText.h"
#include "document/AcuteAccent.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Tokenize.h"
#include "io/Ports.h"
#include "language/AccentMarks.h"
#include "language/AccentModel.h"
#include "language/WordListViews.h"
#include "language/WordLists.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <malloc.h>
#include <memory>
#include <sstream>

using namespace quirel;

namespace {

constexpr std::size_t kDocumentTokens = 300000;

struct Fixture {
    WordLists lists;
    AccentModel model;
    std::filesystem::path folder;
    std::string text; // held-out paragraphs, Windows-1252, CR LF between them
};

// The lists, model and held-out text of QUIREL_WORDLISTS_DIR, loaded once; null when one is missing.
const Fixture* Data()
{
    static const std::unique_ptr<Fixture> data = []() -> std::unique_ptr<Fixture> {
        const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
        if (!dir || !*dir) return nullptr;
        auto fixture = std::make_unique<Fixture>();
        fixture->folder = dir;
        std::ifstream heldOut(fixture->folder / "accent-heldout.txt", std::ios::binary);
        if (!heldOut || !std::filesystem::exists(fixture->folder / "diccionario.log")) return nullptr;
        if (LoadAccentModel(fixture->folder / kAccentModelFileName, fixture->model) != AccentModelStatus::Loaded)
            return nullptr;
        LoadAllWordLists(fixture->folder, fixture->lists, nullptr, nullptr);
        std::string line;
        while (std::getline(heldOut, line))
            fixture->text += Utf8ToCp1252(line) + "\r\n";
        return fixture;
    }();
    return data.get();
}

bool SkipWithoutData(benchmark::State& state)
{
    if (Data()) return false;
    state.SkipWithError("QUIREL_WORDLISTS_DIR does not name a folder with the built word lists, tildes.dat "
                        "and accent-heldout.txt (scripts/build-wordlists.sh, scripts/build-accent-model.sh)");
    return true;
}

enum class Kind { Plain, Excluded, NonWord, Ambiguous };

struct StrippedText {
    std::string text;
    std::vector<Token> tokens;
    std::vector<Kind> kinds; // per token
};

// The text with the accent taken from every word that has exactly one acute accent.
StrippedText Strip(std::string_view text, const WordLists& lists)
{
    static const std::vector<std::string> kStyle = { "s\xF3lo", "\xE9ste", "\xE9sta", "\xE9stos", "\xE9stas", "\xE9se",
        "\xE9sa", "\xE9sos", "\xE9sas", "aqu\xE9l", "aqu\xE9lla", "aqu\xE9llos", "aqu\xE9llas" };
    StrippedText out { std::string(text), Tokenize(text, std::numeric_limits<std::size_t>::max()), {} };
    for (const Token& token : out.tokens) {
        const std::string_view word = text.substr(token.start, token.length);
        Kind kind = Kind::Excluded;
        if (ClassifyByte(static_cast<unsigned char>(word.front())) == CharClass::Word) {
            std::string plain(word);
            int accents = 0;
            for (char& c : plain) {
                const unsigned char bare = WithoutAcuteAccent(static_cast<unsigned char>(c));
                accents += bare != static_cast<unsigned char>(c) ? 1 : 0;
                c = static_cast<char>(bare);
            }
            const std::string lower = ToLower(word);
            if (accents == 0)
                kind = lists.IsKnownWord(lower) ? Kind::Plain : Kind::Excluded;
            else if (accents == 1 && lists.IsKnownWord(lower)
                && std::find(kStyle.begin(), kStyle.end(), lower) == kStyle.end())
                kind = lists.IsKnownWord(ToLower(plain)) ? Kind::Ambiguous : Kind::NonWord;
            if (accents == 1) out.text.replace(token.start, token.length, plain);
        }
        out.kinds.push_back(kind);
    }
    return out;
}

struct Score {
    double restored = 0, restoredNonWord = 0, restoredAmbiguous = 0, wrong = 0, addedPer1000 = 0;
    std::size_t counted = 0, ambiguous = 0, plain = 0;
};

Score Measure(std::string_view original, const StrippedText& stripped, const AccentModel* model, const WordLists& lists)
{
    const AccentResult result = AccentDocument(stripped.text, stripped.tokens, AccentLexiconOf(lists), model, nullptr);
    Score score;
    std::size_t restored[2] = { 0, 0 }, total[2] = { 0, 0 }, wrong = 0, added = 0;
    for (std::size_t i = 0; i < stripped.tokens.size(); ++i) {
        const Token& token = stripped.tokens[i];
        const std::string_view before = original.substr(token.start, token.length);
        const std::string_view after = std::string_view(result.text).substr(token.start, token.length);
        switch (stripped.kinds[i]) {
        case Kind::Plain:
            ++score.plain;
            added += after != before ? 1 : 0;
            break;
        case Kind::NonWord:
        case Kind::Ambiguous: {
            const int k = stripped.kinds[i] == Kind::Ambiguous ? 1 : 0;
            ++total[k];
            restored[k] += after == before ? 1 : 0;
            wrong += after != before && after != std::string_view(stripped.text).substr(token.start, token.length) ? 1
                                                                                                                   : 0;
            break;
        }
        case Kind::Excluded:
            break;
        }
    }
    score.counted = total[0] + total[1];
    score.ambiguous = total[1];
    const auto pct = [](std::size_t part, std::size_t whole) { return whole ? 100.0 * part / whole : 0.0; };
    score.restored = pct(restored[0] + restored[1], score.counted);
    score.restoredNonWord = pct(restored[0], total[0]);
    score.restoredAmbiguous = pct(restored[1], total[1]);
    score.wrong = pct(wrong, score.counted);
    score.addedPer1000 = score.plain ? 1000.0 * added / score.plain : 0.0;
    return score;
}

} // namespace

static void BM_AccentRestoration(benchmark::State& state)
{
    if (SkipWithoutData(state)) return;
    const Fixture& data = *Data();
    const StrippedText stripped = Strip(data.text, data.lists);
    Score withModel, listsOnly;
    for (auto _ : state) {
        withModel = Measure(data.text, stripped, &data.model, data.lists);
        listsOnly = Measure(data.text, stripped, nullptr, data.lists);
    }
    state.counters["restored"] = withModel.restored;
    state.counters["restored_nonword"] = withModel.restoredNonWord;
    state.counters["restored_ambiguous"] = withModel.restoredAmbiguous;
    state.counters["wrong"] = withModel.wrong;
    state.counters["added_per_1000"] = withModel.addedPer1000;
    state.counters["restored_lists"] = listsOnly.restored;
    state.counters["restored_ambiguous_lists"] = listsOnly.restoredAmbiguous;
    state.counters["added_per_1000_lists"] = listsOnly.addedPer1000;
    state.counters["stripped_counted"] = static_cast<double>(withModel.counted);
    state.counters["stripped_ambiguous"] = static_cast<double>(withModel.ambiguous);
    state.counters["plain_words"] = static_cast<double>(withModel.plain);
}
BENCHMARK(BM_AccentRestoration)->Unit(benchmark::kMillisecond)->Iterations(1);

// The pass over 300,000 tokens of the stripped held-out text (repeated as needed): with the model
// (argument 1) and with the list rule alone (argument 0).
static void BM_AccentPassContext(benchmark::State& state)
{
    if (SkipWithoutData(state)) return;
    const Fixture& data = *Data();
    const AccentModel* model = state.range(0) == 1 ? &data.model : nullptr;
    const std::string stripped = Strip(data.text, data.lists).text;
    std::string text;
    std::size_t tokens = 0;
    const std::size_t perCopy = Tokenize(stripped, std::numeric_limits<std::size_t>::max()).size();
    while (tokens + perCopy <= kDocumentTokens) {
        text += stripped;
        tokens += perCopy;
    }
    const auto rest = Tokenize(stripped, kDocumentTokens - tokens);
    if (!rest.empty()) text.append(stripped, 0, rest.back().start + rest.back().length);
    // The document keeps its text cut into tokens: the pass is given them.
    const std::vector<Token> textTokens = Tokenize(text, std::numeric_limits<std::size_t>::max());
    const AccentLexicon lexicon = AccentLexiconOf(data.lists);
    AccentResult result;
    for (auto _ : state) {
        result = AccentDocument(text, textTokens, lexicon, model, nullptr);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["tokens"] = static_cast<double>(textTokens.size());
    state.counters["accented"] = static_cast<double>(result.count);
}
BENCHMARK(BM_AccentPassContext)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

static void BM_AccentModelLoad(benchmark::State& state)
{
    if (SkipWithoutData(state)) return;
    const std::filesystem::path file = Data()->folder / kAccentModelFileName;
    std::size_t entries = 0, bytes = 0;
    long resident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<AccentModel>();
        const long before = bench::ResidentBytes();
        state.ResumeTiming();
        LoadAccentModel(file, *model);
        state.PauseTiming();
        resident = bench::ResidentBytes() - before;
        entries = model->Entries();
        bytes = model->Bytes();
        model.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["model_mb"] = static_cast<double>(bytes) / 1e6;
    state.counters["resident_mb"] = static_cast<double>(resident) / 1e6;
}
BENCHMARK(BM_AccentModelLoad)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // Large blocks straight from the system (a fixed threshold), so the memory a model load takes
    // shows in the resident size instead of reusing what an earlier benchmark freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
