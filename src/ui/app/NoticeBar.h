#pragma once

#include <QFrame>
#include <QString>

class QVBoxLayout;

namespace quirel {

// The notices of the program's background writes that failed (word memory, settings, recovery
// copy), one row each with its text and a button that closes it. Shown inside the main window;
// neither the bar nor its buttons ever take the keyboard focus, so the user types on.
class NoticeBar : public QFrame {
    Q_OBJECT
public:
    explicit NoticeBar(QWidget* parent = nullptr);

    // Adds a row with text (lines separated by "\n"); the bar shows itself.
    void Add(const QString& text);
    // The rows shown.
    int Count() const;

signals:
    // A row came or went: the window makes room for the bar's new height (0 when hidden).
    void Changed();

private:
    QVBoxLayout* m_rows;
};

} // namespace quirel
