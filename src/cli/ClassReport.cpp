// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClassReport.h"
#include "cli/TranslateMode.h"
#include "base/SafeFile.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "lang/Statements.h"
#include "run/TaskTexts.h"
#include "world/FieldPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStringBuilder>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace ReportParts {

using Grade = CompareMode::PupilGrade;

QString t(const char *key, Language lang)
{
    return uiText(QByteArray("report.") + key, lang).value_or(QString());
}

QString escaped(const QString &s)
{
    // A garbage file's control characters are no character a page may hold.
    QString r = s.toHtmlEscaped();
    for (QChar &c : r)
        if ((c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t')) ||
            (c.unicode() >= 0x7F && c.unicode() < 0xA0) || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            c = QChar(QChar::ReplacementCharacter);
    return r;
}

// The report's lang attribute: the language part of the Language's locale.
QString htmlLanguage(Language lang)
{
    return languageInfo(knownOrFirst(lang))->locale.section(QLatin1Char('_'), 0, 0);
}

// The bytes in base64 with padding, as QByteArray::toBase64() writes them, straight into text:
// a report's pictures are most of its bytes, which the toolkit's encoder and the widening
// after it wrote twice over.
static QString withBase64(QStringView head, const QByteArray &bytes)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // Every 12 bits as their two digits, side by side as they are written.
    static const std::array<std::array<char16_t, 2>, 4096> kPairs = [] {
        std::array<std::array<char16_t, 2>, 4096> pairs {};
        for (size_t v = 0; v < pairs.size(); ++v)
            pairs[v] = {char16_t(kDigits[v >> 6]), char16_t(kDigits[v & 63])};
        return pairs;
    }();
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    QString uri(head.size() + (n + 2) / 3 * 4, Qt::Uninitialized);
    std::copy(head.begin(), head.end(), uri.begin());
    char16_t *out = reinterpret_cast<char16_t *>(uri.data()) + head.size();
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3, out += 4) {
        const quint32 v = quint32(in[i]) << 16 | quint32(in[i + 1]) << 8 | in[i + 2];
        std::memcpy(out, kPairs[v >> 12].data(), 2 * sizeof(char16_t));
        std::memcpy(out + 2, kPairs[v & 0xFFF].data(), 2 * sizeof(char16_t));
    }
    if (i < n) {
        const quint32 v = quint32(in[i]) << 16 | (i + 1 < n ? quint32(in[i + 1]) << 8 : 0);
        out[0] = char16_t(kDigits[v >> 18]);
        out[1] = char16_t(kDigits[(v >> 12) & 63]);
        out[2] = i + 1 < n ? char16_t(kDigits[(v >> 6) & 63]) : u'=';
        out[3] = u'=';
    }
    return uri;
}

QString dataUri(const QByteArray &png)
{
    // A class repeats its few wrong drawings many times over, each embedded where it is drawn:
    // each is written out once, for every thread. Small, and started again when full.
    static QMutex mutex;
    static QHash<QByteArray, QString> written;
    {
        const QMutexLocker lock(&mutex);
        if (const auto known = written.constFind(png); known != written.constEnd()) return *known;
    }
    const QString uri = withBase64(u"data:image/png;base64,", png);
    const QMutexLocker lock(&mutex);
    if (written.size() >= 64) written.clear();
    written.insert(png, uri);
    return uri;
}

// The pictures' data are most of a report: they are put in place in one piece, not through
// a pattern that copies them again.
QString image(const QByteArray &png, const QString &alt, const char *cell = "pic")
{
    if (png.isEmpty()) return QLatin1String("<td class=\"") % QLatin1String(cell) % QLatin1String("\"></td>");
    return QLatin1String("<td class=\"") % QLatin1String(cell) % QLatin1String("\"><img src=\"") %
           dataUri(png) % QLatin1String("\" alt=\"") % escaped(alt) % QLatin1String("\"/></td>");
}

