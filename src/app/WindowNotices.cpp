// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowNotices.h"
#include <QLabel>

void WindowNotices::build(QWidget *parent, QObject *timerParent, const QString &noErrors,
                          const QString &finished)
{
    auto notice = [parent](const char *name, QRect g) {
        auto *p = new QLabel(parent);
        p->setObjectName(QString::fromLatin1(name));
        p->setFrameStyle(QFrame::Box | QFrame::Plain);
        p->setLineWidth(2);
        p->setAlignment(Qt::AlignCenter);
        p->setAutoFillBackground(true);
        p->setGeometry(g);
        p->hide();
        return p;
    };
    m_noErrors = notice("Panel2", QRect(344, 352, 193, 38));
    m_noErrors->setText(noErrors);
    m_finished = notice("Panel1", QRect(344, 392, 155, 38));
    m_finished->setText(finished);
    m_timer.setParent(timerParent);
    m_timer.setObjectName(QStringLiteral("noticeTimer"));
    m_timer.setInterval(1000);
    QObject::connect(&m_timer, &QTimer::timeout, timerParent, [this] { hide(); });
}

void WindowNotices::showNoErrors(const QString &text)
{
    m_noErrors->setGeometry(256, 184, 193, 41);
    m_noErrors->setText(text);
    m_noErrors->show();
    m_noErrors->raise();
    m_timer.start();
}

void WindowNotices::showFinished()
{
    m_finished->setGeometry(256, 184, 185, 41);
    m_finished->show();
    m_finished->raise();
    m_timer.start();
}

void WindowNotices::setFinishedText(const QString &text) { m_finished->setText(text); }

void WindowNotices::hide()
{
    m_timer.stop();
    m_finished->hide();
    m_noErrors->hide();
}
