// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings and program files: the document side of the main window.
#include "app/MainWindow.h"
#include "app/ExamplesFolder.h"
#include "app/Mnemonics.h"
#include "app/StatusBar.h"
#include "base/SafeFile.h"
#include "base/TextCatalogue.h"
#include "common/Prompts.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "documents/RecoveryCopy.h"
#include "lang/ProgramTranslator.h"
#include "editor/AlgorithmEditor.h"
#include "lang/LineMarks.h"
#include "lang/StatementForms.h"
#include "run/Worksheet.h"
#include "world/FieldPicture.h"
#include "world/widgets/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTextDocument>
#include <algorithm>
#include <optional>

namespace {
// Text keys in DocumentState order.
const char *const kStateTexts[] = {"stateEmpty", "stateLoaded", "stateChanged", "stateSaved"};

// How to write over path: a file marked read-only is replaced only when the pupil says so
// (and stays read-only); nothing when the pupil says no.
std::optional<WriteOptions> replacing(const QString &path, Prompts &prompts, const QString &question)
{
    if (!isReadOnlyFile(path)) return WriteOptions {};
    if (!prompts.question(question.arg(QDir::toNativeSeparators(path)))) return std::nullopt;
    return WriteOptions {.replaceReadOnly = true};
}
}   // namespace

void MainWindow::readSettings()
{
    m_settings = m_settingsFile.read();
    showSettings();
}

void MainWindow::showSettings()
{
    setAdvancedToolBarVisible(m_settings.showAdvancedToolBar);
    setLineNumbersVisible(m_settings.lineNumbers);
    m_settingsFile.wordProblem(textLanguage());   // said once, over the shown window
}

bool MainWindow::writeSettingsQuietly(QString *error)
{
    return m_settingsFile.write(m_settings, error, textLanguage());
}

bool MainWindow::writeSettings()
{
    QString error;
    if (writeSettingsQuietly(&error)) return true;
    prompts().message(error);
    return false;
}

void MainWindow::setDocumentState(DocumentState state)
{
    m_documentState = state;
    showDocumentState();
    if (state != DocumentState::Changed) {
        dropRecoveryCopy();
    } else {
        m_recovery.changed(QDateTime::currentMSecsSinceEpoch());
    }
}

void MainWindow::writeRecoveryCopy()
{
    if (!m_recovery.isOn() || m_documentState != DocumentState::Changed) return;
    m_recovery.write({styledFromDocument(*m_editor->document()), m_currentFile, m_recovery.lastChange(),
                      m_currentFile.isEmpty() ? std::nullopt : m_diskStamp, notesToSave()});
}