// The program in the colours the editor gives it.
QString programHtml(const QStringList &lines, Language lang)
{
    QString r;
    for (const StyledLine &line : TranslateMode::colouredProgram(lines, lang)) {
        qsizetype at = 0;
        for (const ColourRun &run : line.runs) {
            r += QLatin1String("<span style=\"color:#") %
                 QString::number(run.colour & 0xFFFFFF, 16).rightJustified(6, QLatin1Char('0')) %
                 QLatin1String("\">") % escaped(line.text.mid(at, run.length)) % QLatin1String("</span>");
            at += run.length;
        }
        r += escaped(line.text.mid(at)) + QLatin1Char('\n');
    }
    return r;
}

QString reasonText(const Grade &p, Language lang)
{
    if (p.failure != Grade::Failure::None) return runStopText(p.failure, p.line, p.ticks, lang);
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
                      "ul{margin:4px 0;padding-left:1.2em;font-size:90%}"
                      // Printed without the browser's "background graphics" too.
                      "div.goal,div.model{-webkit-print-color-adjust:exact;print-color-adjust:exact}"
                      // A closed program cannot be opened on paper: a copy of it is printed.
                      "pre.print{display:none}"
                      "@media print{body{margin:0}tr{break-inside:avoid}th{background:none}"
                      "pre{white-space:pre-wrap;overflow-wrap:anywhere}"
                      "details.program{display:none}pre.print{display:block}}";

namespace {

constexpr int kDiffHeight = FieldPicture::Height + 46;   // the difference picture has a legend below

QString px(double v) { return QString::number(v, 'g', 6) + QStringLiteral("px"); }

// The part of a picture a field takes: the node numbers, the cells and room for the ring round
// an end node on the last line; the whole picture, the frame too, for the largest field.
QSize fieldPart(QSize field)
{
    const auto part = [](int cells, int most, int whole) { return cells >= most ? whole : 20 * cells + 28; };
    if (field.isEmpty()) return QSize(FieldPicture::Width, FieldPicture::Height);
    return QSize(part(field.width(), RobotWorld::MaxX, FieldPicture::Width),
                 part(field.height(), RobotWorld::MaxY, FieldPicture::Height));
}

QString selector(const QString &scope, const QString &inner, const QString &what)
{
    QStringList parts {scope, inner, what};
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' '));
}

// The pictures at `scale`: each is cut to the field's part, the rest clipped and its room given
// back, so that a small field fills the box. A scale below 2 keeps the smooth look: nearest
// pixels would drop the thin cell lines where they shrink.
QString sizedPictures(const PictureSelectors &at, const QString &inner, QSize part, double scale)
{
    const bool cut = part != QSize(FieldPicture::Width, FieldPicture::Height);
    const QString look = scale >= 2 ? QStringLiteral("pixelated") : QStringLiteral("auto");
    const double right = (FieldPicture::Width - part.width()) * scale;
    QString css =
        QStringLiteral("%1{width:%2;height:%3;background-size:%4 %5;background-position:0 0;"
                       "background-repeat:no-repeat;image-rendering:%6}")
            .arg(selector(at.scope, inner, at.goal), px(part.width() * scale), px(part.height() * scale),
                 px(FieldPicture::Width * scale), px(FieldPicture::Height * scale), look);
    const auto clipped = [&](const QString &what, int height) {
        const double below = cut ? (height - part.height()) * scale : 0;
        css += QStringLiteral("%1{width:%2;height:%3;clip-path:inset(0 %4 %5 0);margin-right:%6;"
                              "margin-bottom:%7;image-rendering:%8}")
                   .arg(selector(at.scope, inner, what), px(FieldPicture::Width * scale), px(height * scale),
                        px(right), px(below), px(2 - right), px(-below), look);
    };
    clipped(at.pupil, FieldPicture::Height);
    clipped(at.diff, kDiffHeight);
    return css;
}

}   // namespace

QString pictureStyle(const PictureSelectors &at, QSize field, const QString &zoomScope, int printWidth)
{
    const QSize part = fieldPart(field);
    const double fit = std::min(179.0 / part.width(), 219.0 / part.height());
    const double scale = fit >= 1 ? std::floor(fit) : fit;
    const double print = std::min(scale, double(printWidth) / part.width());
    QString css = sizedPictures(at, QString(), part, scale);
    if (!zoomScope.isEmpty()) css += sizedPictures(at, zoomScope, part, 2 * scale);
    css += QStringLiteral("@media print{") + sizedPictures(at, QString(), part, print);
    if (!zoomScope.isEmpty()) css += sizedPictures(at, zoomScope, part, print);
    return css + QLatin1Char('}');
}

