// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTimer>

class QLabel;
class QWidget;

// The two framed notices over the field, "no errors" after a check and "finished" after a
// run, each shown for a second by its own timer, "noticeTimer".
class WindowNotices {
public:
    // The labels as children of parent; the timer a child of timerParent.
    void build(QWidget *parent, QObject *timerParent, const QString &noErrors, const QString &finished);
    void showNoErrors(const QString &text);
    void showFinished();
    void setFinishedText(const QString &text);
    void hide();

private:
    QLabel *m_noErrors = nullptr;
    QLabel *m_finished = nullptr;
    QTimer m_timer;
};
