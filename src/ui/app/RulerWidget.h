#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace quirel {

enum class TabLook { Released, Pressed };

// Draws the two rows of ruler cells into picture (820 × 26): cell t has a square in the tab row
// (y 5 to 9) and one in the margin row (y 15 to 19), x from 10·t + 17 to 10·t + 21, outlined
// black and filled white for even t, black for odd t. Cells inside the margins are light grey;
// the largest cells the rows accept (tab row 40, margin row 22) are red.
void DrawRuler(QImage& picture, int margin);

// Draws the TAB button (x 4 to 24, y 5 to 19) raised or pressed, with its caption.
void DrawTabButton(QImage& picture, TabLook look);

// The ruler above the page: the TAB button and the cells for the tab width and the margin. It
// shows the ruler picture inside a 1-pixel black border; positions in its signals and in the
// picture are relative to the inside of that border.
class RulerWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 1;
    // How long the TAB button stays down after a press, in milliseconds.
    static constexpr int kTabPressMs = 220;

    explicit RulerWidget(int margin, QWidget* parent = nullptr);

    // Draws the cells again for a new margin (pixels) and shows them.
    void SetMargin(int margin);
    const QImage& Picture() const { return m_picture; }

signals:
    // The TAB button was pressed; emitted once it has come back up.
    void TabPressed();
    // A cell of the margin row was clicked: t from 1 to 22 (margin 10·t).
    void MarginCellClicked(int t);
    // A cell of the tab row was clicked: t from 1 to 40 (tab width t).
    void TabCellClicked(int t);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ReleaseTabButton();
    QPoint ToPicture(const QPointF& widgetPosition) const;

    QImage m_picture;
    QTimer m_tabTimer;
};

} // namespace quirel
