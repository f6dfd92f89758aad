#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Answers the modal windows (dialogs and message boxes) that an action opens, one step per window,
// from inside their own event loops. The steps are written first; Run() then performs the action
// and looks for modal windows every few milliseconds until the action returns.
//
// The active modal window goes to the next step when it opens, and again when a window over it
// has closed: a dialog whose button opens a message box gets a step, the box the next one, and the
// dialog, active again, the one after. A window is not handed on while its own step is running (a
// box opened by a click inside the step belongs to the next step, the dialog beneath stays with
// the running one), nor while it is still the window answered last (a step whose click is queued).
//
// A window of another class than the next step expects, a window after the last step and, once
// the time limit has passed, any modal window is closed and noted, so that a test fails instead of
// hanging; AllAnswered() reports it.
class ModalScript : private QObject {
public:
    explicit ModalScript(int timeLimitMs = 10000)
        : m_timeLimitMs(timeLimitMs)
    {
    }

    // A step for the next window, which must be a T (or of a class derived from T).
    template <typename T> ModalScript& Then(std::function<void(T&)> act)
    {
        m_steps.push_back(
            { &T::staticMetaObject, [act = std::move(act)](QWidget& window) { act(*qobject_cast<T*>(&window)); } });
        return *this;
    }

    // A step for a message box: its title, its text and whether it stays on top of other windows
    // are kept, then the button is clicked.
    ModalScript& Message(QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        return Then<QMessageBox>([this, button](QMessageBox& box) {
            m_messages.push_back(
                { box.windowTitle(), box.text(), box.windowFlags().testFlag(Qt::WindowStaysOnTopHint) });
            if (QAbstractButton* pressed = box.button(button))
                Click(pressed);
            else
                Close(box, QStringLiteral("no button %1 in").arg(button));
        });
    }

    // Performs the action, answering the modal windows it opens, until it returns. The time limit
    // counts from here.
    void Run(const std::function<void()>& action)
    {
        QObject polling; // the polls still pending end with the run
        m_polling = &polling;
        m_limit = QDeadlineTimer(m_timeLimitMs);
        QTimer::singleShot(0, &polling, [this] { Poll(); });
        action();
        m_polling = nullptr;
    }

    // Clicks the button once the current event has been handled, as a user's click comes from the
    // event loop: a window that the click opens then runs its loop outside the step.
    static void Click(QAbstractButton* button) { QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection); }

    // Steps that have had their window.
    std::size_t StepsDone() const { return m_next; }

    // Every step has had its window and no window was closed for the test.
    ::testing::AssertionResult AllAnswered() const
    {
        if (m_next == m_steps.size() && m_problems.isEmpty()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << m_next << " of " << m_steps.size() << " steps answered; "
                                             << m_problems.join(QStringLiteral("; ")).toStdString();
    }

    // What the message boxes answered by Message() showed, in order.
    QStringList Texts() const { return Each<QStringList>(&Shown::text); }
    QStringList Titles() const { return Each<QStringList>(&Shown::title); }
    std::vector<bool> Topmost() const { return Each<std::vector<bool>>(&Shown::topmost); }

private:
    struct Step {
        const QMetaObject* type;
        std::function<void(QWidget&)> act;
    };
    struct Shown {
        QString title;
        QString text;
        bool topmost;
    };

    void Poll()
    {
        // The next poll is queued before a step runs: the step may run a nested window's loop.
        QTimer::singleShot(10, m_polling, [this] { Poll(); });
        QWidget* window = QApplication::activeModalWidget();
        if (!window) return;
        if (m_limit.hasExpired()) {
            Close(*window, QStringLiteral("time limit reached with"));
            return;
        }
        if (window == m_answered || IsRunning(window)) return;
        if (m_next == m_steps.size() || !window->metaObject()->inherits(m_steps[m_next].type)) {
            Close(*window, QStringLiteral("unexpected"));
            return;
        }
        // Counted before it acts: the step may open a window that the next steps answer.
        const auto act = m_steps[m_next++].act;
        m_answered = window;
        window->installEventFilter(this);
        m_running.emplace_back(window);
        act(*window);
        m_running.pop_back();
    }

    // Once hidden, the window answered last is a new window if it is shown again.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched == m_answered.data()) m_answered = nullptr;
        return false;
    }

    bool IsRunning(const QWidget* window) const
    {
        for (const QPointer<QWidget>& running : m_running)
            if (running == window) return true;
        return false;
    }

    // Closes a window the test did not answer, noting why.
    void Close(QWidget& window, const QString& why)
    {
        QString seen = QStringLiteral("%1 %2 \"%3\"").arg(why, window.metaObject()->className(), window.windowTitle());
        if (auto* box = qobject_cast<QMessageBox*>(&window)) seen += QStringLiteral(": ") + box->text();
        m_problems << seen;
        if (auto* dialog = qobject_cast<QDialog*>(&window))
            dialog->done(QDialog::Rejected);
        else
            window.close();
    }

    template <typename List, typename Field> List Each(Field Shown::*field) const
    {
        List list;
        for (const Shown& shown : m_messages)
            list.push_back(shown.*field);
        return list;
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::vector<Shown> m_messages;
    QStringList m_problems;
    int m_timeLimitMs;
    QDeadlineTimer m_limit;
    QObject* m_polling = nullptr;
    QPointer<QWidget> m_answered;
    std::vector<QPointer<QWidget>> m_running;
};
