#pragma once

#include "editor/Prompts.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>

class QWidget;

namespace quirel {

// Message boxes titled "Programador" and the file dialogs over the main window (the commands'
// own dialogs are added by DialogPrompts).
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr)
        : m_owner(owner)
    {
    }

    void ShowMessage(std::string_view text, Urgency urgency) override;
    bool AskYesNo(std::string_view text) override;
    // Handed to the notice sink (the main window's notice bar); no box is ever opened for it.
    void ShowNotice(std::string_view text) override;
    Answer AskYesNoCancel(std::string_view text) override;
    // Sí and No; Escape and the box's close button close it without an answer (Cancel).
    Answer AskYesNoOrClose(std::string_view text) override;
    std::filesystem::path ChooseFile(const FileRequest& request) override;

    // Where notices go (lines separated by "\n"); without a sink they are only logged.
    void SetNoticeSink(std::function<void(const QString&)> sink) { m_noticeSink = std::move(sink); }

protected:
    QWidget* Owner() const { return m_owner; }

private:
    QWidget* m_owner;
    std::function<void(const QString&)> m_noticeSink;
};

// Lets queued input and painting run. Long loops call it often (every few hundred records of a
// word list); events are let through at most every few milliseconds, which keeps the window
// responsive without making the loop pay for an event pass each time.
class QtEventPump final : public EventPump {
public:
    void ProcessPendingEvents() override;

private:
    QElapsedTimer m_sinceLast;
};

} // namespace quirel
