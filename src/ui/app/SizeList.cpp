#include "app/SizeList.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace quirel {
namespace {
constexpr int kSmallest = 9;
constexpr int kLargest = 90;
} // namespace

SizeList::SizeList(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("sizeList"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // An inline completion would turn a typed "7" into "70".
    setCompleter(nullptr);
    for (int size = kSmallest; size <= kLargest; ++size)
        addItem(QStringLiteral("%1").arg(size, 2, 10, QLatin1Char('0')));
    setCurrentIndex(-1);
    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (const int size = ParseSize(itemText(index))) emit SizeChosen(size);
    });
}

int SizeList::ParseSize(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 3) return 0;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    const int size = trimmed.toInt();
    return size >= kSmallest && size <= kLargest ? size : 0;
}

void SizeList::ShowSize(int size)
{
    if (size < kSmallest || size > kLargest) return;
    // A new index shows its text in the field; a size being typed stays until Return or until the
    // field is left.
    if (currentIndex() != size - kSmallest) setCurrentIndex(size - kSmallest);
}

void SizeList::RestoreField()
{
    const QString shown = currentIndex() >= 0 ? itemText(currentIndex()) : QString();
    if (lineEdit()->text() != shown) lineEdit()->setText(shown);
}

bool SizeList::TakeTypedSize(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    const int size = ParseSize(lineEdit()->text());
    if (size) ShowSize(size);
    RestoreField();
    if (size) emit SizeChosen(size);
    return true;
}

void SizeList::keyPressEvent(QKeyEvent* event)
{
    if (!TakeTypedSize(event)) QComboBox::keyPressEvent(event);
}

void SizeList::focusOutEvent(QFocusEvent* event)
{
    RestoreField();
    QComboBox::focusOutEvent(event);
}

bool SizeList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit()) {
        // Return is handled here, before the field and the combo box see it: they would take a
        // text that matches an item without the range check, or do nothing for "9".
        if (event->type() == QEvent::KeyPress && TakeTypedSize(static_cast<QKeyEvent*>(event))) return true;
        // Leaving the field without Return drops what was typed (before the combo box, which
        // would take a matching text on its own, sees the field lose the focus).
        if (event->type() == QEvent::FocusOut) RestoreField();
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace quirel
