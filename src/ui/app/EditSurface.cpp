#include "app/EditSurface.h"

#include "app/QtPageView.h"
#include "editor/Editor.h"
#include "layout/Canvas.h"
#include "platform/QtText.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
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

// The dead keys: the accent each puts on the next letter, and the accent typed alone (after a blank).
struct DeadKey {
    int key;
    char16_t combining;
    char16_t alone;
};
constexpr DeadKey kDeadKeys[] = {
    { Qt::Key_Dead_Acute, 0x0301, 0x00B4 },
    { Qt::Key_Dead_Grave, 0x0300, '`' },
    { Qt::Key_Dead_Diaeresis, 0x0308, 0x00A8 },
    { Qt::Key_Dead_Circumflex, 0x0302, '^' },
    { Qt::Key_Dead_Tilde, 0x0303, '~' },
};

const DeadKey* DeadKeyOf(int key)
{
    for (const DeadKey& deadKey : kDeadKeys)
        if (deadKey.key == key) return &deadKey;
    return nullptr;
}

// What a dead key and the text of the next key type: the accented letter (é, Ü); after a blank the
// accent alone (´ ¨); otherwise the accent and then the text, so no key is lost.
QString WithAccent(const DeadKey& deadKey, const QString& text)
{
    if (text == QStringLiteral(" ")) return QString(QChar(deadKey.alone));
    const QString composed = (text + QChar(deadKey.combining)).normalized(QString::NormalizationForm_C);
    return composed.size() == 1 ? composed : QChar(deadKey.alone) + text;
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

EditSurface::EditSurface(Editor& editor, QtPageView& page, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_page(page)
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
    if (const auto move = MovementOf(*event)) {
        m_editor.Run(*move);
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageDown:
        m_editor.Run(command::PageDown);
        return;
    case Qt::Key_PageUp:
        m_editor.Run(command::PageUp);
        return;
    case Qt::Key_End:
        m_editor.Run(command::PageEnd);
        return;
    case Qt::Key_Home:
        m_editor.Run(command::PageHome);
        return;
    default:
        break;
    }
    if (IsCommandCombination(*event)) {
        RunShortcut(*event);
        return;
    }
    // A dead key that reaches the page was not taken by the input method: keys that come at once
    // after the window got the focus are read before the input method learns that the page takes
    // text. The page keeps the accent for the next key itself.
    if (DeadKeyOf(event->key()) != nullptr) {
        if (!event->isAutoRepeat()) m_deadKey = event->key();
        return;
    }
    QString text = TypedCharacter(*event);
    if (text.isEmpty() || event->isAutoRepeat()) return;
    if (const DeadKey* deadKey = DeadKeyOf(m_deadKey)) {
        text = WithAccent(*deadKey, text);
        m_deadKey = 0;
    }
    // A held key counts once; keys pressed while another is still down are kept in their order
    // and typed when a key comes up, so fast typing loses nothing.
    m_recorded += text;
}

std::optional<command::Id> EditSurface::MovementOf(const QKeyEvent& event)
{
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers == Qt::ControlModifier;
    if (modifiers != Qt::NoModifier && !control) return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Left:
        return control ? command::PreviousWord : command::CharLeft;
    case Qt::Key_Right:
        return control ? command::NextWord : command::Completion;
    case Qt::Key_Up:
        return control ? std::nullopt : std::optional(command::LineUp);
    case Qt::Key_Down:
        return control ? std::nullopt : std::optional(command::LineDown);
    case Qt::Key_Home:
        return control ? std::optional(command::StartOfText) : std::nullopt;
    case Qt::Key_End:
        return control ? std::optional(command::EndOfText) : std::nullopt;
    case Qt::Key_Delete:
        return control ? std::nullopt : std::optional(command::DeleteByte);
    default:
        return std::nullopt;
    }
}

void EditSurface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const int x = std::clamp(at.x(), 0, kPageWidth - 1);
    const int y = std::max(0, at.y() - m_editor.View().scrollOffset);
    m_editor.Run({ command::PlaceAt, command::PagePoint(x, y) });
    event->accept();
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
    m_deadKey = 0;
    const QString text = event->commitString();
    for (const QChar c : text)
        if (!IsControlCharacter(c)) TypeText(QString(c));
    event->accept();
}

void EditSurface::TypeText(const QString& text)
{
    // One byte of Windows-1252 or nothing: characters the code page cannot hold are ignored.
    const auto bytes = ToCp1252Exactly(text);
    if (bytes && bytes->size() == 1) m_editor.Run({ command::TypeByte, static_cast<unsigned char>(bytes->front()) });
}

void EditSurface::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0) m_editor.Run({ command::Wheel, delta });
    event->accept();
}

QImage EditSurface::Screen() const
{
    QImage screen(kPageWidth, kPageBodyHeight, QImage::Format_RGB32);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.drawImage(0, m_editor.View().scrollOffset, m_page.ShownPicture());
    return screen;
}

void EditSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    const int offset = m_editor.View().scrollOffset;
    const QRect source = area.translated(0, -offset).intersected(QRect(0, 0, kPageWidth, kPageHeight));
    if (!source.isEmpty()) painter.drawImage(source.translated(0, offset), m_page.ShownPicture(), source);
    const QRect caret = m_page.CaretRect();
    if (!caret.isEmpty() && caret.intersects(area)) painter.fillRect(caret, m_page.CaretColour());
}

} // namespace quirel
