#include "common/QtPrompts.h"

#include "common/MessageWindow.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

QtPrompts::QtPrompts(QWidget *parent) : m_parent(parent), m_messageWindow(new MessageWindow(parent)) {}

QtPrompts::~QtPrompts()
{
    if (!m_parent) delete m_messageWindow.data();
}

QString QtPrompts::title() const
{
    return m_title.isEmpty() ? QGuiApplication::applicationDisplayName() : m_title;
}

void QtPrompts::messageWindow(const QString &heading, const QStringList &texts)
{
    if (m_messageWindow) m_messageWindow->showReport(heading, texts);
}

void QtPrompts::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text,
                    QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPrompts::question(const QString &text)
{
    QMessageBox box(QMessageBox::Question, title(), text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {
// Qt's own dialog: it behaves the same on every platform, and unlike some native ones it
// accepts a name that does not exist yet in an open dialog, leaving the error to the reader.
void prepare(QFileDialog &dlg, const QString &title, const QString &filter, const QString &dir)
{
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setSizeGripEnabled(true);
    if (!title.isEmpty()) dlg.setWindowTitle(title);
    if (!filter.isEmpty()) dlg.setNameFilters(filter.split(QStringLiteral(";;")));
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) dlg.setDirectory(dir);
}
}

QString QtPrompts::openFile(const QString &title, const QString &filter)
{
    QFileDialog dlg(m_parent);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::AnyFile);
    prepare(dlg, title, filter, m_lastDir);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    const QString path = dlg.selectedFiles().constFirst();
    m_lastDir = QFileInfo(path).absolutePath();
    return path;
}

QString QtPrompts::saveFile(const QString &title, const QString &filter,
                            const QString &defaultSuffix)
{
    QFileDialog dlg(m_parent);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    prepare(dlg, title, filter, m_lastDir);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    const QString path = dlg.selectedFiles().constFirst();
    m_lastDir = QFileInfo(path).absolutePath();
    return path;
}
