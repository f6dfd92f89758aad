#include "editor/CommandGate.h"

#include <utility>

namespace quirel {

CommandGate::TextPass::TextPass(CommandGate& gate)
    : m_gate(gate)
{
    ++m_gate.m_passDepth;
}

CommandGate::TextPass::~TextPass()
{
    if (--m_gate.m_passDepth == 0) m_gate.RunWaiting();
}

void CommandGate::RunWaiting()
{
    // An action may open a pass of its own; what arrives during that pass waits for its end.
    while (m_passDepth == 0 && !m_afterPass.empty()) {
        auto action = std::move(m_afterPass.front());
        m_afterPass.pop_front();
        action();
    }
}

bool CommandGate::Defer(std::function<void()> action)
{
    if (m_passDepth == 0) return false;
    m_afterPass.push_back(std::move(action));
    return true;
}

void CommandGate::Admit(std::function<void()> action)
{
    if (m_passDepth > 0)
        m_afterPass.push_back(std::move(action));
    else
        action();
}

bool CommandGate::RunGuarded(const std::function<void()>& command)
{
    if (m_guarded) return false;
    m_guarded = true;
    // The flag is cleared however the command ends.
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear { m_guarded };
    command();
    return true;
}

} // namespace quirel
