// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/HandIn.h"
#include "base/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

// Keys of the record in the program file's notes.
constexpr QStringView kPupil = u"handIn.pupil";
constexpr QStringView kTask = u"handIn.task";
constexpr QStringView kTaskId = u"handIn.taskId";
constexpr QStringView kTime = u"handIn.time";
constexpr QStringView kFields = u"handIn.fields";   // "right wrong right"
constexpr QStringView kRules = u"handIn.rules";   // codes, one per line
constexpr QStringView kRuns = u"handIn.runs";
constexpr QStringView kChecks = u"handIn.checks";
constexpr QStringView kTaskChecks = u"handIn.taskChecks";
constexpr QStringView kMinutes = u"handIn.minutes";

// A count as the writer writes it: 0 to a billion, digits only.
int countFrom(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    return digits.match(text).hasMatch() ? text.toInt() : 0;
}

}   // namespace

bool HandInRecord::solved() const
{
    return checked && brokenRules.isEmpty() && !fieldsRight.isEmpty() &&
           std::all_of(fieldsRight.begin(), fieldsRight.end(), [](bool right) { return right; });
}

bool HandInRecord::operator==(const HandInRecord &o) const
{
    return pupil == o.pupil && taskTitle == o.taskTitle && taskId == o.taskId && handedIn == o.handedIn &&
           std::equal(fieldsRight.begin(), fieldsRight.end(), o.fieldsRight.begin(), o.fieldsRight.end()) &&
           brokenRules == o.brokenRules && checked == o.checked && runs == o.runs && checks == o.checks &&
           taskChecks == o.taskChecks && minutes == o.minutes;
}

void addHandInNotes(ProgramNotes &notes, const HandInRecord &record)
{
    notes.set(kPupil, record.pupil);
    notes.set(kTask, record.taskTitle);
    notes.set(kTaskId, record.taskId);
    notes.set(kTime, record.handedIn.toUTC().toString(Qt::ISODate));
    if (record.checked) {
        QStringList fields;
        for (bool right : record.fieldsRight) fields << QString::fromLatin1(right ? "right" : "wrong");
        notes.set(kFields, fields.join(QLatin1Char(' ')));
        notes.set(kRules, record.brokenRules.join(QLatin1Char('\n')));
    } else {
        notes.remove(kFields);
        notes.remove(kRules);
    }
    notes.set(kRuns, QString::number(record.runs));
    notes.set(kChecks, QString::number(record.checks));
    notes.set(kTaskChecks, QString::number(record.taskChecks));
    notes.set(kMinutes, QString::number(record.minutes));
}

