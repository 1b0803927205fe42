// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command dialogs keep their client sizes and control places in every Language; a
// caption too long for its place gives way, the controls never move.
#include "MainWindowFixture.h"
#include "editor/ColourDialog.h"
#include "editor/ConditionDialog.h"
#include "editor/ConditionalLoopDialog.h"
#include "editor/CountedLoopDialog.h"
#include "editor/CreateProcedureDialog.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

// The caption shows whole, or cut with an ellipsis; in a font no smaller than six points;
// and it ends before `right` (in its parent's coordinates).
void expectCaptionFits(const QWidget *w, const QString &caption, int right)
{
    const QString shown = qobject_cast<const QLabel *>(w) ? qobject_cast<const QLabel *>(w)->text()
                                                          : qobject_cast<const QAbstractButton *>(w)->text();
    const std::string what = caption.toStdString();
    if (shown != caption) {
        EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << what;
        EXPECT_TRUE(caption.startsWith(shown.chopped(1))) << what;
        EXPECT_GE(shown.size(), 4) << what;
    }
    EXPECT_GE(w->font().pointSizeF(), 6.0) << what;
    EXPECT_LE(w->sizeHint().width(), w->width()) << what;
    EXPECT_LE(w->x() + w->width(), right) << what;
}

struct Place {
    const QWidget *w;
    QRect expected;   // an empty size: only the position is fixed
};

void expectPlaces(std::initializer_list<Place> places)
{
    for (const Place &p : places) {
        ASSERT_NE(p.w, nullptr);
        if (p.expected.size().isEmpty())
            EXPECT_EQ(p.w->pos(), p.expected.topLeft()) << p.w->metaObject()->className();
        else
            EXPECT_EQ(p.w->geometry(), p.expected) << p.w->metaObject()->className();
    }
}

class DialogLayoutTest : public MainWindowTest {
protected:
    template <class D> D *dialog()
    {
        makeDialogs();
        D *d = window->findChild<D *>();
        EXPECT_NE(d, nullptr);
        return d;
    }
    void switchTo(Language lang)
    {
        window->settings().language = languageCode(lang);
        window->applyLanguage();
    }
};

const Language kLanguages[] = {Language::Rus, Language::Rom, Language::Eng};

}   // namespace

TEST_F(DialogLayoutTest, ConditionalLoopKeepsItsSizeAndPlaces)
{
    open();
    for (Language lang : kLanguages) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        switchTo(lang);
        auto *d = dialog<ConditionalLoopDialog>();
        d->prepare();
        EXPECT_EQ(d->size(), QSize(216, 113));
        expectPlaces({{d->whileLabel, QRect(15, 36, 0, 0)},
                      {d->testCombo, QRect(112, 31, 89, 21)},
                      {d->okButton, QRect(16, 80, 75, 25)},
                      {d->cancelButton, QRect(128, 80, 75, 25)}});
        expectCaptionFits(d->whileLabel, window->editor()->dialogCaptions()[DialogCaptions::CycleWhileBefore],
                          d->testCombo->x());
    }
}

TEST_F(DialogLayoutTest, CountedLoopKeepsItsSizeAndPlaces)
{
    open();
    for (Language lang : kLanguages) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        switchTo(lang);
        auto *d = dialog<CountedLoopDialog>();
        d->prepare();
        EXPECT_EQ(d->size(), QSize(217, 113));
        expectPlaces({{d->executeLabel, QRect(24, 32, 0, 0)},
                      {d->countSpin, QRect(96, 29, 57, 22)},
                      {d->timesLabel, QRect(160, 32, 0, 0)},
                      {d->okButton, QRect(16, 80, 75, 25)},
                      {d->cancelButton, QRect(128, 80, 75, 25)}});
        const DialogCaptions &c = window->editor()->dialogCaptions();
        expectCaptionFits(d->executeLabel, c[DialogCaptions::CycleNBefore], d->countSpin->x());
        expectCaptionFits(d->timesLabel, c[DialogCaptions::CycleNAfter], 217 - 4);
    }
}

