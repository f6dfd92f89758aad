// The layout with the real Qt work surface: a whole 150-page document laid out with the spelling
// marks on, one keystroke at the end of a one-page and of a 150-page document (layout and the
// painting of the page shown; and as the window takes it, from the key events to the editing
// surface painted), and the memory of the laid-out document.
// Word lists: the folder named by QUIREL_WORDLISTS_DIR when set (the real lists), else none.
#include "BenchText.h"
#include "QtBenchMain.h"
#include "StandInPorts.h"
#include "app/EditSurface.h"
#include "app/MainWindow.h"
#include "editor/Editor.h"
#include "platform/QtCanvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace quirel;

namespace {

// Tokens of Spanish prose at 10 points on one full page.
constexpr int kPageTokens = 1700;

// Spanish prose of about `tokens` tokens, laid out; a document that reaches the last page is cut
// to end on a page as full as the one-page case.
void LayOutProse(Editor& editor, std::size_t tokens)
{
    if (tokens == 0) return;
    auto& doc = editor.GetDocument();
    doc.SetText(bench::SpanishText(tokens));
    doc.Records().Reset(doc.CurrentRecord());
    editor.Run(command::Rebuild);
    if (doc.Pages().pageCount == PageTable::kMaxPages) {
        const int last
            = std::min(doc.TokenCount(), doc.Pages().Slot(PageTable::kMaxPages).firstToken + kPageTokens - 1);
        const Token& end = doc.TokenSpan(last);
        doc.SetText(doc.Text().substr(0, end.start + end.length));
        editor.Run(command::Rebuild);
    }
}

// A program folder of its own (the word memory writes there) and the word lists.
std::filesystem::path BenchFolder(Editor* editor = nullptr)
{
    const auto folder = std::filesystem::temp_directory_path() / "quirel-layout-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "rey.log");
    if (editor) {
        if (const char* lists = std::getenv("QUIREL_WORDLISTS_DIR"))
            LoadAllWordLists(lists, editor->Lists().Words(), nullptr, nullptr);
        editor->Lists().Words().spellingSensor = true;
    }
    return folder;
}

struct Fixture {
    explicit Fixture(std::size_t tokens)
    {
        folder = BenchFolder();
        editor = std::make_unique<Editor>(folder);
        editor->Services().completeWord = nullptr; // the word memory has its own benchmark
        editor->Services().rememberWord = nullptr;
        BenchFolder(editor.get());
        ports.view.onShow = [this] { benchmark::DoNotOptimize(canvas.Image().constBits()); };
        editor->Connect(ports.For(canvas));
        LayOutProse(*editor, tokens);
    }

    std::filesystem::path folder;
    StandInPorts ports;
    QtCanvas canvas;
    std::unique_ptr<Editor> editor;
};

// Enough Spanish prose at 10 points for 150 pages (the surplus is cut to end on a full page).
constexpr std::size_t kFullDocumentTokens = 265000;

} // namespace

static void BM_FullLayout150Pages(benchmark::State& state)
{
    Fixture fixture(kFullDocumentTokens);
    for (auto _ : state)
        fixture.editor->Run(command::Rebuild);
    state.counters["pages"] = fixture.editor->GetDocument().Pages().pageCount;
    state.counters["tokens"] = fixture.editor->GetDocument().TokenCount();
    state.counters["listEntries"]
        = static_cast<double>(fixture.editor->Lists().Words().List(WordListId::Diccionario).Size());
}
BENCHMARK(BM_FullLayout150Pages)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One letter typed and taken back at the end of the document, each laid out and shown.
static void BM_KeystrokeAtEnd(benchmark::State& state)
{
    Fixture fixture(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        fixture.editor->Run({ command::TypeByte, 'a' });
        fixture.editor->Run({ command::TypeByte, 8 });
    }
    const auto& doc = fixture.editor->GetDocument();
    state.counters["pages"] = doc.Pages().pageCount;
    state.counters["lastPageTokens"]
        = doc.TokenCount() - std::max(1, doc.Pages().Slot(doc.Pages().pageCount).firstToken) + 1;
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeAtEnd)->Arg(kPageTokens)->Arg(kFullDocumentTokens)->Unit(benchmark::kMicrosecond);

