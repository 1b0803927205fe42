// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/widgets/ExtendedSettingsDialog.h"
#include "common/ClampingSpinBox.h"
#include "common/MessageWindow.h"
#include "base/TextCatalogue.h"
#include "lang/LineMarks.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

ExtendedSettingsDialog::ExtendedSettingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SysN"));
    setWindowTitle(uiText("extendedSettings.title", Language::Rus).value_or(QString()));
    setFixedSize(160, 95);
    setModal(true);

    auto *label = new QLabel(uiText("extendedSettings.speed", Language::Rus).value_or(QString()), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 10, 144, 18);

    m_spin = new ClampingSpinBox(this);
    m_spin->setObjectName(QStringLiteral("SpinEdit1"));
    m_spin->setRange(1, 5000);
    m_spin->setValue(1);
    m_spin->setGeometry(8, 30, 144, 24);
    label->setBuddy(m_spin);

    m_okButton = new QPushButton(uiText("extendedSettings.ok", Language::Rus).value_or(QString()), this);
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setDefault(true);
    m_okButton->setGeometry(42, 62, 75, 26);
    connect(m_okButton, &QPushButton::clicked, this, &ExtendedSettingsDialog::ok);
}

QString ExtendedSettingsDialog::directive() const
{
    return LineMark::SpeedDirective + QString::number(m_spin->value());
}

int ExtendedSettingsDialog::run()
{
    centreOnParent(this);
    m_spin->setFocus();
    m_spin->selectAll();
    return exec();
}

void ExtendedSettingsDialog::ok()
{
    m_spin->interpretText();
    if (m_replaceLine) m_replaceLine(directive());
    accept();
}
