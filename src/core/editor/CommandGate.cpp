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

} // namespace quirel
