#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

// Answers the modal windows that a command opens, in the order they appear, from inside their own
// event loops. Each answer is used once, for the next modal window not answered before (a window
// that becomes active again after a message box over it is not answered twice). A modal window
// that appears when every answer is used, or any modal window once the time is up, is closed and
// counted, so that no test can hang on an unexpected window.
class ModalAnswers {
public:
    using Answer = std::function<void(QWidget*)>;

    explicit ModalAnswers(std::vector<Answer> answers, int timeoutMs = 10000)
        : m_answers(std::move(answers))
        , m_timeoutMs(timeoutMs)
        , m_context(std::make_unique<QObject>())
    {
        m_clock.start();
        QTimer::singleShot(0, m_context.get(), [this] { Poll(); });
    }

    // A message box: its text goes to text (with a note when its title is not "Programador"), then OK.
    static Answer ReadMessage(QString& text)
    {
        return [&text](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (!box) {
                text = QStringLiteral("<not a message box: %1>").arg(window->metaObject()->className());
                Close(window);
                return;
            }
            text = box->text();
            if (box->windowTitle() != QStringLiteral("Programador"))
                text += QStringLiteral(" <title: %1>").arg(box->windowTitle());
            box->accept();
        };
    }

    int Used() const { return static_cast<int>(m_next); }
    int Unexpected() const { return m_unexpected; }
    bool TimedOut() const { return m_timedOut; }

private:
    static void Close(QWidget* window)
    {
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->done(QDialog::Rejected);
        else
            window->close();
    }

    void Poll()
    {
        // The next poll is due before the answer runs: an answer may open a nested modal window.
        QTimer::singleShot(10, m_context.get(), [this] { Poll(); });
        QWidget* window = QApplication::activeModalWidget();
        if (!window) return;
        if (m_clock.elapsed() > m_timeoutMs) {
            m_timedOut = true;
            Close(window);
            return;
        }
        for (const QPointer<QWidget>& seen : m_seen) {
            if (seen == window) return;
        }
        m_seen.emplace_back(window);
        if (m_next < m_answers.size()) {
            m_answers[m_next++](window);
        } else {
            ++m_unexpected;
            Close(window);
        }
    }

    std::vector<Answer> m_answers;
    std::size_t m_next = 0;
    int m_timeoutMs;
    int m_unexpected = 0;
    bool m_timedOut = false;
    QElapsedTimer m_clock;
    std::vector<QPointer<QWidget>> m_seen;
    std::unique_ptr<QObject> m_context; // ends the polling when the answers go
};
