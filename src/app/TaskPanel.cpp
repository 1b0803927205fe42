// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TaskPanel.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "run/TaskTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

QString text(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }

constexpr int FieldRole = Qt::UserRole;   // on a field's entry: the field, from 0

}   // namespace

TaskPanel::TaskPanel(QWidget *parent)
      : QWidget(parent), m_title(new QLabel(this)), m_keywords(new QLabel(this)), m_verdict(new QLabel(this)),
        m_results(new QListWidget(this)), m_close(new QPushButton(this))
{
    setObjectName(QStringLiteral("taskPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);

    m_title->setObjectName(QStringLiteral("taskTitle"));
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_title->setFont(bold);

    m_keywords->setObjectName(QStringLiteral("taskKeywords"));
    m_keywords->setWordWrap(true);

    m_verdict->setObjectName(QStringLiteral("taskVerdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextFormat(Qt::PlainText);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_verdict->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_verdict->setMargin(4);

    m_results->setObjectName(QStringLiteral("taskResults"));
    // One entry per field, its details on lines of their own, wrapped to the panel's width.
    m_results->setWordWrap(true);
    m_results->setTextElideMode(Qt::ElideNone);
    m_results->setResizeMode(QListView::Adjust);
    m_results->setUniformItemSizes(false);
    m_results->setSpacing(2);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_results, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (!item) return;
        const QVariant field = item->data(FieldRole);
        if (field.isValid()) emit fieldChosen(field.toInt());
    });

    m_close->setObjectName(QStringLiteral("taskClose"));
    connect(m_close, &QPushButton::clicked, this, &TaskPanel::closeRequested);

    layout->addWidget(m_title);
    layout->addWidget(m_keywords);
    layout->addWidget(m_verdict);
    layout->addWidget(m_results, 4);
    layout->addWidget(m_close, 0, Qt::AlignRight);
    // Nothing checked yet. The panel is worded in the window's Language when a task is set: a
    // wording now would read a Language's texts the window may never show.
    m_results->setEnabled(false);
}

// The panel stays hidden until a task is opened: its text, a whole rich text browser, is made
// then, in its place under the title, in the layout and in the focus chain.
QTextBrowser *TaskPanel::taskText()
{
    if (m_text) return m_text;
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("taskText"));
    m_text->setOpenLinks(false);
    m_text->setTabChangesFocus(true);
    m_text->setAccessibleName(text("task.panel.text", m_lang));
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, m_text, 3);
    QWidget::setTabOrder(m_title, m_text);
    return m_text;
}

void TaskPanel::setTask(const Task &task, Language lang)
{
    m_title->setText(task.title);
    taskText()->setPlainText(task.text);
    m_results->clear();
    m_solved = false;
    m_state = State::NotChecked;
    retranslate(task, lang);
}

void TaskPanel::retranslate(const Task &task, Language lang)
{
    m_lang = lang;
    setAccessibleName(text("task.panel.name", lang));
    m_title->setAccessibleName(text("task.panel.name", lang));
    if (m_text) m_text->setAccessibleName(text("task.panel.text", lang));
    m_results->setAccessibleName(text("task.panel.result", lang));
    m_verdict->setAccessibleName(text("task.panel.result", lang));
    m_close->setText(text("task.panel.close", lang));
    m_close->setAccessibleName(m_close->text());
    const LanguageInfo *keywords = task.language ? languageInfo(*task.language) : nullptr;
    m_keywords->setVisible(keywords != nullptr);
    if (keywords) m_keywords->setText(text("task.panel.keywords", lang).arg(keywords->name));
    showState();
}

void TaskPanel::showNotChecked()
{
    m_state = State::NotChecked;
    m_results->clear();
    showState();
}

void TaskPanel::showChanged()
{
    if (m_state != State::Checked) return;
    m_state = State::Changed;
    showState();
}

void TaskPanel::showState()
{
    switch (m_state) {
    case State::NotChecked:
        m_verdict->setText(text("task.result.notChecked", m_lang));
        break;
    case State::Checked:
        m_verdict->setText(text(m_solved ? "task.result.solved" : "task.result.notSolved", m_lang));
        break;
    case State::Changed:
        m_verdict->setText(text("task.result.changed", m_lang));
        break;
    }
    QFont f = m_verdict->font();
    f.setBold(m_state == State::Checked);
    m_verdict->setFont(f);
    m_results->setEnabled(m_state != State::NotChecked);
}

void TaskPanel::showVerdict(const Task &task, const TaskVerdict &verdict, Language keywords, Language lang)
{
    const QSignalBlocker quiet(m_results);
    m_results->clear();
    const auto entry = [this](const QString &heading, const QStringList &details) {
        const QString bullet = QStringLiteral("\n  \u2022 ");
        return new QListWidgetItem(details.isEmpty() ? heading : heading + bullet + details.join(bullet),
                                   m_results);
    };
    for (int i = 0; i < verdict.fields.size() && i < task.fields.size(); ++i) {
        const FieldVerdict &fv = verdict.fields[i];
        QListWidgetItem *row = entry(fieldVerdictHeading(i, task.fields[i], fv.passed(), lang),
                                     fieldVerdictDetails(fv, task.fields[i], lang));
        row->setData(FieldRole, i);
    }
    const bool anyRule =
        task.rules.maxStatementLines || !task.rules.required.isEmpty() || !task.rules.forbidden.isEmpty();
    if (anyRule) {
        QStringList broken;
        for (const RuleBreak &r : verdict.rules) broken << ruleBreakText(r, keywords, lang);
        QListWidgetItem *rules =
            entry(text(verdict.rules.isEmpty() ? "task.result.rulesKept" : "task.result.rulesBroken", lang),
                  broken);
        rules->setFlags(rules->flags() & ~Qt::ItemIsSelectable);
    }
    m_solved = verdict.solved();
    m_state = State::Checked;
    m_lang = lang;
    showState();
}

int TaskPanel::chosenField() const
{
    const QListWidgetItem *item = m_results->currentItem();
    const QVariant field = item ? item->data(FieldRole) : QVariant();
    return field.isValid() ? field.toInt() : -1;
}

void TaskPanel::chooseField(int index)
{
    if (QListWidgetItem *row = m_results->item(index); row && row->data(FieldRole).isValid())
        m_results->setCurrentItem(row);
}

void TaskPanel::setChoosingEnabled(bool enabled)
{
    m_results->setEnabled(enabled && m_state != State::NotChecked);
}

QString TaskPanel::verdictText() const { return m_verdict->text(); }

QStringList TaskPanel::resultLines() const
{
    QStringList lines;
    for (int i = 0; i < m_results->count(); ++i) lines << m_results->item(i)->text().split(QLatin1Char('\n'));
    return lines;
}
