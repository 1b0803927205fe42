// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings and program files: the document side of the main window.
#include "app/MainWindow.h"
#include "app/ExamplesFolder.h"
#include "app/StatusBar.h"
#include "lang/TextCatalogue.h"
#include "common/Prompts.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "editor/AlgorithmEditor.h"
#include "world/FieldPicture.h"
#include "world/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include <QDir>
#include <QFileInfo>

namespace {
// Text keys in DocumentState order.
const char *const kStateTexts[] = {"stateEmpty", "stateLoaded", "stateChanged", "stateSaved"};
const QString kOpenFilter = QString::fromUtf8("Файлы тракмила (*.tkm)|*.tkm");
const QString kSaveFilter = QString::fromUtf8("Файлы Тракмила (*.tkm)|*.tkm");
}   // namespace

void MainWindow::readSettings()
{
    const QString path =
        m_options.settingsReadPath.isEmpty() ? m_options.settingsPath : m_options.settingsReadPath;
    m_settings = path.isEmpty() ? Settings() : loadSettings(path);
    setAdvancedToolBarVisible(m_settings.showAdvancedToolBar);
}

bool MainWindow::writeSettingsQuietly(QString *error)
{
    if (m_options.settingsPath.isEmpty()) return true;
    return saveSettings(m_options.settingsPath, m_settings, error);
}

bool MainWindow::writeSettings()
{
    QString error;
    if (writeSettingsQuietly(&error)) return true;
    m_prompts->message(error);
    return false;
}

void MainWindow::setDocumentState(DocumentState state)
{
    m_documentState = state;
    showDocumentState();
}

void MainWindow::showDocumentState()
{
    m_statusBar->setPanelText(0, text(kStateTexts[int(m_documentState)]));
}

bool MainWindow::mayDiscardChanges()
{
    return m_documentState != DocumentState::Changed || m_prompts->question(text("unsavedQuestion"));
}

void MainWindow::setCaptionForFile()
{
    setWindowTitle(text("product") + QStringLiteral(" - ") + m_currentFile);
}

bool MainWindow::readDocument(const QString &path, QString *failure)
{
    StyledText styled;
    QString error;
    // Bounds that keep the window answering: a program is a few hundred short lines.
    constexpr qsizetype kMaxLines = 100'000, kMaxLineLength = 10'000;
    if (!loadProgramFile(path, styled, &error, kMaxLines, kMaxLineLength)) {
        const QString text = QDir::toNativeSeparators(path) + QLatin1Char('\n') + error;
        if (failure)
            *failure = text;
        else
            m_prompts->message(text);
        return false;
    }
    setDocumentFromStyled(*m_editor->document(), styled, m_editor->currentCharFormat());
    m_editor->setCaret(0, 0);   // a pupil reads a program from its top
    return true;
}

bool MainWindow::writeDocument(const QString &path)
{
    QString error;
    if (!saveProgramFile(path, styledFromDocument(*m_editor->document()), &error)) {
        m_prompts->message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

void MainWindow::openStartupFile()
{
    const QString arg = m_options.startupFile;
    // The window is not on the screen yet: its first showing reports the failure over it.
    if (arg.isEmpty() || !readDocument(arg, &m_startupFailure)) {
        setDocumentState(DocumentState::Empty);
        return;
    }
    m_currentFile = arg;
    setCaptionForFile();
    setDocumentState(DocumentState::Loaded);
}

void MainWindow::newDocument()
{
    if (!mayDiscardChanges()) return;
    resetField();
    readSettings();
    m_editor->clear();
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
    m_prompts->setOpenFolders(start, examples.isEmpty() ? QStringList() : QStringList {examples});
    const QString path = m_prompts->openFile(text("openTitle"), toolkitFilter(kOpenFilter));
    if (path.isEmpty()) return;
    // The file belongs to the text only once it has been read: otherwise the next Save
    // would write this text into the file that failed to open.
    if (!readDocument(path)) return;
    m_currentFile = path;
    setCaptionForFile();
    setDocumentState(DocumentState::Loaded);
    resetField();
    m_editor->setFocus();
}

void MainWindow::saveDocument()
{
    if (!m_currentFile.isEmpty()) {
        if (writeDocument(m_currentFile)) setDocumentState(DocumentState::Saved);
        return;
    }
    saveDocumentAs();
}

void MainWindow::saveDocumentAs()
{
    const QString path = m_prompts->saveFile(QString(), toolkitFilter(kSaveFilter), QStringLiteral("tkm"));
    if (path.isEmpty() || !writeDocument(path)) return;
    m_currentFile = path;
    setCaptionForFile();
    setDocumentState(DocumentState::Saved);
}

void MainWindow::savePicture()
{
    const QString path = m_prompts->saveFile(QString(), toolkitFilter(WorldTexts::pictureFilter()),
                                             WorldTexts::pictureSuffix());
    if (path.isEmpty()) return;
    QString error;
    if (!m_field->picture().exportPicture(path, &error))
        m_prompts->message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
}
