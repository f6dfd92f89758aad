#include "app/EditSurface.h"

#include "editor/Editor.h"
#include "layout/Canvas.h"
#include "platform/QtText.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace quirel {
namespace {

// Ctrl (or Command) held without Alt: a command, never a character. Ctrl with Alt is AltGr on
// some systems and types the characters printed on the keys.
bool IsCommandCombination(const QKeyEvent& event)
{
    const auto modifiers = event.modifiers();
    return (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !(modifiers & Qt::AltModifier);
}

bool IsControlCharacter(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

QString TypedCharacter(const QKeyEvent& event)
{
    if (IsCommandCombination(event)) return {};
    if (event.key() == Qt::Key_Backspace) return QStringLiteral("\b");
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return QStringLiteral("\r");
    // Delete, Escape, Tab and the other keys that make no character deliver control codes or nothing.
    const QString text = event.text().right(1);
    return text.isEmpty() || IsControlCharacter(text[0]) ? QString() : text;
}

EditSurface::EditSurface(Editor& editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("editSurface"));
    setFixedSize(kPageWidth, kPageBodyHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QVariant EditSurface::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return QRect(m_editor.View().cursorX, m_editor.View().cursorY + m_editor.View().scrollOffset, 1, 16);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

bool EditSurface::event(QEvent* event)
{
    // Tab types nothing and must not move the focus either.
    if (event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return true;
    }
    return QWidget::event(event);
}

void EditSurface::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        m_editor.AcceptCompletion();
        return;
    case Qt::Key_PageDown:
        m_editor.PageDown();
        return;
    case Qt::Key_PageUp:
        m_editor.PageUp();
        return;
    case Qt::Key_End:
        m_editor.PageEnd();
        return;
    case Qt::Key_Home:
        m_editor.PageHome();
        return;
    default:
        break;
    }
    if (IsCommandCombination(*event)) {
        RunShortcut(*event);
        return;
    }
    const QString text = TypedCharacter(*event);
    // A held key counts once; keys pressed while another is still down are kept in their order
    // and typed when a key comes up, so fast typing loses nothing.
    if (!text.isEmpty() && !event->isAutoRepeat()) m_recorded += text;
}

void EditSurface::RunShortcut(const QKeyEvent& event)
{
    // The window's shortcuts take their keys before the surface sees them while the window is the
    // active one. A key that gets here anyway came while no window was active, as right after a
    // dialog closed where no window manager hands the activation back: it still runs its command.
    if (event.isAutoRepeat()) return;
    const QKeySequence pressed(QKeyCombination(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key())));
    for (QAction* action : window()->findChildren<QAction*>()) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) {
            action->trigger();
            return;
        }
    }
}

void EditSurface::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat() || m_recorded.isEmpty()) return;
    const QString typed = m_recorded;
    m_recorded.clear();
    for (const QChar c : typed)
        TypeText(QString(c));
}

void EditSurface::inputMethodEvent(QInputMethodEvent* event)
{
    const QString text = event->commitString();
    for (const QChar c : text)
        if (!IsControlCharacter(c)) TypeText(QString(c));
    event->accept();
}

void EditSurface::TypeText(const QString& text)
{
    // One byte of Windows-1252 or nothing: characters the code page cannot hold are ignored.
    const auto bytes = ToCp1252Exactly(text);
    if (bytes && bytes->size() == 1) m_editor.TypeByte(static_cast<unsigned char>(bytes->front()));
}

void EditSurface::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0) m_editor.Wheel(delta);
    event->accept();
}

QImage EditSurface::Screen() const
{
    QImage screen(kPageWidth, kPageBodyHeight, QImage::Format_RGB32);
    screen.fill(Qt::white);
    if (m_source) {
        QPainter painter(&screen);
        painter.drawImage(0, m_editor.View().scrollOffset, m_source());
    }
    return screen;
}

void EditSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    if (m_source) {
        const int offset = m_editor.View().scrollOffset;
        const QRect source = area.translated(0, -offset).intersected(QRect(0, 0, kPageWidth, kPageHeight));
        if (!source.isEmpty()) painter.drawImage(source.translated(0, offset), m_source(), source);
    }
}

} // namespace quirel
