#pragma once

#include "editor/Dialogs.h"

#include <functional>

namespace quirel {

// Dialogs answered from a script: "Buscar" gives search, "Reemplazar" replace, "Re-Editar" runs
// reEdit over the document (as the dialog's buttons would); the others leave things as they were.
class ScriptedDialogs : public Dialogs {
public:
    SearchWords AskSearchWord() override { return search; }
    SearchWords AskReplaceWords() override { return replace; }
    DictionarySearchValues AskWordSearch(const SearchLists&, const DictionarySearchValues& values) override
    {
        return values;
    }
    std::uint32_t AskFavouriteColour(const std::filesystem::path&, std::uint32_t selected) override { return selected; }
    bool ReEdit(Document& document) override
    {
        if (reEdit) reEdit(document);
        return true;
    }
    void ShowAbout() override { }

    SearchWords search;
    SearchWords replace;
    std::function<void(Document&)> reEdit;
};

} // namespace quirel
