#pragma once

#include "editor/Dialogs.h"

class QWidget;

namespace quirel {

// The program's modal dialogs over the main window, as the editor's commands ask for them.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner)
        : m_owner(owner)
    {
    }

    SearchWords AskSearchWord() override;
    SearchWords AskReplaceWords() override;
    DictionarySearchValues AskWordSearch(const SearchLists& lists, const DictionarySearchValues& values) override;
    std::uint32_t AskFavouriteColour(const std::filesystem::path& folder, std::uint32_t selected) override;
    bool ReEdit(Document& document) override;
    void ShowAbout() override;

private:
    QWidget* m_owner;
};

} // namespace quirel
