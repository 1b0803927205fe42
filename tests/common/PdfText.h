// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// What poppler's tools read out of a PDF, the way a reader's search or copy finds it; empty
// when the tool is missing (see hasPdfTools) or fails.
inline bool hasPdfTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QString runPdfTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        ADD_FAILURE() << tool.toStdString() << " failed: " << args.join(' ').toStdString();
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The pages' text laid out as on paper, one string per page.
inline QStringList pdfPages(const QString &path)
{
    const QString all =
        runPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                 QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QStringList pages = all.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

#define SKIP_WITHOUT_PDF_TOOLS()                                                                             \
    do {                                                                                                     \
        if (!hasPdfTools()) GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";       \
    } while (false)
