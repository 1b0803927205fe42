// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "lang/RunSnapshot.h"
#include <QWidget>

class ProgramText;
class QLabel;

// A small tool window beside the main one: what the run is doing and why, read from a
// snapshot. It never reaches into the run itself.
class RunStateWindow : public QWidget {
    Q_OBJECT
public:
    explicit RunStateWindow(QWidget *parent = nullptr);

    // Captions in the interface Language; colour names in the keyword Language.
    void setLanguage(Language interfaceLanguage, Language keywordLanguage);
    void showSnapshot(const RunSnapshot &snapshot, const ProgramText &text);

    // The value texts as shown, by row: line, loops, calls, sensors, colour, position,
    // heading, robot, ticks, speed.
    QString valueText(int row) const;
    QString captionText(int row) const;
    static constexpr int RowCount = 10;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    QString t(const char *key) const;

    Language m_language = Language::Rus;
    Language m_keywordLanguage = Language::Rus;
    QLabel *m_state = nullptr;
    QLabel *m_captions[RowCount] = {};
    QLabel *m_values[RowCount] = {};
    QLabel *m_swatch = nullptr;
};
