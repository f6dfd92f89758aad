#include "ContactSheet.h"

#include "EmoticonPictures.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace quirel::resourcegen {

namespace {

constexpr int kZoom = 3;
constexpr int kCell = 72;
constexpr int kColumns = 16;
constexpr int kMargin = 16;
constexpr int kNamedEmoticons = 26;

// The emoticon with its key colour made transparent, enlarged pixel for pixel.
QImage Transparent(const QImage& emoticon)
{
    QImage image = emoticon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == kEmoticonKey) line[x] = 0;
        }
    }
    return image.scaled(image.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void Label(QPainter& painter, const QRect& box, const QString& text)
{
    painter.setPen(QColor(0x55, 0x55, 0x55));
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, text);
}

int DrawEmoticonGrid(QPainter& painter, const std::vector<QImage>& emoticons, int count, int top, const QColor& ground)
{
    const int rows = (count + kColumns - 1) / kColumns;
    painter.fillRect(QRect(kMargin, top, kColumns * kCell, rows * kCell), ground);
    for (int i = 0; i < count; ++i) {
        const QRect cell(kMargin + (i % kColumns) * kCell, top + (i / kColumns) * kCell, kCell, kCell);
        const QImage big = Transparent(emoticons[static_cast<std::size_t>(i)]);
        painter.drawImage(cell.x() + (kCell - big.width()) / 2, cell.y() + 4, big);
        Label(painter, cell.adjusted(0, 0, 0, -2), QString::number(i + 1));
    }
    return top + rows * kCell + kMargin;
}

} // namespace

QImage DrawContactSheet(const SheetContents& contents)
{
    const int count = static_cast<int>(contents.emoticons.size());
    const int named = std::min(count, kNamedEmoticons);
    const int width = 2 * kMargin + kColumns * kCell;
    const int height = 2 * kMargin + ((count + kColumns - 1) / kColumns) * kCell
        + ((named + kColumns - 1) / kColumns) * kCell + 2 * kCell + contents.largeIcon.height() + 3 * kMargin;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);

    int top = DrawEmoticonGrid(painter, contents.emoticons, count, kMargin, Qt::white);
    top = DrawEmoticonGrid(painter, contents.emoticons, named, top, QColor(0x1E, 0x2A, 0x44));

    painter.fillRect(QRect(kMargin, top, kColumns * kCell, 2 * kCell), QColor(0xF0, 0xF0, 0xF0));
    constexpr int kMenuColumns = kColumns * 2 / 3;
    constexpr int kMenuCell = kColumns * kCell / kMenuColumns;
    for (std::size_t i = 0; i < contents.menuPictures.size(); ++i) {
        const auto& [number, picture] = contents.menuPictures[i];
        const int column = static_cast<int>(i) % kMenuColumns;
        const int row = static_cast<int>(i) / kMenuColumns;
        const QRect cell(kMargin + column * kMenuCell, top + row * kCell, kMenuCell, kCell);
        const QImage big = picture.scaled(picture.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        painter.drawImage(cell.x() + 6, cell.y() + 6, big);
        painter.drawImage(cell.x() + 6 + big.width() + 4, cell.y() + 6, picture);
        Label(painter, cell.adjusted(0, 0, 0, -2), QString::number(number));
    }
    top += 2 * kCell + kMargin;

    painter.drawImage(kMargin, top, contents.largeIcon);
    painter.drawImage(kMargin + contents.largeIcon.width() + kMargin, top, contents.smallIcon);
    const QImage smallZoomed
        = contents.smallIcon.scaled(contents.smallIcon.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    painter.drawImage(
        kMargin + contents.largeIcon.width() + 3 * kMargin + contents.smallIcon.width(), top, smallZoomed);
    return sheet;
}

} // namespace quirel::resourcegen
