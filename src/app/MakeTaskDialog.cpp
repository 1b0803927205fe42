// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MakeTaskDialog.h"
#include "app/Mnemonics.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "common/ClampingSpinBox.h"
#include "common/DialogFont.h"
#include "common/Prompts.h"
#include "documents/Settings.h"
#include "lang/Lexicon.h"
#include "lang/Statements.h"
#include "run/TaskTexts.h"
#include "world/FieldPicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Each goal picture has a cell of half the whole field picture's size; the shown fields share
// one scale, the largest at which all fit, so that their sizes compare at a glance.
const QSize kPreviewCell = QSize(FieldPicture::Width, FieldPicture::Height) / 2;
constexpr int kMaxStatementLines = 100000;

ClampingSpinBox *makeSpin(QWidget *parent, const QString &name, int lo, int hi, int value)
{
    auto *spin = new ClampingSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(lo, hi);
    spin->setValue(std::clamp(value, lo, hi));
    // A typed number is taken when the typing ends, not at each digit: each new field size
    // runs the model.
    spin->setKeyboardTracking(false);
    return spin;
}

QString sentenceCase(QString s)
{
    if (!s.isEmpty()) s[0] = s.at(0).toUpper();
    return s;
}

// The part of the field picture a field takes, nodes and their numbers included.
QSize usedPart(QSize field)
{
    const QPoint corner = FieldPicture::nodePixel(field.width(), field.height()) + QPoint(20, 20);
    return QSize(corner.x(), corner.y()).boundedTo(QSize(FieldPicture::Width, FieldPicture::Height));
}

