// The search and replace commands of the editor.
#include "editor/Editor.h"
#include "io/Ports.h"
#include "language/LanguageMessages.h"
#include "language/SearchReplace.h"

namespace quirel {

int Editor::SearchCommand(std::string_view word)
{
    m_staleTokenCount = -1;
    m_document.Pages().Clear();
    LayoutOptions options;
    options.findWord = FindKey(word);
    const auto result = RunLayout(options);
    ShowCurrentPage();
    return result.matchCount;
}

void Editor::ReplaceCommand(std::string_view search, std::string_view replacement)
{
    bool replaced = false;
    m_unsaved.AsUndoStep([&] {
        std::string text = m_document.Text();
        const auto result = ReplaceAll(text, search, replacement);
        if (result.status == ReplaceStatus::TooLarge) {
            if (m_prompts) m_prompts->ShowMessage(kReplaceTooLargeMessage);
            return;
        }
        if (result.count > 0 && m_document.SetText(std::move(text)) == EditStatus::Refused) {
            ReportRefused();
            return;
        }
        replaced = true;
    });
    if (replaced) SearchCommand(replacement);
}

} // namespace quirel
