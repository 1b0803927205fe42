#include "app/Icons.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {
int opaquePixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) > 64;
    return n;
}
}

TEST(Icons, EveryActionHasItsOwnVisibleIcon)
{
    QSet<QByteArray> seen;
    QSet<QString> names;
    for (int i = 0; i < iconCount; ++i) {
        const IconId id = IconId(i);
        SCOPED_TRACE(iconName(id));
        const QImage img = iconPixmap(id, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(img.size(), QSize(16, 16));
        // drawn, and not a filled square either
        const int opaque = opaquePixels(img);
        EXPECT_GT(opaque, 20);
        EXPECT_LT(opaque, 256);
        const QByteArray bytes(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << "same picture as another icon";
        seen.insert(bytes);
        names.insert(QString::fromLatin1(iconName(id)));
    }
    EXPECT_EQ(names.size(), iconCount);
}

TEST(Icons, CachedIconOffersBothSizes)
{
    const QIcon a = icon(IconId::Run);
    EXPECT_EQ(a.cacheKey(), icon(IconId::Run).cacheKey());
    EXPECT_EQ(a.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    EXPECT_TRUE(icon(IconId::Count_).isNull());
}
