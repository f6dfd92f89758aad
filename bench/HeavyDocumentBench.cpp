// Opening a document whose tokens cycle through many faces, sizes and styles (about 1.3 MB of
// document file), against the same text in one format: the open should stay within twice the time
// of the plain one, and the program's resident memory after it under 150 MB. The worst case is a
// file (damaged, or from another system) whose 256 face names are none of them installed, cycled
// with sizes 1 to 254 points and the four styles: every name falls back to an installed face.
// Each iteration opens the file in a fresh main window (offscreen), as "Leer Documento" does, and
// paints the page shown at the end; the first iteration also opens the file a second time in its
// window (reopen_ms). The first open of a process (first_open_ms) meets every face for the first
// time, as a user's does; first_paint_ms is its part spent painting the page shown, whose every
// face, size and style makes its glyphs then. Compare them over several processes, one benchmark
// per process (which the memory figure needs too):
//   HeavyDocumentBench --benchmark_filter=Plain; HeavyDocumentBench --benchmark_filter=Many;
//   HeavyDocumentBench --benchmark_filter=Unknown
#include "BenchText.h"
#include "QtBenchMain.h"
#include "app/MainWindow.h"
#include "editor/Editor.h"
#include "io/DocumentFile.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace quirel;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTokens = 54000;
constexpr const char* kFaces[]
    = { "Candara", "Georgia", "Consolas", "Tahoma", "Times New Roman", "Arial", "Courier New", "Verdana", "Calibri",
          "Cambria", "Segoe UI", "Garamond", "Corbel", "Constantia", "Helvetica", "Book Antiqua", "Lucida Console",
          "Trebuchet MS", "Comic Sans MS", "Palatino Linotype", "Arial Narrow", "Liberation Sans", "Liberation Serif",
          "Liberation Mono", "DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono", "Carlito", "Caladea", "MS Sans Serif" };
constexpr int kFaceCount = static_cast<int>(std::size(kFaces));
// Names no system here has: the whole font table of the worst file.
constexpr int kUnknownFaces = FontTable::kSlots;
constexpr int kLargestPoints = 254;

struct Files {
    Files()
    {
        folder = fs::temp_directory_path() / ("quirel-heavy-bench-" + std::to_string(std::random_device {}()));
        fs::create_directories(folder);
        Document doc;
        if (doc.SetText(bench::SpanishText(kTokens)) != EditStatus::Done) std::abort();
        for (const char* face : kFaces)
            doc.Fonts().Append(face);
        plain = folder / "plain.4tf";
        if (WriteDocument(doc, plain) != DocumentFileStatus::Done) std::abort();
        // Each token in the next face; the size changes every round of faces, the style every round
        // of sizes: every combination comes round again after some thousands of tokens.
        std::set<std::tuple<int, int, int>> formats;
        for (int i = 1; i <= doc.TokenCount(); ++i) {
            const int face = 1 + i % kFaceCount;
            const int size = 8 + (i / kFaceCount) % 15;
            const int style = (i / kFaceCount / 15) % 16;
            formats.emplace(face, size, style & 3);
            doc.Records().Set(i, MakeFormatRecord({ 0xFFFFFF, size, face, style, 0, 0 }));
        }
        fontCount = static_cast<int>(formats.size());
        heavy = folder / "heavy.4tf";
        if (WriteDocument(doc, heavy) != DocumentFileStatus::Done) std::abort();

        // Each token in the next unknown name, a size and a style that step at other rates, so
        // that names, sizes and styles meet in tens of thousands of combinations. Text sizes run
        // from 1 to 22 points, and one token in 200 takes the next of all sizes from 1 to 254
        // points (more large tokens would take the file past the last page).
        std::vector<std::string> names;
        for (int face = 0; face < kUnknownFaces; ++face)
            names.push_back("Tipo Ausente " + std::to_string(face));
        doc.Fonts().Assign(names);
        formats.clear();
        for (int i = 1; i <= doc.TokenCount(); ++i) {
            const int face = i % kUnknownFaces;
            const int size = i % 200 == 0 ? 1 + (i / 200) % kLargestPoints : 1 + (i / 3) % 22;
            const int style = (i / 7) % 4;
            formats.emplace(face, size, style);
            doc.Records().Set(i, MakeFormatRecord({ 0xFFFFFF, size, face, style, 0, 0 }));
        }
        unknownFontCount = static_cast<int>(formats.size());
        unknown = folder / "unknown.4tf";
        if (WriteDocument(doc, unknown) != DocumentFileStatus::Done) std::abort();
    }
    ~Files() { fs::remove_all(folder); }
    fs::path folder;
    fs::path plain;
    fs::path heavy;
    fs::path unknown;
    int fontCount = 0;
    int unknownFontCount = 0;
};

Files& Shared()
{
    static Files files;
    return files;
}

void OpenInWindow(benchmark::State& state, const fs::path& file)
{
    Files& files = Shared();
    long resident = 0;
    int pages = 0;
    double firstMs = 0;
    double firstPaintMs = 0; // of firstMs, painting the page shown (its fonts and glyphs drawn the first time)
    double reopenMs = 0;
    for (auto _ : state) {
        Editor editor(files.folder);
        MainWindow window(editor);
        window.Initialise({});
        window.BlinkTimer().stop();
        const auto start = std::chrono::steady_clock::now();
        editor.OpenStartDocument(file.string());
        const auto laidOut = std::chrono::steady_clock::now();
        window.Page().ShownPicture();
        if (firstMs == 0) {
            const auto end = std::chrono::steady_clock::now();
            firstMs = std::chrono::duration<double, std::milli>(end - start).count();
            firstPaintMs = std::chrono::duration<double, std::milli>(end - laidOut).count();
        }
        if (reopenMs == 0) {
            // The same file again in the same window, as a user who opens it a second time.
            const auto again = std::chrono::steady_clock::now();
            editor.OpenStartDocument(file.string());
            window.Page().ShownPicture();
            reopenMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - again).count();
        }
        pages = editor.GetDocument().Pages().pageCount;
        resident = bench::ResidentBytes();
    }
    // The first open of the process meets every face for the first time, as a user's first open does.
    state.counters["first_open_ms"] = firstMs;
    state.counters["first_paint_ms"] = firstPaintMs;
    state.counters["reopen_ms"] = reopenMs;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
    state.counters["pages"] = pages;
    state.counters["resident_MB"] = static_cast<double>(resident) / (1 << 20);
    state.counters["formats"]
        = file == files.heavy ? files.fontCount : (file == files.unknown ? files.unknownFontCount : 1);
}

void BM_OpenPlainDocument(benchmark::State& state)
{
    OpenInWindow(state, Shared().plain);
}
BENCHMARK(BM_OpenPlainDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_OpenManyFormatsDocument(benchmark::State& state)
{
    OpenInWindow(state, Shared().heavy);
}
BENCHMARK(BM_OpenManyFormatsDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_OpenUnknownFacesDocument(benchmark::State& state)
{
    OpenInWindow(state, Shared().unknown);
}
BENCHMARK(BM_OpenUnknownFacesDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return quirel::bench::RunWithQt(argc, argv);
}
