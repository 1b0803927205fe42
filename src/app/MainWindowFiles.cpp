// Settings and program files: the document side of the main window.
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "app/UiTexts.h"
#include "common/Prompts.h"
#include "docs/DocumentConvert.h"
#include "docs/ProgramFile.h"
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

void MainWindow::Loadinifile()
{
    const QString path = m_options.settingsReadPath.isEmpty() ? m_options.settingsPath
                                                              : m_options.settingsReadPath;
    m_settings = path.isEmpty() ? Settings() : loadSettings(path);
    setAdvancedToolBarVisible(m_settings.showadv);
}

bool MainWindow::saveSettingsQuietly(QString *error)
{
    if (m_options.settingsPath.isEmpty()) return true;
    return saveSettings(m_options.settingsPath, m_settings, error);
}

bool MainWindow::Saveinifile()
{
    QString error;
    if (saveSettingsQuietly(&error)) return true;
    m_prompts->message(error);
    return false;
}

QString MainWindow::documentState() const { return StatusBar1->panelText(0); }

void MainWindow::setDocumentState(const char *key) { StatusBar1->setPanelText(0, text(key)); }

void MainWindow::StatusBarUpdate()
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

void MainWindow::setCaptionForFile() { setWindowTitle(text("product") + QStringLiteral(" - ") + CurrentFile); }

bool MainWindow::readDocument(const QString &path)
{
    StyledText styled;
    QString error;
    if (!loadProgramFile(path, styled, &error)) {
        m_prompts->message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
        return false;
    }
    setDocumentFromStyled(*doc->document(), styled, doc->currentCharFormat());
    return true;
}

bool MainWindow::writeDocument(const QString &path)
{
    QString error;
    if (!saveProgramFile(path, styledFromDocument(*doc->document()), &error)) {
        m_prompts->message(QDir::toNativeSeparators(path) + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

void MainWindow::OpenFile()
{
    const QString arg = m_options.startupFile;
    if (arg.isEmpty() || !readDocument(arg)) {
        setDocumentState("stateEmpty");
        return;
    }
    CurrentFile = arg;
    setCaptionForFile();
    setDocumentState("stateLoaded");
}

void MainWindow::mmNewClick()
{
    if (documentState() == text("stateChanged") && !m_prompts->question(text("unsavedQuestion"))) return;
    DrawField();
    Loadinifile();
    doc->clear();
    doc->setFocus();
    setDocumentState("stateEmpty");
    CurrentFile.clear();
    setWindowTitle(text("product"));
}

void MainWindow::mmOpenClick()
{
    const QString path = m_prompts->openFile(text("openTitle"), toolkitFilter(kOpenFilter));
    if (path.isEmpty()) return;
    // The file belongs to the text only once it has been read: otherwise the next Save
    // would write this text into the file that failed to open.
    if (!readDocument(path)) return;
    CurrentFile = path;
    setCaptionForFile();
    setDocumentState("stateLoaded");
    DrawField();
    doc->setFocus();
}

void MainWindow::mmSaveClick()
{
    if (!CurrentFile.isEmpty()) {
        if (writeDocument(CurrentFile)) setDocumentState("stateSaved");
        return;
    }
    mmSaveAsClick();
}

void MainWindow::mmSaveAsClick()
{
    const QString path = m_prompts->saveFile(QString(), toolkitFilter(kSaveFilter), QStringLiteral("tkm"));
    if (path.isEmpty() || !writeDocument(path)) return;
    CurrentFile = path;
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
