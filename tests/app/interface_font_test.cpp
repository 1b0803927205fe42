// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One small dialog font for every window and menu of the program.
#include "MainWindowFixture.h"
#include "app/AboutWindow.h"
#include "common/ModalHelper.h"
#include "common/MessageWindow.h"
#include "common/QtPrompts.h"
#include "documents/widgets/ExtendedSettingsDialog.h"
#include "editor/AlgorithmEditor.h"
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

namespace {

void expectDialogFont(const QWidget *w, const QString &what)
{
    ASSERT_NE(w, nullptr) << what.toStdString();
    const QFontInfo shown(w->font());
    EXPECT_EQ(w->font().pointSizeF(), 8.0) << what.toStdString();
    EXPECT_EQ(shown.family(), QStringLiteral("Liberation Sans")) << what.toStdString();
}

}   // namespace

TEST_F(MainWindowTest, EveryWindowAndMenuUsesTheEightPointDialogFont)
{
    open();
    expectDialogFont(window.get(), QStringLiteral("main window"));
    for (MenuId m : {MenuId::File, MenuId::Edit, MenuId::Commands, MenuId::Help})
        expectDialogFont(window->menu(m), window->menu(m)->objectName());
    for (const char *name : {"PopupMenu1", "PopupMenu2", "N54", "N15", "N16", "N22"})
        expectDialogFont(window->findChild<QMenu *>(QString::fromLatin1(name)), QString::fromLatin1(name));
    makeDialogs();
    expectDialogFont(window->findChild<PreferencesDialog *>(), QStringLiteral("preferences"));
    expectDialogFont(window->findChild<ExtendedSettingsDialog *>(), QStringLiteral("extended settings"));
    expectDialogFont(window->findChild<AboutWindow *>(), QStringLiteral("about"));
    expectDialogFont(window->findChild<AboutWindow *>()->okButton, QStringLiteral("about OK"));
    for (const char *name :
         {"Procedure_create", "Procedure_execute", "CycleN", "CycleWhile", "ConditionIf", "FormColor"})
        expectDialogFont(window->findChild<QDialog *>(QString::fromLatin1(name)), QString::fromLatin1(name));
    // The controls inside take it too.
    for (QLabel *l : window->findChild<QDialog *>(QStringLiteral("ConditionIf"))->findChildren<QLabel *>())
        expectDialogFont(l, QStringLiteral("label ") + l->text());
}

TEST_F(MainWindowTest, MessageBoxesUseTheDialogFont)
{
    open();
    QtPrompts real(window.get());
    QFont boxFont, buttonFont;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        boxFont = box->font();
        buttonFont = box->button(QMessageBox::Yes)->font();
        box->button(QMessageBox::Yes)->click();
    });
    real.question(QStringLiteral("Действительно очистить алгоритм?"));
    expectDialogFont(real.messageWindow(), QStringLiteral("message window"));
    expectDialogFont(real.messageWindow()->textBox, QStringLiteral("message text"));
    EXPECT_EQ(boxFont.pointSizeF(), 8.0);
    EXPECT_EQ(QFontInfo(boxFont).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(buttonFont.pointSizeF(), 8.0);
}

// Where "Times New Roman" is missing the editor names the face the toolkit settles on for it,
// asked once: the same face as the name itself gives, at the start's 16 pixels and at any zoom.
TEST_F(MainWindowTest, EditorShowsTheFaceTimesNewRomanResolvesTo)
{
    open();
    AlgorithmEditor *ed = window->editor();
    for (int points : {int(AlgorithmEditor::DefaultZoom), int(AlgorithmEditor::MaxZoom)}) {
        ed->setZoomPoints(points);
        const int pixels = points * 4 / 3;
        QFont times(QStringLiteral("Times New Roman"));
        times.setPixelSize(pixels);
        const QFontInfo wanted(times), shown(ed->font()), document(ed->document()->defaultFont());
        EXPECT_EQ(shown.family(), wanted.family()) << points;
        EXPECT_EQ(shown.styleName(), wanted.styleName()) << points;
        EXPECT_EQ(shown.pixelSize(), pixels) << points;
        EXPECT_EQ(document.family(), wanted.family()) << points;
        // One font for the editor and its text, not a second of the same face with the window's hint.
        EXPECT_EQ(ed->font(), ed->document()->defaultFont()) << points;
    }
}
