// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QSpinBox>

// A whole-number spin box that takes every number as it is typed and brings it into range
// when the typing ends: above the maximum it becomes the maximum, below the minimum (or
// nothing, or a lone sign) the minimum. The toolkit's own box refuses the keystroke that
// leaves the range, so that 25 typed where 20 is the most gives 2. No prefix or suffix.
class ClampingSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ClampingSpinBox(QWidget *parent = nullptr);

    // At most this many characters can be typed.
    void setMaxTextLength(int length);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    int valueFromText(const QString &text) const override;

private:
    int clamped(const QString &text) const;
};
