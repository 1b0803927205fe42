// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "base/SafeFile.h"
#include "world/FieldVectors.h"
#include "world/RobotWorld.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The field picture: frame, cell outlines, node numbers and the trace, drawn into
// a 358 x 438 image whose white pixels are meant to be see-through when shown. It draws
// the world's picture half itself and hands the sprite and arrow calls on to whoever
// shows them (the field widget). It feeds every call to its vector record too, which the
// SVG file and the printed sheet draw from.
class FieldPicture : public WorldCanvas {
public:
    static constexpr int Width = 358, Height = 438;
    static constexpr QRgb White = 0xFFFFFFFFu;   // the see-through colour, as stored

    FieldPicture();

    // Node (x, y) lies on this pixel.
    static QPoint nodePixel(int x, int y) { return QPoint(20 * x + 19, 20 * y + 19); }

    const QImage &image() const { return m_image; }
    // The same drawing as vectors: field size, trace and robot.
    const FieldVectors &vectors() const { return m_vectors; }
    // Puts back a picture taken earlier with image() and the trace it shows, taken with
    // vectors().segments(), e.g. a run's at its start or at some tick.
    void restore(const QImage &image, const QList<FieldVectors::Segment> &trace);

    // What the picture is made of, for the vector export to draw the same. The outlines
    // are the pixels they cover: the frame first, then the cells row by row.
    static QFont numberFont();
    struct NodeNumber {
        QString text;
        QPoint topLeft;   // of its text box
    };
    static QList<QRect> outlines(int fieldWidth, int fieldHeight);
    static QList<NodeNumber> nodeNumbers(int fieldWidth, int fieldHeight);
    // Receives showSprite/showArrow/moveSprite/setSpriteVisible; may be null.
    void setSpriteCanvas(WorldCanvas *sprites) { m_sprites = sprites; }
    // Told the rectangle of every change to the picture, so a view repaints only that.
    void setChangeCallback(std::function<void(const QRect &)> changed) { m_changed = std::move(changed); }

    // WorldCanvas
    void drawEmptyField(int fieldWidth, int fieldHeight) override;
    void setPen(QRgb colour, int width) override;
    void drawSegment(int x0, int y0, int x1, int y1) override;
    void showSprite(int heading, bool wipe) override;
    void showArrow(int heading) override;
    void moveSprite(int x, int y) override;
    void setSpriteVisible(bool visible) override;

    // Writes the 358 x 438 picture in the format the file's suffix names (BMP without one;
    // .svg as a vector drawing of the same, with the robot when shown).
    // On failure the file is as it was and the reason, without the path, goes to *error.
    // A read-only file is replaced only where the options say the user agreed.
    bool exportPicture(const QString &path, QString *error, Language lang = Language::Eng,
                       WriteOptions options = {}) const;
    // The image format for a file name: its suffix when Qt has a writer for it that keeps
    // every pixel and colour, or "svg", our own vector drawing; "bmp" without a suffix,
    // empty otherwise.
    static QByteArray pictureFormat(const QString &path);
    // Those suffixes, as ".bmp, .png, ..." for messages.
    static QStringList losslessSuffixes();
    static QString losslessSuffixList();

private:
    // The pixels one segment covers, as row runs [x0, x1).
    struct Run {
        int y, x0, x1;
    };
    // A segment's pixels.
    struct Learnt {
        std::vector<Run> runs;
    };
    void changed(const QRect &r);
    void paintSegment(QImage &image, QRgb colour, QPoint a, QPoint b) const;
    Learnt *learntSegment(int x0, int y0, int x1, int y1);

    QImage m_image;
    // A run draws the same few segments over and over: each one is painted once onto a
    // scratch image to learn which pixels it covers, then filled straight in. What it learns
    // outlives a clearing.
    QImage m_scratch;
    QHash<quint64, Learnt> m_runs;
    FieldVectors m_vectors;
    QRgb m_penColour = 0xFF000000u;
    int m_penWidth = 1;
    WorldCanvas *m_sprites = nullptr;
    std::function<void(const QRect &)> m_changed;
};
