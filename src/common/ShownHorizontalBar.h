// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>

class QAbstractScrollArea;
class QScrollBar;
class QWidget;

// A horizontal scroll bar on show for a scroll area whose own one stays hidden. Making the
// caret visible lays the scroll area out again, which raises the containers of the bars on
// show one after the other; with both on show each raise really moves one above the other and
// repaints the frame and both bars, at every selected line (a run selects one per tick). With
// only the vertical one on show the raise changes nothing. The area's own bar still does the
// scrolling; every change of it is copied to the bar on show, and that one drives it back.
// The area keeps room for the bar under its viewport (its viewport margins) and places it.
class ShownHorizontalBar {
public:
    // Gives `area` its hidden bar, and a square at the foot of its vertical bar, drawn as
    // the area draws the one between two bars.
    explicit ShownHorizontalBar(QAbstractScrollArea *area);
    // The widgets belong to the area; a copy would stand for the same ones.
    ShownHorizontalBar(const ShownHorizontalBar &) = delete;
    ShownHorizontalBar &operator=(const ShownHorizontalBar &) = delete;

    QScrollBar *bar() const { return m_bar; }
    // The bar's height, which the corner square takes too: the room it needs.
    int fitCorner();
    // Under the viewport, as wide as it (`viewport` in the area's coordinates).
    void place(const QRect &viewport);

private:
    QScrollBar *m_bar;
    QWidget *m_corner;
};
