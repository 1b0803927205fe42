// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

class QLabel;

// The status bar's panels, left to right.
enum class StatusPanel {
    Document,   // empty, loaded, changed or saved
    Lines,
    CurrentLine,
    FieldSize,
    Position,
    LineSensor,
    BorderSensor
};

// The window's status bar: seven fixed-width panels with centred texts.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelCount = int(StatusPanel::BorderSensor) + 1;
    explicit StatusBar(QWidget *parent = nullptr);
    void setPanelText(StatusPanel panel, const QString &text);
    QString panelText(StatusPanel panel) const;
    // A notice over the line panels ("Handed in at 10:42") while it has a text; none: the
    // panels again.
    void setNotice(const QString &text);
    QString notice() const;

private:
    QLabel *m_panels[PanelCount] = {};
    QLabel *m_notice = nullptr;
};
