// The editor's care for unsaved work: the question before a document is given up, the recovery
// copy, and "Deshacer".
#include "editor/UnsavedWork.h"

#include "editor/Editor.h"
#include "io/DocumentFile.h"
#include "io/Ports.h"

#include <system_error>

namespace quirel {

std::filesystem::path Editor::RecoveryFile() const
{
    return m_folder / std::string(kRecoveryFileName);
}

bool Editor::SaveChangesFirst()
{
    if (!HasUnsavedChanges() || !m_prompts) return true;
    switch (m_prompts->AskYesNoCancel(kUnsavedChangesQuestion)) {
    case Prompts::Answer::Yes:
        break;
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        return false;
    }
    // The save keeps the cursor still, as "Grabar Documento" does.
    const bool held = m_blinkHold;
    m_blinkHold = true;
    bool saved = false;
    if (m_ownFile.empty()) {
        saved = SaveDocumentCommand();
    } else {
        const auto status = WriteDocument(m_document, m_ownFile);
        saved = status == DocumentFileStatus::Done;
        if (saved)
            MarkSaved(m_ownFile);
        else
            m_prompts->ShowMessage(DocumentFileMessage(status, m_ownFile));
    }
    m_blinkHold = held;
    return saved;
}

void Editor::Quit()
{
    SaveSettings();
    // The changes were saved or given up: no copy is left behind, nor written while the program ends.
    m_savedRevision = m_document.Revision();
    RemoveRecoveryCopy();
}

void Editor::MarkSaved(const std::filesystem::path& file)
{
    m_ownFile = file;
    m_savedRevision = m_document.Revision();
    RemoveRecoveryCopy();
}

void Editor::DocumentReplaced(const std::filesystem::path& file)
{
    m_undo.Clear();
    MarkSaved(file);
}

void Editor::RemoveRecoveryCopy()
{
    // Only a copy this program wrote: one left by an earlier run is the start's question.
    if (m_recoveryOnDisk) {
        std::error_code error;
        std::filesystem::remove(RecoveryFile(), error);
    }
    m_recoveryOnDisk = false;
    m_recoveryTried.reset();
}

void Editor::KeepRecoveryCopy(std::chrono::steady_clock::time_point now)
{
    // A pass may be halfway through the records (an import's first layout): the next call writes.
    if (m_gate.InTextPass()) return;
    if (!HasUnsavedChanges()) {
        RemoveRecoveryCopy();
        return;
    }
    const std::uint64_t revision = m_document.Revision();
    if (m_recoveryTried == revision) return;
    if (revision != m_seenRevision) {
        // Still changing: the copy waits until the changes pause.
        m_seenRevision = revision;
        m_seenAt = now;
        return;
    }
    if (now - m_seenAt < kRecoveryPause) return;
    // Written beside and renamed over the old copy: a copy is always whole, however the program ends.
    // A copy that cannot be written is tried again only after the next change.
    if (WriteDocument(m_document, RecoveryFile()) == DocumentFileStatus::Done) m_recoveryOnDisk = true;
    m_recoveryTried = revision;
}

bool Editor::OfferRecovery()
{
    const std::filesystem::path file = RecoveryFile();
    std::error_code error;
    if (!m_prompts || !std::filesystem::is_regular_file(file, error)) return false;
    if (!m_prompts->AskYesNo(kRecoveryQuestion)) {
        std::filesystem::remove(file, error);
        return false;
    }
    // The copy holds the document; new text keeps the configured format.
    const CurrentFormat current = m_document.Current();
    const auto status = ReadDocument(m_document, file);
    m_document.Current() = current;
    if (status != DocumentFileStatus::Done) {
        // The copy stays for another try; the document is the empty one of the start.
        m_prompts->ShowMessage(DocumentFileMessage(status, file));
        DocumentReplaced({});
        RebuildDocumentView();
        return false;
    }
    // An unnamed document with unsaved changes, whose copy on disk is up to date.
    m_undo.Clear();
    m_ownFile.clear();
    m_recoveryOnDisk = true;
    m_recoveryTried = m_document.Revision();
    RebuildDocumentView();
    return true;
}

void Editor::AsUndoStep(const std::function<void()>& command)
{
    UndoSteps::State before = UndoSteps::Capture(m_document);
    command();
    m_undo.Push(std::move(before), m_document);
}

bool Editor::UndoCommand()
{
    if (m_gate.Defer([this] { UndoCommand(); })) return false;
    if (!m_undo.Undo(m_document)) return false;
    RebuildDocumentView();
    return true;
}

} // namespace quirel
