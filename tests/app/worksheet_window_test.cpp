// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "base/TextCatalogue.h"
#include "common/PdfText.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

namespace {

const char *kSquare = "НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nШАГ\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА";

// Every line of the square under its number, on the one page.
void expectSquare(const QString &path, Language lang, const QString &pupil)
{
    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 1) << path.toStdString();
    const QStringList lines = QString::fromUtf8(kSquare).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(pages.first().contains(
            QRegularExpression(QStringLiteral("^\\s*%1\\s+%2$").arg(i + 1).arg(lines.at(i)),
                               QRegularExpression::MultilineOption)))
            << lines.at(i).toStdString();
    const QString unnamed = uiText("worksheet.unnamed", lang).value_or(QString());
    EXPECT_TRUE(pages.first().contains(uiText("worksheet.program", lang).value_or(QString()).arg(unnamed)));
    EXPECT_TRUE(pages.first().contains(uiText("worksheet.page", lang).value_or(QString()).arg(1).arg(1)));
    EXPECT_TRUE(pages.first().contains(uiText("worksheet.pupil", lang).value_or(QString()).arg(pupil)))
        << pages.first().toStdString();
}

}   // namespace

TEST_F(MainWindowTest, WorksheetGoesToThePreviewThePrinterAndAPdf)
{
    SKIP_WITHOUT_PDF_TOOLS();
    int previewPages = -1;
    showPrintPreview = [&](QDialog &dialog) {
        dialog.show();
        auto *preview = dialog.findChild<QPrintPreviewWidget *>();
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return preview->pageCount() > 0; }, 5000));
        previewPages = preview->pageCount();
        dialog.reject();
    };
    const QString printed = path("printed.pdf");
    bool printAnswer = false;
    printDialog = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return printAnswer;
    };
    // The hand-in name, once given, heads the sheet.
    const QString pupil = QStringLiteral("Ана-Maria Ș.");
    open({}, "[int]\npupil=" + pupil.toUtf8() + "\n");
    window->show();
    setProgram(kSquare);
    window->action(Command::Run)->trigger();
    runToStop();
    const Language lang = window->language();

    window->action(Command::PrintPreview)->trigger();
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(window->findChild<QPrintPreviewDialog *>(), nullptr) << "the preview is gone once closed";
    EXPECT_TRUE(QApplication::activeModalWidget() == nullptr);

    window->action(Command::Print)->trigger();   // cancelled in the dialog
    EXPECT_FALSE(QFileInfo::exists(printed));
    printAnswer = true;
    window->action(Command::Print)->trigger();
    expectSquare(printed, lang, pupil);

    const QString exported = path("лист.pdf");
    prompts.savePaths << path("no/such/folder/x.pdf") << exported;
    window->action(Command::ExportWorksheet)->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().contains(QStringLiteral("x.pdf")));
    window->action(Command::ExportWorksheet)->trigger();
    EXPECT_EQ(prompts.saveSuffixes.last(), QStringLiteral("pdf"));
    expectSquare(exported, lang, pupil);
    EXPECT_EQ(prompts.messages.size(), 1);
}