int printPictureWidth(qsizetype columns)
{
    // A4 and letter pages hold about 700 pixels between the browser's margins; the pupil, the
    // verdict, the rules and the hand-in's columns take about 430 of them.
    return int(std::clamp<qsizetype>(270 / std::max<qsizetype>(columns, 1) - 14, 80, 179));
}

// The rows in the order that needs the teacher's eye first, and how many of each verdict.
QList<const Grade *> sortedRows(const CompareMode::Grading &g, int &same, int &differ, int &unread)
{
    QList<const Grade *> rows;
    same = differ = unread = 0;
    for (const Grade &p : g.pupils) {
        rows << &p;
        same += p.verdict == Grade::Verdict::Same ? 1 : 0;
        differ += p.verdict == Grade::Verdict::Differs ? 1 : 0;
        unread += p.verdict == Grade::Verdict::Unreadable ? 1 : 0;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Grade *a, const Grade *b) { return rank(a->verdict) < rank(b->verdict); });
    return rows;
}

// The file's name, or its path from the working folder where another pupil's file has the
// same name, with its program unfolding on demand; the cell is left open.
QString fileCell(const Grade &p, const QSet<QString> &sharedNames, Language lang)
{
    const QString name = QFileInfo(p.file).fileName();
    const bool shared = sharedNames.contains(name);
    const QString shown = shared ? QDir::cleanPath(QDir::current().relativeFilePath(p.file)) : name;
    QString h = QStringLiteral("<td class=\"file\">%1").arg(escaped(shown));
    if (!p.program.isEmpty())
        h += QStringLiteral("<details class=\"program\"><summary>%1</summary><pre>%2</pre></details>"
                            "<pre class=\"print\">%2</pre>")
                 .arg(escaped(t("program", lang)), programHtml(p.program, p.language));
    return h;
}

void detailList(QString &h, const QStringList &details)
{
    if (details.isEmpty()) return;
    h += QStringLiteral("<ul>");
    for (const QString &d : details)
        h += QStringLiteral("<li>") + escaped(d.trimmed()) + QStringLiteral("</li>");
    h += QStringLiteral("</ul>");
}

// The report against a task: a column per check field and one for the rules.

QString text(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }

// What differs on a field, a line each, worded as the window's check result.
QStringList fieldReasons(const CompareMode::FieldGrade &f, Language lang)
{
    if (f.failure != CompareMode::RunFailure::None) return {runStopText(f.failure, f.line, f.ticks, lang)};
    return differenceTexts(f.missing, f.extra, f.colourDiffers,
                           f.endDiffers && f.goalEnd ? &*f.goalEnd : nullptr, f.end, lang);
}

QString picture(const QByteArray &png, const QString &alt, const char *cls)
{
    return QLatin1String("<img class=\"") % QLatin1String(cls) % QLatin1String("\" src=\"") % dataUri(png) %
           QLatin1String("\" alt=\"") % escaped(alt) % QLatin1String("\"/>");
}

// The model's drawing, embedded once as a style, with its text alternative.
QString modelPicture(const QString &alt)
{
    return QStringLiteral("<div class=\"model\" role=\"img\" aria-label=\"%1\" title=\"%1\"></div>")
        .arg(escaped(alt));
}

// The goal of field `n` (from 1), embedded once as a style and shown wherever it stands.
QString goalPicture(int n, const QString &title)
{
    return QStringLiteral("<div class=\"goal f%1\" role=\"img\" aria-label=\"%2\" title=\"%2\"></div>")
        .arg(QString::number(n), escaped(title));
}

