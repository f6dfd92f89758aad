#pragma once

#include "platform/QtPrompts.h"

class QWidget;

namespace quirel {

// Everything the editor asks, over the main window: the message boxes and file dialogs of
// QtPrompts, the commands' modal dialogs, and the page-range and print set-up dialogs of export
// and printing.
class DialogPrompts final : public QtPrompts {
public:
    explicit DialogPrompts(QWidget* owner)
        : QtPrompts(owner)
    {
    }

    SearchWords AskSearchWord() override;
    SearchWords AskReplaceWords() override;
    DictionarySearchValues AskWordSearch(const SearchLists& lists, const DictionarySearchValues& values) override;
    std::uint32_t AskFavouriteColour(const std::filesystem::path& folder, std::uint32_t selected) override;
    bool ReEdit(Document& document) override;
    void ShowAbout() override;
    PageRange AskPageRange(const PageRangeRequest& request) override;
    void AskPrintSetup(PrintSettings& settings, const std::string& printerName) override;
};

} // namespace quirel
