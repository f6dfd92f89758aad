#pragma once

#include "editor/CommandTable.h"

#include <QImage>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace quirel {

class Editor;
class QtPageView;

// What a key press types: Backspace and Return as their codes 8 and 13, any other key the
// character it produces; nothing for keys that make no character (Delete, Escape, Tab, the
// function keys send control codes or no text) and for Ctrl combinations, which are commands.
QString TypedCharacter(const QKeyEvent& event);

// The editing surface: shows 800 rows of the shown page at the scroll offset and takes the
// keyboard and the wheel. A typed character is recorded when its key goes down and acts when the
// key comes up (a held key types once); dead keys, compose sequences and input methods deliver
// their text through input-method events, which act at once. A dead key that reaches the surface
// as a key (read before the input method knew the surface takes text) accents the next key here.
class EditSurface : public QWidget {
    Q_OBJECT
public:
    // page gives the picture of the shown page, on every repaint.
    EditSurface(Editor& editor, QtPageView& page, QWidget* parent = nullptr);

    // The picture as shown (white where the scrolled page leaves room).
    QImage Screen() const;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void TypeText(const QString& text);
    // The key of the insertion point event is, if any (the arrows, Ctrl with them and with Home and
    // End, Delete).
    static std::optional<command::Id> MovementOf(const QKeyEvent& event);
    // Triggers the window's action whose shortcut is the key combination of event, if any.
    void RunShortcut(const QKeyEvent& event);

    Editor& m_editor;
    QtPageView& m_page;
    QString m_recorded; // characters typed, waiting for a key to come up
    int m_deadKey = 0; // a dead key no input method took (its Qt key), waiting for the next key
};

} // namespace quirel
