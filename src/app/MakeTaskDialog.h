// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "documents/ProgramFile.h"
#include "run/Grading.h"
#include "run/TaskFile.h"

#include <QDialog>
#include <QSize>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <utility>

class ClampingSpinBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Prompts;

// The object names of the dialog and its controls; N counts from 1.
namespace MakeTaskNames {
inline constexpr const char *Dialog = "MakeTaskDialog";
inline constexpr const char *Title = "makeTaskTitle";
inline constexpr const char *Text = "makeTaskText";
inline constexpr const char *FieldCount = "makeTaskFieldCount";
inline constexpr const char *Width = "makeTaskWidth%1";   // makeTaskWidth1 .. makeTaskWidth4
inline constexpr const char *Height = "makeTaskHeight%1";
inline constexpr const char *EndMatters = "makeTaskEndMatters";
inline constexpr const char *LimitLines = "makeTaskLimitLines";   // the check box
inline constexpr const char *MaxLines = "makeTaskMaxLines";   // its number
inline constexpr const char *Rule = "makeTaskRule_%1";   // by the construct's file name: makeTaskRule_loop
inline constexpr const char *Keywords = "makeTaskKeywords";
inline constexpr const char *Start = "makeTaskStart";
inline constexpr const char *Preview = "makeTaskPreview%1";   // the goal's picture
inline constexpr const char *PreviewCaption = "makeTaskPreviewCaption%1";
inline constexpr const char *Problem = "makeTaskProblem";   // why Save is off
inline constexpr const char *RulesNote = "makeTaskRulesNote";   // the model breaks its own rules
inline constexpr const char *Save = "makeTaskSave";
inline constexpr const char *Cancel = "makeTaskCancel";
}   // namespace MakeTaskNames

// The teacher's side of tasks: the program in the editor becomes the model, and the dialog
// shows what it draws on each check field before the task is written. A model that does not
// run to its end on a field is refused, that field named, and nothing can be saved.
class MakeTaskDialog : public QDialog {
    Q_OBJECT
public:
    struct Inputs {
        StyledText program;   // the editor's text, with its colours
        Language keywords = Language::Rus;   // the model is read in these
        Language texts = Language::Rus;   // the interface's
        QSize field {16, 20};   // the window's field: the first check field
        int speed = 3;
    };
    // The choices of "the pupil starts with", in the order the list shows them.
    enum class StartChoice {
        None,
        Empty,
        ThisProgram
    };
    enum class RuleChoice {
        May,
        Must,
        MustNot
    };

    MakeTaskDialog(Inputs inputs, Prompts &prompts, QWidget *parent = nullptr);

    // Why the task cannot be saved as the controls stand; empty when it can.
    QString problem() const { return m_problem; }
    // The task the controls describe; nothing while there is a problem.
    std::optional<Task> task() const;
    // Asks where to write the task and writes it; on success the dialog is accepted, on
    // failure the reason is shown and every input stays.
    void save();

private:
    struct Outcome {
        std::optional<TaskField> goal;   // with its end, whether or not the end matters
        FieldDrawing failure;   // what the model did when it did not end
    };
    QString text(const char *key) const;
    void build();
    void applyCaptions();   // captions, access letters and accessible names
    void refreshFields();   // the previews, after a change of the fields; then refresh()
    void refresh();   // the problem, the Save button and the note on the rules
    const Outcome &outcome(QSize size);
    QSize fieldSize(int i) const;
    QString refusal(int field, QSize size, const FieldDrawing &failure) const;
    TaskRules rules() const;

    Inputs m_inputs;
    QStringList m_model;
    Prompts &m_prompts;
    QString m_problem;
    QString m_fieldFailure;   // the first field the model does not run to its end on
    // Each size is run once: the model cannot change while the dialog is up.
    std::map<std::pair<int, int>, Outcome> m_outcomes;

    QLineEdit *m_title = nullptr;
    QPlainTextEdit *m_text = nullptr;
    ClampingSpinBox *m_count = nullptr;
    std::array<ClampingSpinBox *, Task::MaxFields> m_width {}, m_height {};
    std::array<QLabel *, Task::MaxFields> m_fieldLabel {}, m_byLabel {};
    QCheckBox *m_endMatters = nullptr;
    QCheckBox *m_limitLines = nullptr;
    ClampingSpinBox *m_maxLines = nullptr;
    QLabel *m_linesLabel = nullptr;
    std::array<QComboBox *, TaskConstructCount> m_rule {};
    std::array<QLabel *, TaskConstructCount> m_ruleLabel {};
    QComboBox *m_keywords = nullptr;
    QComboBox *m_start = nullptr;
    std::array<QLabel *, Task::MaxFields> m_preview {}, m_previewCaption {};
    QLabel *m_problemLabel = nullptr;
    QLabel *m_rulesNote = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    // Captions with access letters, in the order of the dialog: Save and Cancel last.
    QList<std::pair<QWidget *, QString>> m_captioned;
};
