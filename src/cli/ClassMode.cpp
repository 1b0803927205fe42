// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClassMode.h"
#include "cli/ClassReport.h"
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include "cli/InOrder.h"
#include "base/SafeFile.h"
#include "base/TextCatalogue.h"
#include "documents/ProgramFile.h"
#include "lang/LineMarks.h"
#include "lang/ProgramTranslator.h"
#include "run/TaskFile.h"
#include "run/TaskTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <functional>

namespace ClassMode {

namespace {

using namespace ReportParts;
using Grade = CompareMode::PupilGrade;

QString c(const char *key, Language lang)
{
    return uiText(QByteArray("class.") + key, lang).value_or(QString());
}

// What is left of a program when comments, blank lines, spaces and letter case are dropped:
// a copy with a comment changed or the lines re-indented is still the same program.
QString normalised(const QStringList &lines)
{
    QStringList kept;
    for (const QString &line : lines) {
        const QString s = line.trimmed();
        if (s.isEmpty() || s.startsWith(LineMark::Comment)) continue;
        QString r = s;
        r.removeIf([](QChar ch) { return ch.isSpace(); });
        kept << r.toCaseFolded();
    }
    return kept.join(QLatin1Char('\n'));
}

bool solved(const Row &r) { return r.grade && r.grade->verdict == Grade::Verdict::Same; }

// What a pupil drew, to tell the same drawing apart; empty when the row has no drawing.
QByteArray drawingKey(const Row &r)
{
    if (!r.grade || r.grade->verdict == Grade::Verdict::Unreadable) return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (r.grade->fields.isEmpty()) {
        hash.addData(r.grade->verdict == Grade::Verdict::Same ? QByteArray("same") : r.grade->pupilPng);
    } else {
        for (const CompareMode::FieldGrade &f : r.grade->fields) {
            hash.addData(f.passed ? QByteArray("right") : f.pupilPng);
            hash.addData(QByteArray("|"));
        }
    }
    return hash.result();
}

void readRows(const Options &o, Overview &ov, const std::optional<QString> &taskId)
{
    const QDir dir(o.folder);
    const QFileInfoList entries = dir.entryInfoList(
        {QStringLiteral("*.tkm")},
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QList<Row> all;
    // The teacher's own model or task may lie among the hand-ins: it is no pupil's.
    const QString own = QFileInfo(o.task.isEmpty() ? o.model : o.task).canonicalFilePath();
    // Each file is read on whichever thread is free, and kept in the folder's order.
    struct Read {
        std::optional<Row> row;
        bool otherTask = false;
    };
    const auto read = [&](qsizetype i) {
        const QFileInfo &info = entries[i];
        Read out;
        if (!own.isEmpty() && info.canonicalFilePath() == own) return out;
        Row r;
        r.file = info.fileName();
        r.pupil = info.completeBaseName();
        r.time = info.lastModified().toUTC();
        if (info.isDir()) {
            r.refused = c("aFolder", o.interfaceLanguage);
            out.row = r;
            return out;
        }
        StyledText styled;
        ProgramNotes notes;
        QString error;
        if (!loadProgramFile(info.filePath(), styled, notes, &error, o.interfaceLanguage,
                             &ProgramTranslator::plainTextCodePage)) {
            r.refused = error;
            out.row = r;
            return out;
        }
        r.program = plainLines(styled);
        r.record = handInFromNotes(notes);
        if (r.record) {
            if (taskId && !r.record->taskId.isEmpty() && r.record->taskId != *taskId) {
                out.otherTask = true;
                return out;
            }
            r.pupil = r.record->pupil;
            if (r.record->handedIn.isValid()) r.time = r.record->handedIn;
        }
        out.row = r;
        return out;
    };
    inOrder<Read>(entries.size(), read, [&](qsizetype, Read &&r) {
        ov.otherTask += r.otherTask ? 1 : 0;
        if (r.row) all << std::move(*r.row);
    });
    std::stable_sort(all.begin(), all.end(), [](const Row &a, const Row &b) {
        const int byName = QString::localeAwareCompare(a.pupil, b.pupil);
        return byName != 0 ? byName < 0 : a.time < b.time;
    });
    if (o.all) {
        ov.rows = all;
        return;
    }
    // The latest of each pupil and task; a file that could not be read is always shown.
    QHash<QString, qsizetype> latest;
    for (const Row &r : all) {
        if (!r.refused.isEmpty()) {
            ov.rows << r;
            continue;
        }
        const QString key =
            r.pupil.toCaseFolded() + QLatin1Char('\n') + (r.record ? r.record->taskId : QString());
        const auto at = latest.constFind(key);
        if (at == latest.constEnd()) {
            latest.insert(key, ov.rows.size());
            ov.rows << r;
        } else if (ov.rows[*at].time <= r.time) {
            ov.rows[*at] = r;
        }
    }
}

void grade(const Options &o, Overview &ov)
{
    CompareMode::Options co;
    co.model = o.task.isEmpty() ? o.model : o.task;
    co.language = o.language;
    co.preferred = o.preferred;
    co.interfaceLanguage = o.interfaceLanguage;
    co.fieldWidth = o.fieldWidth;
    co.fieldHeight = o.fieldHeight;
    co.speed = o.speed;
    co.maxTicks = o.maxTicks;
    co.pictures = true;
    QList<qsizetype> graded;
    for (qsizetype i = 0; i < ov.rows.size(); ++i) {
        if (!ov.rows[i].refused.isEmpty()) continue;
        co.pupils << QDir(o.folder).filePath(ov.rows[i].file);
        graded << i;
    }
    CompareMode::Grading g = CompareMode::grade(co);
    if (g.pupils.size() != graded.size()) {
        // The task or the model could not be used: nothing was graded.
        ov.problems << g.problems;
        ov.failed = true;
        return;
    }
    ov.task = g.task;
    ov.model = !g.task;
    ov.modelPng = g.modelPng;
    ov.field = g.field;
    for (qsizetype i = 0; i < graded.size(); ++i) {
        Row &r = ov.rows[graded[i]];
        r.grade = std::move(g.pupils[i]);
        r.grade->program.clear();   // the row's own, read before, is the one shown
        // Changed between the two readings: said as the file said it first.
        if (r.grade->verdict == Grade::Verdict::Unreadable) r.refused = c("changed", o.interfaceLanguage);
    }
}

// The pupils of one program or one drawing, each name once, in order.
struct Group {
    QStringList names;
    QHash<QString, QSet<QString>> programsOf;   // of each name, in a group of one drawing
    QHash<QString, int> onlyThis;   // names whose every hand-in in the group has this program
    QHash<QString, QStringList> firstOthers;   // per program: the first names with another one
};

// A flag names a few classmates and counts the rest: a program a whole year hands in would
// otherwise fill the page with the square of its pupils.
constexpr int NamesShown = 5;

void flag(Overview &ov, const std::optional<QString> &start)
{
    QList<QString> programs;
    QHash<QString, Group> byProgram;
    QHash<QByteArray, Group> byDrawing;
    for (qsizetype i = 0; i < ov.rows.size(); ++i) {
        Row &r = ov.rows[i];
        programs << (r.refused.isEmpty() ? normalised(r.program) : QString());
        if (!r.refused.isEmpty()) continue;
        r.unchangedStart = start && programs[i] == *start;
        // Many pupils hand in the program they were given: that is not a copy of each other.
        if (r.unchangedStart) continue;
        byProgram[programs[i]].names << r.pupil;
        // The same drawing as the goal is the solution, not a sign.
        if (!solved(r)) {
            const QByteArray key = drawingKey(r);
            if (!key.isEmpty()) byDrawing[key].programsOf[r.pupil].insert(programs[i]);
        }
    }
    for (Group &g : byProgram) {
        std::sort(g.names.begin(), g.names.end());
        g.names.erase(std::unique(g.names.begin(), g.names.end()), g.names.end());
    }
    for (Group &g : byDrawing) {
        g.names = g.programsOf.keys();
        std::sort(g.names.begin(), g.names.end());
        for (const QSet<QString> &theirs : std::as_const(g.programsOf))
            if (theirs.size() == 1) ++g.onlyThis[*theirs.cbegin()];
    }
    for (qsizetype i = 0; i < ov.rows.size(); ++i) {
        Row &r = ov.rows[i];
        if (!r.refused.isEmpty()) {
            ++ov.refused;
            continue;
        }
        ov.solved += solved(r) ? 1 : 0;
        ov.unchanged += r.unchangedStart ? 1 : 0;
        if (r.unchangedStart) continue;
        const Group &same = byProgram[programs[i]];
        r.sameProgramCount = int(same.names.size()) - 1;
        for (qsizetype j = 0; j < same.names.size() && r.sameProgramAs.size() < NamesShown; ++j)
            if (same.names[j] != r.pupil) r.sameProgramAs << same.names[j];
        ov.copies += r.sameProgramCount > 0 ? 1 : 0;
        if (solved(r)) continue;
        const auto drawing = byDrawing.find(drawingKey(r));
        if (drawing == byDrawing.end()) continue;
        Group &g = *drawing;
        // Classmates with another program: all but those whose one program is this one, and
        // but the pupil (among those, unless the pupil handed in other programs too).
        const bool selfMany = g.programsOf.value(r.pupil).size() > 1;
        r.sameDrawingCount = int(g.programsOf.size()) - g.onlyThis.value(programs[i]) - (selfMany ? 1 : 0);
        // The first names are the same for every pupil of one program, but for the pupil's own.
        auto first = g.firstOthers.find(programs[i]);
        if (first == g.firstOthers.end()) {
            QStringList names;
            for (qsizetype j = 0; j < g.names.size() && names.size() <= NamesShown; ++j) {
                const QSet<QString> &theirs = g.programsOf[g.names[j]];
                if (theirs.size() > 1 || !theirs.contains(programs[i])) names << g.names[j];
            }
            first = g.firstOthers.insert(programs[i], names);
        }
        for (const QString &name : *first)
            if (name != r.pupil && r.sameDrawingAs.size() < NamesShown) r.sameDrawingAs << name;
    }
}

}   // namespace

Overview build(const Options &o)
{
    Overview ov;
    ov.folder = o.folder;
    ov.date = o.date.isValid() ? o.date : QDate::currentDate();
    std::optional<QString> taskId, start;
    if (!o.task.isEmpty()) {
        QString error;
        const std::optional<Task> task = loadTaskFile(o.task, &error, Language::Eng);
        if (!task) {
            ov.problems << QStringLiteral("trakmil: cannot read %1: %2").arg(o.task, error);
            ov.failed = true;
            return ov;
        }
        ov.taskTitle = task->title;
        taskId = taskIdentifier(*task);
        if (task->start) {
            ov.hasStart = true;
            start = normalised(plainLines(*task->start));
        }
    }
    if (!QFileInfo(o.folder).isDir()) {
        ov.problems << QStringLiteral("trakmil: %1 is not a folder").arg(o.folder);
        ov.failed = true;
        return ov;
    }
    readRows(o, ov, taskId);
    if (!o.task.isEmpty() || !o.model.isEmpty()) grade(o, ov);
    if (ov.failed) return ov;
    flag(ov, start);
    if (ov.otherTask > 0)
        ov.problems << QStringLiteral("trakmil: %1 hand-ins for another task left out").arg(ov.otherTask);
    return ov;
}

QString summaryText(const Overview &ov, Language lang)
{
    const int read = int(ov.rows.size()) - ov.refused;
    QStringList parts;
    if (ov.task)
        parts << c("summarySolved", lang).arg(ov.solved).arg(read);
    else if (ov.model)
        parts << c("summarySame", lang).arg(ov.solved).arg(read);
    else
        parts << c("summaryHandedIn", lang).arg(read);
    if (ov.hasStart) parts << c("summaryUnchanged", lang).arg(ov.unchanged);
    if (ov.copies > 0) parts << c("summaryCopies", lang).arg(ov.copies);
    if (ov.refused > 0) parts << c("summaryRefused", lang).arg(ov.refused);
    return parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

namespace {

const char kClassStyle[] =
    "td.pupil{min-width:10em}td.pupil b{font-size:110%}td.time{white-space:nowrap}"
    "ul.flags{margin:4px 0;padding-left:1.2em;color:#704000}"
    "details.zoom>summary{cursor:zoom-in;list-style:none}details.zoom>summary::-webkit-details-marker{"
    "display:none}"
    "details.zoom[open] div.pics>*,details.zoom[open] div.model,details.zoom[open] "
    "img{width:358px;height:438px}"
    "details.zoom[open] img.diff{height:484px}"
    "div.model{display:inline-block;width:179px;height:219px;background-repeat:no-repeat;"
    "background-size:contain}"
    "img.pupil{width:179px;height:219px}"
    "dl.legend{font-size:100%}dl.legend dt{font-weight:bold;margin-top:.4em}"
    "pre.print{display:none}"
    // A4 or letter portrait: the pictures one under another, every column free to wrap.
    "@media print{body{font-size:10pt}h1{font-size:16pt}details.program{display:none}"
    "pre.print{display:block;font-size:8pt}table{width:100%}th,td{padding:2px}td.pupil{min-width:8em}"
    "td.pupil,td.field,ul.flags{overflow-wrap:anywhere}td.time{white-space:normal}}";

// "A, B and 12 others": the names shown, and how many more there are.
QString namesText(const QStringList &shown, int count, Language lang)
{
    const QString names = shown.join(QStringLiteral(", "));
    return count > shown.size() ? c("andOthers", lang).arg(names).arg(count - shown.size()) : names;
}

QString flagsHtml(const Row &r, Language lang)
{
    QStringList flags;
    if (r.unchangedStart) flags << c("flagUnchanged", lang);
    if (r.sameProgramCount > 0)
        flags << c("flagSameProgram", lang).arg(namesText(r.sameProgramAs, r.sameProgramCount, lang));
    if (r.sameDrawingCount > 0)
        flags << c("flagSameDrawing", lang).arg(namesText(r.sameDrawingAs, r.sameDrawingCount, lang));
    if (flags.isEmpty()) return {};
    QString h = QStringLiteral("<ul class=\"flags\">");
    for (const QString &f : flags) h += QStringLiteral("<li>") + escaped(f) + QStringLiteral("</li>");
    return h + QStringLiteral("</ul>");
}

QString timeText(const Row &r) { return r.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

QString verdictWord(const Row &r, bool task, Language lang)
{
    if (!r.refused.isEmpty()) return t("unreadable", lang);
    if (!r.grade) return c("handedIn", lang);
    const bool same = r.grade->verdict == Grade::Verdict::Same;
    return task ? t(same ? "solved" : "notSolved", lang) : t(same ? "same" : "differs", lang);
}

QString workText(const Row &r, Language lang)
{
    if (!r.record) return QString();
    return c("workValue", lang).arg(r.record->runs).arg(r.record->checks).arg(r.record->taskChecks);
}

void rowHtml(QString &h, const Overview &ov, const Row &r, Language lang)
{
    const char *cls = !r.refused.isEmpty() ? "unreadable"
                      : !r.grade           ? "handed-in"
                      : solved(r)          ? "solved"
                                           : "not-solved";
    h += QStringLiteral("<tr class=\"%1\"><td class=\"pupil\"><b>%2</b><br/>%3")
             .arg(QLatin1String(cls), escaped(r.pupil), escaped(r.file));
    if (!r.program.isEmpty()) {
        // Coloured in the keywords it was graded in, or else in the ones it is written in.
        const QString program =
            programHtml(r.program, r.grade ? r.grade->language
                                           : ProgramTranslator::detectLanguage(r.program, Language::Rus));
        h += QStringLiteral("<details class=\"program\"><summary>%1</summary><pre>%2</pre></details>"
                            "<pre class=\"print\">%2</pre>")
                 .arg(escaped(t("program", lang)), program);
    }
    h += QStringLiteral("</td><td class=\"verdict\"><b>%1</b>")
             .arg(escaped(verdictWord(r, bool(ov.task), lang)));
    if (!r.refused.isEmpty()) {
        h += QStringLiteral("<br/>") + escaped(r.refused);
    } else if (r.grade && !ov.task) {
        const QString reason = reasonText(*r.grade, lang);
        if (!reason.isEmpty()) h += QStringLiteral("<br/>") + escaped(reason);
        detailList(h, r.grade->details);
    }
    h += flagsHtml(r, lang) + QStringLiteral("</td>");
    const bool graded = r.grade && r.refused.isEmpty();
    if (ov.task) {
        for (int f = 0; f < ov.task->fields.size(); ++f)
            h += graded && f < r.grade->fields.size() ? fieldCell(r.grade->fields[f], f + 1, lang, true)
                                                      : QStringLiteral("<td class=\"field\"></td>");
        h += graded ? rulesCell(*r.grade, lang) : QStringLiteral("<td class=\"rules\"></td>");
    } else if (ov.model) {
        h += QStringLiteral("<td class=\"pics\">");
        if (graded) {
            h += QStringLiteral("<details class=\"zoom\"><summary title=\"%1\"><div class=\"pics\">")
                     .arg(escaped(t("enlarge", lang)));
            h += modelPicture(t("modelDrawing", lang));
            if (r.grade->verdict == Grade::Verdict::Same)
                h += modelPicture(t("pupilDrawing", lang));
            else if (!r.grade->pupilPng.isEmpty())
                h += picture(r.grade->pupilPng, t("pupilDrawing", lang), "pupil");
            if (!r.grade->diffPng.isEmpty()) h += picture(r.grade->diffPng, t("diffDrawing", lang), "diff");
            h += QStringLiteral("</div></summary></details>");
        }
        h += QStringLiteral("</td>");
    }
    h += QStringLiteral(
             "<td class=\"work\">%1</td><td class=\"minutes\">%2</td><td class=\"time\">%3</td></tr>\n")
             .arg(escaped(workText(r, lang)), r.record ? QString::number(r.record->minutes) : QString(),
                  escaped(timeText(r)));
}

QString csvCell(QString s)
{
    // A spreadsheet would run a cell that starts so as a formula.
    if (!s.isEmpty() && QStringLiteral("=+-@\t\r").contains(s.front())) s.prepend(QLatin1Char('\''));
    return QLatin1Char('"') + s.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

}   // namespace

QString overviewHtml(const Overview &ov, Language lang) { return QString::fromUtf8(overviewPage(ov, lang)); }

namespace {

// The page and the table go to `put` a piece at a time, never held whole: a school's year is
// a page of many megabytes.
using Put = std::function<void(QByteArrayView)>;

void page(const Overview &ov, Language lang, const Put &put)
{
    const QString title = ov.taskTitle.isEmpty() ? c("title", lang) : c("taskTitle", lang).arg(ov.taskTitle);
    QString h;
    h += QStringLiteral(
             "<!DOCTYPE html>\n<html lang=\"%1\"><head><meta charset=\"utf-8\"/><title>%2</title><style>")
             .arg(htmlLanguage(lang), escaped(title));
    h += QLatin1String(kStyle) + QLatin1String(kTaskStyle) + QLatin1String(kClassStyle);
    const QString zoom = QStringLiteral("details.zoom[open]");
    if (ov.task) {
        for (int f = 0; f < ov.task->goalPngs.size(); ++f)
            h += QStringLiteral("div.goal.f%1{background-image:url(%2)}")
                     .arg(f + 1)
                     .arg(dataUri(ov.task->goalPngs[f]));
        const int printWidth = printPictureWidth(ov.task->fields.size());
        for (int f = 0; f < ov.task->fields.size(); ++f)
            h += pictureStyle({QStringLiteral("td.field[data-field=\"%1\"]").arg(f + 1),
                               QStringLiteral("div.goal"), QStringLiteral("img.pupil"),
                               QStringLiteral("img.diff")},
                              ov.task->fields[f], zoom, printWidth);
    }
    if (ov.model && !ov.modelPng.isEmpty())
        h += QStringLiteral("div.model{background-image:url(%1)}").arg(dataUri(ov.modelPng)) +
             pictureStyle({QStringLiteral("td.pics"), QStringLiteral("div.model"),
                           QStringLiteral("img.pupil"), QStringLiteral("img.diff")},
                          ov.field, zoom, printPictureWidth(1));
    h += QStringLiteral("</style></head>\n<body>\n<h1>%1</h1>\n").arg(escaped(title));
    h += QStringLiteral("<p class=\"folder\">%1<br/>%2</p>\n")
             .arg(escaped(c("folder", lang).arg(QDir::toNativeSeparators(QDir(ov.folder).absolutePath()))),
                  escaped(c("date", lang).arg(ov.date.toString(Qt::ISODate))));
    h += QStringLiteral("<p class=\"summary\"><b>%1</b></p>\n").arg(escaped(summaryText(ov, lang)));
    h += QStringLiteral("<table>\n<thead><tr><th>%1</th><th>%2</th>")
             .arg(escaped(c("pupil", lang)), escaped(t("verdict", lang)));
    if (ov.task) {
        for (int f = 0; f < ov.task->fields.size(); ++f)
            h += QStringLiteral("<th>%1</th>")
                     .arg(escaped(t("field", lang)
                                      .arg(f + 1)
                                      .arg(ov.task->fields[f].width())
                                      .arg(ov.task->fields[f].height())));
        h += QStringLiteral("<th>%1</th>").arg(escaped(t("rules", lang)));
    } else if (ov.model) {
        h += QStringLiteral("<th>%1</th>").arg(escaped(c("drawings", lang)));
    }
    h += QStringLiteral("<th>%1</th><th>%2</th><th>%3</th></tr></thead>\n<tbody>\n")
             .arg(escaped(c("work", lang)), escaped(c("minutes", lang)), escaped(c("time", lang)));
    // The rows are made on every thread and written as they come, in order.
    put(h.toUtf8());
    h.clear();
    inOrder<QByteArray>(
        ov.rows.size(),
        [&](qsizetype i) {
            QString row;
            rowHtml(row, ov, ov.rows[i], lang);
            return row.toUtf8();
        },
        [&](qsizetype, QByteArray &&row) { put(row); });
    h += QStringLiteral("</tbody>\n</table>\n<h2>%1</h2>\n<dl class=\"legend\">")
             .arg(escaped(c("legend", lang)));
    for (const char *key : {"legendPictures", "legendWork", "legendTime", "legendUnchanged",
                            "legendSameProgram", "legendSameDrawing"}) {
        const QString entry = c(key, lang);
        h += QStringLiteral("<dt>%1</dt><dd>%2</dd>")
                 .arg(escaped(entry.section(QStringLiteral(": "), 0, 0)),
                      escaped(entry.section(QStringLiteral(": "), 1)));
    }
    h += QStringLiteral("</dl>\n</body></html>\n");
    put(h.toUtf8());
}

void table(const Overview &ov, Language lang, const Put &put)
{
    QStringList head {c("pupil", lang), t("file", lang), t("verdict", lang)};
    if (ov.task) {
        for (int f = 0; f < ov.task->fields.size(); ++f)
            head << t("field", lang)
                        .arg(f + 1)
                        .arg(ov.task->fields[f].width())
                        .arg(ov.task->fields[f].height());
        head << t("rules", lang);
    }
    head << c("runs", lang) << c("checks", lang) << c("taskChecks", lang) << c("minutes", lang)
         << c("time", lang) << c("flags", lang);
    const auto line = [&put](const QStringList &l) {
        QStringList cells;
        for (const QString &cell : l) cells << csvCell(cell);
        put(QByteArray(cells.join(QLatin1Char(',')).toUtf8() + "\r\n"));
    };
    put("\xEF\xBB\xBF");
    line(head);
    for (const Row &r : ov.rows) {
        QStringList l {r.pupil, r.file, verdictWord(r, bool(ov.task), lang)};
        const bool graded = r.grade && r.refused.isEmpty();
        if (ov.task) {
            for (int f = 0; f < ov.task->fields.size(); ++f)
                l << (graded && f < r.grade->fields.size()
                          ? t(r.grade->fields[f].passed ? "fieldRight" : "fieldWrong", lang)
                          : QString());
            QStringList rules;
            if (graded)
                for (const RuleBreak &b : r.grade->rules) rules << ruleBreakText(b, r.grade->language, lang);
            l << (graded && rules.isEmpty() ? t("rulesKept", lang) : rules.join(QLatin1Char(' ')));
        }
        if (r.record)
            l << QString::number(r.record->runs) << QString::number(r.record->checks)
              << QString::number(r.record->taskChecks) << QString::number(r.record->minutes);
        else
            l << QString() << QString() << QString() << QString();
        l << timeText(r);
        QStringList flags;
        if (!r.refused.isEmpty()) flags << r.refused;
        if (r.unchangedStart) flags << c("flagUnchanged", lang);
        if (r.sameProgramCount > 0)
            flags << c("flagSameProgram", lang).arg(namesText(r.sameProgramAs, r.sameProgramCount, lang));
        if (r.sameDrawingCount > 0)
            flags << c("flagSameDrawing", lang).arg(namesText(r.sameDrawingAs, r.sameDrawingCount, lang));
        l << flags.join(QStringLiteral("; "));
        line(l);
    }
}

bool writeStreamed(const QString &path, const Overview &ov, Language lang,
                   void (*write)(const Overview &, Language, const Put &), FileError *error)
{
    SafeFileWriter file(path);
    write(ov, lang, [&file](QByteArrayView piece) { file.write(piece); });
    return file.commit(error);
}

QByteArray collected(const Overview &ov, Language lang,
                     void (*write)(const Overview &, Language, const Put &))
{
    QByteArray all;
    write(ov, lang, [&all](QByteArrayView piece) { all += piece; });
    return all;
}

}   // namespace

QByteArray overviewPage(const Overview &ov, Language lang) { return collected(ov, lang, page); }
QByteArray overviewCsv(const Overview &ov, Language lang) { return collected(ov, lang, table); }

bool writeOverviewPage(const QString &path, const Overview &ov, Language lang, FileError *error)
{
    return writeStreamed(path, ov, lang, page, error);
}

bool writeOverviewCsv(const QString &path, const Overview &ov, Language lang, FileError *error)
{
    return writeStreamed(path, ov, lang, table, error);
}

bool wanted(const QStringList &arguments) { return hasOption(arguments, QLatin1String("--class")); }

int run(const QStringList &arguments)
{
    ConsoleOptions options(QStringLiteral(
        "Trakmil: the class overview of a folder of hand-ins, graded against a task or a model."));
    const QCommandLineOption help = options.add("h help", "Shows this help.");
    const QCommandLineOption folder =
        options.add("class", "The folder of the pupils' hand-ins (.tkm).", "FOLDER");
    const QCommandLineOption task =
        options.add("task", "Grades every hand-in on every field and rule of the task.", "TASK.tkt");
    const QCommandLineOption model =
        options.add("model", "Grades every hand-in against a model program.", "MODEL.tkm");
    const QCommandLineOption report =
        options.add("report", "Writes the overview: one HTML page, in the interface language.", "FILE");
    const QCommandLineOption csv =
        options.add("csv", "Writes a table with one line per pupil (UTF-8 CSV) for a grade book.", "FILE");
    const QCommandLineOption all = options.add("all", "Shows every hand-in, not only each pupil's latest.");
    const QCommandLineOption field = options.add(
        "field", "Field size in cells for --model, e.g. 10x5 (default: the settings file).", "WxH");
    const QCommandLineOption language = options.add(
        "language",
        QStringLiteral("Keyword language of all files and the interface language of the page: %1.")
            .arg(ConsoleText::languageChoices())
            .toLatin1()
            .constData(),
        "L");
    const QCommandLineOption maxTicks =
        options.add("max-ticks", "Stops every run after N ticks; 0 for no limit.", "N");

    // "--class --help" would read --help as the folder.
    const bool helpAsked =
        arguments.mid(1).contains(QLatin1String("--help")) || arguments.mid(1).contains(QLatin1String("-h"));
    if (!helpAsked && !options.parse(arguments)) return 2;
    if (helpAsked || options.isSet(help))
        return options.printHelp(QStringLiteral(
            "Usage: trakmil --class FOLDER [--task TASK.tkt | --model MODEL.tkm] --report FILE "
            "[--csv FILE] [--all]"));
    const ConsoleSettings settings = loadConsoleSettings();
    Options o;
    o.preferred = settings.language;
    o.fieldWidth = settings.settings.fieldWidth;
    o.fieldHeight = settings.settings.fieldHeight;
    o.speed = settings.settings.speed;
    o.all = options.isSet(all);
    if (!options.readName(folder, o.folder, QStringLiteral("--class needs a folder.")) ||
        !options.readName(task, o.task, QStringLiteral("--task needs a file name.")) ||
        !options.readName(model, o.model, QStringLiteral("--model needs a file name.")) ||
        !options.readName(report, o.reportPath, QStringLiteral("--report needs a file name.")) ||
        !options.readName(csv, o.csvPath, QStringLiteral("--csv needs a file name.")) ||
        !options.readLanguage(language, o.language) ||
        !options.readFieldSize(field, o.fieldWidth, o.fieldHeight) ||
        !options.readMaxTicks(maxTicks, o.maxTicks))
        return 2;
    o.interfaceLanguage = o.language.value_or(o.preferred);
    const auto usage = [](const char *why) { return ConsoleText::usageError(QLatin1String(why)); };
    if (o.folder.isEmpty()) return usage("--class needs a folder.");
    if (!o.task.isEmpty() && !o.model.isEmpty()) return usage("--task and --model cannot go together.");
    if (o.reportPath.isEmpty() && o.csvPath.isEmpty())
        return usage("--class needs --report FILE or --csv FILE.");
    if (!options.files().isEmpty()) return usage("--class takes no file names: only options.");

    const Overview ov = build(o);
    for (const QString &p : ov.problems) ConsoleText::err(p);
    if (ov.failed) return 2;
    int code = 0;
    const auto write = [&](const QString &path, auto writeFile) {
        FileError failure;
        if (writeFile(path, ov, o.interfaceLanguage, &failure)) return;
        ConsoleText::err(QStringLiteral("trakmil: cannot write %1: %2")
                             .arg(path, fileErrorReason(failure, Language::Eng)));
        code = 2;
    };
    if (!o.reportPath.isEmpty()) write(o.reportPath, writeOverviewPage);
    if (!o.csvPath.isEmpty()) write(o.csvPath, writeOverviewCsv);
    ConsoleText::out(summaryText(ov, o.interfaceLanguage));
    return code;
}

}   // namespace ClassMode