QString fieldCell(const CompareMode::FieldGrade &f, int n, Language lang, bool zoom)
{
    QString h = QStringLiteral("<td class=\"field %1\" data-field=\"%2\"><b>%3</b>")
                    .arg(QLatin1String(f.passed ? "right" : "wrong"))
                    .arg(n)
                    .arg(escaped(t(f.passed ? "fieldRight" : "fieldWrong", lang)));
    for (const QString &reason : fieldReasons(f, lang)) h += QStringLiteral("<br/>") + escaped(reason);
    detailList(h, f.details);
    if (zoom)
        h +=
            QStringLiteral("<details class=\"zoom\"><summary title=\"%1\">").arg(escaped(t("enlarge", lang)));
    h += QStringLiteral("<div class=\"pics\">") + goalPicture(n, t("goalDrawing", lang));
    // A passed field holds the goal's drawing, which the report holds once.
    if (f.passed)
        h += goalPicture(n, t("pupilDrawing", lang));
    else
        h += picture(f.pupilPng, t("pupilDrawing", lang), "pupil") +
             picture(f.diffPng, t("diffDrawing", lang), "diff");
    h += QStringLiteral("</div>");
    if (zoom) h += QStringLiteral("</summary></details>");
    return h + QStringLiteral("</td>");
}

QString rulesCell(const Grade &p, Language lang)
{
    if (p.rules.isEmpty())
        return QStringLiteral("<td class=\"rules kept\">%1</td>").arg(escaped(t("rulesKept", lang)));
    QString h = QStringLiteral("<td class=\"rules broken\"><ul>");
    for (const RuleBreak &r : p.rules)
        h += QStringLiteral("<li>") + escaped(ruleBreakText(r, p.language, lang)) + QStringLiteral("</li>");
    return h + QStringLiteral("</ul></td>");
}

QString paragraphs(const QString &s)
{
    QString h;
    for (const QString &p : s.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
        h += QStringLiteral("<p>") + escaped(p).replace(QLatin1Char('\n'), QStringLiteral("<br/>")) +
             QStringLiteral("</p>");
    return h;
}

const char kTaskStyle[] =
    "tr.not-solved td.verdict b,td.field.wrong>b{color:#a00}"
    "tr.solved td.verdict b,td.field.right>b{color:#070}"
    "tr.unreadable td.verdict b{color:#555}"
    "div.pics{white-space:nowrap}"
    "div.pics>*{display:inline-block;vertical-align:top;margin:2px 2px 0 0}"
    "div.goal,img.pupil{width:179px;height:219px}img.diff{width:179px;height:242px}"
    "div.goal{background-repeat:no-repeat;background-size:contain}"
    // A field's pictures one under another, so that every field fits the page.
    "@media print{div.pics{white-space:normal}div.pics>div,div.pics>img{display:block}}";

QString taskReportHead(const QString &taskFile, const CompareMode::Grading &g, Language lang)
{
    const CompareMode::TaskSummary &task = *g.task;
    int solved = 0, notSolved = 0, unread = 0;
    sortedRows(g, solved, notSolved, unread);

    const QString title = t("taskTitle", lang).arg(task.title);
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\"/><title>%2</title>")
             .arg(htmlLanguage(lang), escaped(title));
    h += QStringLiteral("<style>") + QLatin1String(kStyle) + QLatin1String(kTaskStyle);
    for (int f = 0; f < task.goalPngs.size(); ++f)
        h += QStringLiteral("div.goal.f%1{background-image:url(%2)}")
                 .arg(f + 1)
                 .arg(dataUri(task.goalPngs[f]));
    for (int f = 0; f < task.fields.size(); ++f)
        h += pictureStyle({QStringLiteral("td.field[data-field=\"%1\"]").arg(f + 1),
                           QStringLiteral("div.goal"), QStringLiteral("img.pupil"),
                           QStringLiteral("img.diff")},
                          task.fields[f], QString(), printPictureWidth(task.fields.size()));
    h += QStringLiteral("</style></head>\n<body>\n");
    h += QStringLiteral("<h1>%1</h1>\n").arg(escaped(title));
    h += QStringLiteral("<p class=\"model-file\">%1</p>\n")
             .arg(escaped(t("task", lang).arg(QFileInfo(taskFile).fileName())));
    h +=
        QStringLiteral("<p class=\"summary\">%1</p>\n")
            .arg(escaped(t("taskSummary", lang).arg(g.pupils.size()).arg(solved).arg(notSolved).arg(unread)));
    if (!task.text.isEmpty())
        h += QStringLiteral("<details class=\"task-text\"><summary>%1</summary>%2</details>\n")
                 .arg(escaped(text("task.panel.text", lang)), paragraphs(task.text));
    h += QStringLiteral("<table>\n<thead><tr><th>%1</th><th>%2</th>")
             .arg(escaped(t("file", lang)), escaped(t("verdict", lang)));
    for (int f = 0; f < task.fields.size(); ++f)
        h += QStringLiteral("<th>%1</th>")
                 .arg(escaped(
                     t("field", lang).arg(f + 1).arg(task.fields[f].width()).arg(task.fields[f].height())));
    h += QStringLiteral("<th>%1</th></tr></thead>\n<tbody>\n").arg(escaped(t("rules", lang)));
    return h;
}

