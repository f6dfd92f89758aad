#include "app/FontList.h"

#include "platform/FaceResolver.h"
#include "platform/QtText.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QWheelEvent>
#include <algorithm>

namespace quirel {
namespace {
constexpr int kItemPoints = 12;
constexpr int kExtraItemHeight = 4;
constexpr int kTextIndent = 2;
constexpr int kVisibleItems = 12;

int ScreenDpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

// "Foo [bar]" → "Foo": the font database names a family after its foundry when several
// foundries install it; users know the family only.
QString WithoutFoundry(const QString& family)
{
    if (!family.endsWith(QLatin1Char(']'))) return family;
    const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
    return open > 0 ? family.left(open) : family;
}

bool IsGenericName(const QString& family)
{
    return family == QLatin1String("Serif") || family == QLatin1String("Sans Serif")
        || family == QLatin1String("Monospace");
}
} // namespace

QFont MakeFaceFont(const QString& face, int points, QFont::Weight weight, Italic italic, Underline underline)
{
    QFont font = FaceResolver::Shared().Font(face);
    font.setPixelSize(std::max(1, points * ScreenDpiY() / 72));
    font.setWeight(weight);
    font.setItalic(italic == Italic::Yes);
    font.setUnderline(underline == Underline::Yes);
    return font;
}

QStringList InstalledFaceNames()
{
    QStringList names;
    QSet<QString> seen;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || IsGenericName(family)) continue;
        const QString name = WithoutFoundry(family);
        if (name.isEmpty() || !ToCp1252Exactly(name).has_value()) continue;
        if (seen.contains(name.toCaseFolded())) continue;
        seen.insert(name.toCaseFolded());
        names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byLetters = QString::compare(a, b, Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : a < b;
    });
    return names;
}

bool DrawFontItem(QPainter& painter, const QRect& rect, const QPalette& palette, int row, const QString& face,
    ItemPlace place, ItemSelected selected)
{
    if (row < 0) return false;
    const bool highlighted = selected == ItemSelected::Yes && place == ItemPlace::List;
    const QColor background = palette.color(QPalette::Active, highlighted ? QPalette::Highlight : QPalette::Base);
    const QColor text = palette.color(QPalette::Active, highlighted ? QPalette::HighlightedText : QPalette::Text);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, background);
    if (!face.isEmpty()) {
        painter.setFont(MakeFaceFont(face, kItemPoints));
        painter.setPen(text);
        painter.drawText(
            rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, face);
    }
    if (selected == ItemSelected::Yes) {
        painter.setPen(QPen(text, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter.restore();
    return true;
}

FontItemDelegate::FontItemDelegate(int itemHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_itemHeight(itemHeight)
{
}

void FontItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const ItemSelected selected = option.state.testFlag(QStyle::State_Selected) ? ItemSelected::Yes : ItemSelected::No;
    DrawFontItem(*painter, option.rect, option.palette, index.isValid() ? index.row() : -1,
        index.data(Qt::DisplayRole).toString(), ItemPlace::List, selected);
}

QSize FontItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString face = index.data(Qt::DisplayRole).toString();
    if (face.isEmpty()) return { option.rect.width(), m_itemHeight };
    // Measured when the open list lays its items out, never when the list is filled.
    const QFontMetrics metrics(MakeFaceFont(face, kItemPoints));
    const int width = metrics.horizontalAdvance(face) + 2 * kTextIndent;
    return { width, std::max(m_itemHeight, metrics.height() + 2) };
}

FontList::FontList(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("fontList"));
    m_itemHeight = fontMetrics().height() + kExtraItemHeight;
    setItemDelegate(new FontItemDelegate(m_itemHeight, this));
    setMaxVisibleItems(kVisibleItems);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, &FontList::OnActivated);
    FillFontList();
    setEnabled(false);
}

void FontList::FillFontList()
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(InstalledFaceNames());
    // Adding to an empty combo box selects its first item; the list starts without a selection.
    setCurrentIndex(-1);
    m_indexBeforeUser = -1;
}

int FontList::SelectFace(const QString& name)
{
    int found = -1;
    if (!name.isEmpty()) {
        for (int i = 0; i < count(); ++i) {
            if (itemText(i).startsWith(name, Qt::CaseInsensitive)) {
                found = i;
                break;
            }
        }
    }
    setCurrentIndex(found);
    m_indexBeforeUser = found;
    return found;
}

int FontList::SelectFaceOrStandIn(const QString& name)
{
    const int found = SelectFace(name);
    if (found >= 0 || name.isEmpty()) return found;
    const QStringList standIns = FaceResolver::Shared().StandIns(name);
    return standIns.isEmpty() ? -1 : SelectFace(standIns.constFirst());
}

void FontList::Enable()
{
    setEnabled(true);
}

QSize FontList::sizeHint() const
{
    QSize hint = QComboBox::sizeHint();
    hint.setHeight(std::max(hint.height(), minimumSizeHint().height()));
    return hint;
}

QSize FontList::minimumSizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize field(QComboBox::minimumSizeHint().width(), m_itemHeight);
    const QSize whole = style()->sizeFromContents(QStyle::CT_ComboBox, &option, field, this);
    return { QComboBox::minimumSizeHint().width(), whole.height() };
}

void FontList::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    // The selection field shows the chosen face in its own face, in window colours.
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, palette().color(QPalette::Active, QPalette::Base));
    const ItemSelected selected = hasFocus() ? ItemSelected::Yes : ItemSelected::No;
    DrawFontItem(painter, field, palette(), currentIndex(), currentText(), ItemPlace::Field, selected);
}

void FontList::keyPressEvent(QKeyEvent* event)
{
    m_indexBeforeUser = currentIndex();
    QComboBox::keyPressEvent(event);
}

void FontList::wheelEvent(QWheelEvent* event)
{
    m_indexBeforeUser = currentIndex();
    QComboBox::wheelEvent(event);
}

void FontList::showPopup()
{
    m_indexBeforeUser = currentIndex();
    QComboBox::showPopup();
}

void FontList::OnActivated(int index)
{
    const QString face = itemText(index);
    const bool changed = index != m_indexBeforeUser;
    m_indexBeforeUser = index;
    emit FaceConfirmed(face);
    if (changed) emit FaceChosen(face);
}

} // namespace quirel
