// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// Every modal interaction of the program goes through here, so tests can script the
// answers instead of facing real dialogs.
class Prompts {
public:
    virtual ~Prompts() = default;
    // The error message window: heading as caption, each text (lines split at '\n').
    virtual void messageWindow(const QString &heading, const QStringList &texts) = 0;
    // A message box with the application title and one OK button: something went wrong or
    // cannot be done (the warning icon).
    virtual void message(const QString &text) = 0;
    // The same for a failure that ends what the program was doing (the error icon), and for
    // plain information (no icon).
    virtual void error(const QString &text) { message(text); }
    virtual void information(const QString &text) { message(text); }
    // A Yes/No confirmation; true for Yes.
    virtual bool question(const QString &text) = 0;
    // A question about one of the items (with more than one, they are listed and one is
    // chosen): Yes or No for the chosen item, or neither when the user puts it off (Esc,
    // closing the question), which must cost nothing.
    struct Choice {
        enum Answer {
            Yes,
            No,
            Neither
        };
        Answer answer = Neither;
        int item = 0;   // an index into the items
    };
    virtual Choice chooseOne(const QString &text, const QStringList &items) = 0;
    // The same for a question whose Yes throws the pupil's work away: No is the default
    // button, so Enter or Space on the box keeps the work, as Esc and the close box do.
    virtual bool confirmDiscard(const QString &text) { return question(text); }
    // File dialogs; filter in the toolkit's syntax. Empty result means cancelled.
    virtual QString openFile(const QString &title, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &filter, const QString &defaultSuffix) = 0;
    // Where the open dialog starts until the user has chosen a folder in it, and folders it
    // offers besides the usual places (the example programs).
    virtual void setOpenFolders(const QString &start, const QStringList &places) = 0;
    // A line of text, offered as `initial`; nothing when cancelled.
    virtual std::optional<QString> textInput(const QString &title, const QString &label,
                                             const QString &initial) = 0;
    // A folder, the dialog starting in `start`; empty when cancelled.
    virtual QString chooseFolder(const QString &title, const QString &start) = 0;
    // Where the next save dialog starts, e.g. the pupil's documents after an example.
    virtual void setSaveFolder(const QString &) { }
    // The message window with one hint below the report, set apart by its label.
    virtual void messageWindowWithHint(const QString &heading, const QStringList &texts,
                                       const QString &hintLabel, const QString &hint)
    {
        Q_UNUSED(hintLabel);
        Q_UNUSED(hint);
        messageWindow(heading, texts);
    }
};

// Turns a "Description (*.ext)|*.ext" filter into the toolkit's "Description (*.ext)".
QString toolkitFilter(const QString &pipeFilter);
