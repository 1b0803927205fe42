// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/Worksheet.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "common/PdfText.h"
#include "common/Printers.h"
#include "world/FieldVectors.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

QString text(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }

StyledText lines(const QStringList &plain)
{
    StyledText t;
    for (const QString &l : plain) t.append(StyledLine {l, {}});
    return t;
}

// The program line numbers printed at the start of a row, "  12  L12 ...", page by page.
QList<QList<int>> numbersByPage(const QStringList &pages)
{
    static const QRegularExpression numbered(QStringLiteral("^\\s*(\\d+)\\s+L(\\d+)\\b"),
                                             QRegularExpression::MultilineOption);
    QList<QList<int>> r;
    for (const QString &page : pages) {
        QList<int> numbers;
        for (auto it = numbered.globalMatch(page); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            EXPECT_EQ(m.captured(1), m.captured(2)) << "a line under another's number";
            numbers << m.captured(1).toInt();
        }
        r << numbers;
    }
    return r;
}

}   // namespace

TEST(Worksheet, PdfHoldsTheHeaderEveryNumberedLineAndThePageCountInTheInterfaceLanguage)
{
    SKIP_WITHOUT_PDF_TOOLS();
    QTemporaryDir dir;
    FieldVectors field;
    field.drawEmptyField(5, 4);
    field.setPen(0xFF0000, 5);
    field.drawSegment(0, 0, 1, 1);

    Worksheet sheet;
    sheet.date = QDate(2026, 12, 10);
    sheet.field = &field;
    sheet.program = lines(
        {"НАЧАЛО АЛГОРИТМА", "ЦВЕТ=КРАСНЫЙ", "ШАГ", "// țară, înșir, mâine, ăla", "", "КОНЕЦ АЛГОРИТМА"});
    sheet.program[2].runs = {ColourRun {1, 0x0000FF}, ColourRun {2, 0x008000}};
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        sheet.lang = lang;
        sheet.pupil = lang == Language::Rus ? QStringLiteral("Иванова Мария") : QString();
        sheet.task = lang == Language::Rus ? QStringLiteral("Квадрат и круг") : QString();
        sheet.file = lang == Language::Rom ? QString() : QStringLiteral("квадрат.tkm");
        const QString path = dir.filePath(languageCode(lang) + QStringLiteral(".pdf"));
        QString error;
        ASSERT_TRUE(writeWorksheetPdf(path, sheet, QPageSize::A4, &error)) << error.toStdString();

        const QStringList pages = pdfPages(path);
        ASSERT_EQ(pages.size(), 1);
        const QString page = pages.first();
        EXPECT_TRUE(
            page.contains(text("worksheet.program", lang)
                              .arg(sheet.file.isEmpty() ? text("worksheet.unnamed", lang) : sheet.file)))
            << page.toStdString();
        EXPECT_TRUE(
            page.contains(QLocale(languageInfo(lang)->locale).toString(sheet.date, QLocale::ShortFormat)));
        EXPECT_EQ(page.contains(QStringLiteral("Иванова Мария")), lang == Language::Rus);
        if (lang == Language::Rus) {
            EXPECT_TRUE(page.contains(text("worksheet.pupil", lang).arg(sheet.pupil)));
            EXPECT_TRUE(page.contains(text("worksheet.task", lang).arg(sheet.task)));
        }
        for (int i = 0; i < sheet.program.size(); ++i) {
            const QString line = sheet.program.at(i).text;
            const QString row =
                QStringLiteral("^\\s*%1%2\\s*$")
                    .arg(i + 1)
                    .arg(line.isEmpty() ? QString()
                                        : QStringLiteral("\\s+") + QRegularExpression::escape(line));
            EXPECT_TRUE(page.contains(QRegularExpression(row, QRegularExpression::MultilineOption)))
                << "line " << i + 1 << " in\n"
                << page.toStdString();
        }
        EXPECT_TRUE(page.contains(text("worksheet.page", lang).arg(1).arg(1)));
    }
    // The field is drawn, not pasted in as a picture: no image in the file at all.
    const QString images =
        runPdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), dir.filePath("eng.pdf")});
    EXPECT_EQ(images.trimmed().split(QLatin1Char('\n')).size(), 2)
        << images.toStdString();   // the heading only
}

TEST(Worksheet, ALongProgramBreaksPagesOnlyBetweenLinesAndCountsThem)
{
    SKIP_WITHOUT_PDF_TOOLS();
    QTemporaryDir dir;
    QStringList plain;
    for (int n = 1; n <= 500; ++n) plain << QStringLiteral("L%1 STEP").arg(n);
    // Lines too long for a row, one where a page is nearly full.
    QString words;
    for (int k = 0; k < 60; ++k) words += QStringLiteral(" word%1").arg(k);
    for (int n : {60, 137, 138, 499}) plain[n - 1] += words + QStringLiteral(" END%1").arg(n);
    FieldVectors field;
    field.drawEmptyField(16, 20);
    Worksheet sheet;
    sheet.program = lines(plain);
    sheet.field = &field;
    sheet.date = QDate(2026, 1, 2);
    sheet.lang = Language::Eng;
    const QString path = dir.filePath("long.pdf");
    ASSERT_TRUE(writeWorksheetPdf(path, sheet, QPageSize::A4, nullptr));

    const QStringList pages = pdfPages(path);
    ASSERT_GT(pages.size(), 5);
    const QList<QList<int>> numbers = numbersByPage(pages);
    std::map<int, int> pageOf;
    for (int k = 0; k < pages.size(); ++k) {
        EXPECT_TRUE(pages.at(k).contains(QStringLiteral("page %1 of %2").arg(k + 1).arg(pages.size())))
            << "page " << k + 1;
        for (int i = 1; i < numbers.at(k).size(); ++i)
            EXPECT_EQ(numbers.at(k).at(i), numbers.at(k).at(i - 1) + 1) << "page " << k + 1;
        for (int n : numbers.at(k))
            EXPECT_TRUE(pageOf.emplace(n, k).second) << "line " << n << " printed twice";
    }
    EXPECT_EQ(pageOf.size(), 500u);
    EXPECT_EQ(pageOf.begin()->first, 1);
    EXPECT_EQ(pageOf.rbegin()->first, 500);
    // A wrapped line ends on the page it begins on, its rows unnumbered.
    for (int n : {60, 137, 138, 499}) {
        const int k = pageOf.at(n);
        EXPECT_TRUE(pages.at(k).contains(QStringLiteral("END%1").arg(n))) << "line " << n;
        EXPECT_TRUE(pages.at(k).contains(
            QRegularExpression(QStringLiteral("^\\s+word\\d+ word"), QRegularExpression::MultilineOption)));
    }
    // The whole field does not fit under the last lines: it has a page of its own, with the
    // header and the node numbers as text.
    EXPECT_EQ(numbers.last(), QList<int> {});
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Program: unnamed")));
    EXPECT_TRUE(pages.last().contains(QRegularExpression(QStringLiteral("\\b19\\b"))));
}
