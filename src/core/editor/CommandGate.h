#pragma once

#include "editor/CommandTable.h"

#include <deque>
#include <functional>
#include <utility>

namespace quirel {

// Decides when input and commands run. Everything runs on one thread, but long passes over the text
// (a layout at each page break, the accent pass, the repeated-word count) let the window's events
// run; what arrives meanwhile must not change the text under the pass, so it waits and then runs,
// in order, when the outermost pass ends. Guarded commands (they open modal windows) do not nest.
// (Commands that read the word lists wait in the same way for a load on its way: see ListLoader.)
class CommandGate {
public:
    // Marks a text pass for its lifetime. Passes nest; when the outermost one ends, what waited for
    // it runs, in the order it arrived (and may itself open passes).
    class TextPass {
    public:
        explicit TextPass(CommandGate& gate);
        ~TextPass();
        TextPass(const TextPass&) = delete;
        TextPass& operator=(const TextPass&) = delete;

    private:
        CommandGate& m_gate;
    };

    bool InTextPass() const { return m_passDepth > 0; }
    // Runs action as rules let it: one that waits for a running text pass is kept (with what it
    // holds) until the outermost pass ends; a guarded one is ignored while another guarded one runs.
    // Nothing is kept, and nothing allocated, for what runs at once.
    template <typename Action> void Admit(const CommandRules& rules, Action&& action)
    {
        if (rules.textPass == CommandRules::TextPass::WaitsForEnd && m_passDepth > 0) {
            m_afterPass.emplace_back(
                [this, &rules, kept = std::forward<Action>(action)]() mutable { Admit(rules, kept); });
            return;
        }
        if (rules.guard == CommandRules::Guard::Yes)
            RunGuarded(action);
        else
            action();
    }

    // Runs command unless another guarded command is running; false when it was ignored.
    template <typename Command> bool RunGuarded(Command&& command)
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
    bool GuardedCommandRunning() const { return m_guarded; }

private:
    void RunWaiting();

    int m_passDepth = 0;
    std::deque<std::function<void()>> m_afterPass;
    bool m_guarded = false;
};

} // namespace quirel
