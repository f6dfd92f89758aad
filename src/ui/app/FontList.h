#pragma once

#include <QComboBox>
#include <QFont>
#include <QStringList>
#include <QStyledItemDelegate>

namespace quirel {

enum class Italic { No, Yes };
enum class Underline { No, Yes };

// A font of the given face at the given size in points. The pixel height is points × the screen's
// vertical pixels per inch / 72 with the remainder dropped, so 12 points are 16 pixels at 96 dpi.
QFont MakeFaceFont(const QString& face, int points, QFont::Weight weight = QFont::Normal, Italic italic = Italic::No,
    Underline underline = Underline::No);

// Every installed font family once, in the order the font list shows them (case-insensitive).
// Left out: the foundry suffixes of families installed by several foundries ("Foo [bar]" is shown
// as "Foo"), the generic names the font configuration adds ("Serif", "Sans Serif", "Monospace"),
// private system families, and names Windows-1252 cannot hold, since a face name is kept in the
// settings and in documents as Windows-1252 text.
QStringList InstalledFaceNames();

// Where a font list item is drawn: in the open list, or in the selection field of the closed list.
enum class ItemPlace { List, Field };
enum class ItemSelected { No, Yes };

// Draws one item of the font list into rect: the background in highlight colours for the selected
// item of the open list and in window colours otherwise, the face name in its own face at
// 12 points, left-aligned and centred vertically, and a dotted focus rectangle around a selected
// item. An empty name fills the rectangle only. Returns false, drawing nothing, for row -1
// (no item).
bool DrawFontItem(QPainter& painter, const QRect& rect, const QPalette& palette, int row, const QString& face,
    ItemPlace place, ItemSelected selected);

// Draws the items of the open font list in their own faces.
class FontItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // itemHeight: the height every item has at least (the list's default item height + 4).
    FontItemDelegate(int itemHeight, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // At least the common item height; taller when the face's own line needs more, so that tall
    // faces are not clipped.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_itemHeight;
};

// The font list of the main window: every installed family, each drawn in its own face. It starts
// disabled; "Seleccionar Fuente" enables it for one choice.
class FontList : public QComboBox {
    Q_OBJECT
public:
    explicit FontList(QWidget* parent = nullptr);

    // Empties the list and adds one item per installed family (see InstalledFaceNames).
    void FillFontList();
    // Selects the first item whose name begins with name, compared without regard to case; when
    // none does (or name is empty) nothing is selected. Emits no signal. Returns the index or -1.
    int SelectFace(const QString& name);
    // Selects name as SelectFace does or, when no item begins with it, the first installed face
    // that stands in for it (Candara → Carlito), so the list shows the face the text is drawn in.
    int SelectFaceOrStandIn(const QString& name);
    // Makes the list usable for one choice of a face.
    void Enable();
    // The height of every item: the list's default item height + 4.
    int ItemHeight() const { return m_itemHeight; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

signals:
    // The user made another face the selected one (by the open list, the arrow keys or the wheel).
    void FaceChosen(const QString& face);
    // The user ended a choice in the list with OK: an item clicked or taken with Enter in the open
    // list, or stepped to with the keys on the closed list, whether or not it changed the selection.
    // Emitted before FaceChosen when both apply.
    void FaceConfirmed(const QString& face);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnActivated(int index);

    int m_itemHeight = 0;
    // The selection as it was when the user's current action began (opening the list, a key,
    // the wheel), so that a choice can tell whether it changed the selection.
    int m_indexBeforeUser = -1;
};

} // namespace quirel
