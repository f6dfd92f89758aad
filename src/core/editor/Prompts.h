#pragma once

#include "io/PageRange.h"
#include "io/Ports.h"
#include "io/Printing.h"
#include "language/DictionarySearch.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quirel {

class Document;

// What the search and replace dialogs give back (Windows-1252). Both stay empty when the dialog
// is left with "Salir", Escape or the window's close button.
struct SearchWords {
    std::string search;
    std::string replacement;
};

// Everything the editor asks of the user, values in and values out: the messages, the questions
// and file dialogs, the commands' modal dialogs and the questions of export and printing. The
// window answers them with its boxes and dialogs; tests answer them directly. Where nobody is there
// to ask, each question has the answer of a dialog left without a choice.
class Prompts : public Messages {
public:
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    // A question with the buttons Yes, No and Cancel; a box closed without a choice is Cancel, and
    // so is the answer when there is no one to ask (nothing is then given up).
    enum class Answer { Yes, No, Cancel };
    virtual Answer AskYesNoCancel(std::string_view) { return Answer::Cancel; }
    // A question with the buttons Yes and No whose box can also be closed without a choice (Escape,
    // its close button): Cancel then, and when there is no one to ask. Only No is a No.
    virtual Answer AskYesNoOrClose(std::string_view) { return Answer::Cancel; }

    // What a file dialog shows: open (existing files only) or save, the filter ("Documento",
    // "*.4tf"), the folder it starts in, the name it proposes, and the suffix given to a name typed
    // without one.
    struct FileRequest {
        enum class Mode { Open, Save } mode = Mode::Open;
        std::string filterName;
        std::string pattern;
        std::filesystem::path folder;
        std::string fileName;
        std::string defaultSuffix;
    };
    // The chosen file, or an empty path when the user cancels (or there is no one to ask).
    virtual std::filesystem::path ChooseFile(const FileRequest&) { return {}; }

    // "Buscar": the word to search for (search is empty when the dialog was left).
    virtual SearchWords AskSearchWord() { return {}; }
    // "Reemplazar": the word to replace and its replacement (both empty when the dialog was left).
    virtual SearchWords AskReplaceWords() { return {}; }
    // "Buscador de cadenas" over lists, starting from values; returns the choice and text to keep.
    virtual DictionarySearchValues AskWordSearch(const SearchLists&, const DictionarySearchValues& values)
    {
        return values;
    }
    // The favourite colours of folder's palette file; returns the colour selected when it closes.
    virtual std::uint32_t AskFavouriteColour(const std::filesystem::path&, std::uint32_t selected) { return selected; }
    // "Re-Editar" over document's text, which it may change; true when the changes were accepted.
    virtual bool ReEdit(Document&) { return false; }
    // The "Autor" box; returns when it has been closed.
    virtual void ShowAbout() { }

    // The page-range dialog of export and printing, modal; the user's choice (cancelled when left
    // without one).
    virtual PageRange AskPageRange(const PageRangeRequest&)
    {
        PageRange cancelled;
        cancelled.choice = RangeChoice::None;
        cancelled.cancelled = true;
        return cancelled;
    }
    // The print set-up dialog, modal, showing printerName; settings change only when the user
    // confirms with "Seguir".
    virtual void AskPrintSetup(PrintSettings&, const std::string&) { }
};

} // namespace quirel
