// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/ScriptedPrompts.h"
#include "editor/AlgorithmEditor.h"
#include "lang/Highlight.h"
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <memory>

// A real editor on the offscreen platform, shown so that keys and clicks reach it.
struct EditorHarness {
    ScriptedPrompts prompts;
    std::unique_ptr<AlgorithmEditor> ed;
    QString endOfRunLabel, noErrorsLabel;

    explicit EditorHarness(Language lang = Language::Rus)
    {
        ed = std::make_unique<AlgorithmEditor>();
        ed->setLanguage(lang);
        ed->setPrompts(&prompts);
        ed->resize(320, 420);
        ed->show();
        ed->setFocus();
        QObject::connect(ed.get(), &AlgorithmEditor::linePanelsChanged,
                         [this](const QString &a, const QString &b) {
                             endOfRunLabel = a;
                             noErrorsLabel = b;
                         });
    }
    AlgorithmEditor &operator*() { return *ed; }
    AlgorithmEditor *operator->() { return ed.get(); }

    // Sets the text as a loaded program would arrive: plain, uncoloured, no undo history.
    void load(const QString &text)
    {
        ed->setPlainText(text);
        ed->document()->clearUndoRedoStacks();
    }
    QStringList lines() const { return ed->toPlainText().split(QLatin1Char('\n')); }
    // Types character by character as a keyboard would (QTest maps only ASCII itself).
    void type(const QString &s)
    {
        for (QChar c : s) {
            const int code = c == QLatin1Char(' ') ? int(Qt::Key_Space) : int(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, ed.get(), Qt::Key(code), QString(c), Qt::NoModifier);
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(ed.get(), k, m); }
};

inline QString hex(QRgb c) { return QStringLiteral("%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0')); }
#define EXPECT_COLOR(actual, expected) EXPECT_EQ(hex(actual), hex(expected))