QImage previewImage(const TraceRecorder &trace, QPoint end, QSize field, double scale)
{
    const QImage part =
        tracePicture(trace, end, field.width(), field.height()).copy(QRect(QPoint(0, 0), usedPart(field)));
    return part.scaled(part.size() * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}   // namespace

MakeTaskDialog::MakeTaskDialog(Inputs inputs, Prompts &prompts, QWidget *parent)
      : QDialog(parent), m_inputs(std::move(inputs)), m_model(plainLines(m_inputs.program)),
        m_prompts(prompts)
{
    setObjectName(QLatin1String(MakeTaskNames::Dialog));
    setModal(true);
    setFont(dialogFont());
    build();
    applyCaptions();
    refreshFields();
}

QString MakeTaskDialog::text(const char *key) const
{
    return uiText(key, m_inputs.texts).value_or(QString());
}

void MakeTaskDialog::build()
{
    using namespace MakeTaskNames;
    auto named = [](QWidget *w, const QString &name) {
        w->setObjectName(name);
        return w;
    };

    m_title = new QLineEdit(this);
    named(m_title, QLatin1String(Title));
    m_title->setMaxLength(200);
    m_text = new QPlainTextEdit(this);
    named(m_text, QLatin1String(Text));
    m_text->setTabChangesFocus(true);
    m_text->setMinimumHeight(90);
    auto *titleLabel = new QLabel(this);
    titleLabel->setBuddy(m_title);
    auto *textLabel = new QLabel(this);
    textLabel->setBuddy(m_text);
    m_captioned << std::pair<QWidget *, QString>(titleLabel, text("makeTask.title"))
                << std::pair<QWidget *, QString>(textLabel, text("makeTask.text"));

    // The check fields.
    auto *fieldsBox = new QGroupBox(text("makeTask.fields"), this);
    fieldsBox->setObjectName(QStringLiteral("makeTaskFields"));
    auto *fieldGrid = new QGridLayout(fieldsBox);
    m_count = makeSpin(fieldsBox, QLatin1String(FieldCount), 1, Task::MaxFields, 1);
    auto *countLabel = new QLabel(fieldsBox);
    countLabel->setBuddy(m_count);
    m_captioned << std::pair<QWidget *, QString>(countLabel, text("makeTask.fieldCount"));
    fieldGrid->addWidget(countLabel, 0, 0);
    fieldGrid->addWidget(m_count, 0, 1);
    for (int i = 0; i < Task::MaxFields; ++i) {
        // "At least the current field": the first is the one the teacher is looking at.
        m_width[i] = makeSpin(fieldsBox, QString::fromLatin1(Width).arg(i + 1), kMinFieldWidth,
                              kMaxFieldWidth, m_inputs.field.width());
        m_height[i] = makeSpin(fieldsBox, QString::fromLatin1(Height).arg(i + 1), kMinFieldHeight,
                               kMaxFieldHeight, m_inputs.field.height());
        m_fieldLabel[i] = new QLabel(fieldsBox);
        m_fieldLabel[i]->setBuddy(m_width[i]);
        m_byLabel[i] = new QLabel(QStringLiteral("×"), fieldsBox);
        m_byLabel[i]->setBuddy(m_height[i]);
        fieldGrid->addWidget(m_fieldLabel[i], i + 1, 0);
        fieldGrid->addWidget(m_width[i], i + 1, 1);
        fieldGrid->addWidget(m_byLabel[i], i + 1, 2);
        fieldGrid->addWidget(m_height[i], i + 1, 3);
    }
    m_endMatters = new QCheckBox(fieldsBox);
    named(m_endMatters, QLatin1String(EndMatters));
    m_captioned << std::pair<QWidget *, QString>(m_endMatters, text("makeTask.endMatters"));
    fieldGrid->addWidget(m_endMatters, Task::MaxFields + 1, 0, 1, 5);
    fieldGrid->setColumnStretch(4, 1);

    // The rules.
    auto *rulesBox = new QGroupBox(text("makeTask.rules"), this);
    rulesBox->setObjectName(QStringLiteral("makeTaskRules"));
    auto *ruleGrid = new QGridLayout(rulesBox);
    m_limitLines = new QCheckBox(rulesBox);
    named(m_limitLines, QLatin1String(LimitLines));
    m_maxLines = makeSpin(rulesBox, QLatin1String(MaxLines), 1, kMaxStatementLines,
                          std::max(1, statementLineCount(m_model, m_inputs.keywords)));
    m_maxLines->setEnabled(false);
    m_linesLabel = new QLabel(rulesBox);
    m_linesLabel->setBuddy(m_maxLines);
    m_captioned << std::pair<QWidget *, QString>(m_limitLines, text("makeTask.atMost"))
                << std::pair<QWidget *, QString>(m_linesLabel, text("makeTask.statementLines"));
    auto *linesRow = new QHBoxLayout;
    linesRow->addWidget(m_limitLines);
    linesRow->addWidget(m_maxLines);
    linesRow->addWidget(m_linesLabel, 1);
    ruleGrid->addLayout(linesRow, 0, 0, 1, 2);
    for (int c = 0; c < TaskConstructCount; ++c) {
        const TaskConstruct construct = TaskConstruct(c);
        const QString name = taskConstructName(construct);
        const QString caption = taskConstructText(construct, m_inputs.keywords, m_inputs.texts);
        m_rule[c] = new QComboBox(rulesBox);
        named(m_rule[c], QString::fromLatin1(Rule).arg(name));
        for (const char *key : {"makeTask.rule.may", "makeTask.rule.must", "makeTask.rule.mustNot"})
            m_rule[c]->addItem(text(key));
        m_ruleLabel[c] = new QLabel(rulesBox);
        m_ruleLabel[c]->setBuddy(m_rule[c]);
        m_captioned << std::pair<QWidget *, QString>(m_ruleLabel[c],
                                                     sentenceCase(caption) + QLatin1Char(':'));
        ruleGrid->addWidget(m_ruleLabel[c], c + 1, 0);
        ruleGrid->addWidget(m_rule[c], c + 1, 1);
    }
    ruleGrid->setColumnStretch(0, 1);

    // The keywords the pupil must write in, and what the pupil starts from.
    m_keywords = new QComboBox(this);
    named(m_keywords, QLatin1String(Keywords));
    m_keywords->addItem(text("makeTask.anyKeywords"), -1);
    for (Language lang : registeredLanguages()) {
        const QByteArray key = "preferences.language." + languageCode(lang).toLatin1();
        m_keywords->addItem(uiText(key, m_inputs.texts).value_or(languageInfo(lang)->name), int(lang));
    }
    m_start = new QComboBox(this);
    named(m_start, QLatin1String(Start));
    for (const char *key : {"makeTask.start.none", "makeTask.start.empty", "makeTask.start.this"})
        m_start->addItem(text(key));
    auto *keywordsLabel = new QLabel(this);
    keywordsLabel->setBuddy(m_keywords);
    auto *startLabel = new QLabel(this);
    startLabel->setBuddy(m_start);
    m_captioned << std::pair<QWidget *, QString>(keywordsLabel, text("makeTask.keywords"))
                << std::pair<QWidget *, QString>(startLabel, text("makeTask.start"));

    // The goal on each field, and why it cannot be saved.
    auto *goalsBox = new QGroupBox(text("makeTask.goals"), this);
    goalsBox->setObjectName(QStringLiteral("makeTaskGoals"));
    auto *goalGrid = new QGridLayout(goalsBox);
    const QSize cell = kPreviewCell;
    for (int i = 0; i < Task::MaxFields; ++i) {
        m_previewCaption[i] = new QLabel(goalsBox);
        named(m_previewCaption[i], QString::fromLatin1(PreviewCaption).arg(i + 1));
        // Two short lines: the field and what the model drew on it.
        m_previewCaption[i]->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        m_previewCaption[i]->setMinimumHeight(2 * m_previewCaption[i]->fontMetrics().lineSpacing());
        m_preview[i] = new QLabel(goalsBox);
        named(m_preview[i], QString::fromLatin1(Preview).arg(i + 1));
        m_preview[i]->setFixedSize(cell);
        m_preview[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_preview[i]->setFocusPolicy(Qt::NoFocus);
        goalGrid->addWidget(m_previewCaption[i], (i / 2) * 2, i % 2);
        goalGrid->addWidget(m_preview[i], (i / 2) * 2 + 1, i % 2);
    }
    m_problemLabel = new QLabel(this);
    named(m_problemLabel, QLatin1String(Problem));
    m_problemLabel->setWordWrap(true);
    m_problemLabel->setTextFormat(Qt::PlainText);
    m_problemLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette warning = m_problemLabel->palette();
    warning.setColor(QPalette::WindowText, QColor(0xA0, 0x00, 0x00));
    m_problemLabel->setPalette(warning);
    m_rulesNote = new QLabel(this);
    named(m_rulesNote, QLatin1String(RulesNote));
    m_rulesNote->setWordWrap(true);
    m_rulesNote->setTextFormat(Qt::PlainText);

    m_save = new QPushButton(this);
    named(m_save, QLatin1String(Save));
    m_save->setDefault(true);
    m_cancel = new QPushButton(this);
    named(m_cancel, QLatin1String(Cancel));
    m_captioned << std::pair<QWidget *, QString>(m_save, text("makeTask.save"))
                << std::pair<QWidget *, QString>(m_cancel, text("dialogs.cancel"));

    auto *form = new QGridLayout;
    form->addWidget(titleLabel, 0, 0);
    form->addWidget(m_title, 0, 1);
    form->addWidget(textLabel, 1, 0, Qt::AlignTop);
    form->addWidget(m_text, 1, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(form, 1);
    left->addWidget(fieldsBox);
    left->addWidget(rulesBox);
    auto *lower = new QGridLayout;
    lower->addWidget(keywordsLabel, 0, 0);
    lower->addWidget(m_keywords, 0, 1);
    lower->addWidget(startLabel, 1, 0);
    lower->addWidget(m_start, 1, 1);
    lower->setColumnStretch(1, 1);
    left->addLayout(lower);
    auto *right = new QVBoxLayout;
    right->addWidget(goalsBox);
    right->addWidget(m_problemLabel);
    right->addWidget(m_rulesNote);
    right->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(columns, 1);
    main->addLayout(buttons);

    auto changed = [this] { refresh(); };
    auto fieldsChanged = [this] { refreshFields(); };
    connect(m_title, &QLineEdit::textChanged, this, changed);
    connect(m_count, &QSpinBox::valueChanged, this, fieldsChanged);
    for (int i = 0; i < Task::MaxFields; ++i) {
        connect(m_width[i], &QSpinBox::valueChanged, this, fieldsChanged);
        connect(m_height[i], &QSpinBox::valueChanged, this, fieldsChanged);
    }
    connect(m_limitLines, &QCheckBox::toggled, m_maxLines, &QWidget::setEnabled);
    connect(m_limitLines, &QCheckBox::toggled, this, changed);
    connect(m_maxLines, &QSpinBox::valueChanged, this, changed);
    for (QComboBox *rule : m_rule) connect(rule, &QComboBox::currentIndexChanged, this, changed);
    connect(m_save, &QPushButton::clicked, this, &MakeTaskDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void MakeTaskDialog::applyCaptions()
{
    setWindowTitle(text("makeTask.caption"));
    // The field rows take their digits, the rest a letter each, all on different keys.
    QSet<QChar> digits;
    for (int i = 0; i < Task::MaxFields; ++i) digits.insert(QChar(u'1' + i));
    // Save and Cancel, the last two, choose first: the buttons matter most when letters run short.
    QList<std::pair<QWidget *, QString>> order = m_captioned.mid(m_captioned.size() - 2);
    order << m_captioned.mid(0, m_captioned.size() - 2);
    QStringList plain;
    for (const auto &c : std::as_const(order)) plain << c.second;
    const QStringList marked = assignMnemonics(plain, digits);
    auto show = [](QWidget *w, const QString &caption) {
        if (auto *label = qobject_cast<QLabel *>(w)) label->setText(caption);
        if (auto *button = qobject_cast<QAbstractButton *>(w)) button->setText(caption);
    };
    for (qsizetype i = 0; i < order.size(); ++i) show(order[i].first, marked.value(i));
    auto accessible = [](QWidget *w, const QString &caption) {
        QString name = plainCaption(caption).trimmed();
        if (name.endsWith(QLatin1Char(':'))) name.chop(1);
        w->setAccessibleName(name);
    };
    for (const auto &c : std::as_const(m_captioned)) {
        auto *label = qobject_cast<QLabel *>(c.first);
        accessible(label && label->buddy() ? label->buddy() : c.first, c.second);
    }
    for (int i = 0; i < Task::MaxFields; ++i) {
        const QString field = text("makeTask.field").arg(i + 1);
        const qsizetype digit = field.indexOf(QChar(u'1' + i));
        m_fieldLabel[i]->setText(markedCaption(field, digit));
        m_width[i]->setAccessibleName(text("makeTask.access.width").arg(i + 1));
        m_height[i]->setAccessibleName(text("makeTask.access.height").arg(i + 1));
        m_preview[i]->setAccessibleName(text("makeTask.access.goal").arg(i + 1));
    }
    m_maxLines->setAccessibleName(text("makeTask.access.maxLines"));
    m_problemLabel->setAccessibleName(text("makeTask.access.problem"));
}

const MakeTaskDialog::Outcome &MakeTaskDialog::outcome(QSize size)
{
    const std::pair<int, int> key(size.width(), size.height());
    auto found = m_outcomes.find(key);
    if (found != m_outcomes.end()) return found->second;
    // A model that goes round forever takes a while to reach the tick limit.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Outcome o;
    int failedField = -1;
    std::optional<QList<TaskField>> goals =
        goalsFromModel(m_model, m_inputs.keywords, {size}, true, failedField, o.failure, m_inputs.speed);
    if (goals) o.goal = goals->constFirst();
    QApplication::restoreOverrideCursor();
    return m_outcomes.emplace(key, std::move(o)).first->second;
}

QSize MakeTaskDialog::fieldSize(int i) const { return QSize(m_width[i]->value(), m_height[i]->value()); }

QString MakeTaskDialog::refusal(int field, QSize size, const FieldDrawing &failure) const
{
    QStringList lines {text("makeTask.refused").arg(field + 1).arg(size.width()).arg(size.height())};
    lines << runFailureText(failure, m_inputs.texts);
    return lines.join(QLatin1Char('\n'));
}

void MakeTaskDialog::refreshFields()
{
    const int count = m_count->value();
    QSize largest;
    for (int i = 0; i < count; ++i) largest = largest.expandedTo(usedPart(fieldSize(i)));
    const double scale = std::min({1.0, double(kPreviewCell.width()) / largest.width(),
                                   double(kPreviewCell.height()) / largest.height()});
    QString failed;
    for (int i = 0; i < Task::MaxFields; ++i) {
        const bool used = i < count;
        m_width[i]->setEnabled(used);
        m_height[i]->setEnabled(used);
        m_fieldLabel[i]->setEnabled(used);
        m_byLabel[i]->setEnabled(used);
        m_preview[i]->setVisible(used);
        m_previewCaption[i]->setVisible(used);
        if (!used) continue;
        const QSize size = fieldSize(i);
        // Past a field the model fails on, only what is known already is shown: a model that
        // goes round forever takes seconds on each field.
        const auto known = m_outcomes.find({size.width(), size.height()});
        const Outcome *o = failed.isEmpty()            ? &outcome(size)
                           : known != m_outcomes.end() ? &known->second
                                                       : nullptr;
        QString caption = text("makeTask.preview").arg(i + 1).arg(size.width()).arg(size.height());
        QImage picture;
        if (!o) {
            caption += QLatin1Char('\n') + text("makeTask.previewSkipped");
        } else if (o->goal) {
            caption += QLatin1Char('\n') + text("makeTask.segments").arg(o->goal->goal.size());
            picture =
                previewImage(goalTrace(*o->goal), QPoint(o->goal->end->x, o->goal->end->y), size, scale);
        } else {
            // What it drew before it stopped shows where it went wrong.
            caption += QLatin1Char('\n') + text("makeTask.previewFailed");
            picture = previewImage(o->failure.trace, o->failure.end, size, scale);
            if (failed.isEmpty()) failed = refusal(i, size, o->failure);
        }
        m_previewCaption[i]->setText(caption);
        m_preview[i]->setPixmap(QPixmap::fromImage(picture));
        m_preview[i]->setAccessibleDescription(caption);
    }
    m_fieldFailure = failed;
    refresh();
}

void MakeTaskDialog::refresh()
{
    m_problem = m_fieldFailure;
    if (m_problem.isEmpty() && m_title->text().trimmed().isEmpty()) m_problem = text("makeTask.needTitle");
    m_problemLabel->setText(m_problem);
    m_problemLabel->setVisible(!m_problem.isEmpty());
    m_save->setEnabled(m_problem.isEmpty());

    // A model that breaks its own rules is allowed, but the teacher is told.
    QStringList broken;
    for (const RuleBreak &b : brokenRules(rules(), m_model, m_inputs.keywords))
        broken << ruleBreakText(b, m_inputs.keywords, m_inputs.texts);
    if (!broken.isEmpty()) broken.prepend(text("makeTask.modelBreaksRules"));
    m_rulesNote->setText(broken.join(QLatin1Char('\n')));
    m_rulesNote->setVisible(!broken.isEmpty());
}

TaskRules MakeTaskDialog::rules() const
{
    TaskRules r;
    if (m_limitLines->isChecked()) r.maxStatementLines = m_maxLines->value();
    for (int c = 0; c < TaskConstructCount; ++c) {
        if (RuleChoice(m_rule[c]->currentIndex()) == RuleChoice::Must) r.required << TaskConstruct(c);
        if (RuleChoice(m_rule[c]->currentIndex()) == RuleChoice::MustNot) r.forbidden << TaskConstruct(c);
    }
    return r;
}

std::optional<Task> MakeTaskDialog::task() const
{
    if (!m_problem.isEmpty()) return std::nullopt;
    Task t;
    t.title = m_title->text().simplified();   // one line, whatever was pasted
    t.text = m_text->toPlainText().replace(QLatin1String("\r\n"), QLatin1String("\n")).trimmed();
    const int lang = m_keywords->currentData().toInt();
    if (lang >= 0) t.language = Language(lang);
    for (int i = 0; i < m_count->value(); ++i) {
        const QSize size = fieldSize(i);
        const auto found = m_outcomes.find({size.width(), size.height()});
        if (found == m_outcomes.end() || !found->second.goal) return std::nullopt;
        TaskField field = *found->second.goal;
        if (!m_endMatters->isChecked()) field.end.reset();
        t.fields << field;
    }
    t.rules = rules();
    switch (StartChoice(m_start->currentIndex())) {
    case StartChoice::None:
        break;
    case StartChoice::Empty:
        t.start = StyledText();
        break;
    case StartChoice::ThisProgram:
        t.start = m_inputs.program;
        break;
    }
    return t;
}

void MakeTaskDialog::save()
{
    const std::optional<Task> made = task();
    if (!made) return;
    // A file past the readers' bound could be written but never opened: a long text pasted in,
    // or a long starting program.
    if (writeTask(*made).size() > Task::MaxFileBytes) {
        m_prompts.message(text("task.error.tooLarge").arg(Task::MaxFileBytes));
        return;
    }
    const QString filter = toolkitFilter(text("task.openFilter"));
    const QString path = m_prompts.saveFile(QString(), filter, QStringLiteral("tkt"));
    if (path.isEmpty()) return;
    QString error;
    if (!saveTaskFile(path, *made, &error, m_inputs.texts)) {
        m_prompts.message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
        return;
    }
    accept();
}
