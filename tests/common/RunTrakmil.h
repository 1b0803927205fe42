// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// What the real executable printed and returned.
struct ProcessOutcome {
    int exitCode = -1;   // -2 when it crashed, -1 when it did not finish
    QString out, err;
    QStringList outLines() const
    {
        QStringList lines = out.split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
};

// Runs a copy of trakmil without a display, as a teacher's script would.
inline ProcessOutcome runTrakmilAt(const QString &binary, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(binary, args);
    ProcessOutcome o;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "trakmil did not finish: " << args.join(' ').toStdString();
        return o;
    }
    o.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    o.out = QString::fromUtf8(p.readAllStandardOutput());
    o.err = QString::fromUtf8(p.readAllStandardError());
    return o;
}

// Runs the built trakmil so.
inline ProcessOutcome runTrakmil(const QStringList &args)
{
    return runTrakmilAt(QStringLiteral(TRAKMIL_BINARY), args);
}

// A plain-text program file in Windows-1251 with CR LF line ends, as pupils' files come.
inline QString writeProgram(const QTemporaryDir &dir, const QString &name, const QStringList &lines)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    QStringEncoder cp1251("windows-1251");
    f.write(QByteArray(cp1251(lines.join(QStringLiteral("\r\n")))));
    return path;
}
