#pragma once

#include "language/DictionarySearch.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace quirel {

class Document;

// What the search and replace dialogs give back (Windows-1252). Both stay empty when the dialog
// is left with "Salir", Escape or the window's close button.
struct SearchWords {
    std::string search;
    std::string replacement;
};

// The program's modal dialogs as the commands see them: values in, values out. The window
// implements them with its dialogs; tests answer them directly.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // "Buscar": the word to search for (search is empty when the dialog was left).
    virtual SearchWords AskSearchWord() = 0;
    // "Reemplazar": the word to replace and its replacement (both empty when the dialog was left).
    virtual SearchWords AskReplaceWords() = 0;
    // "Buscador de cadenas" over lists, starting from values; returns the choice and text to keep.
    virtual DictionarySearchValues AskWordSearch(const SearchLists& lists, const DictionarySearchValues& values) = 0;
    // The favourite colours of folder's palette file; returns the colour selected when it closes.
    virtual std::uint32_t AskFavouriteColour(const std::filesystem::path& folder, std::uint32_t selected) = 0;
    // "Re-Editar" over document's text, which it may change; true when the changes were accepted.
    virtual bool ReEdit(Document& document) = 0;
    // The "Autor" box; returns when it has been closed.
    virtual void ShowAbout() = 0;
};

} // namespace quirel
