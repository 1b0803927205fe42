// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor for opening and typing: a bare plain text edit that reads a file as a
// bare editor would (the whole file, one setPlainText) and takes keys. scripts/perf-compare.sh
// holds Trakmil's editor against it.
//   anchor_editor [FILE] [WIDTHxHEIGHT]
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPlainTextEdit editor;
    editor.setWindowTitle(QStringLiteral("Anchor editor"));
    // Trakmil's editor does not wrap either: a line is a statement.
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    const QStringList args = app.arguments();
    if (const QString path = args.value(1); !path.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "anchor_editor: cannot read %s\n", qPrintable(path));
            return 1;
        }
        editor.setPlainText(QString::fromUtf8(file.readAll()));
    }
    const QStringList size = args.value(2).split(QLatin1Char('x'));
    if (size.size() == 2 && size.at(0).toInt() > 0 && size.at(1).toInt() > 0)
        editor.resize(size.at(0).toInt(), size.at(1).toInt());
    editor.show();
    return app.exec();
}