// The same keystrokes sent to the main window (offscreen) as key events, each followed by the
// events it leaves pending, so the time runs from the key events to the editing surface painted.
// The word memory is on, as in the program.
static void BM_KeystrokeInWindow(benchmark::State& state)
{
    Editor editor(BenchFolder());
    MainWindow window(editor);
    window.show();
    window.Initialise({});
    window.BlinkTimer().stop();
    BenchFolder(&editor);
    // The prose cut to 150 pages without prompts, then laid out in the window (which would ask
    // about the page limit).
    std::string text;
    {
        Editor cutter(BenchFolder());
        QtCanvas canvas;
        StandInPorts cutterPorts;
        cutter.Connect(cutterPorts.For(canvas));
        LayOutProse(cutter, static_cast<std::size_t>(state.range(0)));
        text = cutter.GetDocument().Text();
    }
    auto& doc = editor.GetDocument();
    doc.SetText(text);
    doc.Records().Reset(doc.CurrentRecord());
    editor.Run(command::Rebuild);
    QCoreApplication::processEvents();
    auto key = [&window](Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(window.Surface(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(window.Surface(), &release);
        QCoreApplication::processEvents();
    };
    for (auto _ : state) {
        key(Qt::Key_A, QStringLiteral("a"));
        key(Qt::Key_Backspace, QStringLiteral("\b"));
    }
    state.counters["pages"] = doc.Pages().pageCount;
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeInWindow)->Arg(0)->Arg(kFullDocumentTokens)->Unit(benchmark::kMicrosecond);

// One letter typed in the middle of page 1, 75 or 150 of a 150-page document, or taken back with
// Backspace on page 1: the edit, the layout of the pages it changed and the painting of the page
// shown. Only that is timed; the key that undoes it is not.
static void EditInside(benchmark::State& state, int page, bool backspace)
{
    Fixture fixture(kFullDocumentTokens);
    auto& editor = *fixture.editor;
    // Every token with a record of its own, as a document read from a file or typed has.
    auto& doc = editor.GetDocument();
    for (int i = 1; i <= doc.TokenCount(); ++i)
        doc.Records().Set(i, doc.CurrentRecord());
    editor.ShowPage(page);
    editor.Run({ command::PlaceAt, command::PagePoint(300, 400) });
    for (auto _ : state) {
        if (backspace) editor.Run({ command::TypeByte, 'a' });
        const auto start = std::chrono::steady_clock::now();
        editor.Run({ command::TypeByte, backspace ? 8 : 'a' });
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!backspace) editor.Run({ command::TypeByte, 8 });
    }
    state.counters["page"] = doc.Pages().shownPage;
    state.counters["pages"] = doc.Pages().pageCount;
    state.counters["model_MB"] = static_cast<double>(doc.Text().capacity() + doc.Tokens().capacity() * sizeof(Token)
                                     + doc.Records().StoredBytes())
        / (1024.0 * 1024.0);
}

static void BM_KeystrokeInside(benchmark::State& state)
{
    EditInside(state, static_cast<int>(state.range(0)), false);
}
BENCHMARK(BM_KeystrokeInside)->Arg(1)->Arg(75)->Arg(150)->UseManualTime()->Unit(benchmark::kMicrosecond);

static void BM_BackspaceInside(benchmark::State& state)
{
    EditInside(state, 1, true);
}
BENCHMARK(BM_BackspaceInside)->UseManualTime()->Unit(benchmark::kMicrosecond);

static void BM_ResidentMemoryLaidOut(benchmark::State& state)
{
    for (auto _ : state) {
        Fixture fixture(kFullDocumentTokens);
        // Every page painted once, as paging through the document would.
        auto& pages = fixture.editor->GetDocument().Pages();
        for (int page = 1; page <= pages.pageCount; ++page) {
            pages.shownPage = page;
            fixture.editor->Run(command::PageDown);
        }
        state.counters["process_MB"] = static_cast<double>(bench::ResidentBytes()) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_ResidentMemoryLaidOut)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return quirel::bench::RunWithQt(argc, argv);
}
