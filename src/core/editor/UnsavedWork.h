#pragma once

#include "document/Document.h"
#include "editor/CommandGate.h"
#include "editor/Prompts.h"
#include "editor/UndoSteps.h"
#include "io/FilePort.h"
#include "io/RecoveryCopy.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace quirel {

// How long the document must stay unchanged (typing paused) before its recovery copy is written,
// and how often the window looks after the copy: a change is in the copy at most
// kRecoveryCheck + kRecoveryPause + kRecoveryCheck (1.5 s) after typing pauses, plus the write.
inline constexpr std::chrono::milliseconds kRecoveryPause { 1000 };
inline constexpr std::chrono::milliseconds kRecoveryCheck { 250 };

// The care for work that is not yet saved, over one document: whether it changed since it was
// saved, the file it belongs to, the question before it is given up, this program's recovery copy
// (written once typing pauses, offered at the next start when the program ended without saving)
// and the steps "Deshacer" can take back.
class UnsavedWork {
public:
    // Works on document; the recovery copies live in folder; nothing is written or asked during a
    // text pass of gate. The references must outlive this object.
    UnsavedWork(const std::filesystem::path& folder, Document& document, const CommandGate& gate);

    // Where questions and notices go (null: nothing is asked, and nothing given up asks first).
    void SetPrompts(Prompts* prompts) { m_prompts = prompts; }
    // The file operations through which the recovery copy is written (the system's by default).
    void SetFilePort(FilePort& port) { m_files = &port; }

    // True when the document changed since it was started, opened, imported or saved (a document
    // taken back by "Deshacer" to the state it was saved in counts as saved).
    bool HasUnsavedChanges() const { return m_document.Revision() != m_savedRevision; }
    // The file the document was opened from or last saved to; empty for a new, imported or
    // recovered document.
    const std::filesystem::path& OwnFile() const { return m_ownFile; }

    // What to do before the document is given up.
    enum class BeforeGivingUp { GoOn, Save, Stop };
    // With unsaved changes (and prompts), asks whether to save them: Sí gives Save, No GoOn,
    // Cancelar Stop. Without unsaved changes GoOn, unasked.
    BeforeGivingUp AskBeforeGivingUp();
    // Writes the document to its own file (OwnFile, not empty) and marks it saved; a file that
    // cannot be written is reported through the prompts and false returned.
    bool SaveToOwnFile();

    // The document was replaced (new, opened, imported): it has no unsaved changes and no undo
    // steps, and it belongs to file (empty: unnamed).
    void DocumentReplaced(const std::filesystem::path& file);
    // The document is as saved in file: no unsaved changes and no recovery copy.
    void MarkSaved(const std::filesystem::path& file);
    // The program ends and its changes were saved or given up: the copy goes, and none is written
    // while the program ends.
    void GiveUp();

    // Called now and then (every kRecoveryCheck) at the time now: while the document has unsaved
    // changes that stayed the same for kRecoveryPause, writes this program's recovery copy (see
    // RecoveryCopy); once the document has no unsaved changes, removes it. Does nothing during a
    // text pass. A copy that cannot be written is told once per run, in a notice.
    void KeepRecoveryCopy(std::chrono::steady_clock::time_point now);
    // At start: asks about each recovery copy left by a program that is no longer running, newest
    // first, one question each. Sí reads it as an unnamed document with unsaved changes (text,
    // format records and fonts as they were; the current format stays as it is), makes it this
    // program's copy and calls layOut; the other copies wait for the next start. No deletes it; a
    // box closed without an answer keeps it for the next start. A copy that cannot be read is set
    // aside under another name, the message says where, the document is marked replaced and layOut
    // is called. True when a document was recovered.
    bool OfferRecovery(const std::function<void()>& layOut);
    // This program's recovery copy; empty until it was first written or recovered.
    const std::filesystem::path& RecoveryFile() const { return m_recovery.File(); }

    // Runs command, which rewrites the text in place, as one "Deshacer" step.
    void AsUndoStep(const std::function<void()>& command);
    // Typing and deleting made these changes, as one "Deshacer" step or part of one (see UndoSteps::Record).
    void RecordTyping(
        std::vector<TextChange> changes, std::size_t caretBefore, std::size_t caretAfter, UndoSteps::Run run)
    {
        m_undo.Record(std::move(changes), caretBefore, caretAfter, run, m_document);
    }
    // Takes back the newest step, or brings back the one taken back last (see UndoSteps).
    UndoSteps::Outcome TakeBackStep() { return m_undo.Undo(m_document); }
    UndoSteps::Outcome BringBackStep() { return m_undo.Redo(m_document); }
    // The steps "Deshacer" can take back and "Rehacer" bring back now.
    std::size_t UndoCount() const { return m_undo.Count(m_document); }
    std::size_t RedoCount() const { return m_undo.RedoCount(m_document); }

private:
    void RemoveRecoveryCopy();
    // Reads the recovery copy orphan as the document and makes it this program's copy; a copy that
    // cannot be read is set aside and the user told. True when the document was recovered.
    bool RecoverFrom(OrphanCopy& orphan);

    Document& m_document;
    const CommandGate& m_gate;
    Prompts* m_prompts = nullptr;
    FilePort* m_files = &SystemFiles();
    // ("Grabar Documento" proposes the editor's document name, which outlives documents.)
    std::filesystem::path m_ownFile;
    std::uint64_t m_savedRevision = 0;
    UndoSteps m_undo;
    // The recovery copy: this program's copy, the revision last written (or tried) since it was
    // last removed, and the last revision seen changing, with when.
    RecoveryCopy m_recovery;
    std::optional<std::uint64_t> m_recoveryTried;
    std::uint64_t m_seenRevision = 0;
    std::chrono::steady_clock::time_point m_seenAt {};
    bool m_writeReported = false;
};

} // namespace quirel
