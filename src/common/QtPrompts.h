// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "common/Prompts.h"
#include <QPointer>

class QWidget;
class MessageWindow;

// The real dialogs behind Prompts, all modal over the given parent window.
class QtPrompts : public Prompts {
public:
    // The message window is made on first use, a child of parent (owned by this object if
    // parent is null).
    explicit QtPrompts(QWidget *parent);
    ~QtPrompts() override;

    void messageWindow(const QString &heading, const QStringList &texts) override;
    void message(const QString &text) override;
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool question(const QString &text) override;
    Choice chooseOne(const QString &text, const QStringList &items) override;
    bool confirmDiscard(const QString &text) override;
    QString openFile(const QString &title, const QString &filter) override;
    QString saveFile(const QString &title, const QString &filter, const QString &defaultSuffix) override;
    void setOpenFolders(const QString &start, const QStringList &places) override;
    std::optional<QString> textInput(const QString &title, const QString &label,
                                     const QString &initial) override;
    QString chooseFolder(const QString &title, const QString &start) override;

    // The caption of the message and question boxes; the application's display name
    // while empty.
    void setTitle(const QString &title) { m_title = title; }
    // The Language of the boxes' own buttons.
    void setLanguage(Language lang) { m_language = lang; }
    QString title() const;

    MessageWindow *messageWindow();
    void setSaveFolder(const QString &folder) override { m_lastDir = folder; }
    void messageWindowWithHint(const QString &heading, const QStringList &texts, const QString &hintLabel,
                               const QString &hint) override;
    // The folder the file dialogs start in; follows the last file chosen.
    QString lastDirectory() const { return m_lastDir; }

private:
    void showMessage(int icon, const QString &text);
    bool ask(const QString &text, bool yesByDefault);
    QWidget *m_parent;
    QPointer<MessageWindow> m_messageWindow;
    bool m_messageWindowMade = false;
    QString m_lastDir;
    QString m_title;
    Language m_language = Language::Rus;
    QString m_openStart;
    QStringList m_openPlaces;
};
