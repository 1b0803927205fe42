// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

class QLabel;

// The window's status bar: seven fixed-width panels with centred texts.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelCount = 7;
    explicit StatusBar(QWidget *parent = nullptr);
    void setPanelText(int index, const QString &text);
    QString panelText(int index) const;
    QLabel *panel(int index) const { return m_panels[index]; }

private:
    QLabel *m_panels[PanelCount] = {};
};
