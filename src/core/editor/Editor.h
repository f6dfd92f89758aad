#pragma once

#include <filesystem>

#include "document/Document.h"
#include "io/Settings.h"
#include "language/WordLists.h"

namespace quirel {

// The program's state with one owner: the settings, the document and the word lists, and the
// folder they live in. Widgets hold a reference to the Editor and forward input to it.
class Editor {
public:
    // Reads folder/config.ini and prepares an empty document in the configured format.
    explicit Editor(std::filesystem::path programFolder);

    const std::filesystem::path& ProgramFolder() const { return m_folder; }
    Settings& GetSettings() { return m_settings; }
    const Settings& GetSettings() const { return m_settings; }
    Document& GetDocument() { return m_document; }
    const Document& GetDocument() const { return m_document; }
    WordLists& GetWordLists() { return m_wordLists; }

    // Writes config.ini; false when it cannot be written.
    bool SaveSettings();

private:
    std::filesystem::path m_folder;
    Settings m_settings;
    Document m_document;
    WordLists m_wordLists;
};

} // namespace quirel
