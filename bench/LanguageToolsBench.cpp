// The language tools on a full document of 300,000 tokens: the accent pass (every accented word of
// the text written without its accent, so each one is tried and fixed), the repeated-word count, the
// rebuild of the text from its tokens after a re-edit, and a word search walking a list of 700,000
// entries. With QUIREL_WORDLISTS_DIR naming a folder with the built word lists, the accent pass and
// the word dialog's "-ción" search over all five lists run on the real lists as well.
#include "BenchText.h"
#include "QtBenchMain.h"
#include "dialogs/WordSearchDialog.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Document.h"
#include "document/Tokenize.h"
#include "editor/Prompts.h"
#include "language/AccentMarks.h"
#include "language/DictionarySearch.h"
#include "language/ReEdit.h"
#include "language/RepeatedWords.h"
#include "language/WordListViews.h"
#include "language/WordLists.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <unordered_set>

using namespace quirel;

namespace {

constexpr std::size_t kDocumentTokens = 300000;

// The pass calls the pump at every yield point; the cost of the real event loop is not measured here.
class NullPump : public EventPump {
public:
    void ProcessPendingEvents() override { benchmark::ClobberMemory(); }
};

std::string WithoutAccents(std::string text)
{
    for (char& c : text) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE1:
            c = 'a';
            break;
        case 0xE9:
            c = 'e';
            break;
        case 0xED:
            c = 'i';
            break;
        case 0xF3:
            c = 'o';
            break;
        case 0xFA:
            c = 'u';
            break;
        default:
            break;
        }
    }
    return text;
}

// A spelling list of about 700,000 lower-case entries: the words of the benchmark text, with their
// accents, among made-up words.
struct SpellingList {
    std::vector<std::string> entries;
    std::unordered_set<std::string_view> index;

    SpellingList()
    {
        const std::string words = ToLower(bench::SpanishText(200));
        std::size_t start = 0;
        for (std::size_t i = 0; i <= words.size(); ++i) {
            if (i == words.size() || ClassifyByte(static_cast<unsigned char>(words[i])) != CharClass::Word) {
                if (i > start) entries.push_back(words.substr(start, i - start));
                start = i + 1;
            }
        }
        for (int i = 0; entries.size() < 700000; ++i)
            entries.push_back("palabra" + std::to_string(i));
        index.reserve(entries.size());
        for (const std::string& entry : entries)
            index.insert(entry);
    }

    KnownWordTest Lookup() const
    {
        return [this](std::string_view word) { return index.count(word) > 0; };
    }
};

const SpellingList& List()
{
    static const SpellingList list;
    return list;
}

// The five built word lists of QUIREL_WORDLISTS_DIR, loaded once; null without them.
const WordLists* RealLists()
{
    static const std::unique_ptr<WordLists> lists = []() -> std::unique_ptr<WordLists> {
        const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
        if (!dir || !*dir || !std::filesystem::exists(std::filesystem::path(dir) / "diccionario.log")) return nullptr;
        auto loaded = std::make_unique<WordLists>();
        LoadAllWordLists(dir, *loaded, nullptr, nullptr);
        return loaded;
    }();
    return lists.get();
}

// Keeps the longest time between two event passes: how long the window would go without input.
class GapPump : public EventPump {
public:
    void ProcessPendingEvents() override
    {
        const auto now = std::chrono::steady_clock::now();
        longest = std::max(longest, now - m_last);
        m_last = now;
    }
    void Start() { m_last = std::chrono::steady_clock::now(); }
    std::chrono::steady_clock::duration longest {};

private:
    std::chrono::steady_clock::time_point m_last;
};

class QuietPrompts : public Prompts {
public:
    void ShowMessage(std::string_view, Urgency) override { }
    void ShowNotice(std::string_view) override { }
    bool AskYesNo(std::string_view) override { return false; }
};

} // namespace