namespace {
QString shownTime(const QDateTime &when)
{
    return when.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// What tells one pupil's program from another's: the begin line and comments are alike
// in every program.
QString firstStatement(const StyledText &text)
{
    constexpr qsizetype kShown = 40;
    for (const StyledLine &line : text) {
        const QString t = line.text.trimmed();
        if (t.isEmpty() || t.startsWith(LineMark::Comment)) continue;
        const QList<Language> languages = registeredLanguages();
        const bool begin = std::any_of(languages.begin(), languages.end(), [&](Language lang) {
            return Forms::statementKind(line.text, Lexicon::forLanguage(lang)) == StatementKind::Begin;
        });
        if (begin) continue;
        return t.size() > kShown ? t.left(kShown) + QChar(0x2026) : t;
    }
    return QString();
}

// Whether another program changed the copy's file after the window read or wrote it; a
// copy from before the window kept that can only go by the times.
bool fileNewerThanCopy(const RecoveryContent &copy, const std::optional<DiskStamp> &now)
{
    if (copy.file.isEmpty() || !now) return false;
    return copy.base ? *now != *copy.base : now->modified > copy.changed;
}

struct OfferedCopy {
    std::unique_ptr<LeftCopy> copy;
    RecoveryContent content;
    std::optional<DiskStamp> onDisk;
    bool diskNewer = false;
};
}   // namespace

void MainWindow::offerRecovery()
{
    if (m_options.recoveryFolder.isEmpty()) return;
    LeftCopy::pruneDiscarded(m_options.recoveryFolder, QDateTime::currentDateTime());
    // Every other copy stays locked until this window is done with them, so a window
    // starting at the same time offers none of them twice.
    std::vector<OfferedCopy> offered;
    for (auto &copy : LeftCopy::find(m_options.recoveryFolder)) {
        std::optional<RecoveryContent> content = copy->read(nullptr);
        if (!content) {
            const QString aside = copy->setAside();
            prompts().message(
                text("recoveryUnreadable")
                    .arg(QDir::toNativeSeparators(copy->path()), QDir::toNativeSeparators(aside)));
            continue;
        }
        const std::optional<DiskStamp> onDisk =
            content->file.isEmpty() ? std::nullopt : diskStamp(content->file);
        const bool newer = fileNewerThanCopy(*content, onDisk);
        offered.push_back({std::move(copy), std::move(*content), onDisk, newer});
    }
    std::stable_sort(offered.begin(), offered.end(), [](const OfferedCopy &a, const OfferedCopy &b) {
        return a.content.changed > b.content.changed;
    });
    auto nameOf = [this](const RecoveryContent &c) {
        return c.file.isEmpty() ? text("recoveryUnnamed") : QDir::toNativeSeparators(c.file);
    };
    while (!offered.empty()) {
        QStringList items;
        for (const OfferedCopy &o : offered) {
            QString item = nameOf(o.content) + QStringLiteral(" \u2014 ") + shownTime(o.content.changed);
            if (const QString first = firstStatement(o.content.text); !first.isEmpty())
                item += QStringLiteral(" \u2014 ") + first;
            if (o.diskNewer) item += QStringLiteral(" (") + text("recoveryDiskNewerShort") + QLatin1Char(')');
            items << item;
        }
        QString question;
        if (offered.size() == 1) {
            const OfferedCopy &o = offered.front();
            question = text("recoveryQuestion").arg(nameOf(o.content), shownTime(o.content.changed));
            if (o.diskNewer)
                question += QLatin1Char('\n') + text("recoveryDiskNewer").arg(shownTime(o.onDisk->modified));
        } else {
            question = text("recoverySeveral").arg(offered.size());
        }
        question += QLatin1Char('\n') + text("recoveryAnswers").arg(LeftCopy::kDiscardedKeepDays);
        const Prompts::Choice choice = prompts().chooseOne(question, items);
        // Put off: every copy waits for the next start.
        if (choice.answer == Prompts::Choice::Neither) return;
        const auto chosen = offered.begin() + std::clamp(choice.item, 0, int(offered.size()) - 1);
        if (choice.answer == Prompts::Choice::No) {
            // Perhaps another pupil's work: kept aside for a while rather than deleted. A copy
            // that cannot be moved stays where it is, for the next start.
            chosen->copy->discard();
            offered.erase(chosen);
            continue;
        }
        restoreCopy(chosen->content, chosen->diskNewer);
        if (m_recovery.written() || !m_recovery.isOn()) chosen->copy->remove();
        return;
    }
}

void MainWindow::restoreCopy(const RecoveryContent &content, bool diskNewer)
{
    // Shown as a file is, with the colours the copy keeps.
    AlgorithmEditor::NewText restored(*m_editor);
    setDocumentFromStyled(restored.document(), content.text, restored.format());
    restored.adopt();
    m_editor->startFreshHistory();
    m_editor->setCaret(0, 0);
    m_currentFile = content.file;
    m_notes = content.notes;
    startWorkRecord();
    if (m_currentFile.isEmpty())
        setWindowTitle(text("product"));
    else
        setCaptionForFile();
    // Save compares the file with how the copy's window saw it. A copy that did not keep
    // that, of a file changed since, is given a time and no size, which no file matches.
    if (content.base)
        m_diskStamp = content.base;
    else if (diskNewer)
        m_diskStamp = DiskStamp {content.changed, -1};
    else
        m_diskStamp = m_currentFile.isEmpty() ? std::nullopt : diskStamp(m_currentFile);
    // Nothing goes to the program file until the pupil saves; the text is this
    // window's copy now, written before the old one goes.
    setDocumentState(DocumentState::Changed);
    m_recovery.changed(content.changed);
    writeRecoveryCopy();
}

void MainWindow::showDocumentState()
{
    m_statusBar->setPanelText(StatusPanel::Document, text(kStateTexts[int(m_documentState)]));
}

bool MainWindow::mayDiscardChanges()
{
    return m_documentState != DocumentState::Changed || prompts().confirmDiscard(text("unsavedQuestion"));
}

void MainWindow::setCaptionForFile()
{
    setWindowTitle(text("product") + QStringLiteral(" - ") + m_currentFile);
}

bool MainWindow::readDocument(const QString &path, QString *failure)
{
    StyledText styled;
    ProgramNotes notes;
    QString error;
    if (!loadProgramFile(path, styled, notes, &error, textLanguage(),
                         &ProgramTranslator::plainTextCodePage)) {
        const QString message = QDir::toNativeSeparators(path) + QLatin1Char('\n') + error;
        if (failure)
            *failure = message;
        else
            prompts().message(message);
        return false;
    }
    // The old document stays as it was, so a cancel leaves the text, its colours and its
    // history exactly as they were.
    AlgorithmEditor::NewText incoming(*m_editor);
    {
        DocumentFill fill(incoming.document(), styled, incoming.format());
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QProgressDialog> progress;
        constexpr qsizetype kSlice = 2'000;
        while (!fill.fill(kSlice)) {
            if (!isVisible()) continue;   // at start-up nothing is on the screen to answer for
            if (!progress && clock.elapsed() >= m_options.loadProgressAfterMs) {
                // Events are let through from here on: the half-filled text leaves the screen.
                incoming.stepAside();
                progress = std::make_unique<QProgressDialog>(text("loading"), text("loadCancel"), 0,
                                                             int(styled.size()), this);
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(0);
                progress->setAutoClose(false);
                progress->setAutoReset(false);
                progress->setValue(0);
            }
            if (progress) {
                progress->setValue(int(fill.linesDone()));
                QCoreApplication::processEvents();
                if (progress->wasCanceled()) return false;
            }
        }
    }
    incoming.adopt();
    m_editor->startFreshHistory();
    m_editor->setCaret(0, 0);   // a pupil reads a program from its top
    m_notes = std::move(notes);
    startWorkRecord();
    return true;
}

ProgramNotes MainWindow::notesToSave(const QString &programPath) const
{
    ProgramNotes notes = m_notes;
    // The task goes with the program, named from the program's folder so that the two can
    // move together (a pupil's folder copied to another computer).
    const QString where = programPath.isEmpty() ? m_currentFile : programPath;
    if (m_task && !where.isEmpty())
        notes.set(kNoteTaskFile, QFileInfo(where).absoluteDir().relativeFilePath(m_task->path));
    else if (m_task)
        notes.set(kNoteTaskFile, m_task->path);
    return notes;
}

void MainWindow::openTaskOfProgram(const QString &programPath, QString *failure)
{
    const QString named = m_notes.value(kNoteTaskFile);
    if (named.isEmpty()) return;
    const QString taskPath = QFileInfo(programPath).absoluteDir().absoluteFilePath(named);
    if (m_task && QFileInfo(m_task->path) == QFileInfo(taskPath)) return;
    // The program is open either way, and stays as it is; a task that is gone is only
    // mentioned.
    QString why;
    if (!openTask(taskPath, &why, false)) {
        if (failure)
            *failure = why;
        else
            prompts().message(why);
    }
}

bool MainWindow::writeDocument(const QString &path)
{
    const std::optional<WriteOptions> options = replacing(path, prompts(), text("readOnlyQuestion"));
    if (!options) return false;
    QString error;
    if (!saveProgramFile(path, styledFromDocument(*m_editor->document()), notesToSave(path), &error,
                         textLanguage(), *options)) {
        prompts().message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

void MainWindow::openStartupFile()
{
    const QString arg = m_options.startupFile;
    // Taken before reading: a change while it is read shows at Save.
    const std::optional<DiskStamp> stamp = arg.isEmpty() ? std::nullopt : diskStamp(arg);
    // The window is not on the screen yet: its first showing reports the failure over it.
    if (isTaskFileName(arg)) {
        // A starting program shows as loaded; without one the text is empty.
        if (!openTask(arg, &m_startupFailure) || !m_task->task.start) setDocumentState(DocumentState::Empty);
        return;
    }
    if (arg.isEmpty() || !readDocument(arg, &m_startupFailure)) {
        setDocumentState(DocumentState::Empty);
        return;
    }
    m_currentFile = arg;
    m_diskStamp = stamp;
    setCaptionForFile();
    setDocumentState(DocumentState::Loaded);
    openTaskOfProgram(arg, &m_startupFailure);
}

void MainWindow::newDocument()
{
    if (!mayDiscardChanges()) return;
    resetField();
    readSettings();
    m_editor->clear();
    m_editor->startFreshHistory();
    m_notes = {};
    startWorkRecord();
    m_editor->setFocus();
    setDocumentState(DocumentState::Empty);
    m_currentFile.clear();
    setWindowTitle(text("product"));
}

void MainWindow::openDocument()
{
    if (!mayDiscardChanges()) return;
    // With a file open the pupil goes on from its folder; before that, the examples in the
    // interface Language are where a beginner looks first. The side bar keeps the examples
    // under their own name ("examples", not "eng").
    const QString examples = m_options.examplesFolder;
    const QString start = m_currentFile.isEmpty() ? examplesFolderFor(examples, textLanguage())
                                                  : QFileInfo(m_currentFile).absolutePath();
    prompts().setOpenFolders(start, examples.isEmpty() ? QStringList() : QStringList {examples});
    // Programs as ever, then tasks, then both.
    const QString filter = toolkitFilter(text("openFilter")) + QStringLiteral(";;") +
                           toolkitFilter(uiText("task.openFilter", textLanguage()).value_or(QString())) +
                           QStringLiteral(";;") +
                           toolkitFilter(uiText("task.openAnyFilter", textLanguage()).value_or(QString()));
    const QString path = prompts().openFile(text("openTitle"), filter);
    if (path.isEmpty()) return;
    if (isTaskFileName(path)) {
        openTask(path);
        return;
    }
    // The file belongs to the text only once it has been read: otherwise the next Save
    // would write this text into the file that failed to open.
    const std::optional<DiskStamp> stamp = diskStamp(path);
    if (!readDocument(path)) return;
    m_currentFile = path;
    m_diskStamp = stamp;
    setCaptionForFile();
    setDocumentState(DocumentState::Loaded);
    resetField();
    openTaskOfProgram(path);
    m_editor->setFocus();
}

void MainWindow::rebuildExamplesMenu()
{
    QMenu *examples = menu(MenuId::Examples);
    examples->clear();
    examples->setTitle(uiText(menuRow(MenuId::Examples).caption, textLanguage()).value_or(QString()));
    const QString folder = examplesFolderFor(m_options.examplesFolder, textLanguage());
    const QStringList files =
        folder.isEmpty() ? QStringList()
                         : QDir(folder).entryList({QStringLiteral("*.tkm")}, QDir::Files, QDir::Name);
    m_exampleFiles.clear();
    for (const QString &name : files) m_exampleFiles << QDir(folder).filePath(name);
    examples->menuAction()->setVisible(!files.isEmpty());
}

QMenu *MainWindow::examplesMenu()
{
    QMenu *examples = menu(MenuId::Examples);
    if (m_exampleFiles.isEmpty()) return examples;
    for (const QString &path : std::as_const(m_exampleFiles)) {
        QAction *a = examples->addAction(exampleTitle(path));
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] { openExample(path); });
    }
    m_exampleFiles.clear();
    // The letters the bar's marking would have given them: only the menu's own captions count.
    markMenuEntries(examples);
    return examples;
}

void MainWindow::openExample(const QString &path)
{
    if (!mayDiscardChanges()) return;
    if (!readDocument(path)) return;
    // The example is a starting point, not the pupil's file: Save asks for a name, in
    // the pupil's own documents rather than the read-only examples folder.
    m_currentFile.clear();
    setWindowTitle(text("product"));
    setDocumentState(DocumentState::Loaded);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir()) documents = QDir::homePath();
    prompts().setSaveFolder(documents);
    resetField();
    m_editor->setFocus();
}

