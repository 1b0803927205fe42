// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/MessageWindow.h"
#include "common/ModalHelper.h"
#include "base/TextCatalogue.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

struct Seen {
    QString title;
    QStringList lines;
    bool modal = false;
};

// Reports once, records what the open window shows, then closes it the given way.
Seen reportAndClose(MessageWindow &w, const QString &heading, const QStringList &texts,
                    std::function<void(MessageWindow &)> close)
{
    Seen seen;
    whenModal([&](QWidget *active) {
        seen.modal = active == &w;
        seen.title = w.windowTitle();
        seen.lines = w.lines();
        close(w);
    });
    w.showReport(heading, texts);
    return seen;
}

void clickOk(MessageWindow &w) { QTest::mouseClick(w.okButton, Qt::LeftButton); }
void closeBox(MessageWindow &w) { w.close(); }

}   // namespace

TEST(MessageWindow, ShowsHeadingAndOneLinePerTextLine)
{
    MessageWindow w;
    const Seen seen = reportAndClose(w, QStringLiteral("Ошибка #04"),
                                     {QStringLiteral("первая\nвторая"), QStringLiteral("третья")}, clickOk);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.title, QStringLiteral("Ошибка #04"));
    EXPECT_EQ(seen.lines, (QStringList {"первая", "вторая", "третья"}));
}

TEST(MessageWindow, EmptiedWhenClosedByButtonOrCloseBox)
{
    for (auto close : {&clickOk, &closeBox}) {
        MessageWindow w;
        reportAndClose(w, QStringLiteral("H"), {QStringLiteral("a"), QStringLiteral("b")}, close);
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(w.windowTitle().isEmpty());
        EXPECT_TRUE(w.textBox->toPlainText().isEmpty());
        EXPECT_TRUE(w.lines().isEmpty());
    }
}

TEST(MessageWindow, EveryReportStartsEmpty)
{
    MessageWindow w;
    reportAndClose(w, QStringLiteral("one"), {QStringLiteral("old line")}, clickOk);
    const Seen second = reportAndClose(w, QStringLiteral("two"), {QStringLiteral("new line")}, clickOk);
    EXPECT_EQ(second.title, QStringLiteral("two"));
    EXPECT_EQ(second.lines, QStringList {"new line"});
}

TEST(MessageWindow, LinesAreShownExactlyAsGiven)
{
    // Texts quote the user's program lines: markup, carriage returns and blank lines
    // must come through as they are.
    MessageWindow w;
    const Seen seen = reportAndClose(
        w, QStringLiteral("H"),
        {QStringLiteral("Ошибка в строке 3 (\"<b>шаг</b> &amp;\")"), QStringLiteral("x\r\n\r\ny"), QString()},
        clickOk);
    EXPECT_EQ(seen.lines, (QStringList {"Ошибка в строке 3 (\"<b>шаг</b> &amp;\")", "x", "", "y", ""}));
}

TEST(MessageWindow, OpensCentredOnItsParent)
{
    QWidget parent;
    parent.setGeometry(100, 120, 700, 500);
    parent.show();
    MessageWindow w(&parent);
    QPoint centre;
    whenModal([&](QWidget *) {
        centre = w.frameGeometry().center();
        clickOk(w);
    });
    w.showReport(QStringLiteral("H"), {QStringLiteral("t")});
    const QPoint expected = parent.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - expected.x()), 2);
    EXPECT_LE(std::abs(centre.y() - expected.y()), 2);
    EXPECT_EQ(w.size(), QSize(298, 118));
}

TEST(MessageWindow, ReportWhileOpenJoinsTheOpenWindow)
{
    MessageWindow w;
    QStringList seen;
    bool returnedAtOnce = false;
    whenModal([&](QWidget *) {
        w.showReport(QStringLiteral("second"), {QStringLiteral("more")});
        returnedAtOnce = w.isVisible();   // still the first, still open
        seen = w.lines();
        clickOk(w);
    });
    w.showReport(QStringLiteral("first"), {QStringLiteral("text")});
    EXPECT_TRUE(returnedAtOnce);
    EXPECT_EQ(seen, (QStringList {"text", "more"}));
    EXPECT_TRUE(w.lines().isEmpty());
}

TEST(MessageWindow, LongReportOpensAtItsFirstLine)
{
    const QStringList texts = {
        QStringLiteral("Процедура КВАДРАТ не найдена! Проверьте имя процедуры в строке вызова."),
        QStringLiteral("Строка 2 пояснения.\nСтрока 3 пояснения.\nСтрока 4 пояснения.\nСтрока 5."),
        QStringLiteral("Строка 6 пояснения.\nСтрока 7 пояснения.\nСтрока 8, последняя.")};
    MessageWindow w;
    for (int round = 0; round < 2; ++round) {   // the second showing reuses the window
        int value = -1, maximum = -1, firstShownBlock = -1;
        whenModal([&](QWidget *) {
            QScrollBar *bar = w.textBox->verticalScrollBar();
            value = bar->value();
            maximum = bar->maximum();
            firstShownBlock = w.textBox->cursorForPosition(QPoint(2, 2)).blockNumber();
            w.okButton->click();
        });
        w.showReport(QStringLiteral("#04: Ошибка в структуре программы"), texts);
        SCOPED_TRACE(round);
        EXPECT_GT(maximum, 0);   // longer than the box
        EXPECT_EQ(value, 0);
        EXPECT_EQ(firstShownBlock, 0);
    }
}

// The heading is the window's caption: the window leaves room for it whole beside a title
// bar's icon and buttons, in every Language, and the text and the button follow the width.
TEST(MessageWindow, HeadingsFitTheCaptionInEveryLanguage)
{
    for (const char *key : {"message.heading.structureError", "message.heading.robotError"}) {
        for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
            const QString heading = uiText(key, lang).value();
            SCOPED_TRACE(heading.toStdString());
            MessageWindow w;
            QFont title = w.font();
            title.setBold(true);
            QSize size;
            QRect text, ok;
            whenModal(
                [&](QWidget *) {
                    size = w.size();
                    text = w.textBox->geometry();
                    ok = w.okButton->geometry();
                    clickOk(w);
                },
                3000);
            w.showReport(heading, {QStringLiteral("t")});
            // A bold caption plus an icon and two buttons of some 24 pixels each.
            EXPECT_GE(size.width(), QFontMetrics(title).horizontalAdvance(heading) + 3 * 24 + 16);
            EXPECT_EQ(text.left(), 8);
            EXPECT_EQ(size.width() - 1 - text.right(), 9);
            EXPECT_LE(std::abs(ok.center().x() - size.width() / 2), 8);
            EXPECT_EQ(w.size(), QSize(298, 118)) << "closed, the window is plain again";
        }
    }
}
