#pragma once

#include "document/Document.h"
#include "document/InsertionPoint.h"
#include "editor/CommandGate.h"
#include "editor/CommandTable.h"
#include "editor/EditorPorts.h"
#include "editor/FormatControls.h"
#include "editor/ListLoader.h"
#include "editor/UnsavedWork.h"
#include "io/FilePort.h"
#include "io/Ports.h"
#include "io/Settings.h"
#include "io/WordMemory.h"
#include "language/DictionarySearch.h"
#include "layout/LayoutDocument.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quirel {

class PageOutput;

// Whether a typed byte ends the word before it (a blank, a tab or a line end): a "Deshacer" step of
// typing ends there.
bool ClosesWord(unsigned char byte);

// The program's state with one owner: settings, document, word lists and view, and the logic of
// every edit. Widgets hold a reference to the Editor, turn their events into its calls and show
// the page pictures it produces; so every command can be tested without a window.
class Editor {
public:
    // Reads folder/config.ini and prepares an empty document in the configured format.
    explicit Editor(std::filesystem::path programFolder);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Connects the editor to what lies outside it, once, then lays out the empty document, which
    // shows the frame and the cursor at (margin, margin).
    void Connect(const EditorPorts& ports);

    // Carries out an input (a menu command, a key, a choice in a list, a click on the ruler, a timer
    // or start-up work; see command::Id) under the rules of the command table: a guarded command is
    // ignored while another runs, a holding one keeps the cursor still, one that reads the word lists
    // waits for a load on its way, and one that changes the text waits for a running text pass. Then
    // the controls are brought up to date (hook controlsChanged) unless its row says they stay. Ids
    // that are no input are ignored.
    void Run(const Input& input);

    // When input and commands run: text passes and the guard.
    CommandGate& Gate() { return m_gate; }
    const CommandGate& Gate() const { return m_gate; }

    // The document named on the command line, read at start-up: double quotes removed, the name
    // taken whole (up to the system's limit); a file that does not exist is ignored without a
    // message, one that cannot be read is reported as "Leer Documento" does. Save writes back to
    // that very file, its name byte for byte. True when a document was read.
    bool OpenStartDocument(std::string_view argument);

    const std::filesystem::path& ProgramFolder() const { return m_folder; }
    Settings& GetSettings() { return m_settings; }
    const Settings& GetSettings() const { return m_settings; }
    Document& GetDocument() { return m_document; }
    const Document& GetDocument() const { return m_document; }
    // The word lists, the accent model and the wait for them.
    ListLoader& Lists() { return m_lists; }
    const ListLoader& Lists() const { return m_lists; }
    ViewState& View() { return m_view; }
    const ViewState& View() const { return m_view; }
    // Where typing goes: the end of the text until the writer moves it.
    const InsertionPoint& Insertion() const { return m_insertion; }

    // The services the layout uses (spelling lists while the sensor is on, word memory, events).
    // Tests and the window may replace the word-memory members.
    LayoutServices& Services() { return m_services; }

    // Writes config.ini from the settings and the current format; false when it cannot be written
    // (the user is told once per run of the program, in a notice that leaves the keyboard alone).
    bool SaveSettings();
    // ---- format controls (the style switches, the lists' state, the emoticon and colour chosen) ----
    FormatControls& Format() { return m_format; }
    const FormatControls& Format() const { return m_format; }

    // The file the document was read from or saved to (empty for a new document).
    const std::filesystem::path& DocumentFileName() const { return m_documentFile; }

    // ---- unsaved work ----
    // The saved state, the recovery copy and the "Deshacer" steps of the document.
    UnsavedWork& Unsaved() { return m_unsaved; }
    const UnsavedWork& Unsaved() const { return m_unsaved; }
    // At start: offers the recovery copies left by programs that ended without saving (see
    // UnsavedWork::OfferRecovery) and lays out the document read. True when a document was recovered.
    bool OfferRecovery();

    // The word search's list choice and last search text, kept from one opening to the next.
    const DictionarySearchValues& WordSearchValues() const { return m_wordSearch; }

    // The cursor stands still: set by the page keys and by holding commands, cleared by typing.
    bool BlinkHeld() const { return m_blinkHold; }

    // The caption text for the current state.
    std::string Caption() const;

    // ---- printing and export ----
    // A full layout from page 1, with or without the page decoration (frame, completion, cursor):
    // every page's picture is left in its slot and the caption written; nothing is shown.
    void LayOutAllPages(Decorate decorate);
    // Makes page the shown page (kept within the pages laid out), writes the caption and shows it.
    void ShowPage(int page);

private:
    // The body of an input, once its rules let it run (CommandRun.cpp): each group returns false
    // for an id that is not its own.
    void Execute(const Input& input);
    bool ExecuteTyping(const Input& input);
    bool ExecuteListsAndRuler(const Input& input);
    bool ExecuteFormatCommand(command::Id id);
    bool ExecuteDocumentCommand(command::Id id);
    void ExecuteDialogCommand(command::Id id);

