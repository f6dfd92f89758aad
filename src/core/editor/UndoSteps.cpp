#include "editor/UndoSteps.h"

#include <utility>

namespace quirel {
namespace {

// A change that goes on from last: typing on after it, or deleting on before or after it.
bool GoesOnFrom(const TextChange& last, const TextChange& next)
{
    if (last.removed.empty() && next.removed.empty()) return next.pos == last.pos + last.insertedLength;
    if (last.insertedLength == 0 && next.insertedLength == 0)
        return next.pos + next.removed.size() == last.pos || next.pos == last.pos;
    return false;
}

} // namespace

UndoSteps::State UndoSteps::Capture(const Document& document)
{
    return State { document.Text(), document.Records(), document.Fonts(), document.Revision() };
}

void UndoSteps::Keep(Step step)
{
    m_bytes += StepBytes(step);
    m_steps.push_back(std::move(step));
    Trim();
}

void UndoSteps::Trim()
{
    while (m_steps.size() > kMaxSteps || (m_steps.size() > 1 && m_bytes > kMaxBytes)) {
        m_bytes -= StepBytes(m_steps.front());
        m_steps.pop_front();
    }
}

bool UndoSteps::Push(State before, const Document& document)
{
    // The document changed after the newest step: the steps are stale.
    if (!m_steps.empty() && m_steps.back().after != before.revision) Clear();
    if (before.records && *before.records == document.Records()) before.records.reset();
    if (before.fonts && *before.fonts == document.Fonts()) before.fonts.reset();
    if (!before.records && !before.fonts && before.text == document.Text()) return false;
    m_redo.clear();
    Step step;
    step.before = std::make_unique<State>(std::move(before));
    step.after = document.Revision();
    Keep(std::move(step));
    return true;
}

void UndoSteps::Record(
    std::vector<TextChange> changes, std::size_t caretBefore, std::size_t caretAfter, Run run, const Document& document)
{
    if (changes.empty()) return;
    if (!m_steps.empty() && m_steps.back().after != changes.front().revisionBefore) Clear();
    m_redo.clear();
    if (!m_steps.empty() && m_steps.back().open && changes.size() == 1
        && GoesOnFrom(m_steps.back().changes.back(), changes.front())) {
        Step& step = m_steps.back();
        m_bytes += ChangeBytes(changes.front());
        step.changes.push_back(std::move(changes.front()));
        step.caretAfter = caretAfter;
        step.after = document.Revision();
        step.open = run == Run::GoesOn;
        Trim();
        return;
    }
    Step step;
    step.changes = std::move(changes);
    step.caretBefore = caretBefore;
    step.caretAfter = caretAfter;
    step.open = run == Run::GoesOn;
    step.after = document.Revision();
    Keep(std::move(step));
}

UndoSteps::Outcome UndoSteps::TakeBack(Step step, Document& document, std::deque<Step>& into)
{
    Step back;
    Outcome outcome;
    if (step.before) {
        State& state = *step.before;
        // What brings the step back: the document as it is now, as much of it as the step changes.
        State now { document.Text(), std::nullopt, std::nullopt, document.Revision() };
        if (state.records) now.records = document.Records();
        if (state.fonts) now.fonts = document.Fonts();
        if (state.records) document.Records() = std::move(*state.records);
        if (state.fonts) document.Fonts() = std::move(*state.fonts);
        document.RestoreText(std::move(state.text), state.revision);
        back.before = std::make_unique<State>(std::move(now));
        outcome.kind = Outcome::Kind::Rewrite;
    } else {
        for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change) {
            TextChange inverse;
            document.Revert(*change, &inverse);
            back.changes.push_back(inverse);
            outcome.changes.push_back(std::move(inverse));
        }
        back.caretBefore = step.caretAfter;
        back.caretAfter = step.caretBefore;
        outcome.kind = Outcome::Kind::Typing;
        outcome.caret = step.caretBefore;
    }
    back.after = document.Revision();
    if (&into == &m_steps)
        Keep(std::move(back));
    else
        into.push_back(std::move(back));
    return outcome;
}

UndoSteps::Outcome UndoSteps::Undo(Document& document)
{
    if (Stale(m_steps, document)) Clear();
    if (m_steps.empty()) return {};
    Step step = std::move(m_steps.back());
    m_steps.pop_back();
    m_bytes -= StepBytes(step);
    return TakeBack(std::move(step), document, m_redo);
}

UndoSteps::Outcome UndoSteps::Redo(Document& document)
{
    if (Stale(m_redo, document)) m_redo.clear();
    if (m_redo.empty()) return {};
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    return TakeBack(std::move(step), document, m_steps);
}

void UndoSteps::Clear()
{
    m_steps.clear();
    m_redo.clear();
    m_bytes = 0;
}

std::size_t UndoSteps::Count(const Document& document) const
{
    return Stale(m_steps, document) ? 0 : m_steps.size();
}

std::size_t UndoSteps::RedoCount(const Document& document) const
{
    return Stale(m_redo, document) ? 0 : m_redo.size();
}

std::size_t UndoSteps::ChangeBytes(const TextChange& change)
{
    return sizeof(TextChange) + change.removed.capacity() + change.oldRecords.capacity() * sizeof(FormatRecord);
}

std::size_t UndoSteps::StepBytes(const Step& step)
{
    std::size_t bytes = sizeof(Step);
    if (step.before) {
        const State& state = *step.before;
        bytes += state.text.capacity() + (state.records ? state.records->StoredBytes() : 0)
            + (state.fonts ? sizeof(FontTable) : 0);
    }
    for (const TextChange& change : step.changes)
        bytes += ChangeBytes(change);
    return bytes;
}

std::size_t UndoSteps::Bytes() const
{
    return m_bytes;
}

} // namespace quirel
