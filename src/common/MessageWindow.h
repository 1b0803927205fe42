// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTextEdit;

// The message window through which program errors are reported: the heading as its
// caption, the explanation texts as its lines. Created once and reused; every report
// starts from an empty window.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget *parent = nullptr);

    // Fills the window and shows it modally; returns when the user has closed it.
    void showReport(const QString &heading, const QStringList &texts);
    // The same with a hint below the report, under its own label and colour; an empty
    // hint shows none.
    void showReport(const QString &heading, const QStringList &texts, const QString &hintLabel,
                    const QString &hint);

    QTextEdit *textBox = nullptr;
    QPushButton *okButton = nullptr;
    QLabel *hintBox = nullptr;   // hidden without a hint

    // Lines of the text box as shown, for callers that need to read it back.
    QStringList lines() const;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void appendText(const QString &text);
    // Wide enough for the heading in the caption; never narrower than the plain window.
    int widthFor(const QString &heading) const;
    // The window at this size, its text, hint and button following the width.
    void layOut(int width, int height);
    bool m_hasLines = false;
    QSize m_plainSize;   // an empty first line still counts as a line
};

// Puts a dialog in the middle of its parent's window (or of the screen without one).
void centreOnParent(QWidget *dialog);