    // ---- typing (acts at key release) ----
    // One byte of Windows-1252: 8 removes the last byte, 9 to 255 are appended, 0 to 7 ignored.
    void TypeByte(unsigned char byte);
    // Right arrow: appends the completion of the last word, when there is one.
    void AcceptCompletion();
    // The TAB button: appends tab-width blanks.
    void PressTab();

    // ---- the insertion point (InsertionCommands.cpp) ----
    // Left, Right inside the text, Ctrl+Left, Ctrl+Right, Ctrl+Home and Ctrl+End.
    void MoveInsertion(command::Id id);
    // Up (-1) or Down (+1): the line above or below, at the x where the run of these keys began.
    void MoveLine(int direction);
    // A click at (x, y) on the shown page, in page pixels.
    void PlaceInsertion(int x, int y);
    // Delete: what RemovalAfter says goes; nothing at the end of the text.
    void DeleteForward();
    // A typed byte while the insertion point stands inside the text.
    void TypeInside(unsigned char byte);
    void RemoveInside(const Removal& removal, std::size_t pos);
    // After changes made inside the text (in order), lays out the pages they changed with the
    // insertion point at caret. A change that needs a page after the last is taken back and told.
    // typing, when given, makes them a "Deshacer" step (or part of one) with the insertion point
    // where it stood before them.
    struct TypingStep {
        std::size_t caretBefore = 0;
        UndoSteps::Run run = UndoSteps::Run::GoesOn;
    };
    bool LayOutInsideEdit(std::vector<TextChange> changes, std::size_t caret, std::optional<TypingStep> typing);
    // Moves the insertion point and shows it.
    void SetInsertion(std::size_t pos);
    // After a layout: where the insertion point inside the text stands (the view's cursor) and its page.
    void PlaceCaret();
    // The page that holds token (N + 1 for the end of the text), within the pages laid out.
    int PageOfToken(int token) const;
    PagePlaces MeasureShownText(int page);

    // ---- paging and scrolling ----
    void PageDown();
    void PageUp();
    void PageEnd();
    void PageHome();
    // The mouse wheel: a positive delta scrolls towards the top (+15), a negative one down (−15),
    // between 0 and −570.
    void Wheel(int delta);

    // ---- the ruler ----
    // A click on the margin row at cell t (1 to 22) sets the margin to 10·t and lays everything out again.
    void SetMarginCell(int cell);
    // A click on the tab row at cell t (1 to 40) sets the tab width and tells so ("" when the click
    // changes nothing).
    void SetTabCell(int cell);

    // ---- the lists above the page ----
    // A face chosen in the font list becomes the current face and, while the font table has room,
    // a new font slot (then the settings are saved); the font list is switched off again.
    void ChooseFace(const std::string& face);
    // A face confirmed in the font list becomes the configured and the current face; nothing else.
    void ConfirmFace(const std::string& face);
    // A size chosen in the size list: the current size, the last page laid out again, settings saved.
    void ChooseSize(int size);

    // Loads the word lists and the accent command's context model of the program's folder (see
    // ListLoader::Load; the event pump lets the window breathe while they load), then lays the
    // document out again when the spelling marks are on.
    void LoadWordLists();

    // ---- the document commands ----
    // Reads a document file and lays it out from page 1; a problem is reported through the prompts.
    bool OpenDocument(const std::filesystem::path& file);
    // An empty document in the current format, laid out; the caption keeps the old token count
    // until the next change of the text.
    void NewDocument();
    // Asks for a document file and reads it; false when cancelled.
    bool OpenDocumentCommand();
    // Asks for a file name and saves the document, asking before it replaces an existing file. The
    // name offered (the document's own file) is written as it is; a name typed in the dialog gets
    // ".4tf" unless it ends so.
    bool SaveDocumentCommand();
    // Asks for a plain text file and makes it the document in the current format.
    bool ImportTextCommand();
    // The emoticon insertion: number 1 to kEmoticonCount, or 0 for a random one; returns the number used.
    int InsertEmoticonCommand(int number);
    // Saves the settings before the program ends; the document is given up (its changes were saved
    // or declined), and so is its recovery copy.
    void Quit();
    // The accent pass over the whole text, laid out again; returns the message to show.
    std::string AccentCommand(EventPump* pump);
    // The most repeated words; returns the message to show.
    std::string RepeatedWordsCommand(EventPump* pump);

