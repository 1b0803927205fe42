// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

class QCheckBox;
class QLabel;

// A check box whose caption wraps over several lines (QCheckBox never wraps). Clicking
// the caption toggles the box, as it would on a plain check box.
class WrappedCheckBox : public QWidget {
    Q_OBJECT
public:
    explicit WrappedCheckBox(const QString &boxName, QWidget *parent = nullptr);
    QCheckBox *box() const { return m_box; }
    QLabel *label() const { return m_label; }
    void setText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCheckBox *m_box;
    QLabel *m_label;
};
