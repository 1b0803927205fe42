// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/Prompts.h"
#include <QList>
#include <QPair>
#include <QQueue>
#include <functional>

// Records every modal interaction and answers from queues, so tests never block.
class ScriptedPrompts : public Prompts {
public:
    struct Report {
        QString heading;
        QStringList texts;
        QString hint;   // shown below the report, when there is one
    };
    QList<Report> reports;   // messageWindow calls
    QStringList messages;   // message calls
    QStringList questions;   // question calls
    QQueue<bool> answers;   // question answers; Yes when empty
    struct Asked {
        QString text;
        QStringList items;
    };
    QList<Asked> choices;   // chooseOne calls
    QQueue<Choice> choiceAnswers;   // their answers; Yes for the first item when empty
    QQueue<QString> openPaths;   // openFile answers; "" (cancel) when empty
    QQueue<QString> savePaths;   // saveFile answers; "" (cancel) when empty
    QStringList openTitles, openFilters, saveTitles, saveFilters, saveSuffixes;
    std::function<void()> onMessageWindow;   // runs while the "modal" window is open
    QString openStart;   // the last setOpenFolders call
    QStringList openPlaces;

    void messageWindow(const QString &heading, const QStringList &texts) override
    {
        reports.append({heading, texts, QString()});
        if (onMessageWindow) onMessageWindow();
    }
    void messageWindowWithHint(const QString &heading, const QStringList &texts, const QString &,
                               const QString &hint) override
    {
        reports.append({heading, texts, hint});
        if (onMessageWindow) onMessageWindow();
    }
    QString saveFolder;   // the last setSaveFolder call
    void setSaveFolder(const QString &folder) override { saveFolder = folder; }
    void message(const QString &text) override { messages << text; }
    bool question(const QString &text) override
    {
        questions << text;
        return answers.isEmpty() ? true : answers.dequeue();
    }
    Choice chooseOne(const QString &text, const QStringList &items) override
    {
        choices.append({text, items});
        return choiceAnswers.isEmpty() ? Choice {Choice::Yes, 0} : choiceAnswers.dequeue();
    }
    QString openFile(const QString &title, const QString &filter) override
    {
        openTitles << title;
        openFilters << filter;
        return openPaths.isEmpty() ? QString() : openPaths.dequeue();
    }
    QString saveFile(const QString &title, const QString &filter, const QString &suffix) override
    {
        saveTitles << title;
        saveFilters << filter;
        saveSuffixes << suffix;
        return savePaths.isEmpty() ? QString() : savePaths.dequeue();
    }
    QStringList textLabels;   // textInput calls
    QQueue<std::optional<QString>> textAnswers;   // their answers; cancelled when empty
    std::optional<QString> textInput(const QString &, const QString &label, const QString &) override
    {
        textLabels << label;
        return textAnswers.isEmpty() ? std::nullopt : textAnswers.dequeue();
    }
    QStringList folderTitles;   // chooseFolder calls
    QQueue<QString> folders;   // their answers; "" (cancel) when empty
    QString chooseFolder(const QString &title, const QString &) override
    {
        folderTitles << title;
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
    void setOpenFolders(const QString &start, const QStringList &places) override
    {
        openStart = start;
        openPlaces = places;
    }
};
