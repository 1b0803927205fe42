// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/widgets/FieldView.h"

#include "world/WorldImages.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

// ---- RobotSprite ---------------------------------------------------------------------

RobotSprite::RobotSprite(QWidget *parent) : QWidget(parent)
{
    setFixedSize(WorldImages::SpriteSize, WorldImages::SpriteSize);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
}

void RobotSprite::setPicture(int index)
{
    if (index == m_index) return;
    m_index = index;
    update();
}

void RobotSprite::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, WorldImages::robotPicture(m_index));
}

void RobotSprite::mousePressEvent(QMouseEvent *e) { e->accept(); }
void RobotSprite::mouseReleaseEvent(QMouseEvent *e) { e->accept(); }
void RobotSprite::mouseDoubleClickEvent(QMouseEvent *e) { e->accept(); }
void RobotSprite::mouseMoveEvent(QMouseEvent *e) { e->accept(); }
void RobotSprite::contextMenuEvent(QContextMenuEvent *e) { e->accept(); }

// ---- DirectionBevel ------------------------------------------------------------------

DirectionBevel::DirectionBevel(QWidget *parent) : QWidget(parent) { setFixedSize(Width, Height); }

void DirectionBevel::setHeading(int heading)
{
    heading &= 7;
    if (heading == m_heading) return;
    m_heading = heading;
    update(QRect(3, 2, WorldImages::ArrowWidth, WorldImages::ArrowHeight));
}

void DirectionBevel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // A lowered box: shadow on the top and left, light on the bottom and right.
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    p.setPen(shadow);
    p.drawLine(0, 0, Width - 1, 0);
    p.drawLine(0, 0, 0, Height - 1);
    p.setPen(light);
    p.drawLine(1, Height - 1, Width - 1, Height - 1);
    p.drawLine(Width - 1, 1, Width - 1, Height - 1);
    p.drawImage(3, 2, WorldImages::arrowPicture(m_heading));
}

// ---- FieldView -----------------------------------------------------------------------

class FieldView::SpriteSink : public WorldCanvas {
public:
    explicit SpriteSink(FieldView *view) : m_view(view) { }
    void drawEmptyField(int, int) override { }
    void setPen(QRgb, int) override { }
    void drawSegment(int, int, int, int) override { }
    void showSprite(int heading, bool wipe) override { m_view->showSprite(heading, wipe); }
    void showArrow(int heading) override { m_view->showArrow(heading); }
    void moveSprite(int x, int y) override { m_view->moveSprite(x, y); }
    void setSpriteVisible(bool visible) override { m_view->setSpriteVisible(visible); }

private:
    FieldView *m_view;
};

FieldView::FieldView(QWidget *parent)
      : QWidget(parent), m_sink(new SpriteSink(this)),
        m_composite(FieldPicture::Width, FieldPicture::Height, QImage::Format_RGB32)
{
    setFixedSize(FieldPicture::Width, FieldPicture::Height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture.setSpriteCanvas(m_sink);
    m_picture.setChangeCallback([this](const QRect &r) { pictureChanged(r); });
    pictureChanged(rect());
    ensureSprite();
}

FieldView::~FieldView()
{
    m_picture.setSpriteCanvas(nullptr);
    m_picture.setChangeCallback(nullptr);
    // The sprite may live on our parent; it must not outlive the field.
    if (m_sprite && m_sprite->parentWidget() != this) delete m_sprite.data();
    delete m_sink;
}

void FieldView::setHoldUpdates(bool hold)
{
    if (hold == m_hold) return;
    m_hold = hold;
    if (!hold) showHeld();
}

void FieldView::showHeld()
{
    const bool hold = m_hold;
    m_hold = false;
    if (!m_heldRect.isEmpty()) pictureChanged(std::exchange(m_heldRect, QRect()));
    if (m_heldPicture >= 0) showSprite(std::exchange(m_heldPicture, -1), false);
    if (m_heldArrow >= 0) showArrow(std::exchange(m_heldArrow, -1));
    if (std::exchange(m_spriteHeld, false)) {
        placeSprite();
        if (m_sprite) m_sprite->setVisible(m_spriteVisible);
    }
    m_hold = hold;
}

void FieldView::pictureChanged(const QRect &changed)
{
    const QRect r = changed & rect();
    if (r.isEmpty()) return;
    if (m_hold) {
        m_heldRect |= r;
        return;
    }
    if (m_painted)
        compose(r);
    else
        m_unshown |= r;
    update(r);
}

void FieldView::composeUnshown() const
{
    if (!m_unshown.isEmpty()) compose(std::exchange(m_unshown, QRect()));
}

void FieldView::compose(const QRect &r) const
{
    const QImage &pic = m_picture.image();
    const QImage &fon = WorldImages::background();
    // The background has a colour for every index a byte holds.
    const QList<QRgb> colourTable = fon.colorTable();
    const QRgb *shades = colourTable.constData();
    const int fonWidth = fon.width(), fonHeight = fon.height();
    // Every pixel of the field is composed when it is first painted: the loops below are kept
    // tight, the size checks made once a row rather than once a pixel.
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(pic.constScanLine(y));
        QRgb *dst = reinterpret_cast<QRgb *>(m_composite.scanLine(y));
        const auto seeThrough = [src](int x) { return (src[x] | 0xFF000000u) == FieldPicture::White; };
        // The background lies under the pixels left of `shown`; white shows right of it.
        const int shown = y < fonHeight ? std::clamp(fonWidth, r.left(), r.right() + 1) : r.left();
        if (shown > r.left()) {
            const uchar *under = fon.constScanLine(y);
            for (int x = r.left(); x < shown; ++x) dst[x] = seeThrough(x) ? shades[under[x]] : src[x];
        }
        for (int x = shown; x <= r.right(); ++x) dst[x] = seeThrough(x) ? FieldPicture::White : src[x];
        if (m_ghost.isNull()) continue;
        const QRgb *ghost = reinterpret_cast<const QRgb *>(m_ghost.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            if (!seeThrough(x) || qAlpha(ghost[x]) == 0) continue;
            // Premultiplied "over": the ghost, then what shows through it.
            const int keep = 255 - qAlpha(ghost[x]);
            const auto over = [&](int g, int b) { return g + (b * keep + 127) / 255; };
            dst[x] = qRgb(over(qRed(ghost[x]), qRed(dst[x])), over(qGreen(ghost[x]), qGreen(dst[x])),
                          over(qBlue(ghost[x]), qBlue(dst[x])));
        }
    }
}

