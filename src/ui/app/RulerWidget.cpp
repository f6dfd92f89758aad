#include "app/RulerWidget.h"

#include "app/FontList.h"
#include "editor/Ruler.h"

#include <QMouseEvent>
#include <QPainter>

namespace quirel {
namespace {
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kMarginGrey(0xC0, 0xC0, 0xC0);
const QColor kLimitRed(255, 0, 0);
const QColor kButtonDark(0x40, 0x40, 0x40);
const QColor kButtonShadow(0x80, 0x80, 0x80);
const QColor kButtonFace(0xD4, 0xD0, 0xC8);

constexpr int kTabRowTop = 5;
constexpr int kMarginRowTop = 15;
constexpr int kSquare = 5;

// A filled rectangle from (left, top) up to but not including (right, bottom).
void FillSpan(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
}

// One cell square: a black outline around a white or black inside.
void DrawSquare(QPainter& painter, int left, int top, const QColor& inside)
{
    painter.fillRect(QRect(left, top, kSquare, kSquare), kBlack);
    painter.fillRect(QRect(left + 1, top + 1, kSquare - 2, kSquare - 2), inside);
}
} // namespace

void DrawRuler(QImage& picture, int margin)
{
    QPainter painter(&picture);
    for (int t = 1; t <= ruler::kCells; ++t) {
        const QColor inside = t % 2 == 0 ? kWhite : kBlack;
        DrawSquare(painter, ruler::CellLeft(t), kTabRowTop, inside);
        DrawSquare(painter, ruler::CellLeft(t), kMarginRowTop, inside);
    }
    for (int t = 1; t <= ruler::kCells; ++t) {
        if (!ruler::IsMarginCell(t, margin)) continue;
        painter.fillRect(QRect(ruler::CellLeft(t), kTabRowTop, kSquare, kSquare), kMarginGrey);
        painter.fillRect(QRect(ruler::CellLeft(t), kMarginRowTop, kSquare, kSquare), kMarginGrey);
    }
    painter.fillRect(QRect(ruler::CellLeft(ruler::kMaxTabCell), kTabRowTop, kSquare, kSquare), kLimitRed);
    painter.fillRect(QRect(ruler::CellLeft(ruler::kMaxMarginCell), kMarginRowTop, kSquare, kSquare), kLimitRed);
}

void DrawTabButton(QImage& picture, TabLook look)
{
    QPainter painter(&picture);
    // Light top-left and dark bottom-right edges when raised; a flat face with only the dark
    // edge when pressed.
    FillSpan(painter, 4, 5, 25, 20, kButtonDark);
    if (look == TabLook::Released) {
        FillSpan(painter, 4, 5, 24, 19, kWhite);
        FillSpan(painter, 5, 6, 24, 19, kButtonShadow);
        FillSpan(painter, 5, 6, 23, 18, kButtonFace);
    } else {
        FillSpan(painter, 5, 6, 23, 18, kWhite);
        FillSpan(painter, 5, 6, 24, 19, kButtonShadow);
        FillSpan(painter, 4, 5, 24, 19, kButtonFace);
    }
    painter.setFont(MakeFaceFont(QStringLiteral("Courier New"), 7));
    painter.setPen(kButtonDark);
    painter.drawText(QRect(6, 7, 40, 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QStringLiteral("TAB"));
}

RulerWidget::RulerWidget(int margin, QWidget* parent)
    : QWidget(parent)
    , m_picture(ruler::kWidth, ruler::kHeight, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("ruler"));
    setFixedSize(ruler::kWidth, ruler::kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture.fill(Qt::white);
    DrawTabButton(m_picture, TabLook::Released);
    DrawRuler(m_picture, margin);

    m_tabTimer.setSingleShot(true);
    m_tabTimer.setInterval(kTabPressMs);
    connect(&m_tabTimer, &QTimer::timeout, this, &RulerWidget::ReleaseTabButton);
}

void RulerWidget::SetMargin(int margin)
{
    DrawRuler(m_picture, margin);
    update();
}

void RulerWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBlack);
    const QRect inside = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    painter.setClipRect(inside);
    painter.drawImage(inside.topLeft(), m_picture);
}

QPoint RulerWidget::ToPicture(const QPointF& widgetPosition) const
{
    return widgetPosition.toPoint() - QPoint(kBorder, kBorder);
}

void RulerWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = ToPicture(event->position());
    // A press while the button is still down is part of the same press.
    if (event->button() == Qt::LeftButton && ruler::OnTabButton(at.x(), at.y()) && !m_tabTimer.isActive()) {
        DrawTabButton(m_picture, TabLook::Pressed);
        repaint();
        m_tabTimer.start();
    }
    QWidget::mousePressEvent(event);
}

void RulerWidget::ReleaseTabButton()
{
    DrawTabButton(m_picture, TabLook::Released);
    repaint();
    emit TabPressed();
}

void RulerWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = ToPicture(event->position());
    const int t = ruler::CellAt(at.x());
    switch (ruler::RowAt(at.y())) {
    case ruler::Row::Margin:
        if (t >= 1 && t <= ruler::kMaxMarginCell) emit MarginCellClicked(t);
        break;
    case ruler::Row::Tab:
        if (t >= 1 && t <= ruler::kMaxTabCell) emit TabCellClicked(t);
        break;
    case ruler::Row::None:
        break;
    }
}

} // namespace quirel
