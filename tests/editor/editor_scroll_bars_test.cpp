// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include <QApplication>
#include <QScrollBar>

namespace {

QString longProgram()
{
    QStringList lines;
    for (int i = 0; i < 60; ++i) lines << QStringLiteral("ШАГ");
    lines[5] = QStringLiteral("ПОВОРОТ 90 ") + QString(120, QLatin1Char('X'));
    return lines.join(QLatin1Char('\n'));
}

void expectMirrored(const QScrollBar &own, const QScrollBar &shown)
{
    EXPECT_EQ(shown.minimum(), own.minimum());
    EXPECT_EQ(shown.maximum(), own.maximum());
    EXPECT_EQ(shown.pageStep(), own.pageStep());
    EXPECT_EQ(shown.singleStep(), own.singleStep());
    EXPECT_EQ(shown.value(), own.value());
}

struct PaintCounter : QObject {
    QHash<const QObject *, int> paints;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) ++paints[o];
        return false;
    }
};

}   // namespace

TEST(AlgorithmEditorScrollBars, BothBarsShowAroundTheViewportWithTheCornerBetween)
{
    EditorHarness h;
    for (QSize size : {QSize(320, 420), QSize(200, 150)}) {
        h->resize(size);
        QApplication::processEvents();
        QScrollBar *shown = h->shownHorizontalScrollBar();
        QScrollBar *vertical = h->verticalScrollBar();
        const QRect v = h->viewport()->geometry();
        ASSERT_TRUE(shown->isVisible());
        ASSERT_TRUE(vertical->isVisible());
        EXPECT_EQ(shown->geometry(), QRect(v.left(), v.bottom() + 1, v.width(), shown->height()));
        EXPECT_GT(shown->height(), 0);
        // The vertical bar ends where the horizontal one begins; the corner fills the rest.
        const QRect vbar(vertical->mapTo(h.ed.get(), QPoint()), vertical->size());
        EXPECT_EQ(vbar.top(), v.top());
        EXPECT_EQ(vbar.bottom(), v.bottom());
        EXPECT_EQ(vbar.left(), v.right() + 1);
        EXPECT_EQ(h->contentsRect().bottom(), shown->geometry().bottom());
    }
}

TEST(AlgorithmEditorScrollBars, ShownBarFollowsTheEditorAndScrollsIt)
{
    EditorHarness h;
    h.load(longProgram());
    QApplication::processEvents();
    QScrollBar &own = *h->horizontalScrollBar();
    QScrollBar &shown = *h->shownHorizontalScrollBar();
    ASSERT_GT(own.maximum(), 0);
    expectMirrored(own, shown);

    // The caret at the end of the long line scrolls the text; the shown bar follows.
    h->setCaret(5, h->line(5).size());
    QApplication::processEvents();
    EXPECT_GT(own.value(), 0);
    expectMirrored(own, shown);

    // The shown bar drives the text: a click on its arrow and a drag both scroll.
    shown.setValue(0);
    EXPECT_EQ(own.value(), 0);
    shown.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(own.value(), own.singleStep());
    shown.setValue(shown.maximum());
    EXPECT_EQ(own.value(), own.maximum());

    // A narrower text shrinks both ranges and brings both values back in.
    h.load(QStringLiteral("ШАГ"));
    QApplication::processEvents();
    EXPECT_EQ(own.maximum(), 0);
    EXPECT_EQ(own.value(), 0);
    expectMirrored(own, shown);

    // So does a narrower viewport: the page step is the viewport's width.
    h.load(longProgram());
    h->resize(200, 300);
    QApplication::processEvents();
    EXPECT_EQ(own.pageStep(), h->viewport()->width());
    expectMirrored(own, shown);
}

// A run selects a line per tick: that must repaint the text and nothing around it.
TEST(AlgorithmEditorScrollBars, SelectingALineRepaintsOnlyTheText)
{
    EditorHarness h;
    h.load(QStringLiteral("НАЧАЛО АЛГОРИТМА\nШАГ\nПОВОРОТ 90\nКОНЕЦ АЛГОРИТМА"));
    h->selectLine(1);
    QApplication::processEvents();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    for (int i = 0; i < 6; ++i) {
        h->selectLine(1 + i % 2);
        QApplication::processEvents();
    }
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.paints.value(h->viewport()), 6);
    EXPECT_EQ(counter.paints.value(h.ed.get()), 0);
    EXPECT_EQ(counter.paints.value(h->shownHorizontalScrollBar()), 0);
    EXPECT_EQ(counter.paints.value(h->verticalScrollBar()), 0);
}
