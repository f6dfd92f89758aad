#pragma once

#include <string_view>

namespace quirel {

// How the core talks to the user. Texts are Windows-1252 bytes; every message box carries the
// title "Programador".
class Prompts {
public:
    virtual ~Prompts() = default;

    enum class Urgency { Normal, Topmost };
    // An information message with an OK button.
    virtual void ShowMessage(std::string_view text, Urgency urgency = Urgency::Normal) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
};

// The "let pending messages run" points of long loops, so the window stays responsive.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

} // namespace quirel
