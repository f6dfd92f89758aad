#include "layout/EmoticonNames.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

TEST(Resources, PicturesHaveTheirSizes)
{
    for (int n = 1; n <= quirel::kEmoticonCount; ++n) {
        const QImage picture(QStringLiteral(":/emoticons/%1.png").arg(n));
        ASSERT_FALSE(picture.isNull()) << n;
        const int height = (n == 9 || n == 22) ? 12 : 20;
        EXPECT_EQ(picture.size(), QSize(20, height)) << n;
        EXPECT_FALSE(picture.hasAlphaChannel()) << n;
    }
    for (int n : { 301, 302, 303, 304, 305, 306, 307, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 333 }) {
        const QImage picture(QStringLiteral(":/menu/%1.png").arg(n));
        EXPECT_EQ(picture.size(), QSize(16, 16)) << n;
    }
    EXPECT_EQ(QImage(QStringLiteral(":/icon/quirel-32.png")).size(), QSize(32, 32));
    EXPECT_EQ(QImage(QStringLiteral(":/icon/quirel-256.png")).size(), QSize(256, 256));
}
