// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "common/ObjectNames.h"
#include "app/Commands.h"
#include "base/TextCatalogue.h"
#include "run/HeadlessRun.h"
#include "world/FieldSvg.h"
#include "world/FieldPicture.h"
#include "world/widgets/FieldView.h"
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QFile>
#include <QSlider>
#include <QTest>
#include <QToolTip>

namespace {

struct Seen {
    QImage picture;
    int x, y, heading;
    QRgb colour;
    int line;
    QString position;
};

}   // namespace

class TimelineTest : public MainWindowTest {
protected:
    const QImage &picture() const { return dynamic_cast<FieldPicture *>(window->field()->canvas())->image(); }
    Seen seen() const
    {
        const RobotState &s = window->robotWorld().state();
        return {picture(),
                s.x,
                s.y,
                s.heading,
                s.colour,
                window->editor()->caretLineColumn().line,
                panel(StatusPanel::Position)};
    }
    void expectSeen(const Seen &a, const std::string &what) const
    {
        const Seen b = seen();
        EXPECT_TRUE(a.picture == b.picture) << what << ": field picture";
        EXPECT_EQ(a.x, b.x) << what;
        EXPECT_EQ(a.y, b.y) << what;
        EXPECT_EQ(a.heading, b.heading) << what;
        EXPECT_EQ(a.colour, b.colour) << what;
        EXPECT_EQ(a.line, b.line) << what << ": selected line";
        EXPECT_EQ(a.position, b.position) << what << ": position panel";
    }
    QString position(int k, int n) const
    {
        return uiText("timeline.position", Language::Rus).value_or(QString()).arg(k).arg(n);
    }
};

TEST_F(TimelineTest, MovingAlongAFinishedRunShowsEachTickAndGoesOnFromThere)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nЦВЕТ=КРАСНЫЙ\nЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ\nШАГ\nПОВОРОТ 45\nКОНЕЦ ЦИКЛА\n"
               "ПРЫЖОК\nКОНЕЦ АЛГОРИТМА");
    auto *slider = control<QSlider>(ObjectName::Timeline);
    auto *label = control<QLabel>(ObjectName::TimelineLabel);
    ASSERT_FALSE(slider->isEnabled()) << "no run, no timeline";
    EXPECT_EQ(slider->accessibleName(), uiText("timeline.name", Language::Rus).value_or(QString()));

    // Tick by tick as F8 shows them: what the timeline must give back.
    std::vector<Seen> ticks;
    window->action(Command::StepLine)->trigger();
    ticks.push_back(seen());   // after tick 1, the begin line
    while (window->runController().isActive()) {
        window->action(Command::StepLine)->trigger();
        if (window->runController().isActive()) ticks.push_back(seen());
    }
    const int n = int(window->runController().history().ticks());
    ASSERT_EQ(int(ticks.size()), n - 1) << "the last tick ends the run";
    const Seen end = seen();
    ASSERT_TRUE(slider->isEnabled());
    EXPECT_EQ(slider->maximum(), n);
    EXPECT_EQ(label->text(), position(n, n));

    // A screen reader sets the value; the field, the line and the panels follow.
    QAccessibleInterface *access = QAccessible::queryAccessibleInterface(slider);
    ASSERT_NE(access, nullptr);
    ASSERT_NE(access->valueInterface(), nullptr);
    access->valueInterface()->setCurrentValue(3);
    EXPECT_EQ(window->runController().state(), RunController::State::Paused)
        << "looking back pauses the run again";
    expectSeen(ticks[2], "after tick 3");
    EXPECT_EQ(label->text(), position(3, n));
    EXPECT_EQ(slider->accessibleDescription(), position(3, n));

    slider->setValue(n - 1);
    expectSeen(ticks[size_t(n - 2)], "at tick " + std::to_string(n - 1));
    for (int k = n - 2; k >= 1; --k) {
        window->action(Command::StepBack)->trigger();
        expectSeen(ticks[size_t(k - 1)], "back to tick " + std::to_string(k));
    }
    window->action(Command::StepBack)->trigger();
    EXPECT_EQ(slider->value(), 0);
    for (int k = 1; k < n; ++k) {
        window->action(Command::StepForward)->trigger();
        expectSeen(ticks[size_t(k - 1)], "forward to tick " + std::to_string(k));
    }
    EXPECT_EQ(window->runController().history().ticks(), n) << "moving keeps the history";

    // F9 from tick 4 goes on from there, to the same end.
    slider->setValue(4);
    window->findChild<QAction *>(QStringLiteral("resumeKey"))->trigger();
    EXPECT_TRUE(window->runController().isRunning());
    EXPECT_FALSE(slider->isEnabled()) << "no timeline while running";
    runToStop();
    EXPECT_EQ(window->runController().history().ticks(), n);
    EXPECT_TRUE(picture() == end.picture);
    EXPECT_EQ(window->robotWorld().state().x, end.x);

    // Esc leaves a reopened run where it stands.
    slider->setValue(2);
    window->action(Command::Stop)->trigger();
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_EQ(window->robotWorld().state().x, ticks[1].x);
    EXPECT_TRUE(slider->isEnabled()) << "the history stays after the stop";
    EXPECT_EQ(slider->value(), 2);

    // A changed program forgets the run.
    setProgram("НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА");
    EXPECT_FALSE(slider->isEnabled());
    window->action(Command::StepBack)->trigger();
    EXPECT_FALSE(window->runController().isActive());
}

