// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <functional>

class QPushButton;
class QSpinBox;

// The extended-settings dialog: turns the caret line into a speed directive "*$S=<n>".
// Created once; the number stays between openings.
class ExtendedSettingsDialog : public QDialog {
    Q_OBJECT
public:
    using LineReplacer = std::function<void(const QString &line)>;

    explicit ExtendedSettingsDialog(QWidget *parent = nullptr);

    // Receives the directive line; the main window replaces the caret line with it.
    void setLineReplacer(LineReplacer replacer) { m_replaceLine = std::move(replacer); }
    // Centres on the parent and runs modally.
    int run();
    // The directive the current number makes.
    QString directive() const;
    void ok();

private:
    QSpinBox *m_spin;
    QPushButton *m_okButton;
    LineReplacer m_replaceLine;
};
