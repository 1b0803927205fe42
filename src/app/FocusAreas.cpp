// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FocusAreas.h"
#include <QApplication>
#include <QKeyEvent>

namespace {

bool takesKeyboard(const QWidget *w)
{
    return w && w->isVisibleTo(w->window()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
}

}   // namespace

FocusAreas::FocusAreas(QWidget *window) : QObject(window), m_window(window)
{
    // A key press no control took travels up to the window: Ctrl+Tab is taken there.
    window->installEventFilter(this);
}

void FocusAreas::addArea(const QList<QWidget *> &controls)
{
    QList<QPointer<QWidget>> area;
    for (QWidget *w : controls) area << w;
    m_areas << area;
}

void FocusAreas::chainTabOrder() const
{
    QWidget *previous = nullptr;
    for (const QList<QPointer<QWidget>> &area : m_areas)
        for (const QPointer<QWidget> &w : area) {
            if (!w) continue;
            if (previous) QWidget::setTabOrder(previous, w);
            previous = w;
        }
}

bool FocusAreas::move(QWidget *from, bool forward) const
{
    const qsizetype n = m_areas.size();
    qsizetype current = -1;
    for (qsizetype i = 0; i < n && current < 0; ++i)
        for (const QPointer<QWidget> &w : m_areas.at(i))
            if (w && from && (w == from || w->isAncestorOf(from))) {
                current = i;
                break;
            }
    // From outside every area, the first area (or the last) comes first.
    qsizetype start = current, steps = n - 1;
    if (current < 0) {
        start = forward ? -1 : n;
        steps = n;
    }
    for (qsizetype step = 1; step <= steps; ++step) {
        const qsizetype i = ((start + (forward ? step : -step)) % n + n) % n;
        for (const QPointer<QWidget> &w : m_areas.at(i)) {
            if (!takesKeyboard(w)) continue;
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool FocusAreas::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::KeyPress) return false;
    auto *e = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    if ((key != Qt::Key_Tab && key != Qt::Key_Backtab) || !(m & Qt::ControlModifier) || (m & Qt::AltModifier))
        return false;
    move(QApplication::focusWidget(), key == Qt::Key_Tab && !(m & Qt::ShiftModifier));
    e->accept();
    return true;
}