TEST_F(TimelineTest, StepBackPausesARunningProgramAndAClearedFieldDropsTheHistory)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 5 РАЗ\nШАГ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    for (int i = 0; i < 6; ++i) window->runController().tick();
    window->action(Command::StepBack)->trigger();
    EXPECT_EQ(window->runController().state(), RunController::State::Paused);
    EXPECT_EQ(window->runController().ticks(), 5);
    EXPECT_EQ(window->editor()->caretLineColumn().line, window->runController().shownLine());
    window->action(Command::ClearField)->trigger();
    EXPECT_TRUE(window->runController().history().isEmpty()) << "the world changed under the run";
    EXPECT_FALSE(control<QSlider>(ObjectName::Timeline)->isEnabled());
}

TEST_F(TimelineTest, AClickedSegmentSelectsTheLineThatDrewItLastAndTheCaretsLineIsMarked)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nПОВОРОТ 90\nПОВОРОТ 90\nЦВЕТ=КРАСНЫЙ\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    runToStop();
    FieldView *field = window->field();
    // An empty spot of the field: nothing moves.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_TRUE(field->toolTip().isEmpty());

    // The segment from node (0, 0) to (1, 0), drawn by lines 2 and 6 (ticks 2 and 6).
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(29, 20));
    EXPECT_EQ(window->runController().state(), RunController::State::Paused);
    EXPECT_EQ(window->runController().ticks(), 6);
    EXPECT_EQ(window->editor()->caretLineColumn().line, 5);
    EXPECT_EQ(field->toolTip(),
              uiText("timeline.drawnBy", Language::Rus).value_or(QString()).arg(2).arg("2, 6"));
    // Back at tick 3 only the first drawing had been made.
    control<QSlider>(ObjectName::Timeline)->setValue(3);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(29, 18));
    EXPECT_EQ(window->runController().ticks(), 2);
    EXPECT_EQ(window->editor()->caretLineColumn().line, 1);
    EXPECT_EQ(field->toolTip(), uiText("timeline.drawnByLine", Language::Rus).value_or(QString()).arg(2));
    window->action(Command::Stop)->trigger();

    // The caret on a line that drew: its segments marked, over the field and not in it.
    control<QSlider>(ObjectName::Timeline)->setValue(6);
    window->action(Command::Stop)->trigger();
    const QImage before = dynamic_cast<FieldPicture *>(field->canvas())->image();
    window->editor()->setCaret(1, 0);
    EXPECT_TRUE(field->showsLineMarks());
    EXPECT_TRUE(before == dynamic_cast<FieldPicture *>(field->canvas())->image());
    window->editor()->setCaret(2, 0);
    EXPECT_FALSE(field->showsLineMarks()) << "a turn draws nothing";
    window->editor()->setCaret(5, 0);
    EXPECT_TRUE(field->showsLineMarks());
    window->action(Command::MarkLineSegments)->trigger();
    EXPECT_FALSE(field->showsLineMarks()) << "the View item turns the marks off";
    window->action(Command::MarkLineSegments)->trigger();
    EXPECT_TRUE(field->showsLineMarks());
}

