#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace quirel {

// The "Autor" box: the program's icon, a short description and a button "Salir". Every way of
// leaving it (the button, Escape, closing the window) ends it with result 0.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    // The description shown beside the icon.
    static QString Text();

    // owner may be null; the box is centred on the screen either way.
    explicit AboutBox(QWidget* owner = nullptr);

    QLabel* Picture() const { return m_picture; }
    QPushButton* ExitButton() const { return m_exitButton; }

private:
    void CentreOnScreen();

    QLabel* m_picture = nullptr;
    QLabel* m_description = nullptr;
    QPushButton* m_exitButton = nullptr;
};

// Shows the "Autor" box and returns when it has been closed. The box runs its own event loop but
// is not modal: the other windows stay usable meanwhile.
void ShowAbout(QWidget* owner);

} // namespace quirel
