#pragma once

#include "io/BitmapFile.h"
#include "io/PageRange.h"
#include "io/Printing.h"

#include <string>
#include <vector>

namespace quirel {

class Editor;
class PageView;
class Prompts;

// The commands "Exportar Bitmap" and "Imprimir" (run through Editor::Run, which guards them and keeps
// the cursor still). They share the range choice, kept for the whole run of the program together
// with the print settings.
class PageOutput {
public:
    // prompts asks for the pages and the print settings and tells the outcome; view gives the
    // pictures of the pages.
    PageOutput(Editor& editor, Prompts& prompts, PageView& view, Printer& printer)
        : m_editor(editor)
        , m_prompts(prompts)
        , m_view(view)
        , m_printer(printer)
    {
    }

    // Asks for the pages and a folder name, lays the document out without decoration (as printed)
    // and writes each chosen page as "N.bmp" (a 24-bit bitmap) into that folder under the program's
    // folder, creating it. Then the
    // view is rebuilt and a system-modal message tells "Imagen exportada ...", "Imagenes exportadas
    // ..." or "Documento exportado ..."; a folder that cannot be made or a file that cannot be
    // written is reported instead, with the reason (and ends the export).
    void ExportCommand();
    // Asks for the pages and the print settings, lays the document out without decoration and
    // prints each chosen page as its own job on the default printer; then the view is rebuilt and
    // the page shown before is shown again. Nothing reports success.
    void PrintCommand();

private:
    // Opens the page-range dialog in form; false when it was left without a choice.
    bool AskRange(PageRangeForm form, PageRange& range);
    // The pages a range covers, in order, within the pages laid out.
    std::vector<int> PagesOf(const PageRange& range, int shownPage) const;
    // Writes the pages as bitmaps into folder; returns the message to show.
    std::string WritePages(const PageRange& range, const std::vector<int>& pages);

    Editor& m_editor;
    Prompts& m_prompts;
    PageView& m_view;
    Printer& m_printer;
    RangeChoice m_choice = RangeChoice::None;
    PrintSettings m_settings;
};

} // namespace quirel
