// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusBar.h"
#include <QLabel>

namespace {
const int kWidths[StatusBar::PanelCount] = {80, 123, 123, 95, 115, 65, 65};
}

StatusBar::StatusBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    int x = 0;
    for (int i = 0; i < PanelCount; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(QStringLiteral("panel%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setGeometry(x, 1, kWidths[i] - 2, 19);
        x += kWidths[i];
        m_panels[i] = l;
    }
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("noticePanel"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_notice->setGeometry(kWidths[0], 1, kWidths[1] + kWidths[2] - 2, 19);
    m_notice->hide();
}

void StatusBar::setNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->setAccessibleName(text);
    const bool shown = !text.isEmpty();
    m_notice->setVisible(shown);
    m_panels[int(StatusPanel::Lines)]->setVisible(!shown);
    m_panels[int(StatusPanel::CurrentLine)]->setVisible(!shown);
}

QString StatusBar::notice() const { return m_notice->text(); }

void StatusBar::setPanelText(StatusPanel panel, const QString &text) { m_panels[int(panel)]->setText(text); }

QString StatusBar::panelText(StatusPanel panel) const { return m_panels[int(panel)]->text(); }
