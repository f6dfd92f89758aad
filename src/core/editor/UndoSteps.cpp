#include "editor/UndoSteps.h"

#include <utility>

namespace quirel {

UndoSteps::State UndoSteps::Capture(const Document& document)
{
    return State { document.Text(), document.Records(), document.Fonts(), document.Revision() };
}

bool UndoSteps::Push(State before, const Document& document)
{
    // The document changed after the newest step's command: the steps are stale.
    if (!m_steps.empty() && m_steps.back().after != before.revision) m_steps.clear();
    if (before.records && *before.records == document.Records()) before.records.reset();
    if (before.fonts && *before.fonts == document.Fonts()) before.fonts.reset();
    if (!before.records && !before.fonts && before.text == document.Text()) return false;

    m_steps.push_back(Step { std::move(before), document.Revision() });
    while (m_steps.size() > kMaxSteps || (m_steps.size() > 1 && Bytes() > kMaxBytes))
        m_steps.pop_front();
    return true;
}

bool UndoSteps::Undo(Document& document)
{
    if (Stale(document)) m_steps.clear();
    if (m_steps.empty()) return false;
    State state = std::move(m_steps.back().before);
    m_steps.pop_back();
    if (state.records) document.Records() = std::move(*state.records);
    if (state.fonts) document.Fonts() = std::move(*state.fonts);
    document.RestoreText(std::move(state.text), state.revision);
    return true;
}

std::size_t UndoSteps::Count(const Document& document) const
{
    return Stale(document) ? 0 : m_steps.size();
}

std::size_t UndoSteps::StepBytes(const Step& step)
{
    const State& state = step.before;
    return state.text.capacity() + (state.records ? state.records->StoredBytes() : 0)
        + (state.fonts ? sizeof(FontTable) : 0);
}

std::size_t UndoSteps::Bytes() const
{
    std::size_t bytes = 0;
    for (const Step& step : m_steps)
        bytes += StepBytes(step);
    return bytes;
}

} // namespace quirel
