#include "MenuPictures.h"

#include "EmoticonPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace quirel::resourcegen {

namespace {

// One small palette for all menu pictures, so that they look like one set.
const QColor kOutline(0x3A, 0x3F, 0x47);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kFold(0xD5, 0xDB, 0xE3);
const QColor kLine(0x9A, 0xA4, 0xB1);
const QColor kBlue(0x2F, 0x6F, 0xC9);
const QColor kLightBlue(0xBF, 0xDB, 0xF7);
const QColor kGreen(0x2E, 0x9E, 0x4F);
const QColor kRed(0xD6, 0x3A, 0x31);
const QColor kYellow(0xF5, 0xC2, 0x42);
const QColor kDarkYellow(0xC9, 0x8E, 0x12);
const QColor kOrange(0xF0, 0x8A, 0x24);
const QColor kBrown(0x8B, 0x5A, 0x2B);

// A transparent picture with a painter that draws smooth edges; a one-pixel line at
// x + 0.5 covers exactly one column, so outlines stay sharp.
struct Picture {
    QImage image { kMenuPictureSize, kMenuPictureSize, QImage::Format_ARGB32_Premultiplied };
    QPainter painter;

    Picture()
    {
        image.fill(Qt::transparent);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing);
    }
    QImage Finish()
    {
        painter.end();
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    void Pen(const QColor& colour, qreal width = 1.0)
    {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    void NoPen() { painter.setPen(Qt::NoPen); }
    void Fill(const QColor& colour) { painter.setBrush(colour); }
    void NoFill() { painter.setBrush(Qt::NoBrush); }
};

// A sheet of paper with its top-right corner folded, outline from (left, top) to
// (right, bottom) on pixel centres.
void DrawPage(Picture& p, qreal left, qreal top, qreal right, qreal bottom, qreal fold = 3.0)
{
    p.Pen(kOutline);
    p.Fill(kPaper);
    p.painter.drawPolygon(QPolygonF(
        { { left, top }, { right - fold, top }, { right, top + fold }, { right, bottom }, { left, bottom } }));
    p.Fill(kFold);
    p.painter.drawPolygon(QPolygonF({ { right - fold, top }, { right - fold, top + fold }, { right, top + fold } }));
}

void DrawTextLines(Picture& p, qreal left, qreal right, qreal firstY, int count)
{
    p.Pen(kLine);
    for (int i = 0; i < count; ++i) {
        const qreal end = i == count - 1 ? left + (right - left) * 0.6 : right;
        p.painter.drawLine(QPointF(left, firstY + 2 * i), QPointF(end, firstY + 2 * i));
    }
}

// A straight arrow with a filled head, from `from` to `to`.
void DrawArrow(Picture& p, QPointF from, QPointF to, const QColor& colour, qreal width = 2.0, qreal head = 3.5)
{
    const QLineF shaft(from, to);
    const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const QPointF back(to.x() - head * std::cos(angle), to.y() - head * std::sin(angle));
    const QPointF side(-std::sin(angle) * head * 0.8, std::cos(angle) * head * 0.8);
    p.painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.painter.drawLine(from, back);
    p.NoPen();
    p.Fill(colour);
    p.painter.drawPolygon(QPolygonF({ to, back + side, back - side }));
}

void DrawLetters(Picture& p, const QRectF& box, const QString& text, const QColor& colour, int pixelSize,
    const char* family = "DejaVu Sans")
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.painter.setFont(font);
    p.Pen(colour);
    p.painter.drawText(box, Qt::AlignCenter, text);
}

void DrawMagnifier(Picture& p, QPointF centre, qreal radius)
{
    const qreal handleStart = radius * 0.75;
    p.painter.setPen(QPen(kBrown, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.painter.drawLine(centre + QPointF(handleStart, handleStart), centre + QPointF(radius + 3.2, radius + 3.2));
    p.Pen(kOutline, 1.6);
    p.Fill(kLightBlue);
    p.painter.drawEllipse(centre, radius, radius);
    p.Pen(QColor(255, 255, 255, 220), 1.0);
    p.NoFill();
    p.painter.drawArc(QRectF(centre.x() - radius + 1.6, centre.y() - radius + 1.6, 2 * radius - 3.2, 2 * radius - 3.2),
        95 * 16, 70 * 16);
}

// "Nuevo": an empty sheet with a small yellow spark.
QImage DrawNew(QString*)
{
    Picture p;
    DrawPage(p, 2.5, 1.5, 13.5, 15.5, 4.0);
    p.Pen(kDarkYellow, 0.8);
    p.Fill(kYellow);
    QPolygonF star;
    const QPointF centre(4.5, 4.5);
    for (int i = 0; i < 8; ++i) {
        const qreal radius = i % 2 == 0 ? 4.3 : 1.6;
        const qreal angle = i * std::numbers::pi / 4 - std::numbers::pi / 2;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    p.painter.drawPolygon(star);
    return p.Finish();
}

// "Leer texto": a sheet of text lines with an arrow coming into it.
QImage DrawReadText(QString*)
{
    Picture p;
    DrawPage(p, 4.5, 0.5, 15.5, 15.5, 3.5);
    DrawTextLines(p, 7.5, 13.5, 5.5, 5);
    p.Pen(kPaper, 4.0);
    p.painter.drawLine(QPointF(0.5, 9.5), QPointF(7.5, 9.5));
    DrawArrow(p, QPointF(0.0, 9.5), QPointF(9.0, 9.5), kGreen, 2.2, 4.0);
    return p.Finish();
}

// "Leer Documento": an open yellow folder.
QImage DrawOpen(QString*)
{
    Picture p;
    p.Pen(kDarkYellow);
    p.Fill(kYellow.darker(112));
    p.painter.drawPolygon(
        QPolygonF({ { 0.5, 3.5 }, { 5.5, 3.5 }, { 7.0, 5.0 }, { 13.5, 5.0 }, { 13.5, 13.5 }, { 0.5, 13.5 } }));
    p.Pen(kOutline, 0.8);
    p.Fill(kPaper);
    p.painter.drawRect(QRectF(3.0, 6.5, 9.0, 5.0));
    p.Pen(kDarkYellow);
    p.Fill(kYellow);
    p.painter.drawPolygon(QPolygonF({ { 3.5, 8.5 }, { 15.5, 8.5 }, { 13.5, 13.5 }, { 0.5, 13.5 } }));
    return p.Finish();
}

// "Grabar Documento": a blue diskette.
QImage DrawSave(QString*)
{
    Picture p;
    p.Pen(kBlue.darker(150));
    p.Fill(kBlue);
    p.painter.drawPolygon(QPolygonF({ { 1.5, 1.5 }, { 12.5, 1.5 }, { 14.5, 3.5 }, { 14.5, 14.5 }, { 1.5, 14.5 } }));
    p.NoPen();
    p.Fill(QColor(0xD9, 0xDE, 0xE6));
    p.painter.drawRect(QRectF(4.0, 2.0, 7.0, 4.5));
    p.Fill(kBlue.darker(150));
    p.painter.drawRect(QRectF(8.5, 2.8, 1.8, 3.0));
    p.Fill(kPaper);
    p.painter.drawRect(QRectF(3.5, 8.5, 9.0, 5.5));
    DrawTextLines(p, 5.0, 11.0, 10.5, 2);
    return p.Finish();
}

// "Imprimir": a printer with a sheet going in and a printed sheet coming out.
QImage DrawPrint(QString*)
{
    Picture p;
    p.Pen(kOutline);
    p.Fill(kPaper);
    p.painter.drawRect(QRectF(4.5, 0.5, 7.0, 6.0));
    p.Fill(QColor(0x8E, 0x98, 0xA6));
    p.painter.drawRoundedRect(QRectF(0.5, 5.5, 15.0, 6.0), 1.5, 1.5);
    p.NoPen();
    p.Fill(kGreen);
    p.painter.drawEllipse(QPointF(12.8, 7.8), 1.0, 1.0);
    p.Pen(kOutline);
    p.Fill(kPaper);
    p.painter.drawRect(QRectF(3.5, 9.5, 9.0, 6.0));
    DrawTextLines(p, 5.5, 10.5, 11.5, 2);
    return p.Finish();
}

// "Exportar Bitmap": a small landscape picture with an arrow leaving it.
QImage DrawExportBitmap(QString*)
{
    Picture p;
    p.Pen(kOutline);
    p.Fill(kLightBlue);
    p.painter.drawRect(QRectF(0.5, 4.5, 11.0, 10.0));
    p.NoPen();
    p.Fill(kYellow);
    p.painter.drawEllipse(QPointF(3.8, 7.6), 1.6, 1.6);
    p.Fill(kGreen);
    p.painter.drawPolygon(
        QPolygonF({ { 1.0, 14.0 }, { 5.0, 9.5 }, { 7.5, 12.0 }, { 9.0, 10.5 }, { 11.0, 12.5 }, { 11.0, 14.0 } }));
    p.Pen(kPaper, 4.0);
    p.painter.drawLine(QPointF(8.0, 8.0), QPointF(13.0, 3.0));
    DrawArrow(p, QPointF(7.5, 8.5), QPointF(15.5, 0.5), kOrange, 2.2, 4.5);
    return p.Finish();
}

// "Autor": the head and shoulders of a person.
QImage DrawAuthor(QString*)
{
    Picture p;
    p.Pen(kBlue.darker(140));
    p.Fill(kBlue);
    QPainterPath shoulders;
    shoulders.moveTo(1.5, 15.5);
    shoulders.cubicTo(1.5, 10.0, 4.5, 9.0, 8.0, 9.0);
    shoulders.cubicTo(11.5, 9.0, 14.5, 10.0, 14.5, 15.5);
    shoulders.closeSubpath();
    p.painter.drawPath(shoulders);
    p.Pen(QColor(0xB9, 0x7A, 0x48));
    p.Fill(QColor(0xF4, 0xC7, 0x9C));
    p.painter.drawEllipse(QPointF(8.0, 5.0), 3.6, 3.9);
    return p.Finish();
}

// "Salir": a door with an arrow going out of it.
QImage DrawExit(QString*)
{
    Picture p;
    p.Pen(kOutline);
    p.Fill(QColor(0xE8, 0xEB, 0xEF));
    p.painter.drawRect(QRectF(1.5, 0.5, 9.0, 15.0));
    p.Pen(kBrown.darker(130));
    p.Fill(kBrown);
    p.painter.drawPolygon(QPolygonF({ { 1.5, 0.5 }, { 7.5, 2.5 }, { 7.5, 15.5 }, { 1.5, 15.5 } }));
    p.NoPen();
    p.Fill(kYellow);
    p.painter.drawEllipse(QPointF(6.0, 9.0), 0.9, 0.9);
    DrawArrow(p, QPointF(8.5, 8.0), QPointF(16.0, 8.0), kRed, 2.4, 4.2);
    return p.Finish();
}

// "Buscador de palabras": a dictionary with a magnifying glass.
QImage DrawWordSearch(QString*)
{
    Picture p;
    p.Pen(kRed.darker(150));
    p.Fill(kRed);
    p.painter.drawRoundedRect(QRectF(0.5, 0.5, 10.0, 13.0), 1.0, 1.0);
    p.NoPen();
    p.Fill(kPaper);
    p.painter.drawRect(QRectF(1.5, 12.0, 9.0, 2.0));
    p.Fill(kYellow);
    p.painter.drawRect(QRectF(3.0, 2.5, 6.0, 2.0));
    DrawMagnifier(p, QPointF(9.8, 9.3), 3.4);
    return p.Finish();
}

// "Poner tílde ortográfica": the letter a with its accent in red.
QImage DrawAccent(QString*)
{
    Picture p;
    DrawLetters(p, QRectF(0, 2, 16, 14), QStringLiteral("a"), kOutline, 16);
    p.painter.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.painter.drawLine(QPointF(7.2, 4.6), QPointF(10.6, 1.2));
    return p.Finish();
}

// "Palabras que más repiten": a bar chart of word counts.
QImage DrawRepeatedWords(QString*)
{
    Picture p;
    const struct {
        qreal top;
        QColor colour;
    } bars[] = { { 2.5, kBlue }, { 6.5, kGreen }, { 10.5, kOrange } };
    qreal left = 1.5;
    for (const auto& bar : bars) {
        p.Pen(bar.colour.darker(140));
        p.Fill(bar.colour);
        p.painter.drawRect(QRectF(left, bar.top, 3.0, 14.5 - bar.top));
        left += 4.5;
    }
    p.Pen(kOutline);
    p.painter.drawLine(QPointF(0.5, 15.5), QPointF(15.5, 15.5));
    return p.Finish();
}

// "Colores Favoritos": a painter's palette.
QImage DrawFavouriteColours(QString*)
{
    Picture p;
    QPainterPath palette;
    palette.addEllipse(QRectF(0.5, 1.5, 15.0, 13.0));
    QPainterPath thumbHole;
    thumbHole.addEllipse(QPointF(10.8, 10.6), 1.7, 1.7);
    QPainterPath notch;
    notch.addEllipse(QPointF(15.0, 12.0), 3.0, 2.4);
    p.Pen(QColor(0xA0, 0x70, 0x38));
    p.Fill(QColor(0xF0, 0xD2, 0x9B));
    p.painter.drawPath(palette.subtracted(thumbHole).subtracted(notch));
    const struct {
        QPointF at;
        QColor colour;
    } dabs[]
        = { { { 4.3, 9.2 }, kRed }, { { 4.5, 5.0 }, kYellow }, { { 8.3, 3.8 }, kGreen }, { { 12.0, 6.0 }, kBlue } };
    p.NoPen();
    for (const auto& dab : dabs) {
        p.Fill(dab.colour);
        p.painter.drawEllipse(dab.at, 1.8, 1.8);
    }
    return p.Finish();
}

// "Formato Colores Documento": the plain colours back, black over white.
QImage DrawPlainColours(QString*)
{
    Picture p;
    p.Pen(kOutline);
    p.Fill(QColor(0x10, 0x10, 0x10));
    p.painter.drawRect(QRectF(0.5, 0.5, 9.0, 9.0));
    p.Fill(kPaper);
    p.painter.drawRect(QRectF(6.5, 6.5, 9.0, 9.0));
    return p.Finish();
}

// "Buscar": a magnifying glass.
QImage DrawSearch(QString*)
{
    Picture p;
    DrawMagnifier(p, QPointF(6.0, 6.0), 5.0);
    return p.Finish();
}

// "Recuperar Documento": two arrows turning round, the document drawn again.
QImage DrawRecover(QString*)
{
    Picture p;
    const QRectF ring(2.5, 2.5, 11.0, 11.0);
    p.painter.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.NoFill();
    p.painter.drawArc(ring, 100 * 16, 125 * 16);
    p.painter.drawArc(ring, 280 * 16, 125 * 16);
    p.NoPen();
    p.Fill(kGreen);
    // The heads sit at the ends of the arcs, pointing along the turn.
    p.painter.drawPolygon(QPolygonF({ { 11.0, 0.3 }, { 11.0, 7.0 }, { 15.6, 3.6 } }).translated(-3.0, -0.2));
    p.painter.drawPolygon(QPolygonF({ { 5.0, 15.7 }, { 5.0, 9.0 }, { 0.4, 12.4 } }).translated(3.0, 0.2));
    return p.Finish();
}

// "Reemplazar": the letter A turned into the letter B.
QImage DrawReplace(QString*)
{
    Picture p;
    DrawLetters(p, QRectF(-1, -1, 9, 10), QStringLiteral("A"), kBlue, 10);
    DrawLetters(p, QRectF(8, 6, 9, 10), QStringLiteral("B"), kRed, 10);
    p.painter.setPen(QPen(kGreen, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.NoFill();
    QPainterPath bend;
    bend.moveTo(3.5, 9.5);
    bend.quadTo(3.5, 12.8, 6.0, 12.8);
    p.painter.drawPath(bend);
    p.NoPen();
    p.Fill(kGreen);
    p.painter.drawPolygon(QPolygonF({ { 9.0, 12.8 }, { 5.6, 10.2 }, { 5.6, 15.4 } }));
    return p.Finish();
}

// "Re-Editar": a pencil writing on a sheet.
QImage DrawReEdit(QString*)
{
    Picture p;
    DrawPage(p, 0.5, 0.5, 10.5, 14.5, 3.0);
    DrawTextLines(p, 2.5, 8.5, 4.5, 4);
    p.painter.save();
    p.painter.translate(9.0, 13.0);
    p.painter.rotate(-45.0);
    // Pencil along the x axis from its point at the origin.
    p.Pen(kOutline, 0.8);
    p.Fill(kYellow);
    p.painter.drawRect(QRectF(3.0, -1.8, 8.0, 3.6));
    p.Fill(QColor(0xF2, 0x9C, 0xB0));
    p.painter.drawRect(QRectF(11.0, -1.8, 2.2, 3.6));
    p.Fill(QColor(0xF3, 0xDF, 0xBF));
    p.painter.drawPolygon(QPolygonF({ { 0.0, 0.0 }, { 3.0, -1.8 }, { 3.0, 1.8 } }));
    p.NoPen();
    p.Fill(kOutline);
    p.painter.drawPolygon(QPolygonF({ { 0.0, 0.0 }, { 1.1, -0.7 }, { 1.1, 0.7 } }));
    p.painter.restore();
    return p.Finish();
}

// "Seleccionar Fuente": a large and a small letter of a serif face.
QImage DrawChooseFont(QString*)
{
    Picture p;
    DrawLetters(p, QRectF(-1, 0, 11, 15), QStringLiteral("A"), kOutline, 14, "DejaVu Serif");
    DrawLetters(p, QRectF(8, 4, 8, 11), QStringLiteral("a"), kBlue, 10, "DejaVu Serif");
    return p.Finish();
}

// "Insertar Emoticonos": a smiling face from the emoji font.
QImage DrawInsertEmoticon(QString* error)
{
    const QImage face = DrawEmojiFitted(U"\U0001F642", kMenuPictureSize, kMenuPictureSize, error);
    return face.isNull() ? QImage() : face.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

const std::vector<MenuPicture>& MenuPictures()
{
    static const std::vector<MenuPicture> pictures = {
        { 301, "Nuevo", DrawNew },
        { 302, "Leer texto", DrawReadText },
        { 317, "Leer Documento", DrawOpen },
        { 316, "Grabar Documento", DrawSave },
        { 303, "Imprimir", DrawPrint },
        { 311, "Exportar Bitmap", DrawExportBitmap },
        { 304, "Autor", DrawAuthor },
        { 305, "Salir", DrawExit },
        { 315, "Buscador de palabras", DrawWordSearch },
        { 318, "Poner tilde ortografica", DrawAccent },
        { 319, "Palabras que mas repiten", DrawRepeatedWords },
        { 333, "Colores Favoritos", DrawFavouriteColours },
        { 309, "Formato Colores Documento", DrawPlainColours },
        { 306, "Buscar", DrawSearch },
        { 307, "Recuperar Documento", DrawRecover },
        { 310, "Reemplazar", DrawReplace },
        { 312, "Re-Editar", DrawReEdit },
        { 313, "Seleccionar Fuente", DrawChooseFont },
        { 314, "Insertar Emoticonos", DrawInsertEmoticon },
    };
    return pictures;
}

} // namespace quirel::resourcegen