    // ---- search and replace (SearchCommands.cpp) ----
    // Every page forgotten and the document laid out again from page 1 with the word tokens equal
    // to word (blanks trimmed at both ends, any case) painted black on yellow; returns the number
    // of matches.
    int SearchCommand(std::string_view word);
    // Replaces every occurrence of search by replacement in the text (case-sensitive, left to right,
    // inside words too), then lays the document out as the search does with the replacement word
    // highlighted. The format records stay with their token positions. A result of more than 300000
    // tokens, or larger than the largest document, is refused with a message and changes nothing.
    void ReplaceCommand(std::string_view search, std::string_view replacement);

    // ---- whole document ----
    // Every page forgotten, the text cut again, laid out from page 1, the current page shown.
    void RebuildNow();
    // The blink timer: draws or wipes the cursor glyph on the shown (last) page.
    void BlinkTick();

    // Flips the spelling marks and lays the whole document out again.
    void ToggleSpellingSensor();
    enum class ColourTarget { Text, Background, Cursor, Shadow };
    // Gives the selected colour to the target and saves the settings; the cursor colour also
    // repaints the last page.
    void ApplySelectedColour(ColourTarget target);
    // White background and black text for new text; settings saved.
    void ResetDocumentColours();
    // The common tail of every appending edit; bytesAdded tells how to undo it at the page limit,
    // change (begun by Document::BeginEndChange) is kept as a "Deshacer" step when the edit stays.
    void AppendEdit(std::size_t bytesAdded, TextChange change, UndoSteps::Run run);
    // Who tells the user that the document reached the page limit: the layout, or its caller.
    enum class PageLimitNotice { Layout, Caller };
    LayoutResult RunLayout(const LayoutOptions& options, PageLimitNotice notice = PageLimitNotice::Layout);
    void ShowCurrentPage();
    void UpdateCaption();
    void ReportRefused();
    // Flip the superscript or subscript switch (see FormatControls); a marker refused at the token
    // limit is told. Nothing is repainted.
    void ToggleSuperscript();
    void ToggleSubscript();
    void ToggleSmallSize(EditStatus (FormatControls::*toggle)(std::size_t, TextChange*));
    void ControlsChanged();
    // Shows message in a notice, unless this kind of problem was reported before in this run (reported).
    void ReportOnce(bool& reported, const std::string& message);
    // Writes config.ini; a failure is told once per run, in a notice or (as the program ends, when
    // a notice would not be seen) in a message box.
    enum class Report { Notice, Box };
    bool WriteSettings(Report report);
    // Before the document is given up: with unsaved changes, asks whether to save them. Sí saves
    // (to the file the document was opened from or saved to, else through the save command with its
    // file dialog) and goes on only when the save was done; No goes on; Cancelar stops. True to go on.
    bool SaveChangesFirst();
    // After "Deshacer" or "Rehacer" (see UndoSteps): the document laid out again with the insertion
    // point where the step leaves it. False when nothing was taken or brought back.
    bool ApplyHistory(UndoSteps::Outcome outcome);
    // The file dialog over the document folder, with current's name filled in; empty when cancelled.
    std::filesystem::path AskForFile(Prompts::FileRequest::Mode mode, const char* filterName, const char* pattern,
        const std::filesystem::path& current, const char* defaultSuffix);

    std::filesystem::path m_folder;
    Settings m_settings;
    Document m_document;
    ListLoader m_lists;
    ViewState m_view;
    InsertionPoint m_insertion;
    LayoutServices m_services;
    WordMemory m_memory;
    // The ports (see Connect); none before it, but the system's files.
    Canvas* m_canvas = nullptr;
    Prompts* m_prompts = nullptr;
    EventPump* m_pump = nullptr;
    PageView* m_pageView = nullptr;
    FilePort* m_files = &SystemFiles();
    std::unique_ptr<PageOutput> m_pageOutput; // "Exportar Bitmap" and "Imprimir"
    CommandGate m_gate;
    bool m_blinkHold = false;
    int m_blinkPhase = 0;
    DictionarySearchValues m_wordSearch;
    FormatControls m_format;
    int m_staleTokenCount = -1; // shown in the caption after "Nuevo" until the text changes
    std::filesystem::path m_documentFile;
    std::filesystem::path m_textFile;
    std::filesystem::path m_documentFolder; // shared by the document and text dialogs
    bool m_cutAtPageLimit = false; // the last layout stopped at the last page before the end of the text
    FileError m_settingsReadError; // shown once the window is there
    FileError m_memoryWriteError; // a failed write of the word memory, shown after the layout
    bool m_settingsWriteReported = false;
    bool m_memoryWriteReported = false;
    UnsavedWork m_unsaved;
};

} // namespace quirel