void MainWindow::saveDocument()
{
    if (m_currentFile.isEmpty()) {
        saveDocumentAs();
        return;
    }
    // Another program's version written after this window last read or wrote the file
    // (a teacher's, or one under a restored copy) is replaced only when the pupil says so.
    if (const std::optional<DiskStamp> now = diskStamp(m_currentFile); now && now != m_diskStamp) {
        if (!prompts().confirmDiscard(text("changedOnDisk").arg(QDir::toNativeSeparators(m_currentFile)))) {
            saveDocumentAs();
            return;
        }
    }
    if (!writeDocument(m_currentFile)) return;
    m_diskStamp = diskStamp(m_currentFile);
    setDocumentState(DocumentState::Saved);
}

void MainWindow::saveDocumentAs()
{
    const QString path =
        prompts().saveFile(QString(), toolkitFilter(text("saveFilter")), QStringLiteral("tkm"));
    if (path.isEmpty() || !writeDocument(path)) return;
    m_currentFile = path;
    m_diskStamp = diskStamp(path);
    setCaptionForFile();
    setDocumentState(DocumentState::Saved);
}

void MainWindow::savePicture()
{
    const QString path = prompts().saveFile(
        QString(), toolkitFilter(WorldTexts::pictureFilter(textLanguage())), WorldTexts::pictureSuffix());
    if (path.isEmpty()) return;
    const std::optional<WriteOptions> options = replacing(path, prompts(), text("readOnlyQuestion"));
    if (!options) return;
    QString error;
    if (!m_field->picture().exportPicture(path, &error, textLanguage(), *options))
        prompts().message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
}

