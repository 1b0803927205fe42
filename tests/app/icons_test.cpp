// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutPictures.h"
#include "app/ArtDrawing.h"
#include "app/Icons.h"

#include <QDir>
#include <QFile>
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

// Distinct colours, so a picture that failed to load (one flat fill) shows.
int colourCount(const QImage &img)
{
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) colours.insert(img.pixel(x, y));
    return int(colours.size());
}
}   // namespace

TEST(Icons, EveryActionHasItsOwnVisibleIcon)
{
    QSet<QByteArray> seen;
    QSet<QString> names;
    int withArt = 0;
    for (int i = 0; i < commandCount; ++i) {
        const Command id = Command(i);
        if (!hasIcon(id)) continue;
        ++withArt;
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
    // Art belongs to the commands on a tool bar, and each of them has it.
    int onToolBars = 0;
    for (ToolBarId bar : toolBarIds)
        for (const ToolBarEntry &entry : toolBarLayout(bar)) {
            if (entry.separator) continue;
            ++onToolBars;
            EXPECT_TRUE(hasIcon(entry.command)) << buttonObjectName(entry.command);
        }
    EXPECT_EQ(withArt, onToolBars);
    EXPECT_EQ(names.size(), withArt);
}

TEST(Icons, ScaleWithoutLosingTheirShapeAndAreCached)
{
    const QImage big = iconPixmap(Command::Run, 64).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(big.size(), QSize(64, 64));
    EXPECT_GT(opaquePixels(big), 16 * 20);
    EXPECT_EQ(icon(Command::Run).cacheKey(), icon(Command::Run).cacheKey());
    EXPECT_FALSE(icon(Command::Run).pixmap(32, 32).isNull());
    EXPECT_TRUE(icon(Command::Exit).isNull());
    EXPECT_STREQ(iconName(Command::Exit), "");
}

TEST(AboutPictures, EveryPictureIsDrawnAtItsSize)
{
    const QImage program = AboutPictures::program(96).toImage();
    EXPECT_EQ(program.size(), QSize(96, 96));
    EXPECT_GT(colourCount(program), 20);
    EXPECT_GT(colourCount(AboutPictures::envelope(32).toImage()), 4);
    EXPECT_GT(colourCount(AboutPictures::lifebuoy(32).toImage()), 4);
    QSet<QByteArray> seen;
    for (int i = 0; i < AboutPictures::photoCount; ++i) {
        const QImage photo =
            AboutPictures::photo(i, 331, 186).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(photo.size(), QSize(331, 186));
        EXPECT_GT(colourCount(photo), 50) << "photo " << i;
        seen.insert(QByteArray(reinterpret_cast<const char *>(photo.constBits()), photo.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), AboutPictures::photoCount);
}

// The art is read only when first drawn; what is drawn must be what the toolkit's own SVG
// engine draws, in every mode a button or item shows, or the tool bars change their look.
TEST(Icons, DrawnAsTheToolkitDrawsTheSameArt)
{
    initResources();
    const auto bytes = [](const QPixmap &pm) {
        const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        return QByteArray(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes());
    };
    for (int i = 0; i < commandCount; ++i) {
        const Command id = Command(i);
        if (!hasIcon(id)) continue;
        SCOPED_TRACE(iconName(id));
        const QIcon own(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(iconName(id))));
        const QIcon toolkits =
            commandRow(id).themeIcon ? QIcon::fromTheme(QLatin1String(commandRow(id).themeIcon), own) : own;
        for (int size : {16, 24}) {
            EXPECT_EQ(bytes(iconPixmap(id, size)), bytes(own.pixmap(size, size))) << size;
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Selected}) {
                const QPixmap drawn = icon(id).pixmap(size, size, mode);
                EXPECT_EQ(drawn.size(), QSize(size, size)) << size << mode;
                EXPECT_EQ(bytes(drawn), bytes(toolkits.pixmap(size, size, mode))) << size << mode;
            }
        }
        // Drawn once per size and mode, then the same picture.
        EXPECT_EQ(icon(id).pixmap(16, 16).cacheKey(), icon(id).pixmap(16, 16).cacheKey());
    }
    const QPixmap app = applicationIcon().pixmap(32, 32);
    EXPECT_EQ(bytes(app), bytes(QIcon(QStringLiteral(":/app/trakmil.svg")).pixmap(32, 32)));
    EXPECT_GT(opaquePixels(app.toImage()), 32 * 4);

    // The pictures the build drew for the start are the ones the art draws now: a tool bar
    // looks the same whether its picture was stored or drawn.
    const QStringList stored = QDir(QStringLiteral(":/drawn")).entryList(QDir::Files);
    int icons = 0;
    for (int i = 0; i < commandCount; ++i) {
        if (!hasIcon(Command(i))) continue;
        ++icons;
        EXPECT_TRUE(stored.contains(QStringLiteral("%1-16.argb").arg(QLatin1String(iconName(Command(i))))))
            << iconName(Command(i));
    }
    EXPECT_EQ(stored.size(), icons + 4);
    for (const QString &name : stored) {
        SCOPED_TRACE(name.toStdString());
        const QString art = name.section(QLatin1Char('-'), 0, -2);
        const int size = name.section(QLatin1Char('-'), -1).section(QLatin1Char('.'), 0, 0).toInt();
        const QString svg = (art == QLatin1String("trakmil") ? QStringLiteral(":/app/%1.svg")
                                                             : QStringLiteral(":/icons/%1.svg"))
                                .arg(art);
        ASSERT_EQ(drawnArtPath(svg, size), QStringLiteral(":/drawn/") + name);
        QFile file(QStringLiteral(":/drawn/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        const QImage picture = readStoredArt(reinterpret_cast<const uchar *>(data.constData()), data.size());
        const QImage drawn = drawArt(svg, QSize(size, size));
        ASSERT_FALSE(drawn.isNull());
        EXPECT_EQ(picture, drawn);
        EXPECT_EQ(storedArt(drawn), data);
        // A cut short or padded file is not a picture.
        EXPECT_TRUE(
            readStoredArt(reinterpret_cast<const uchar *>(data.constData()), data.size() - 1).isNull());
    }
    const QPixmap appLarge = applicationIcon().pixmap(128, 128);
    EXPECT_EQ(bytes(appLarge), bytes(QIcon(QStringLiteral(":/app/trakmil.svg")).pixmap(128, 128)));
}

// An editor's export puts font attributes on every shape; the toolkit resolves a font for each
// as it reads the file, many times the cost of the shapes. Only art that writes text keeps them.
TEST(Icons, ArtWithoutTextNamesNoFont)
{
    initResources();
    QStringList files {QStringLiteral(":/app/trakmil.svg")};
    for (int i = 0; i < commandCount; ++i)
        if (hasIcon(Command(i)))
            files << QStringLiteral(":/icons/%1.svg").arg(QLatin1String(iconName(Command(i))));
    for (const QString &about : QDir(QStringLiteral(":/about")).entryList({QStringLiteral("*.svg")}))
        files << QStringLiteral(":/about/") + about;
    EXPECT_GT(files.size(), 20);
    for (const QString &path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray svg = file.readAll();
        if (!svg.contains("<text")) {
            EXPECT_FALSE(svg.contains("font-")) << path.toStdString();
        }
    }
}
