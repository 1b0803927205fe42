// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ClampingSpinBox.h"
#include <QLineEdit>
#include <QRegularExpression>

namespace {
// Nine digits at most, so that every number typed fits an int before it is clamped.
const QRegularExpression kNumber(QStringLiteral("^[+-]?[0-9]{1,9}$"));
}   // namespace

ClampingSpinBox::ClampingSpinBox(QWidget *parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void ClampingSpinBox::setMaxTextLength(int length) { lineEdit()->setMaxLength(length); }

QValidator::State ClampingSpinBox::validate(QString &input, int &) const
{
    const QString t = input.trimmed();
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+")) return QValidator::Intermediate;
    if (!kNumber.match(t).hasMatch()) return QValidator::Invalid;
    const int v = t.toInt();
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void ClampingSpinBox::fixup(QString &input) const { input = textFromValue(clamped(input)); }

int ClampingSpinBox::valueFromText(const QString &text) const { return clamped(text); }

int ClampingSpinBox::clamped(const QString &text) const
{
    const QString t = text.trimmed();
    if (!kNumber.match(t).hasMatch()) return minimum();
    return std::clamp(t.toInt(), minimum(), maximum());
}
