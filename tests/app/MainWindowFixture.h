// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/MainWindow.h"
#include "app/Mnemonics.h"
#include "app/StatusBar.h"
#include "app/WindowDialogs.h"
#include "common/ObjectNames.h"
#include "common/Printers.h"
#include "common/ScriptedPrompts.h"
#include "editor/AlgorithmEditor.h"
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QFileInfo>
#include <QToolButton>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

// The window's own controls and timers, found by object name (common/ObjectNames.h) the
// way a user or the clock reaches them.
template <class T> T *controlOf(const MainWindow &window, const char *name)
{
    T *found = window.centralWidget()->findChild<T *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}
inline QTimer *timerOf(const MainWindow &window, const char *name)
{
    auto *found = window.findChild<QTimer *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    EXPECT_NE(found, nullptr) << "no timer " << name;
    return found;
}
// As if the timer had run out.
inline void fireTimeout(QTimer *timer)
{
    EXPECT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection)) << "no timeout signal";
}

// A real main window on the offscreen platform, with scripted dialogs and its settings
// file in a temporary folder.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    MainWindow &open(const QString &startupFile = QString(), const QByteArray &ini = QByteArray())
    {
        if (!ini.isEmpty()) {
            QFile f(iniPath());
            f.open(QIODevice::WriteOnly);
            f.write(ini);
        }
        MainWindow::Options o;
        o.settingsPath = iniPath();
        o.startupFile = startupFile;
        o.prompts = &prompts;
        o.examplesFolder = examplesFolder;
        o.loadProgressAfterMs = loadProgressAfterMs;
        o.runClockNs = runClockNs;
        o.printDialog = printDialog;
        o.showPrintPreview = showPrintPreview;
        window = std::make_unique<MainWindow>(o);
        return *window;
    }
    // The nine dialogs the window makes on first use, made now through the window's own
    // accessor, for the tests that go through every dialog.
    void makeDialogs()
    {
        WindowDialogs &dialogs = window->dialogs();
        dialogs.preferences();
        dialogs.extendedSettings();
        dialogs.about();
        for (Command c : {Command::CreateProcedure, Command::CallProcedure, Command::CountedLoop,
                          Command::ConditionalLoop, Command::Condition, Command::Colour})
            dialogs.forCommand(c);
    }
    QString examplesFolder;   // given to the window by open()
    int loadProgressAfterMs = 500;   // given to the window by open()
    std::function<qint64()> runClockNs;   // given to the window by open(); empty: the real clock
    // The print dialogs, given to the window by open(); empty: the toolkit's, which block.
    std::function<bool(QPrinter &)> printDialog = [](QPrinter &) { return false; };
    std::function<void(QDialog &)> showPrintPreview = [](QDialog &) {};
    QString iniPath() const { return dir.filePath(QStringLiteral("trakmil.ini")); }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void setProgram(const char *text) { window->editor()->setPlainText(QString::fromUtf8(text)); }
    QString panel(StatusPanel p) const
    {
        return window->findChild<StatusBar *>(QLatin1String(ObjectName::StatusBar))->panelText(p);
    }
    template <class T> T *control(const char *name) const { return controlOf<T>(*window, name); }
    QTimer *timer(const char *name) const { return timerOf(*window, name); }
    void timeout(const char *timerName) const { fireTimeout(timer(timerName)); }
    // Lock tables name their controls by object name.
    bool enabled(const char *name) const
    {
        const QString n = QString::fromLatin1(name);
        if (auto *a = window->findChild<QAction *>(n)) return a->isEnabled();
        if (auto *b = window->findChild<QToolButton *>(n)) return b->isEnabled();
        if (auto *m = window->findChild<QMenu *>(n)) return m->menuAction()->isEnabled();
        ADD_FAILURE() << "no control " << name;
        return false;
    }
    // Ticks until the run stops or the limit is reached; returns the number of ticks.
    int runToStop(int limit = 10000)
    {
        int n = 0;
        while (window->runController().isActive() && n < limit) {
            window->runController().tick();
            ++n;
        }
        return n;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};
