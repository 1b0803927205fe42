// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QTest>
#include <QWidget>

// Types as a keyboard with a Cyrillic layout would: one key event per character, Enter for a
// line break.
inline void typeKeys(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(w, Qt::Key_Return);
            continue;
        }
        const int code = c.isLetter() ? int(Qt::Key_unknown) : int(c.unicode());
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(code), QString(c), Qt::NoModifier);
    }
}
