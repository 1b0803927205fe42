// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClassReport.h"
#include "cli/TranslateMode.h"
#include "base/SafeFile.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"

#include <QFileInfo>
#include <algorithm>

namespace {

using Grade = CompareMode::PupilGrade;

QString t(const char *key, Language lang)
{
    return uiText(QByteArray("report.") + key, lang).value_or(QString());
}

QString escaped(const QString &s) { return s.toHtmlEscaped(); }

// The report's lang attribute: the language part of the Language's locale.
QString htmlLanguage(Language lang)
{
    return languageInfo(knownOrFirst(lang))->locale.section(QLatin1Char('_'), 0, 0);
}

QString dataUri(const QByteArray &png)
{
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QString image(const QByteArray &png, const QString &alt, const char *cell = "pic")
{
    const QString open = QStringLiteral("<td class=\"%1\">").arg(QLatin1String(cell));
    if (png.isEmpty()) return open + QStringLiteral("</td>");
    return open + QStringLiteral("<img src=\"%1\" alt=\"%2\"/></td>").arg(dataUri(png), escaped(alt));
}

// The program in the colours the editor gives it.
QString programHtml(const QStringList &lines, Language lang)
{
    QString r;
    for (const StyledLine &line : TranslateMode::colouredProgram(lines, lang)) {
        qsizetype at = 0;
        for (const ColourRun &run : line.runs) {
            r += QStringLiteral("<span style=\"color:#%1\">%2</span>")
                     .arg(run.colour & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                     .arg(escaped(line.text.mid(at, run.length)));
            at += run.length;
        }
        r += escaped(line.text.mid(at)) + QLatin1Char('\n');
    }
    return r;
}

QString reasonText(const Grade &p, Language lang)
{
    switch (p.failure) {
    case Grade::Failure::Check:
        return p.line > 0 ? t("checkError", lang).arg(p.line) : t("checkErrorNoLine", lang);
    case Grade::Failure::Run:
        return t("runError", lang).arg(p.line);
    case Grade::Failure::TickLimit:
        return t("tickLimit", lang).arg(p.ticks);
    case Grade::Failure::None:
        break;
    }
    if (p.verdict == Grade::Verdict::Same) return QString();
    if (p.verdict == Grade::Verdict::Unreadable) return t("notRead", lang).arg(p.reason);
    return t("differences", lang)
        .arg(p.missing)
        .arg(p.extra)
        .arg(p.colourDiffers)
        .arg(t(p.sameEnd ? "endSame" : "endDiffers", lang));
}

int rank(Grade::Verdict v)
{
    // What needs the teacher's eye first.
    switch (v) {
    case Grade::Verdict::Differs:
        return 0;
    case Grade::Verdict::Unreadable:
        return 1;
    case Grade::Verdict::Same:
        break;
    }
    return 2;
}

const char kStyle[] = "body{font-family:sans-serif;margin:1em;color:#000;background:#fff}"
                      "table{border-collapse:collapse}"
                      "th,td{border:1px solid #999;padding:4px;vertical-align:top;text-align:left}"
                      "th{background:#eee}"
                      "tr.differs td.verdict b{color:#a00}tr.unreadable td.verdict b{color:#555}"
                      "tr.same td.verdict b{color:#070}"
                      "td.pic img,div.model{width:179px;height:219px}"
                      "td.diff img{width:179px;height:242px}"
                      "pre{font-family:'Courier New',monospace;font-size:13px;margin:4px 0}"
                      "ul{margin:4px 0;padding-left:1.2em;font-size:90%}";

}   // namespace

QString classReportHtml(const QString &modelFile, const CompareMode::Grading &g, Language lang)
{
    QList<const Grade *> rows;
    int same = 0, differ = 0, unread = 0;
    for (const Grade &p : g.pupils) {
        rows << &p;
        same += p.verdict == Grade::Verdict::Same ? 1 : 0;
        differ += p.verdict == Grade::Verdict::Differs ? 1 : 0;
        unread += p.verdict == Grade::Verdict::Unreadable ? 1 : 0;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Grade *a, const Grade *b) { return rank(a->verdict) < rank(b->verdict); });

    QString h;
    h.reserve(64 * 1024 + g.pupils.size() * 40 * 1024);
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\"/><title>%2</title>")
             .arg(htmlLanguage(lang), escaped(t("title", lang)));
    // The model's picture is the same in every row: it is embedded once, as a style.
    h += QStringLiteral("<style>") + QLatin1String(kStyle) +
         QStringLiteral("div.model{background:url(%1) no-repeat;background-size:contain}")
             .arg(dataUri(g.modelPng)) +
         QStringLiteral("</style></head>\n<body>\n");
    h += QStringLiteral("<h1>%1</h1>\n").arg(escaped(t("title", lang)));
    h += QStringLiteral("<p class=\"model-file\">%1</p>\n")
             .arg(escaped(t("model", lang).arg(QFileInfo(modelFile).fileName())));
    h += QStringLiteral("<p class=\"summary\">%1</p>\n")
             .arg(escaped(t("summary", lang).arg(g.pupils.size()).arg(same).arg(differ).arg(unread)));
    h += QStringLiteral("<details class=\"model-program\"><summary>%1</summary><pre>%2</pre></details>\n")
             .arg(escaped(t("program", lang)), programHtml(g.modelProgram, g.modelLanguage));
    h += QStringLiteral("<table>\n<thead><tr><th>%1</th><th>%2</th><th>%3</th><th>%4</th><th>%5</th></tr></"
                        "thead>\n<tbody>\n")
             .arg(escaped(t("file", lang)), escaped(t("verdict", lang)), escaped(t("modelDrawing", lang)),
                  escaped(t("pupilDrawing", lang)), escaped(t("diffDrawing", lang)));
    for (const Grade *p : rows) {
        const char *verdictKey = p->verdict == Grade::Verdict::Same      ? "same"
                                 : p->verdict == Grade::Verdict::Differs ? "differs"
                                                                         : "unreadable";
        h += QStringLiteral("<tr class=\"%1\" data-file=\"%2\">")
                 .arg(QLatin1String(verdictKey), escaped(p->file));
        h += QStringLiteral("<td class=\"file\">%1").arg(escaped(QFileInfo(p->file).fileName()));
        if (!p->program.isEmpty())
            h += QStringLiteral("<details><summary>%1</summary><pre>%2</pre></details>")
                     .arg(escaped(t("program", lang)), programHtml(p->program, p->language));
        h += QStringLiteral("</td><td class=\"verdict\"><b>%1</b>").arg(escaped(t(verdictKey, lang)));
        const QString reason = reasonText(*p, lang);
        if (!reason.isEmpty()) h += QStringLiteral("<br/>") + escaped(reason);
        if (!p->details.isEmpty()) {
            h += QStringLiteral("<ul>");
            for (const QString &d : p->details)
                h += QStringLiteral("<li>") + escaped(d.trimmed()) + QStringLiteral("</li>");
            h += QStringLiteral("</ul>");
        }
        h += QStringLiteral("</td>");
        if (p->verdict == Grade::Verdict::Unreadable) {
            h += QStringLiteral("<td class=\"pic\"></td><td class=\"pic\"></td><td class=\"pic\"></td>");
        } else {
            h += QStringLiteral("<td class=\"pic\"><div class=\"model\" role=\"img\"></div></td>");
            if (p->verdict == Grade::Verdict::Same)
                h += QStringLiteral("<td class=\"pic\"><div class=\"model\" role=\"img\"></div></td>");
            else
                h += image(p->pupilPng, t("pupilDrawing", lang));
            h += image(p->diffPng, t("diffDrawing", lang), "diff");
        }
        h += QStringLiteral("</tr>\n");
    }
    h += QStringLiteral("</tbody>\n</table>\n</body></html>\n");
    return h;
}

bool writeClassReport(const QString &path, const QString &modelFile, const CompareMode::Grading &g,
                      Language lang, QString *error)
{
    FileError failure;
    if (writeFileSafely(path, classReportHtml(modelFile, g, lang).toUtf8(), &failure)) return true;
    if (error) *error = fileErrorReason(failure, Language::Eng);   // said on the console, in English
    return false;
}
