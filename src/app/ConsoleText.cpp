// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConsoleText.h"
#include "documents/ProgramFile.h"

#include <QRegularExpression>
#include <cstdio>

namespace ConsoleText {

void out(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void err(const QString &line)
{
    std::fflush(stdout);
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

int usageError(const QString &why)
{
    err(QStringLiteral("trakmil: ") + why);
    err(QStringLiteral("Try 'trakmil --help'."));
    return 2;
}

QStringList reportLines(const QString &file, const ErrorReport &r)
{
    QStringList l;
    if (r.line >= 0)
        l << file + QLatin1Char(':') + QString::number(r.line + 1) + QStringLiteral(": ") + r.heading;
    else
        l << file + QStringLiteral(": ") + r.heading;
    for (const QString &text : r.texts)
        for (const QString &line : text.split(QLatin1Char('\n'))) l << QStringLiteral("  ") + line;
    return l;
}

QStringList fatalLines(const QString &file, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList l {file + QStringLiteral(": ") + lines.value(0)};
    for (qsizetype i = 1; i < lines.size(); ++i) l << QStringLiteral("  ") + lines.at(i);
    return l;
}

bool readProgram(const QString &path, QStringList &lines)
{
    StyledText styled;
    QString error;
    if (!loadProgramFile(path, styled, &error)) {
        err(QStringLiteral("trakmil: cannot read %1: %2").arg(path, error));
        return false;
    }
    lines = plainLines(styled);
    return true;
}

bool parseFieldSize(const QString &text, int &x, int &y)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return false;
    x = m.captured(1).toInt();
    y = m.captured(2).toInt();
    return true;
}

}   // namespace ConsoleText
