// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExamplesFolder.h"
#include "documents/ProgramFile.h"
#include "lang/LineMarks.h"
#include "lang/ProgramTranslator.h"
#include "base/LanguageRegistry.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString findExamplesFolder(const QString &applicationDir)
{
    const QDir app(applicationDir);
    QStringList candidates = {app.filePath(QStringLiteral("examples")),
                              app.filePath(QStringLiteral("../share/trakmil/examples"))};
    candidates +=
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("trakmil/examples"),
                                  QStandardPaths::LocateDirectory);
    candidates << app.filePath(QStringLiteral("../examples"));
    for (const QString &c : std::as_const(candidates))
        if (QFileInfo(c).isDir()) return QDir::cleanPath(QFileInfo(c).absoluteFilePath());
    return QString();
}

QString examplesFolderFor(const QString &examplesRoot, Language lang)
{
    if (examplesRoot.isEmpty()) return QString();
    const QString own = QDir(examplesRoot).filePath(languageInfo(knownOrFirst(lang))->examplesFolder);
    return QFileInfo(own).isDir() ? own : examplesRoot;
}

QString exampleTitle(const QString &path)
{
    StyledText styled;
    if (loadProgramFile(path, styled, nullptr, Language::Eng, &ProgramTranslator::plainTextCodePage)) {
        for (const StyledLine &line : std::as_const(styled)) {
            const QString s = line.text.trimmed();
            if (!s.startsWith(LineMark::Comment) || s.startsWith(LineMark::Directive)) continue;
            const QString title = s.mid(1).trimmed();
            if (!title.isEmpty()) return title;
        }
    }
    return QFileInfo(path).completeBaseName();
}
