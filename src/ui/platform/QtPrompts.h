#pragma once

#include "io/Ports.h"

class QWidget;

namespace quirel {

// Message boxes titled "Programador" over the main window.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr)
        : m_owner(owner)
    {
    }
    void SetOwner(QWidget* owner) { m_owner = owner; }

    void ShowMessage(std::string_view text, Urgency urgency) override;
    bool AskYesNo(std::string_view text) override;

private:
    QWidget* m_owner;
};

// Lets queued input and painting run once.
class QtEventPump final : public EventPump {
public:
    void ProcessPendingEvents() override;
};

} // namespace quirel
