#include "editor/UnsavedWork.h"

#include "editor/EditorMessages.h"
#include "io/DocumentFile.h"
#include "io/FileError.h"
#include "io/IoMessages.h"
#include "io/Ports.h"

#include <cstdio>
#include <ctime>

namespace quirel {
namespace {

// The question about copy number (1 to count): with several copies it says which one, and when
// it was written (local time).
std::string RecoveryQuestion(std::size_t number, std::size_t count, std::time_t writtenAt)
{
    std::string question(kRecoveryQuestion);
    if (count < 2) return question;
    std::tm local {};
    localtime_r(&writtenAt, &local);
    char date[40];
    char time[24];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    std::snprintf(time, sizeof time, "%02d:%02d", local.tm_hour, local.tm_min);
    return question.append(kRecoveryWhichHead)
        .append(std::to_string(number))
        .append(kRecoveryWhichOf)
        .append(std::to_string(count))
        .append(kRecoveryWhichDate)
        .append(date)
        .append(kRecoveryWhichTime)
        .append(time)
        .append(".");
}

std::string RecoveryWriteMessage(const DocumentFileResult& result, const std::filesystem::path& folder)
{
    std::string why;
    if (result.status == DocumentFileStatus::WriteFailed) {
        why = FileProblemText(result.error);
    } else {
        // Refused before anything was written: the reason is the one a save would give.
        why = DocumentFileMessage(result, folder);
        why.erase(0, kDocumentNotSavedHead.size());
    }
    return std::string(kRecoveryNotWrittenHead) + NameForMessage(folder) + "\r\n" + why
        + std::string(kRecoveryNotWrittenTail);
}

} // namespace

UnsavedWork::UnsavedWork(const std::filesystem::path& folder, Document& document, const CommandGate& gate)
    : m_document(document)
    , m_gate(gate)
    , m_recovery(folder)
{
}

UnsavedWork::BeforeGivingUp UnsavedWork::AskBeforeGivingUp()
{
    if (!HasUnsavedChanges() || !m_prompts) return BeforeGivingUp::GoOn;
    switch (m_prompts->AskYesNoCancel(kUnsavedChangesQuestion)) {
    case Prompts::Answer::Yes:
        return BeforeGivingUp::Save;
    case Prompts::Answer::No:
        return BeforeGivingUp::GoOn;
    case Prompts::Answer::Cancel:
        break;
    }
    return BeforeGivingUp::Stop;
}

bool UnsavedWork::SaveToOwnFile()
{
    const auto status = WriteDocument(m_document, m_ownFile);
    if (status != DocumentFileStatus::Done) {
        if (m_prompts) m_prompts->ShowMessage(DocumentFileMessage(status, m_ownFile));
        return false;
    }
    MarkSaved(m_ownFile);
    return true;
}

void UnsavedWork::GiveUp()
{
    m_savedRevision = m_document.Revision();
    m_recovery.Discard();
    m_recoveryTried.reset();
}

void UnsavedWork::MarkSaved(const std::filesystem::path& file)
{
    m_ownFile = file;
    m_savedRevision = m_document.Revision();
    RemoveRecoveryCopy();
}

void UnsavedWork::DocumentReplaced(const std::filesystem::path& file)
{
    m_undo.Clear();
    MarkSaved(file);
}

void UnsavedWork::RemoveRecoveryCopy()
{
    // Only this program's copy: one left by an earlier run is the start's question.
    m_recovery.Remove();
    m_recoveryTried.reset();
}

void UnsavedWork::KeepRecoveryCopy(std::chrono::steady_clock::time_point now)
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
    const auto result = m_recovery.Write(m_document, *m_files);
    m_recoveryTried = revision;
    if (result.status == DocumentFileStatus::Done || m_writeReported || !m_prompts) return;
    m_writeReported = true;
    m_prompts->ShowNotice(RecoveryWriteMessage(result, m_recovery.Folder()));
}

bool UnsavedWork::OfferRecovery(const std::function<void()>& layOut)
{
    if (!m_prompts) return false;
    std::vector<OrphanCopy> orphans = TakeOrphanCopies(m_recovery.Folder());
    for (std::size_t i = 0; i < orphans.size(); ++i) {
        OrphanCopy& orphan = orphans[i];
        switch (m_prompts->AskYesNoOrClose(RecoveryQuestion(i + 1, orphans.size(), orphan.writtenAt))) {
        case Prompts::Answer::No:
            orphan.Delete();
            continue;
        case Prompts::Answer::Cancel:
            orphan.lock.RemoveAndRelease(); // not now: the copy is offered again at the next start
            continue;
        case Prompts::Answer::Yes: {
            const bool recovered = RecoverFrom(orphan);
            if (layOut) layOut();
            if (recovered) return true; // the copies not asked about wait for the next start
            continue;
        }
        }
    }
    return false;
}

bool UnsavedWork::RecoverFrom(OrphanCopy& orphan)
{
    // The copy holds the document; new text keeps the current format.
    const CurrentFormat current = m_document.Current();
    const auto result = ReadDocument(m_document, orphan.file);
    m_document.Current() = current;
    if (result.status != DocumentFileStatus::Done) {
        // Set aside, so that nothing replaces it and it is not offered again; the document stays
        // as it was.
        const auto aside = orphan.SetAside();
        std::string message = DocumentFileMessage(result, orphan.file);
        if (aside.empty())
            message += kRecoveryLeftTail;
        else
            message.append(kRecoverySetAsideHead).append(NameForMessage(aside));
        m_prompts->ShowMessage(message);
        DocumentReplaced({});
        return false;
    }
    // An unnamed document with unsaved changes, whose copy on disk is up to date: the copy becomes
    // this program's own, so a crash from now on still leaves the text on disk.
    m_undo.Clear();
    m_ownFile.clear();
    m_recovery.Adopt(orphan);
    m_recoveryTried = m_document.Revision();
    return true;
}

void UnsavedWork::AsUndoStep(const std::function<void()>& command)
{
    UndoSteps::State before = UndoSteps::Capture(m_document);
    command();
    m_undo.Push(std::move(before), m_document);
}

} // namespace quirel
