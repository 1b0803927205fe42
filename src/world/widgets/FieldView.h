// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "world/FieldPicture.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class DirectionBevel;

// The robot sprite: a 42 x 42 picture with a transparent background. It swallows
// every click so that nothing under it reacts.
class RobotSprite : public QWidget {
    Q_OBJECT
public:
    explicit RobotSprite(QWidget *parent = nullptr);
    void setPicture(int index);   // RobotBox picture, 0..8
    int picture() const { return m_index; }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    int m_index = 0;
};

// The heading arrow `Direction` (15 x 14) inside its lowered frame (22 x 18).
class DirectionBevel : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 22, Height = 18;
    explicit DirectionBevel(QWidget *parent = nullptr);
    void setHeading(int heading);
    int heading() const { return m_heading; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_heading = 0;
};

// The field area (358 x 438): the background texture with the field picture
// over it, white being see-through, plus the robot sprite. The sprite sits partly outside
// the area (1 px left, 3 px up), so it is a sibling widget on the field's parent, stacked
// above the field; it follows the field when the field moves or changes parent.
//
// Give the world `canvas()`: drawing goes into the picture and repaints only what changed;
// the sprite and arrow calls land here.
class FieldView : public QWidget {
    Q_OBJECT
public:
    explicit FieldView(QWidget *parent = nullptr);
    ~FieldView() override;

    WorldCanvas *canvas() { return &m_picture; }
    FieldPicture &picture() { return m_picture; }
    const FieldPicture &picture() const { return m_picture; }

    // Where the heading arrow goes; may be null.
    void setDirectionWidget(DirectionBevel *direction);
    RobotSprite *sprite() const { return m_sprite; }
    // Puts the sprite above its siblings again (after creating widgets that overlap it).
    void raiseSprite();

    // The sprite half of the world's canvas.
    void showSprite(int heading, bool wipe);
    void showArrow(int heading);
    void moveSprite(int x, int y);
    void setSpriteVisible(bool visible);

    // While held, the picture's changes and the sprite's moves are gathered instead of
    // shown; showHeld() puts the latest state on screen. Releasing the hold shows it too.
    void setHoldUpdates(bool hold);
    bool holdsUpdates() const { return m_hold; }
    void showHeld();

    // What is on screen at a field pixel, sprite excluded: the picture, or the background
    // (under the goal's ghost, when one is shown) where the picture is white; marks on top.
    QRgb shownPixel(int x, int y) const;

    // A task's goal shown faintly where the picture is white, and difference marks shown over
    // everything: pictures of the field's size, transparent where they show nothing (a null
    // image shows nothing). Neither is part of the field picture, so no export holds them.
    void setGhost(const QImage &ghost);
    void setMarks(const QImage &marks);
    bool showsGhost() const { return !m_ghost.isNull(); }
    bool showsMarks() const { return !m_marks.isNull(); }
    // The segments of one program line, marked over everything like the marks, a layer of
    // its own so that neither hides the other's changes.
    void setLineMarks(const QImage &marks);
    bool showsLineMarks() const { return !m_lineMarks.isNull(); }

signals:
    void doubleClicked();   // the main window decides (executing?)
    void clicked(const QPoint &pixel);   // a left click, at a field pixel
    void nodeKeyPressed();   // Enter or Space on the focused field: the robot's node asked about
    void contextMenuRequested(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    bool event(QEvent *e) override;

private:
    class SpriteSink;
    void pictureChanged(const QRect &r);
    void compose(const QRect &r) const;
    void composeUnshown() const;
    void placeSprite();
    void ensureSprite();

    FieldPicture m_picture;
    SpriteSink *m_sink;
    mutable QImage m_composite;   // background + ghost + picture, as shown
    // Until the first paint the changes are only gathered: the window's start changes the
    // whole field more than once before anything is seen.
    mutable QRect m_unshown;
    bool m_painted = false;
    QImage m_ghost, m_marks, m_lineMarks;   // premultiplied ARGB, or null
    QPointer<RobotSprite> m_sprite;
    QPointer<DirectionBevel> m_direction;
    int m_nodeX = 0, m_nodeY = 0;
    bool m_spriteVisible = true;
    bool m_hold = false;
    QRect m_heldRect;   // picture changes not yet composed
    bool m_spriteHeld = false;   // sprite place, picture or visibility not yet shown
    int m_heldPicture = -1, m_heldArrow = -1;
};
