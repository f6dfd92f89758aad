#include "ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace quirel::resourcegen {

namespace {

// Every shape is given on a 256 × 256 grid and scaled to the size asked for.
constexpr qreal kGrid = 256.0;

QPolygonF PageOutline(qreal fold)
{
    return QPolygonF({ { 40, 18 }, { 190 - fold, 18 }, { 190, 18 + fold }, { 190, 238 }, { 40, 238 } });
}

void DrawPage(QPainter& painter)
{
    constexpr qreal kFold = 46;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawPolygon(PageOutline(kFold).translated(7, 7));

    QLinearGradient paper(QPointF(0, 18), QPointF(0, 238));
    paper.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    paper.setColorAt(1, QColor(0xE9, 0xEE, 0xF5));
    painter.setPen(QPen(QColor(0x4E, 0x59, 0x69), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(paper);
    painter.drawPolygon(PageOutline(kFold));
    painter.setBrush(QColor(0xCF, 0xD7, 0xE2));
    painter.drawPolygon(QPolygonF({ { 190 - kFold, 18 }, { 190 - kFold, 18 + kFold }, { 190, 18 + kFold } }));

    painter.setPen(QPen(QColor(0xB4, 0xBE, 0xCC), 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(68, 204), QPointF(150, 204));
    painter.drawLine(QPointF(68, 220), QPointF(124, 220));
}

void DrawQ(QPainter& painter)
{
    QLinearGradient ink(QPointF(60, 60), QPointF(170, 190));
    ink.setColorAt(0, QColor(0x3A, 0x80, 0xDB));
    ink.setColorAt(1, QColor(0x17, 0x45, 0x8F));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(ink), 25, Qt::SolidLine, Qt::RoundCap));
    painter.drawEllipse(QPointF(110, 114), 47, 52);

    // The tail leaves the ring at its lower right and runs out across the page.
    // Cut square inside the ring, round at its free end.
    painter.setPen(QPen(QBrush(ink), 24, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(124, 140), QPointF(160, 184));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(160, 184), 12, 12);
}

// A quill lying across the page's right edge, its nib low on the page.
void DrawQuill(QPainter& painter)
{
    painter.save();
    painter.translate(160, 228);
    painter.rotate(-62);
    painter.scale(0.9, 0.9);
    // Local grid: the shaft runs along the x axis from the nib (0) to the tip (210).
    QPainterPath vane;
    vane.moveTo(46, 0);
    vane.cubicTo(80, -30, 150, -34, 214, -2);
    vane.cubicTo(160, 22, 100, 26, 46, 0);
    QLinearGradient feather(QPointF(46, 0), QPointF(214, 0));
    feather.setColorAt(0, QColor(0xF5, 0xA6, 0x2A));
    feather.setColorAt(1, QColor(0xD8, 0x3C, 0x2E));
    painter.setPen(QPen(QColor(0x8A, 0x2A, 0x1C), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(feather);
    painter.drawPath(vane);

    // Notches in the vane, where the barbs part.
    painter.setPen(QPen(QColor(0xFF, 0xF1, 0xD8), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(120, -4), QPointF(140, -24));
    painter.drawLine(QPointF(160, 4), QPointF(176, 16));

    painter.setPen(QPen(QColor(0x5A, 0x33, 0x1A), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(18, 0), QPointF(196, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2B, 0x2F, 0x36));
    painter.drawPolygon(QPolygonF({ { 0, 0 }, { 24, -8 }, { 24, 8 } }));
    painter.restore();
}

} // namespace

QImage DrawProgramIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    DrawPage(painter);
    DrawQ(painter);
    DrawQuill(painter);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace quirel::resourcegen