std::optional<HandInRecord> handInFromNotes(const ProgramNotes &notes)
{
    HandInRecord r;
    r.pupil = notes.value(kPupil).simplified();
    if (r.pupil.isEmpty()) return std::nullopt;
    r.taskTitle = notes.value(kTask).simplified();
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{16}$"));
    if (hex.match(notes.value(kTaskId)).hasMatch()) r.taskId = notes.value(kTaskId);
    r.handedIn = QDateTime::fromString(notes.value(kTime), Qt::ISODate);
    if (r.handedIn.isValid()) r.handedIn = r.handedIn.toUTC();
    if (notes.contains(kFields)) {
        const QStringList fields = notes.value(kFields).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool wellFormed = fields.size() <= Task::MaxFields &&
                                std::all_of(fields.begin(), fields.end(), [](const QString &f) {
                                    return f == QLatin1String("right") || f == QLatin1String("wrong");
                                });
        // A verdict has a field at least; rules without one are no verdict.
        if (wellFormed && !fields.isEmpty()) {
            r.checked = true;
            for (const QString &f : fields) r.fieldsRight << (f == QLatin1String("right"));
            for (const QString &code : notes.value(kRules).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                if (ruleBreakFromCode(code)) r.brokenRules << code;
        }
    }
    r.runs = countFrom(notes.value(kRuns));
    r.checks = countFrom(notes.value(kChecks));
    r.taskChecks = countFrom(notes.value(kTaskChecks));
    r.minutes = countFrom(notes.value(kMinutes));
    return r;
}

QString taskIdentifier(const Task &task)
{
    // The task as written without its words and starting program: what a pupil is graded on.
    Task graded;
    graded.fields = task.fields;
    for (TaskField &f : graded.fields) f.modelTicks = 0;
    graded.rules = task.rules;
    graded.language = task.language;
    return QString::fromLatin1(
        QCryptographicHash::hash(writeTask(graded), QCryptographicHash::Sha256).toHex().left(16));
}

QString ruleBreakCode(const RuleBreak &rule)
{
    switch (rule.kind) {
    case RuleBreak::Kind::TooManyLines:
        return QStringLiteral("lines %1 %2").arg(rule.count).arg(rule.limit);
    case RuleBreak::Kind::Missing:
        return QStringLiteral("missing ") + taskConstructName(rule.construct);
    case RuleBreak::Kind::Forbidden:
        return QStringLiteral("forbidden %1 %2").arg(taskConstructName(rule.construct)).arg(rule.line);
    }
    return QString();
}

std::optional<RuleBreak> ruleBreakFromCode(const QString &code)
{
    const QStringList parts = code.split(QLatin1Char(' '));
    RuleBreak r;
    bool ok1 = false, ok2 = false;
    if (parts.size() == 3 && parts[0] == QLatin1String("lines")) {
        r.kind = RuleBreak::Kind::TooManyLines;
        r.count = parts[1].toInt(&ok1);
        r.limit = parts[2].toInt(&ok2);
        if (ok1 && ok2 && r.count > r.limit && r.limit >= 0) return r;
        return std::nullopt;
    }
    if (parts.size() == 2 && parts[0] == QLatin1String("missing")) {
        const std::optional<TaskConstruct> c = taskConstructFromName(parts[1]);
        if (!c) return std::nullopt;
        r.kind = RuleBreak::Kind::Missing;
        r.construct = *c;
        return r;
    }
    if (parts.size() == 3 && parts[0] == QLatin1String("forbidden")) {
        const std::optional<TaskConstruct> c = taskConstructFromName(parts[1]);
        r.line = parts[2].toInt(&ok1);
        if (!c || !ok1 || r.line < 1) return std::nullopt;
        r.kind = RuleBreak::Kind::Forbidden;
        r.construct = *c;
        return r;
    }
    return std::nullopt;
}

QString safeFileNamePart(const QString &text, int maxChars)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        // What Windows, macOS and Linux file systems refuse, and what a shell or a path reads.
        static const QString refused = QStringLiteral("/\\:*?\"<>|");
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            refused.contains(c))
            out += QLatin1Char('_');
        else if (c.isSpace())
            out += QLatin1Char(' ');
        else
            out += c;
    }
    out = out.simplified();
    // No surrogate pair cut in half.
    if (out.size() > maxChars) out.truncate(out.at(maxChars - 1).isHighSurrogate() ? maxChars - 1 : maxChars);
    while (!out.isEmpty() && (out.endsWith(QLatin1Char('.')) || out.endsWith(QLatin1Char(' ')))) out.chop(1);
    while (!out.isEmpty() && (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char(' '))))
        out.remove(0, 1);
    if (out.isEmpty()) return QStringLiteral("_");
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[0-9]|lpt[0-9])(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(out).hasMatch()) out.prepend(QLatin1Char('_'));
    return out;
}

QString handInFileName(const HandInRecord &record)
{
    QStringList parts {safeFileNamePart(record.pupil, 60)};
    if (!record.taskTitle.isEmpty()) parts << safeFileNamePart(record.taskTitle, 40);
    parts << record.handedIn.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    return parts.join(QStringLiteral(" - ")) + QStringLiteral(".tkm");
}

bool writeHandIn(const QString &folder, const StyledText &program, ProgramNotes notes,
                 const HandInRecord &record, QString *written, QString *error, Language lang)
{
    const QFileInfo dir(folder);
    if (!dir.isDir()) {
        FileError missing {FileError::Kind::System, folder, QStringLiteral("No such file or directory"),
                           ENOENT};
        if (error) *error = fileErrorReason(missing, lang);
        return false;
    }
    addHandInNotes(notes, record);
    const QByteArray data = writeRtf(program, notes);
    const QString name = handInFileName(record);
    const QString stem = name.chopped(4);
    QString path = QDir(dir.absoluteFilePath()).filePath(name);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = QDir(dir.absoluteFilePath()).filePath(QStringLiteral("%1 (%2).tkm").arg(stem).arg(n));
    FileError failure;
    if (!writeFileSafely(path, data, &failure)) {
        if (error) *error = fileErrorReason(failure, lang);
        return false;
    }
    if (written) *written = path;
    return true;
}