QString taskReportRow(const Grade *p, const CompareMode::Grading &g, const QSet<QString> &sharedNames,
                      Language lang)
{
    const CompareMode::TaskSummary &task = *g.task;
    QString h;
    {
        const char *rowClass = p->verdict == Grade::Verdict::Same      ? "solved"
                               : p->verdict == Grade::Verdict::Differs ? "not-solved"
                                                                       : "unreadable";
        const char *verdictKey = p->verdict == Grade::Verdict::Same      ? "solved"
                                 : p->verdict == Grade::Verdict::Differs ? "notSolved"
                                                                         : "unreadable";
        h += QStringLiteral("<tr class=\"%1\" data-file=\"%2\">")
                 .arg(QLatin1String(rowClass), escaped(p->file));
        h += fileCell(*p, sharedNames, lang);
        h += QStringLiteral("</td><td class=\"verdict\"><b>%1</b>").arg(escaped(t(verdictKey, lang)));
        if (p->verdict == Grade::Verdict::Unreadable)
            h += QStringLiteral("<br/>") + escaped(reasonText(*p, lang));
        h += QStringLiteral("</td>");
        if (p->verdict == Grade::Verdict::Unreadable) {
            for (int f = 0; f < task.fields.size(); ++f) h += QStringLiteral("<td class=\"field\"></td>");
            h += QStringLiteral("<td class=\"rules\"></td></tr>\n");
            return h;
        }
        for (int f = 0; f < p->fields.size(); ++f) h += fieldCell(p->fields[f], f + 1, lang, false);
        h += rulesCell(*p, lang);
        h += QStringLiteral("</tr>\n");
    }
    return h;
}

}   // namespace ReportParts

using namespace ReportParts;

namespace {

QString modelReportHead(const QString &modelFile, const CompareMode::Grading &g, Language lang)
{
    int same = 0, differ = 0, unread = 0;
    sortedRows(g, same, differ, unread);

    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\"/><title>%2</title>")
             .arg(htmlLanguage(lang), escaped(t("title", lang)));
    // The model's picture is the same in every row: it is embedded once, as a style.
    h += QStringLiteral("<style>") + QLatin1String(kStyle) +
         QStringLiteral("div.model{background:url(%1) no-repeat;background-size:contain}")
             .arg(dataUri(g.modelPng)) +
         // Three pictures side by side in print too, each at most 130 pixels wide to fit A4.
         pictureStyle({QString(), QStringLiteral("td.pic div.model"), QStringLiteral("td.pic img"),
                       QStringLiteral("td.diff img")},
                      g.field, QString(), 130) +
         QStringLiteral("</style></head>\n<body>\n");
    h += QStringLiteral("<h1>%1</h1>\n").arg(escaped(t("title", lang)));
    h += QStringLiteral("<p class=\"model-file\">%1</p>\n")
             .arg(escaped(t("model", lang).arg(QFileInfo(modelFile).fileName())));
    h += QStringLiteral("<p class=\"summary\">%1</p>\n")
             .arg(escaped(t("summary", lang).arg(g.pupils.size()).arg(same).arg(differ).arg(unread)));
    h +=
        QStringLiteral("<details class=\"model-program program\"><summary>%1</summary><pre>%2</pre></details>"
                       "<pre class=\"print\">%2</pre>\n")
            .arg(escaped(t("program", lang)), programHtml(g.modelProgram, g.modelLanguage));
    h += QStringLiteral("<table>\n<thead><tr><th>%1</th><th>%2</th><th>%3</th><th>%4</th><th>%5</th></tr></"
                        "thead>\n<tbody>\n")
             .arg(escaped(t("file", lang)), escaped(t("verdict", lang)), escaped(t("modelDrawing", lang)),
                  escaped(t("pupilDrawing", lang)), escaped(t("diffDrawing", lang)));
    return h;
}

