#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

// Answers the modal windows a command opens, one step per window, from inside their own loops.
// Each step waits until the active modal widget is of its type, then acts on it. Polling starts
// with Start() and gives up after a bounded wait, so an unexpected or missing window fails the
// test instead of hanging it; a window that appears after the last step is closed and counted.
class ModalScript {
public:
    explicit ModalScript(int timeoutMs = 10000)
        : m_state(std::make_shared<State>())
    {
        m_state->timeoutMs = timeoutMs;
    }
    ~ModalScript() { Stop(); }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    template <typename T> ModalScript& Then(std::function<void(T*)> act)
    {
        m_state->steps.push_back({ [](QWidget* widget) { return qobject_cast<T*>(widget) != nullptr; },
            [act](QWidget* widget) { act(qobject_cast<T*>(widget)); } });
        return *this;
    }

    // A message box: its text is recorded, then it is answered with the given button.
    ModalScript& Message(QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        auto state = m_state;
        return Then<QMessageBox>([state, button](QMessageBox* box) {
            state->texts.push_back(box->text());
            if (auto* pressed = box->button(button)) QMetaObject::invokeMethod(pressed, "click", Qt::QueuedConnection);
        });
    }

    void Start()
    {
        m_state->clock.start();
        Poll(m_state);
    }
    // Ends the polling; only one script may answer windows at a time.
    void Stop() { m_state->stopped = true; }
    bool Done() const { return m_state->next == m_state->steps.size(); }
    std::size_t StepsDone() const { return m_state->next; }
    // The texts of the message boxes answered, in order.
    const QStringList& Texts() const { return m_state->texts; }
    // Windows that appeared after the last step (each was closed).
    int Unexpected() const { return m_state->unexpected; }

    // Clicks a button after the current event has been handled, so that a window it opens runs
    // its loop outside the step.
    static void Click(QAbstractButton* button) { QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection); }

private:
    struct Step {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> act;
    };
    struct State {
        std::vector<Step> steps;
        std::size_t next = 0;
        QPointer<QWidget> answered;
        QStringList texts;
        int unexpected = 0;
        QElapsedTimer clock;
        int timeoutMs = 10000;
        bool stopped = false;
    };

    static void Poll(const std::shared_ptr<State>& state)
    {
        if (state->stopped || state->clock.elapsed() > state->timeoutMs) return;
        // The next poll is queued first: a step may open a window whose loop runs inside it.
        QTimer::singleShot(10, [state] { Poll(state); });
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || (modal == state->answered && modal->isVisible())) return;
        if (state->next == state->steps.size()) {
            // A window no step expected: closed, so that the test fails instead of hanging.
            ++state->unexpected;
            state->answered = modal;
            modal->close();
            return;
        }
        if (!state->steps[state->next].matches(modal)) return;
        // Counted before it acts: the step may run a nested window that the next steps answer.
        const auto& step = state->steps[state->next++];
        state->answered = modal;
        step.act(modal);
    }

    std::shared_ptr<State> m_state;
};
