#include "common/QtPrompts.h"

#include "common/MessageWindow.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

QtPrompts::QtPrompts(QWidget *parent) : parent_(parent), messaga_(new Tmessaga(parent)) {}

QtPrompts::~QtPrompts()
{
    if (!parent_) delete messaga_.data();
}

void QtPrompts::messageWindow(const QString &heading, const QStringList &texts)
{
    if (messaga_) messaga_->ReportError(heading, texts);
}

void QtPrompts::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPrompts::question(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
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
    QFileDialog dlg(parent_);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::AnyFile);
    prepare(dlg, title, filter, lastDir_);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    const QString path = dlg.selectedFiles().constFirst();
    lastDir_ = QFileInfo(path).absolutePath();
    return path;
}

QString QtPrompts::saveFile(const QString &title, const QString &filter,
                            const QString &defaultSuffix)
{
    QFileDialog dlg(parent_);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    prepare(dlg, title, filter, lastDir_);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    const QString path = dlg.selectedFiles().constFirst();
    lastDir_ = QFileInfo(path).absolutePath();
    return path;
}