TEST_F(TimelineTest, EnterOnTheFieldGoesThroughTheSegmentsAtTheRobotsNodeLatestFirst)
{
    open();
    FieldView *field = window->field();
    QTest::keyClick(field, Qt::Key_Return);   // no run yet: nothing to show
    EXPECT_FALSE(window->runController().isActive());

    // The robot ends at node (1, 0), between the segment line 2 drew and the one lines 3 and 6 drew.
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nШАГ\nПОВОРОТ 90\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    runToStop();
    const QString twice = uiText("timeline.drawnBy", Language::Rus).value_or(QString()).arg(2).arg("3, 6");
    const QString once = uiText("timeline.drawnByLine", Language::Rus).value_or(QString()).arg(2);
    const struct {
        int tick, line;
        QString note;
    } presses[] = {{6, 5, twice}, {2, 1, once}, {6, 5, twice}};
    for (const auto &press : presses) {
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(window->runController().ticks(), press.tick);
        EXPECT_EQ(window->editor()->caretLineColumn().line, press.line);
        EXPECT_EQ(field->toolTip(), press.note);
        QCoreApplication::processEvents();
        EXPECT_EQ(QToolTip::text(), press.note) << "the note is shown, not only set";
    }
    // Moved elsewhere on the timeline, the next press asks about the node the robot stands on there.
    control<QSlider>(ObjectName::Timeline)->setValue(3);
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(window->runController().ticks(), 3);
    EXPECT_EQ(window->editor()->caretLineColumn().line, 2);
}

// Whatever tick the field shows, the picture saved as SVG (and so the printed sheet, drawn
// from the same record) is the field of a run stopped after that tick: its trace, with
// segments drawn over in other colours, and its robot, turned, hidden and shown again.
TEST_F(TimelineTest, SteppedBackTheSavedSvgShowsTheFieldAtThatTick)
{
    open();
    const QStringList program {"НАЧАЛО АЛГОРИТМА",
                               "ЦВЕТ=КРАСНЫЙ",
                               "ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ",
                               "ШАГ",
                               "ПОВОРОТ 45",
                               "КОНЕЦ ЦИКЛА",
                               "ЦВЕТ=СИНИЙ",
                               "ПОВОРОТ 90",
                               "ПОВОРОТ 45",
                               "ШАГ",
                               "УНИЧТОЖИТЬ",
                               "ПОВОРОТ 90",
                               "ШАГ",
                               "ВОССТАНОВИТЬ",
                               "ПОВОРОТ 45",
                               "КОНЕЦ АЛГОРИТМА"};
    setProgram(program.join(QLatin1Char('\n')).toUtf8().constData());
    window->action(Command::Run)->trigger();
    runToStop();
    const qint64 n = window->runController().history().ticks();
    ASSERT_GT(n, 12);
    const int width = window->robotWorld().fieldWidth(), height = window->robotWorld().fieldHeight();

    StringListProgramText text(program);
    int hidden = 0, shown = 0;
    for (qint64 k = n; k >= 1; --k) {
        const std::string at = "after tick " + std::to_string(k) + " of " + std::to_string(n);
        if (k < n) window->action(Command::StepBack)->trigger();
        ASSERT_EQ(window->runController().ticks(), k) << at;
        const QString svg = path("at.svg");
        QFile::remove(svg);
        prompts.savePaths << svg;
        window->action(Command::SavePicture)->trigger();
        QFile saved(svg);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << at;

        FieldPicture picture;
        HeadlessRun alone(text, Language::Rus);
        alone.setCanvas(&picture);
        alone.setFieldSize(width, height);
        alone.checkAndRun(k);
        ASSERT_EQ(alone.ticks(), k) << at;
        const QByteArray wanted = fieldSvg(picture.vectors());
        EXPECT_EQ(QString::fromUtf8(saved.readAll()), QString::fromUtf8(wanted)) << at;
        (picture.vectors().robotVisible() ? shown : hidden) += 1;
    }
    EXPECT_GT(hidden, 0);
    EXPECT_GT(shown, 0);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}