Worksheet MainWindow::worksheet() const
{
    Worksheet sheet;
    // The name the pupil hands work in under, once given.
    sheet.pupil = m_settings.pupilName.trimmed();
    if (m_task) sheet.task = m_task->task.title;
    sheet.file = QFileInfo(m_currentFile).fileName();
    sheet.date = QDate::currentDate();
    sheet.program = styledFromDocument(*m_editor->document());
    sheet.field = &m_field->picture().vectors();
    sheet.lang = textLanguage();
    return sheet;
}

void MainWindow::printWorksheet()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(m_currentFile).fileName());
    bool accepted = false;
    if (m_options.printDialog) {
        accepted = m_options.printDialog(printer);
    } else {
        QPrintDialog dialog(&printer, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return;
    if (!paintWorksheet(printer, worksheet()))
        prompts().message(uiText("worksheet.printFailed", textLanguage()).value_or(QString()));
}

void MainWindow::previewWorksheet()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("printPreview"));
    const Worksheet sheet = worksheet();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&sheet](QPrinter *shown) { paintWorksheet(*shown, sheet); });
    if (m_options.showPrintPreview)
        m_options.showPrintPreview(dialog);
    else
        dialog.exec();
}

void MainWindow::exportWorksheet()
{
    const QString path = prompts().saveFile(
        QString(), toolkitFilter(uiText("worksheet.pdfFilter", textLanguage()).value_or(QString())),
        QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    const std::optional<WriteOptions> options = replacing(path, prompts(), text("readOnlyQuestion"));
    if (!options) return;
    // Letter paper where the system's locale uses it, A4 elsewhere.
    const QPageSize::PageSizeId size = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                                           ? QPageSize::Letter
                                           : QPageSize::A4;
    QString error;
    if (!writeWorksheetPdf(path, worksheet(), size, &error, *options))
        prompts().message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
}