TEST_F(DialogLayoutTest, ConditionKeepsItsSizeAndPlaces)
{
    open();
    for (Language lang : kLanguages) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        switchTo(lang);
        auto *d = dialog<ConditionDialog>();
        d->prepare();
        EXPECT_EQ(d->size(), QSize(216, 193));
        expectPlaces({{d->ifLabel, QRect(35, 27, 0, 0)},
                      {d->testCombo, QRect(73, 24, 89, 21)},
                      {d->thenOnlyRadio, QRect(73, 56, 0, 0)},
                      {d->thenElseRadio, QRect(123, 56, 0, 0)},
                      {d->thenOnlyGroup, QRect(16, 72, 81, 73)},
                      {d->thenElseGroup, QRect(112, 72, 89, 73)},
                      {d->thenOnlyThenLabel, QRect(8, 8, 0, 0)},
                      {d->thenOnlyCommandLabel, QRect(8, 24, 0, 0)},
                      {d->thenElseThenLabel, QRect(8, 8, 0, 0)},
                      {d->thenElseCommand1Label, QRect(8, 24, 0, 0)},
                      {d->thenElseElseLabel, QRect(8, 40, 0, 0)},
                      {d->thenElseCommand2Label, QRect(8, 56, 0, 0)},
                      {d->okButton, QRect(16, 160, 75, 25)},
                      {d->cancelButton, QRect(128, 160, 75, 25)}});
        const DialogCaptions &c = window->editor()->dialogCaptions();
        expectCaptionFits(d->ifLabel, c[DialogCaptions::ConditionIfLabel], d->testCombo->x());
        expectCaptionFits(d->thenOnlyThenLabel, c[DialogCaptions::ThenLabel], 81 - 2);
        expectCaptionFits(d->thenOnlyCommandLabel, c[DialogCaptions::CommandPlaceholder], 81 - 2);
        expectCaptionFits(d->thenElseThenLabel, c[DialogCaptions::ThenLabel], 89 - 2);
        expectCaptionFits(d->thenElseCommand1Label, c[DialogCaptions::Command1Placeholder], 89 - 2);
        expectCaptionFits(d->thenElseElseLabel, c[DialogCaptions::ElseLabel], 89 - 2);
        expectCaptionFits(d->thenElseCommand2Label, c[DialogCaptions::Command2Placeholder], 89 - 2);
    }
}

TEST_F(DialogLayoutTest, ColourKeepsItsSizeAndPlaces)
{
    open();
    const QStringList captions[] = {
        {"выбор цвета:", "увеличение цвета (+1)", "уменьшение цвета (-1)"},
        {"Alegerea culorii:", "Mareste culoarea (+1)", "Scade culoarea (-1)"},
        {"Color selector:", "color increase (+1)", "color decrease (-1)"},
    };
    for (Language lang : kLanguages) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        switchTo(lang);
        auto *d = dialog<ColourDialog>();
        d->prepare();
        EXPECT_EQ(d->size(), QSize(177, 158));
        expectPlaces({{d->modeGroup, QRect(4, 1, 169, 120)},
                      {d->setColourRadio, QRect(8, 14, 121, 17)},
                      {d->colourCombo, QRect(16, 35, 145, 22)},
                      {d->nextColourRadio, QRect(8, 71, 145, 17)},
                      {d->previousColourRadio, QRect(8, 95, 145, 17)},
                      {d->okButton, QRect(11, 128, 75, 25)},
                      {d->cancelButton, QRect(91, 128, 75, 25)}});
        const QStringList &c = captions[int(lang)];
        expectCaptionFits(d->setColourRadio, c[0], 169 - 2);
        expectCaptionFits(d->nextColourRadio, c[1], 169 - 2);
        expectCaptionFits(d->previousColourRadio, c[2], 169 - 2);
    }
}

TEST_F(DialogLayoutTest, CreateProcedureKeepsItsSizeAndPlaces)
{
    open();
    for (Language lang : kLanguages) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        switchTo(lang);
        auto *d = dialog<CreateProcedureDialog>();
        d->prepare();
        EXPECT_EQ(d->size(), QSize(217, 113));
        expectPlaces({{d->nameLabel, QRect(24, 32, 0, 0)},
                      {d->nameEdit, QRect(72, 29, 121, 21)},
                      {d->okButton, QRect(16, 80, 75, 25)},
                      {d->cancelButton, QRect(128, 80, 75, 25)}});
        expectCaptionFits(d->nameLabel, window->editor()->dialogCaptions()[DialogCaptions::ProcNameLabel],
                          d->nameEdit->x());
    }
}
