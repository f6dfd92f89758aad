#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

// Answers the modal windows a command opens while it runs. Message boxes are read (their texts
// kept in order) and closed with OK; every other modal dialog is handed to the next step, which
// fills it in and presses its buttons (a dialog that stays open goes to the step after). A dialog
// without a step left, and any modal window once the deadline has passed, is closed, so an
// unexpected dialog fails the test instead of hanging it.
class PrintModalAnswers {
public:
    using Step = std::function<void(QDialog&)>;

    explicit PrintModalAnswers(std::deque<Step> steps = {}, int deadlineMs = 60000)
        : m_steps(std::move(steps))
        , m_deadline(deadlineMs)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    void Add(Step step) { m_steps.push_back(std::move(step)); }

    std::vector<QString> messages; // the texts of the message boxes, in order
    std::vector<bool> topmost; // whether each message box stayed on top of other windows
    int unexpected = 0; // dialogs closed for want of a step
    bool StepsLeft() const { return !m_steps.empty(); }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_busy) return;
        m_busy = true;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages.push_back(box->text());
            topmost.push_back(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            if (m_deadline.hasExpired() || m_steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog->windowTitle().toStdString();
                ++unexpected;
                dialog->reject();
            } else {
                Step step = std::move(m_steps.front());
                m_steps.pop_front();
                step(*dialog);
            }
        }
        m_busy = false;
    }

    std::deque<Step> m_steps;
    QDeadlineTimer m_deadline;
    QTimer m_timer;
    bool m_busy = false;
};
