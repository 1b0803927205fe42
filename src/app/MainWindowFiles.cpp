// Settings and program files: the document side of the main window.
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "app/UiTexts.h"
#include "common/Prompts.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "editor/AlgorithmEditor.h"
#include "world/FieldPicture.h"
#include "world/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include <QDir>

namespace {
const char *const kStates[] = {"stateEmpty", "stateLoaded", "stateChanged", "stateSaved"};
const QString kOpenFilter = QString::fromUtf8("Файлы тракмила (*.tkm)|*.tkm");
const QString kSaveFilter = QString::fromUtf8("Файлы Тракмила (*.tkm)|*.tkm");
} // namespace

void MainWindow::readSettings()
{
    const QString path = m_options.settingsReadPath.isEmpty() ? m_options.settingsPath
                                                              : m_options.settingsReadPath;
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

QString MainWindow::documentState() const { return m_statusBar->panelText(0); }

void MainWindow::setDocumentState(const char *key) { m_statusBar->setPanelText(0, text(key)); }

void MainWindow::rewordDocumentState()
{
    const QString current = documentState();
    for (const char *key : kStates) {
        for (Language l : {Language::Rus, Language::Rom, Language::Eng}) {
            if (uiText(key, l) == current) {
                setDocumentState(key);
                return;
            }
        }
    }
}

void MainWindow::setCaptionForFile() { setWindowTitle(text("product") + QStringLiteral(" - ") + m_currentFile); }

bool MainWindow::readDocument(const QString &path)
{
    StyledText styled;
    QString error;
    if (!loadProgramFile(path, styled, &error)) {
        m_prompts->message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
        return false;
    }
    setDocumentFromStyled(*m_editor->document(), styled, m_editor->currentCharFormat());
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
    if (arg.isEmpty() || !readDocument(arg)) {
        setDocumentState("stateEmpty");
        return;
    }
    m_currentFile = arg;
    setCaptionForFile();
    setDocumentState("stateLoaded");
}

void MainWindow::newDocument()
{
    if (documentState() == text("stateChanged") && !m_prompts->question(text("unsavedQuestion"))) return;
    resetField();
    readSettings();
    m_editor->clear();
    m_editor->setFocus();
    setDocumentState("stateEmpty");
    m_currentFile.clear();
    setWindowTitle(text("product"));
}

void MainWindow::openDocument()
{
    const QString path = m_prompts->openFile(text("openTitle"), toolkitFilter(kOpenFilter));
    if (path.isEmpty()) return;
    // The file belongs to the text only once it has been read: otherwise the next Save
    // would write this text into the file that failed to open.
    if (!readDocument(path)) return;
    m_currentFile = path;
    setCaptionForFile();
    setDocumentState("stateLoaded");
    resetField();
    m_editor->setFocus();
}

void MainWindow::saveDocument()
{
    if (!m_currentFile.isEmpty()) {
        if (writeDocument(m_currentFile)) setDocumentState("stateSaved");
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
    setDocumentState("stateSaved");
}

void MainWindow::savePicture()
{
    const QString path = m_prompts->saveFile(QString(), toolkitFilter(WorldTexts::pictureFilter()),
                                             WorldTexts::pictureSuffix());
    if (path.isEmpty()) return;
    QString error;
    if (!m_field->picture().exportBmp(path, &error))
        m_prompts->message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
}
