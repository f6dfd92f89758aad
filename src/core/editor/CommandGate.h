#pragma once

#include <deque>
#include <functional>

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
    // Inside a text pass keeps action for its end and returns true; outside one returns false and
    // leaves action unused, so the caller goes on at once.
    bool Defer(std::function<void()> action);
    // Runs action now, or at the end of the running text pass.
    void Admit(std::function<void()> action);

    // Runs command unless another guarded command is running; false when it was ignored.
    bool RunGuarded(const std::function<void()>& command);
    bool GuardedCommandRunning() const { return m_guarded; }

private:
    void RunWaiting();

    int m_passDepth = 0;
    std::deque<std::function<void()>> m_afterPass;
    bool m_guarded = false;
};

} // namespace quirel
