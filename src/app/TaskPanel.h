// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "run/Grading.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;
class QListWidget;

// Beside the field while a task is open: its title and text, and what the last Check task
// found, field by field and rule by rule. Choosing a field asks the window to show it.
class TaskPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 262;
    explicit TaskPanel(QWidget *parent = nullptr);

    void setTask(const Task &task, Language lang);
    // No verdict yet, or the program changed since the last one (which stays listed).
    void showNotChecked();
    void showChanged();
    // `keywords`: the Language the program was checked in, which names its commands.
    void showVerdict(const Task &task, const TaskVerdict &verdict, Language keywords, Language lang);
    void retranslate(const Task &task, Language lang);
    // The field whose row is chosen, or -1.
    int chosenField() const;
    void chooseField(int index);
    void setChoosingEnabled(bool enabled);

    // For screen readers and tests: what the panel says, line by line.
    QString verdictText() const;
    QStringList resultLines() const;

signals:
    void fieldChosen(int index);
    void closeRequested();

private:
    enum class State {
        NotChecked,
        Checked,
        Changed
    };
    void showState();
    QTextBrowser *taskText();

    Language m_lang = Language::Eng;
    State m_state = State::NotChecked;
    bool m_solved = false;
    QLabel *m_title;
    QTextBrowser *m_text = nullptr;   // made when the first task is set
    QLabel *m_keywords;
    QLabel *m_verdict;
    QListWidget *m_results;
    QPushButton *m_close;
};