QString modelReportRow(const Grade *p, const QSet<QString> &sharedNames, Language lang)
{
    QString h;
    {
        const char *verdictKey = p->verdict == Grade::Verdict::Same      ? "same"
                                 : p->verdict == Grade::Verdict::Differs ? "differs"
                                                                         : "unreadable";
        h += QStringLiteral("<tr class=\"%1\" data-file=\"%2\">")
                 .arg(QLatin1String(verdictKey), escaped(p->file));
        h += fileCell(*p, sharedNames, lang);
        h += QStringLiteral("</td><td class=\"verdict\"><b>%1</b>").arg(escaped(t(verdictKey, lang)));
        const QString reason = reasonText(*p, lang);
        if (!reason.isEmpty()) h += QStringLiteral("<br/>") + escaped(reason);
        detailList(h, p->details);
        h += QStringLiteral("</td>");
        if (p->verdict == Grade::Verdict::Unreadable) {
            h += QStringLiteral("<td class=\"pic\"></td><td class=\"pic\"></td><td class=\"pic\"></td>");
        } else {
            h += QStringLiteral("<td class=\"pic\">%1</td>").arg(modelPicture(t("modelDrawing", lang)));
            if (p->verdict == Grade::Verdict::Same)
                h += QStringLiteral("<td class=\"pic\">%1</td>").arg(modelPicture(t("pupilDrawing", lang)));
            else
                h += image(p->pupilPng, t("pupilDrawing", lang));
            h += image(p->diffPng, t("diffDrawing", lang), "diff");
        }
        h += QStringLiteral("</tr>\n");
    }
    return h;
}

const char kReportTail[] = "</tbody>\n</table>\n</body></html>\n";

}   // namespace

QSet<QString> sharedFileNames(const QStringList &files)
{
    QSet<QString> seen, shared;
    for (const QString &file : files) {
        const QString name = QFileInfo(file).fileName();
        if (seen.contains(name))
            shared.insert(name);
        else
            seen.insert(name);
    }
    return shared;
}

QString classReportRow(const CompareMode::PupilGrade &p, const CompareMode::Grading &g,
                       const QSet<QString> &sharedNames, Language lang)
{
    return g.task ? taskReportRow(&p, g, sharedNames, lang) : modelReportRow(&p, sharedNames, lang);
}

int classReportRank(const CompareMode::PupilGrade &p) { return rank(p.verdict); }

QString classReportHtml(const QString &modelFile, const CompareMode::Grading &g, Language lang)
{
    QStringList files;
    for (const Grade &p : g.pupils) files << p.file;
    const QSet<QString> shared = sharedFileNames(files);
    int same = 0, differ = 0, unread = 0;
    QString h = g.task ? taskReportHead(modelFile, g, lang) : modelReportHead(modelFile, g, lang);
    for (const Grade *p : sortedRows(g, same, differ, unread)) h += classReportRow(*p, g, shared, lang);
    return h + QLatin1String(kReportTail);
}

ClassReportParts::ClassReportParts(const QString &reportPath)
{
    // Set aside on the disk the report goes to, where there is room for it.
    const QString folder = QFileInfo(reportPath).absolutePath();
    for (auto &part : parts) part = std::make_unique<SpillFile>(folder);
}

void ClassReportParts::add(int rank, QByteArrayView row) { parts[size_t(rank)]->append(row); }

bool writeClassReport(const QString &path, const QString &modelFile, const CompareMode::Grading &g,
                      ClassReportParts &rows, Language lang, QString *error)
{
    SafeFileWriter page(path);
    page.write((g.task ? taskReportHead(modelFile, g, lang) : modelReportHead(modelFile, g, lang)).toUtf8());
    FileError failure;
    bool written = true;
    for (auto &part : rows.parts) {
        written = part->copyTo(page, &failure);
        part.reset();
        if (!written) break;
    }
    if (written) {
        page.write(kReportTail);
        written = page.commit(&failure);
    }
    if (written) return true;
    if (error) *error = fileErrorReason(failure, Language::Eng);   // said on the console, in English
    return false;
}