QRgb FieldView::shownPixel(int x, int y) const
{
    composeUnshown();
    const QRgb under = m_composite.pixel(x, y);
    if (m_marks.isNull()) return under;
    const QRgb mark = m_marks.pixel(x, y);   // unpremultiplied by pixel()
    const int a = qAlpha(mark);
    const auto over = [a](int m, int b) { return (m * a + b * (255 - a) + 127) / 255; };
    return qRgb(over(qRed(mark), qRed(under)), over(qGreen(mark), qGreen(under)),
                over(qBlue(mark), qBlue(under)));
}

void FieldView::setGhost(const QImage &ghost)
{
    m_ghost = ghost.isNull() ? QImage() : ghost.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pictureChanged(rect());
}

void FieldView::setMarks(const QImage &marks)
{
    if (m_marks.isNull() && marks.isNull()) return;
    m_marks = marks.isNull() ? QImage() : marks.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    update();
}

void FieldView::setLineMarks(const QImage &marks)
{
    if (m_lineMarks.isNull() && marks.isNull()) return;
    m_lineMarks = marks.isNull() ? QImage() : marks.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    update();
}

void FieldView::paintEvent(QPaintEvent *e)
{
    m_painted = true;
    composeUnshown();
    QPainter p(this);
    const QRect r = e->rect();
    p.drawImage(r.topLeft(), m_composite, r);
    if (!m_marks.isNull()) p.drawImage(r.topLeft(), m_marks, r);
    if (!m_lineMarks.isNull()) p.drawImage(r.topLeft(), m_lineMarks, r);
    // Where the keyboard is, when it is on the field (a focus change repaints the widget).
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void FieldView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) emit doubleClicked();
    e->accept();
}

// Both act on release: a tooltip shown while the button or key is still down would be hidden
// by its release at once.
void FieldView::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked(e->position().toPoint());
    QWidget::mouseReleaseEvent(e);
}

static bool isNodeKey(const QKeyEvent *e)
{
    const int key = e->key();
    return (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space);
}

void FieldView::keyPressEvent(QKeyEvent *e)
{
    if (isNodeKey(e))
        e->accept();
    else
        QWidget::keyPressEvent(e);
}

void FieldView::keyReleaseEvent(QKeyEvent *e)
{
    if (!isNodeKey(e)) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    e->accept();
    if (!e->isAutoRepeat()) emit nodeKeyPressed();
}

void FieldView::contextMenuEvent(QContextMenuEvent *e)
{
    emit contextMenuRequested(e->globalPos());
    e->accept();
}

void FieldView::ensureSprite()
{
    QWidget *host = parentWidget() ? parentWidget() : this;
    if (!m_sprite) {
        m_sprite = new RobotSprite(host);
    } else if (m_sprite->parentWidget() != host) {
        m_sprite->setParent(host);
    }
    placeSprite();
    m_sprite->setVisible(m_spriteVisible);
    m_sprite->raise();
}

void FieldView::placeSprite()
{
    if (!m_sprite) return;
    // Top-left 1 px left of and 3 px above the field corner, 20 px per node.
    const QPoint corner = m_sprite->parentWidget() == this ? QPoint(0, 0) : pos();
    m_sprite->move(corner + QPoint(-1 + 20 * m_nodeX, -3 + 20 * m_nodeY));
}

void FieldView::raiseSprite()
{
    if (m_sprite) m_sprite->raise();
}

void FieldView::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    placeSprite();
}

bool FieldView::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::ParentChange) ensureSprite();
    return handled;
}

void FieldView::setDirectionWidget(DirectionBevel *direction) { m_direction = direction; }

void FieldView::showSprite(int heading, bool /*wipe*/)
{
    // Every picture replaces the sprite as a whole: laying a soft-edged picture over
    // itself would darken its edges step after step.
    if (m_hold)
        m_heldPicture = heading & 7;
    else if (m_sprite)
        m_sprite->setPicture(heading & 7);
}

void FieldView::showArrow(int heading)
{
    if (m_hold)
        m_heldArrow = heading;
    else if (m_direction)
        m_direction->setHeading(heading);
}

void FieldView::moveSprite(int x, int y)
{
    m_nodeX = x;
    m_nodeY = y;
    if (m_hold)
        m_spriteHeld = true;
    else
        placeSprite();
}

void FieldView::setSpriteVisible(bool visible)
{
    m_spriteVisible = visible;
    if (m_hold)
        m_spriteHeld = true;
    else if (m_sprite)
        m_sprite->setVisible(visible);
}
