// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ColourDialog.h"
#include <QAbstractItemView>
#include "base/TextCatalogue.h"
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace {

QIcon swatch(QRgb rgb)
{
    QPixmap p(12, 12);
    p.fill(QColor::fromRgb(rgb));
    QPainter(&p).drawRect(0, 0, 11, 11);
    return QIcon(p);
}
}   // namespace

ColourDialog::ColourDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, "FormColor", QSize(177, 158), parent)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    modeGroup = new QGroupBox(this);
    modeGroup->setGeometry(4, 1, 169, 120);
    setColourRadio = new QRadioButton(modeGroup);
    setColourRadio->setGeometry(8, 14, 121, 17);
    setColourRadio->setChecked(true);
    colourCombo = new QComboBox(modeGroup);
    colourCombo->setGeometry(16, 35, 145, 22);
    colourCombo->installEventFilter(this);
    nextColourRadio = new QRadioButton(modeGroup);
    nextColourRadio->setGeometry(8, 71, 145, 17);
    previousColourRadio = new QRadioButton(modeGroup);
    previousColourRadio->setGeometry(8, 95, 145, 17);
    makeOkCancel(QPoint(11, 128), cyrillicOk(), QPoint(91, 128));
    connect(setColourRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on) colourCombo->setEnabled(true);
    });
    connect(colourCombo, &QComboBox::activated, this, [this] { setColourRadio->setChecked(true); });
    ColourDialog::prepare();
}

bool ColourDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == colourCombo && event->type() == QEvent::MouseButtonPress) setColourRadio->setChecked(true);
    return CommandDialog::eventFilter(watched, event);
}

void ColourDialog::prepare()
{
    setResult(0);
    const Language lang = m_editor.language();
    auto apply = [&](const char *key, auto setter) {
        if (auto t = uiText(QByteArray("colour.") + key, lang)) setter(*t);
    };
    apply("caption", [this](const QString &t) { setWindowTitle(t); });
    apply("choose", [this](const QString &t) { fitCaption(setColourRadio, t, setColourRadio->width()); });
    apply("increase", [this](const QString &t) { fitCaption(nextColourRadio, t, nextColourRadio->width()); });
    apply("decrease",
          [this](const QString &t) { fitCaption(previousColourRadio, t, previousColourRadio->width()); });
    apply("ok", [this](const QString &t) { okButton->setText(t); });
    apply("cancel", [this](const QString &t) { cancelButton->setText(t); });
    colourCombo->setEnabled(true);
    colourCombo->show();
    colourCombo->clear();
    for (int i = 0; i < ColourTable::Count; ++i)
        colourCombo->addItem(swatch(ColourTable::value(i)), ColourTable::name(i, lang));
    colourCombo->setCurrentIndex(-1);
    // No name is elided in the open list ("ТЕМНО-ЗЕЛЕНЫЙ" would not fit the closed box).
    fitListWidth(colourCombo);
}

void ColourDialog::confirm()
{
    if (!(manualMode && manualMode())) {
        const QString argument = nextColourRadio->isChecked() ? QStringLiteral("+")
                                 : previousColourRadio->isChecked()
                                     ? QStringLiteral("-")
                                     : QLatin1Char('=') + colourCombo->currentText();
        m_editor.commandToInsert = Statements::commandLine(StatementKind::Colour, lex(), argument);
        m_editor.pasteCode();
    }
    accept();
    m_editor.setFocus();
}
