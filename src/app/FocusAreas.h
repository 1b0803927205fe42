// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

// The areas of a window in reading order, each a list of its controls in order. Ctrl+Tab and
// Ctrl+Shift+Tab, wherever in the window they are pressed and not taken, go from area to
// area around in a circle, to the first control of the next (or previous) area that can take
// the keyboard now; an area that cannot (hidden, or locked while a program runs) is passed
// over. Tab goes from control to control in the same order.
class FocusAreas : public QObject {
public:
    explicit FocusAreas(QWidget *window);
    void addArea(const QList<QWidget *> &controls);
    // The Tab key's order: every control of every area, in order. Call once all are added.
    void chainTabOrder() const;
    // Moves the keyboard on from the area that holds `from`; from a control in no area, to the
    // first (or last) area. False when no other area can take it.
    bool move(QWidget *from, bool forward) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QList<QList<QPointer<QWidget>>> m_areas;
};
