// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RunStateWindow.h"
#include "lang/Lexicon.h"
#include "lang/ProgramText.h"
#include "base/TextCatalogue.h"
#include "common/InterfaceLanguage.h"
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace {

enum Row {
    LineRow,
    LoopsRow,
    CallsRow,
    SensorsRow,
    ColourRow,
    PositionRow,
    HeadingRow,
    RobotRow,
    TicksRow,
    SpeedRow
};

// Heading 0 is east, then clockwise on screen.
const char *const kArrows[8] = {"→", "↘", "↓", "↙", "←", "↖", "↑", "↗"};

}   // namespace

RunStateWindow::RunStateWindow(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("RunStateWindow"));
    auto *grid = new QGridLayout(this);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("runState"));
    QFont bold = m_state->font();
    bold.setBold(true);
    m_state->setFont(bold);
    grid->addWidget(m_state, 0, 0, 1, 2);
    for (int i = 0; i < RowCount; ++i) {
        m_captions[i] = new QLabel(this);
        m_captions[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        m_values[i] = new QLabel(this);
        m_values[i]->setTextFormat(Qt::PlainText);
        m_values[i]->setMinimumWidth(220);
        // A loop or a call is one line, however long: the window widens for it rather than
        // split a pass ("проход 1 из" / "4").
        m_values[i]->setWordWrap(i != LoopsRow && i != CallsRow);
        grid->addWidget(m_captions[i], i + 1, 0);
        if (i == HeadingRow) {
            // Big enough to read from the back of the room.
            QFont arrow = m_values[i]->font();
            arrow.setPointSizeF(arrow.pointSizeF() * 2);
            m_values[i]->setFont(arrow);
        }
        if (i == ColourRow) {
            auto *box = new QHBoxLayout;
            m_swatch = new QLabel(this);
            m_swatch->setFixedSize(16, 16);
            box->addWidget(m_swatch);
            box->addWidget(m_values[i], 1);
            grid->addLayout(box, i + 1, 1);
        } else {
            grid->addWidget(m_values[i], i + 1, 1);
        }
    }
    grid->setColumnStretch(1, 1);
    retranslate();
}

QString RunStateWindow::t(const char *key) const
{
    return uiText(QByteArray("runstate.") + key, m_language).value_or(QString());
}

void RunStateWindow::setLanguage(Language interfaceLanguage, Language keywordLanguage)
{
    m_language = interfaceLanguage == Language::Unknown ? Language::Rus : interfaceLanguage;
    m_keywordLanguage = keywordLanguage == Language::Unknown ? m_language : keywordLanguage;
    retranslate();
}

void RunStateWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The owner's Language for both: the values are rewritten by the owner afterwards.
    if (event->type() == QEvent::LanguageChange)
        if (const auto lang = InterfaceLanguage::of(this)) setLanguage(*lang, *lang);
}

void RunStateWindow::retranslate()
{
    setWindowTitle(uiText("runstate.title", m_language).value_or(QString()));
    const char *const keys[RowCount] = {"line",     "loops",   "calls", "sensors", "colour",
                                        "position", "heading", "robot", "ticks",   "speed"};
    for (int i = 0; i < RowCount; ++i) m_captions[i]->setText(t(keys[i]));
}

QString RunStateWindow::valueText(int row) const { return m_values[row]->text(); }
QString RunStateWindow::captionText(int row) const { return m_captions[row]->text(); }

void RunStateWindow::showSnapshot(const RunSnapshot &s, const ProgramText &text)
{
    m_state->setText(!s.active  ? uiText("runstate.idle", m_language).value_or(QString())
                     : s.paused ? uiText("runstate.paused", m_language).value_or(QString())
                                : uiText("runstate.running", m_language).value_or(QString()));
    const QString none = uiText("runstate.none", m_language).value_or(QString());
    auto lineText = [&text](int line) {
        return QStringLiteral("%1: %2").arg(line + 1).arg(text.line(line).trimmed());
    };

    m_values[LineRow]->setText(s.active && s.shownLine >= 0 ? lineText(s.shownLine) : none);

    QStringList loops;
    for (const RunSnapshot::Loop &l : s.loops) {
        QString detail;
        if (l.counted) {
            detail = l.count ? t("pass").arg(l.pass).arg(*l.count) : t("passOnly").arg(l.pass);
        } else {
            const char *now = l.holdsNow == Forms::Test::Holds   ? "holds"
                              : l.holdsNow == Forms::Test::Fails ? "fails"
                                                                 : "unknownTest";
            // Both at once: a text of the pupil's holding "%2" must stay as written.
            detail = t("test").arg(l.test.trimmed(), t(now));
        }
        loops << lineText(l.headerLine) + QStringLiteral(" — ") + detail;
    }
    m_values[LoopsRow]->setText(loops.isEmpty() ? none : loops.join(QLatin1Char('\n')));

    QStringList calls;
    for (const RunSnapshot::Call &c : s.calls)
        calls << t("calledFrom").arg(c.name, QString::number(c.callerLine + 1));
    m_values[CallsRow]->setText(calls.isEmpty() ? none : calls.join(QLatin1Char('\n')));

    const QString yes = t("yes"), no = t("no");
    m_values[SensorsRow]->setText(
        t("sensorValues").arg(s.robot.borderSensor ? yes : no, s.robot.lineSensor ? yes : no));

    const int colourIndex = ColourTable::indexOf(s.robot.colour);
    m_values[ColourRow]->setText(
        colourIndex >= 0 ? ColourTable::name(colourIndex, m_keywordLanguage)
                         : QStringLiteral("#%1").arg(s.robot.colour & 0xFFFFFF, 6, 16, QLatin1Char('0')));
    QPixmap swatch(16, 16);
    swatch.fill(QColor::fromRgb(s.robot.colour));
    m_swatch->setPixmap(swatch);

    m_values[PositionRow]->setText(QStringLiteral("x=%1, y=%2").arg(s.robot.x).arg(s.robot.y));
    m_values[HeadingRow]->setText(QString::fromUtf8(kArrows[s.robot.heading & 7]));
    m_values[RobotRow]->setText(s.robot.visible ? t("shown") : t("destroyed"));
    m_values[TicksRow]->setText(QString::number(s.ticks));
    m_values[SpeedRow]->setText(QString::number(s.speed));
}
