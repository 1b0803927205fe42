// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/MakeTaskDialog.h"
#include "documents/DocumentConvert.h"

#include <QTextDocument>

void MainWindow::makeTaskCommand()
{
    // Made afresh each time: it shows the program as it is now, in the Language of now.
    MakeTaskDialog dialog(
        MakeTaskDialog::Inputs {
            .program = styledFromDocument(*m_editor->document()),
            .keywords = language(),
            .texts = textLanguage(),
            .field = QSize(m_settings.fieldWidth, m_settings.fieldHeight),
            .speed = m_settings.speed,
        },
        prompts(), this);
    dialog.exec();
}