static void BM_AccentPass(benchmark::State& state)
{
    const std::string text = WithoutAccents(bench::SpanishText(kDocumentTokens));
    // The document keeps its text cut into tokens: the pass is given them.
    const std::vector<Token> tokens = Tokenize(text, std::numeric_limits<std::size_t>::max());
    const KnownWordTest isKnown = List().Lookup();
    NullPump pump;
    AccentResult result;
    for (auto _ : state) {
        result = AccentDocument(text, tokens, isKnown, &pump);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["accented"] = static_cast<double>(result.count);
}
BENCHMARK(BM_AccentPass)->Unit(benchmark::kMillisecond);

static void BM_RepeatedWords(benchmark::State& state)
{
    Document doc;
    doc.SetText(bench::SpanishText(kDocumentTokens));
    NullPump pump;
    RepeatedWordsResult result;
    for (auto _ : state) {
        result = RepeatedWords(doc, &pump);
        benchmark::DoNotOptimize(result.report.data());
    }
    state.counters["rows"] = static_cast<double>(result.rows.size());
    state.counters["tokens"] = doc.TokenCount();
}
BENCHMARK(BM_RepeatedWords)->Unit(benchmark::kMillisecond);

static void BM_ReEditRebuildText(benchmark::State& state)
{
    Document doc;
    doc.SetText(bench::SpanishText(kDocumentTokens));
    doc.SetTokenField(doc.TokenCount() / 2, "palabra");
    for (auto _ : state)
        benchmark::DoNotOptimize(RebuildText(doc).data());
}
BENCHMARK(BM_ReEditRebuildText)->Unit(benchmark::kMillisecond);

static void BM_DictionarySearchAllLists(benchmark::State& state)
{
    const std::vector<std::string>& entries = List().entries;
    const WordListSource source { entries.size(),
        [&entries](std::size_t i) { return std::string_view(entries[i - 1]); } };
    const SearchLists lists { source, source, source, source, source,
        [](std::string_view word) { return List().index.count(word) > 0; } };
    std::size_t found = 0;
    for (auto _ : state) {
        const auto result = SearchWordLists(lists, SearchChoice::All, "-os");
        found = result ? result->items.size() : 0;
        benchmark::DoNotOptimize(found);
    }
    state.counters["entries"] = static_cast<double>(entries.size() * 5);
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_DictionarySearchAllLists)->Unit(benchmark::kMillisecond);

// The accent pass over the full document with the real lists; "longest_gap_ms" is the longest time
// the pass keeps the event loop waiting.
static void BM_AccentPassRealLists(benchmark::State& state)
{
    const WordLists* lists = RealLists();
    if (!lists) {
        state.SkipWithError("QUIREL_WORDLISTS_DIR does not name the built word lists");
        return;
    }
    const std::string text = WithoutAccents(bench::SpanishText(kDocumentTokens));
    // The document keeps its text cut into tokens: the pass is given them.
    const std::vector<Token> tokens = Tokenize(text, std::numeric_limits<std::size_t>::max());
    const KnownWordTest isKnown = SpellingLookup(*lists);
    GapPump pump;
    AccentResult result;
    for (auto _ : state) {
        pump.Start();
        result = AccentDocument(text, tokens, isKnown, &pump);
        pump.ProcessPendingEvents();
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["accented"] = static_cast<double>(result.count);
    state.counters["longest_gap_ms"] = std::chrono::duration<double, std::milli>(pump.longest).count();
}
BENCHMARK(BM_AccentPassRealLists)->Unit(benchmark::kMillisecond);

// The word dialog on screen, "-ción" (argument 0), "-os" (1, a far larger result) or "-s" (2, most
// plurals) over "01 - Todas las palabras" of the real lists: from the search until the sorted results are in the
// list and painted.
static void BM_WordSearchDialogRealLists(benchmark::State& state)
{
    const WordLists* lists = RealLists();
    if (!lists) {
        state.SkipWithError("QUIREL_WORDLISTS_DIR does not name the built word lists");
        return;
    }
    QuietPrompts prompts;
    WordSearchDialog dialog(SearchListsOf(*lists), {}, &prompts);
    dialog.show();
    QApplication::processEvents();
    dialog.SearchBox()->setText(QString::fromUtf8(state.range(0) == 0 ? "-ción" : state.range(0) == 1 ? "-os" : "-s"));
    dialog.ChoiceBox()->setCurrentIndex(0); // "01 - Todas las palabras" (searches once already)
    qsizetype found = 0;
    for (auto _ : state) {
        dialog.Search();
        dialog.repaint();
        QApplication::processEvents();
        found = dialog.Results().size();
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_WordSearchDialogRealLists)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return quirel::bench::RunWithQt(argc, argv);
}
