// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "common/Prompts.h"
#include "documents/DocumentConvert.h"
#include "run/HandIn.h"
#include "base/TextCatalogue.h"

#include <QDir>
#include <QTimeZone>

namespace {
QString handInText(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }
}   // namespace

void MainWindow::startWorkRecord()
{
    m_work = {};
    m_work.open.start();
    m_handedInAt.reset();
    m_statusBar->setNotice(QString());
}

void MainWindow::showHandInNotice()
{
    if (!m_handedInAt) return;
    const QString time = m_handedInAt->toString(QStringLiteral("HH:mm"));
    m_statusBar->setNotice(
        handInText(m_handedInChanged ? "handIn.changed" : "handIn.done", textLanguage()).arg(time));
}

QString MainWindow::chooseHandInFolder(const QString &current)
{
    return prompts().chooseFolder(handInText("handIn.chooseFolder", textLanguage()), current);
}

void MainWindow::handInCommand()
{
    if (m_run.isActive() || m_manual || m_taskCheck) return;
    bool remember = false;
    QString name = m_settings.pupilName.trimmed();
    if (name.isEmpty()) {
        const std::optional<QString> typed =
            prompts().textInput(handInText("handIn.title", textLanguage()),
                                handInText("handIn.askName", textLanguage()), QString());
        if (!typed || typed->trimmed().isEmpty()) return;
        name = typed->trimmed();
        m_settings.pupilName = name;
        remember = true;
    }
    QString folder = m_settings.handInFolder;
    if (folder.isEmpty()) {
        folder = prompts().chooseFolder(handInText("handIn.chooseFolder", textLanguage()), QString());
        if (!folder.isEmpty()) {
            m_settings.handInFolder = folder;
            remember = true;
        }
    }
    // The name is kept even when no folder was chosen: the next hand-in does not ask again.
    if (remember) writeSettings();
    if (folder.isEmpty()) return;

    HandInRecord record;
    record.pupil = name;
    record.handedIn = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), QTimeZone::utc());
    if (m_task) {
        record.taskTitle = m_task->task.title;
        record.taskId = taskIdentifier(m_task->task);
        TaskVerdict verdict;
        if (m_task->verdict && m_task->verdictCurrent) {
            verdict = *m_task->verdict;
        } else {
            QStringList lines;
            for (int k = 0, n = m_editor->lineCount(); k < n; ++k) lines << m_editor->line(k);
            const Language lang = language() == Language::Unknown ? Language::Rus : language();
            verdict = checkAgainstTask(m_task->task, lines, lang, m_settings.speed);
        }
        for (const FieldVerdict &judged : verdict.fields) record.fieldsRight << judged.passed();
        for (const RuleBreak &rule : verdict.rules) record.brokenRules << ruleBreakCode(rule);
        record.checked = true;
    }
    record.runs = m_work.runs;
    record.checks = m_work.checks;
    record.taskChecks = m_work.taskChecks;
    record.minutes = int(m_work.open.isValid() ? m_work.open.elapsed() / 60'000 : 0);

    QString written, error;
    if (!writeHandIn(folder, styledFromDocument(*m_editor->document()), notesToSave(), record, &written,
                     &error, textLanguage())) {
        prompts().message(
            handInText("handIn.failed", textLanguage()).arg(QDir::toNativeSeparators(folder), error));
        return;
    }
    m_handedInAt = record.handedIn.toLocalTime().time();
    m_handedInChanged = false;
    showHandInNotice();
}
