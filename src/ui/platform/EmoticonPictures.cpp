#include "platform/EmoticonPictures.h"

#include <QString>

namespace quirel {

namespace {

constexpr QRgb kMagenta = 0xFFFF00FFu;

bool IsTransparent(QRgb pixel)
{
    return qAlpha(pixel) < 128 || (pixel | 0xFF000000u) == kMagenta;
}

} // namespace

QSize EmoticonPictures::DrawnSize(int number)
{
    return (number == 9 || number == 22) ? QSize(20, 12) : QSize(20, 20);
}

std::shared_ptr<const EmoticonPictures::Picture> EmoticonPictures::Get(int number)
{
    if (number < 1 || number > kEmoticonCount) return nullptr;
    const auto index = static_cast<std::size_t>(number);
    if (!m_tried[index]) {
        m_tried[index] = true;
        const QImage image(QStringLiteral(":/emoticons/%1.png").arg(number));
        if (!image.isNull()) m_pictures[index] = std::make_shared<const Picture>(Prepare(number, image));
    }
    return m_pictures[index];
}

void EmoticonPictures::Set(int number, const QImage& image)
{
    if (number < 1 || number > kEmoticonCount) return;
    const auto index = static_cast<std::size_t>(number);
    m_tried[index] = true;
    if (image.isNull())
        m_pictures[index].reset();
    else
        m_pictures[index] = std::make_shared<const Picture>(Prepare(number, image));
}

EmoticonPictures::Picture EmoticonPictures::Prepare(int number, const QImage& image)
{
    const QSize size = DrawnSize(number);
    // Nearest-pixel scaling keeps magenta exact: blending would tint the edges pink.
    QImage scaled = image.size() == size ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    scaled = scaled.convertToFormat(QImage::Format_ARGB32);

    Picture picture;
    picture.width = size.width();
    picture.height = size.height();
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
        int x = 0;
        while (x < picture.width) {
            if (IsTransparent(row[x])) {
                ++x;
                continue;
            }
            Picture::Run run;
            run.x = static_cast<std::int16_t>(x);
            run.y = static_cast<std::int16_t>(y);
            run.start = static_cast<std::uint32_t>(picture.pixels.size());
            while (x < picture.width && !IsTransparent(row[x]))
                picture.pixels.push_back(row[x++] | 0xFF000000u);
            run.length = static_cast<std::int16_t>(x - run.x);
            picture.runs.push_back(run);
        }
    }
    return picture;
}

} // namespace quirel
