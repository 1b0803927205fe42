// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsoleText.h"
#include "base/LanguageRegistry.h"
#include "documents/ProgramFile.h"
#include "documents/Settings.h"
#include "lang/ProgramTranslator.h"
#include <algorithm>

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
    if (!loadProgramFile(path, styled, &error, Language::Eng, &ProgramTranslator::plainTextCodePage)) {
        err(QStringLiteral("trakmil: cannot read %1: %2").arg(path, error));
        return false;
    }
    lines = plainLines(styled);
    return true;
}

bool readLanguage(const QString &code, Language &lang)
{
    lang = languageFromCode(code);
    if (lang != Language::Unknown) return true;
    usageError(QStringLiteral("unknown language \"%1\"; use %2.").arg(code, languageChoices()));
    return false;
}

QString languageChoices(const QString &separator)
{
    QStringList codes;
    for (Language lang : builtInLanguages()) codes << languageCode(lang);
    if (!separator.isEmpty() || codes.size() < 2) return codes.join(separator);
    const QString last = codes.takeLast();
    return codes.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

bool readFieldSize(const QString &text, int &x, int &y)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) {
        usageError(QStringLiteral("--field wants WxH, e.g. 16x20."));
        return false;
    }
    const int wantX = m.captured(1).toInt(), wantY = m.captured(2).toInt();
    x = std::clamp(wantX, int(kMinFieldWidth), int(kMaxFieldWidth));
    y = std::clamp(wantY, int(kMinFieldHeight), int(kMaxFieldHeight));
    if (x != wantX || y != wantY)
        err(QStringLiteral("trakmil: the field is %1x%2 to %3x%4 cells; using %5x%6.")
                .arg(kMinFieldWidth)
                .arg(kMinFieldHeight)
                .arg(kMaxFieldWidth)
                .arg(kMaxFieldHeight)
                .arg(x)
                .arg(y));
    return true;
}

bool readMaxTicks(const QString &text, qint64 &ticks)
{
    bool ok = false;
    ticks = text.toLongLong(&ok);
    if (ok && ticks >= 0) return true;
    usageError(QStringLiteral("--max-ticks wants a whole number, 0 or more."));
    return false;
}

}   // namespace ConsoleText
