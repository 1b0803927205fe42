// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProxyStyle>

// The application's style, whichever the desktop or the user chose, with one difference: the
// arrows of the buttons a menu bar or a toolbar shows when it is too narrow for its contents
// are read when first drawn. Every bar asks for them as it is built, which read and decoded
// a dozen pictures at start for buttons that a window wide enough never shows.
class OverflowArrowsStyle : public QProxyStyle {
public:
    explicit OverflowArrowsStyle(const QString &key) : QProxyStyle(key) { }

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override;
};

// Wraps the application's style in an OverflowArrowsStyle; to be called before any window is
// built. A style the toolkit cannot make again by its name is left as it is.
void deferOverflowArrows();
