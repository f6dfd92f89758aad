#include "editor/PageOutput.h"

#include "document/PageTable.h"
#include "editor/Editor.h"
#include "editor/EditorMessages.h"
#include "editor/Prompts.h"
#include "layout/PageView.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace quirel {

void Editor::LayOutAllPages(Decorate decorate)
{
    m_staleTokenCount = -1;
    m_document.Pages().Clear();
    LayoutOptions options;
    options.decorate = decorate;
    RunLayout(options);
}

void Editor::ShowPage(int page)
{
    auto& pages = m_document.Pages();
    pages.shownPage = std::clamp(page, 1, pages.pageCount);
    UpdateCaption();
    ShowCurrentPage();
}

bool PageOutput::AskRange(PageRangeForm form, PageRange& range)
{
    const auto& pages = m_editor.GetDocument().Pages();
    PageRangeRequest request;
    request.form = form;
    request.choice = m_choice == RangeChoice::None ? RangeChoice::SinglePage : m_choice;
    request.shownPage = pages.shownPage;
    request.pageCount = pages.pageCount;
    range = m_prompts.AskPageRange(request);
    m_choice = range.cancelled ? RangeChoice::None : range.choice;
    return !range.cancelled && range.choice != RangeChoice::None;
}

std::vector<int> PageOutput::PagesOf(const PageRange& range, int shownPage) const
{
    const int count = m_editor.GetDocument().Pages().pageCount;
    int first = shownPage;
    int last = shownPage;
    if (range.choice == RangeChoice::Interval) {
        first = range.firstPage;
        last = range.lastPage;
    } else if (range.choice == RangeChoice::AllPages) {
        first = 1;
        last = count;
    }
    std::vector<int> pages;
    for (int page = std::max(first, 1); page <= std::min(last, count); ++page)
        pages.push_back(page);
    return pages;
}

namespace {

// Why folder, the export folder under programFolder, could not be made (Windows-1252): a file
// that stands where it or one of its parts should be, or the system's reason.
std::string FolderNotMadeReason(
    const std::filesystem::path& programFolder, const std::filesystem::path& folder, const std::error_code& made)
{
    std::error_code error;
    for (auto part = folder; part != programFolder && part.has_relative_path(); part = part.parent_path())
        if (std::filesystem::exists(part, error) && !std::filesystem::is_directory(part, error))
            return std::string(kFileInTheWayReason);
    return FileProblemText(WriteErrorOf(made ? made.value() : ENOTDIR));
}

} // namespace

std::string PageOutput::WritePages(const PageRange& range, const std::vector<int>& pages)
{
    const auto folder = ExportFolder(m_editor.ProgramFolder(), range.folderName);
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return std::string(kFolderNotMadeHead) + range.folderName + std::string(kExportFailedTail) + "\r\n"
            + FolderNotMadeReason(m_editor.ProgramFolder(), folder, made);
    const auto& slots = m_editor.GetDocument().Pages();
    for (int page : pages) {
        const std::string name = std::to_string(page) + ".bmp";
        FileError written;
        if (!WriteBitmapFile(folder / name, m_view.PagePicture(slots.Slot(page)), &written))
            return std::string(kFileNotWrittenHead) + name + std::string(kFileNotWrittenMiddle) + range.folderName
                + std::string(kExportFailedTail) + "\r\n" + FileProblemText(written);
    }
    switch (range.choice) {
    case RangeChoice::Interval:
        return std::string(kPagesExported);
    case RangeChoice::AllPages:
        return std::string(kDocumentExported);
    default:
        return std::string(kPageExported);
    }
}

void PageOutput::ExportCommand()
{
    PageRange range;
    if (!AskRange(PageRangeForm::Export, range)) return;
    const int shownPage = m_editor.GetDocument().Pages().shownPage;
    // Exported pages are drawn as printed ones: no frame, completion or cursor. Then the view is
    // laid out again with them and shows its last page.
    m_editor.LayOutAllPages(Decorate::No);
    const std::string message = WritePages(range, PagesOf(range, shownPage));
    m_editor.LayOutAllPages(Decorate::Yes);
    m_editor.ShowPage(m_editor.GetDocument().Pages().pageCount);
    m_prompts.ShowMessage(message, Prompts::Urgency::Topmost);
}

void PageOutput::PrintCommand()
{
    PageRange range;
    if (!AskRange(PageRangeForm::Print, range)) return;
    m_prompts.AskPrintSetup(m_settings, m_printer.AttachDefault().name);
    const int shownPage = m_editor.GetDocument().Pages().shownPage;
    // Printed pages carry no frame, completion or cursor; one layout serves every page.
    m_editor.LayOutAllPages(Decorate::No);
    PrintRun run(m_printer, &m_prompts, m_settings);
    const auto& slots = m_editor.GetDocument().Pages();
    for (int page : PagesOf(range, shownPage))
        run.PrintPage(page, [&] { return m_view.PagePicture(slots.Slot(page)); });
    m_editor.LayOutAllPages(Decorate::Yes);
    m_editor.ShowPage(shownPage);
}

} // namespace quirel
