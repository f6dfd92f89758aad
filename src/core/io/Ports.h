#pragma once

#include <string>
#include <string_view>

namespace quirel {

// How the core tells the user something. Texts are Windows-1252 bytes; every message box carries
// the title "Programador". (The editor's port for asking the user, Prompts, adds the questions.)
class Messages {
public:
    virtual ~Messages() = default;

    enum class Urgency { Normal, Topmost };
    // An information message with an OK button.
    virtual void ShowMessage(std::string_view text, Urgency urgency = Urgency::Normal) = 0;
    // A report of a write the program did by itself (the word memory, the settings, the recovery
    // copy) that failed: shown in the main window without taking the keyboard, and the call
    // returns at once. The user closes it when they like.
    virtual void ShowNotice(std::string_view text) = 0;
};

// The "let pending messages run" points of long loops, so the window stays responsive.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

} // namespace quirel
