// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TaskFile.h"
#include "lang/Lexicon.h"

#include <gtest/gtest.h>

namespace {

// Every field, heading, rule, colour and a coloured starting program, so that a field the
// writer forgets or the reader misplaces shows.
Task everythingTask()
{
    Task t;
    t.title = QStringLiteral("Лесенка — scară");
    t.text = QStringLiteral("Нарисуй лесенку.\n\nDesenează o scară: «trei trepte».");
    t.language = Language::Rom;
    for (int f = 0; f < Task::MaxFields; ++f) {
        TaskField field;
        field.width = 2 + f * 4;
        field.height = 20 - f * 5;
        TraceRecorder goal;
        for (int c = 0; c < ColourTable::Count - 1; ++c) {   // all but white, which erases
            goal.setPen(ColourTable::value(c), 1);
            const int x = c % field.width, y = c / field.width;
            if (y < field.height) goal.drawSegment(x, y, x + 1, y + 1);
        }
        goal.setPen(0x0000FF, 1);
        goal.drawSegment(field.width, field.height, field.width, field.height - 1);
        field.goal = goal.segments();
        if (f != 1) field.end = TaskGoalEnd {field.width, f, f * 2 + 1};
        field.modelTicks = f * 1000;
        t.fields.append(field);
    }
    t.rules.maxStatementLines = 10;
    t.rules.required = {TaskConstruct::CountedLoop, TaskConstruct::ConditionalLoop, TaskConstruct::Condition,
                        TaskConstruct::Procedure};
    t.rules.forbidden = {TaskConstruct::Jump, TaskConstruct::DestroyRebuild, TaskConstruct::Colour};
    t.start = StyledText {{QStringLiteral("INCEPUT DE ALGORITM"), {{19, 0x000080}}},
                          {QStringLiteral("** scrie aici"), {{2, 0x808080}, {11, 0x008000}}},
                          {QString(), {}},
                          {QStringLiteral("SFIRSIT DE ALGORITM"), {}}};
    return t;
}

void expectSameTask(const Task &a, const Task &b)
{
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.language, b.language);
    ASSERT_EQ(a.fields.size(), b.fields.size());
    for (qsizetype f = 0; f < a.fields.size(); ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(a.fields[f].width, b.fields[f].width);
        EXPECT_EQ(a.fields[f].height, b.fields[f].height);
        EXPECT_EQ(a.fields[f].end, b.fields[f].end);
        EXPECT_EQ(a.fields[f].modelTicks, b.fields[f].modelTicks);
        ASSERT_EQ(a.fields[f].goal.size(), b.fields[f].goal.size());
        for (qsizetype i = 0; i < a.fields[f].goal.size(); ++i) {
            EXPECT_EQ(a.fields[f].goal[i].segment, b.fields[f].goal[i].segment);
            EXPECT_EQ(a.fields[f].goal[i].colour, b.fields[f].goal[i].colour);
        }
    }
    EXPECT_EQ(a.rules.maxStatementLines, b.rules.maxStatementLines);
    EXPECT_EQ(a.rules.required, b.rules.required);
    EXPECT_EQ(a.rules.forbidden, b.rules.forbidden);
    ASSERT_EQ(a.start.has_value(), b.start.has_value());
    if (a.start) {
        EXPECT_TRUE(sameContent(*a.start, *b.start));
    }
}

}   // namespace

TEST(TaskFile, EveryPartComesBackUnchanged)
{
    const Task task = everythingTask();
    const QByteArray bytes = writeTask(task);
    TaskFileError error;
    const std::optional<Task> back = readTask(bytes, error);
    ASSERT_TRUE(back) << int(error.kind) << " at " << error.where.toStdString();
    expectSameTask(task, *back);
    EXPECT_EQ(back->fields[3].goal.size(),
              ColourTable::Count);   // all fifteen colours and the corner segment
    EXPECT_EQ(writeTask(*back), bytes);   // what a teacher saves twice does not change

    // The smallest task: one field, nothing optional.
    Task bare;
    bare.title = QStringLiteral("x");
    bare.fields = {TaskField {}};
    const std::optional<Task> bareBack = readTask(writeTask(bare), error);
    ASSERT_TRUE(bareBack);
    expectSameTask(bare, *bareBack);
    EXPECT_FALSE(bareBack->start);
    EXPECT_FALSE(bareBack->fields[0].end);
}

TEST(TaskFile, AFileCutShortAnywhereIsRefusedWhole)
{
    const QByteArray bytes = writeTask(everythingTask());
    for (qsizetype n = 0; n < bytes.size() - 1; ++n) {   // all but the last newline is a whole document
        TaskFileError error;
        EXPECT_FALSE(readTask(bytes.left(n), error)) << n;
    }
}

TEST(TaskFile, NonsenseIsRefusedWithWhatAndWhere)
{
    using K = TaskFileError::Kind;
    const QByteArray head = R"({"format":"trakmil-task","version":1,"title":"t",)";
    auto field = [&](const char *body) { return head + R"("fields":[)" + body + "]}"; };
    struct Case {
        QByteArray bytes;
        K kind;
        const char *where;
    };
    const Case cases[] = {
        {QByteArray(Task::MaxFileBytes + 1, ' '), K::TooLarge, ""},
        {"{\"format\":", K::NotJson, ""},
        {"[1,2]", K::NotATask, ""},
        {R"({"format":"trakmil-program","version":1})", K::NotATask, "format"},
        {R"({"format":"trakmil-task","version":2,"title":"t","fields":[]})", K::UnknownVersion, "version"},
        {R"({"format":"trakmil-task","version":2e85,"title":"t","fields":[]})", K::UnknownVersion, "version"},
        {R"({"format":"trakmil-task","title":"t"})", K::Missing, "version"},
        {R"({"format":"trakmil-task","version":1,"fields":[]})", K::Missing, "title"},
        {R"({"format":"trakmil-task","version":1,"title":"a\nb","fields":[]})", K::BadValue, "title"},
        {R"({"format":"trakmil-task","version":1,"title":" ","fields":[]})", K::BadValue, "title"},
        {head + R"("language":"xyz","fields":[]})", K::BadValue, "language"},
        {head + "\"a\":1}", K::Missing, "fields"},
        {field(""), K::BadValue, "fields"},
        {field(R"({"width":4,"height":4,"goal":[]},{"width":4,"height":4,"goal":[]},
                  {"width":4,"height":4,"goal":[]},{"width":4,"height":4,"goal":[]},
                  {"width":4,"height":4,"goal":[]})"),
         K::BadValue, "fields"},
        {field(R"({"width":1,"height":4,"goal":[]})"), K::FieldSizeOutOfRange, "fields[0].width"},
        {field(R"({"width":4,"height":21,"goal":[]})"), K::FieldSizeOutOfRange, "fields[0].height"},
        {field(R"({"width":4.5,"height":4,"goal":[]})"), K::FieldSizeOutOfRange, "fields[0].width"},
        {field(R"({"width":"4","height":4,"goal":[]})"), K::FieldSizeOutOfRange, "fields[0].width"},
        {field(R"({"width":1e300,"height":4,"goal":[]})"), K::FieldSizeOutOfRange, "fields[0].width"},
        {field(R"({"width":-2e85,"height":4,"goal":[]})"), K::FieldSizeOutOfRange, "fields[0].width"},
        {field(R"({"width":4,"height":4})"), K::Missing, "fields[0].goal"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,1,1,"#000000"],[4,4,5,4,"#000000"]]})"),
         K::SegmentOutOfField, "fields[0].goal[1]"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,2,0,"#000000"]]})"), K::BadValue, "fields[0].goal[0]"},
        {field(R"({"width":4,"height":4,"goal":[[1,1,1,1,"#000000"]]})"), K::BadValue, "fields[0].goal[0]"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,1,0,"#000000"],[1,0,0,0,"#FF0000"]]})"), K::BadValue,
         "fields[0].goal[1]"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,1,0]]})"), K::BadValue, "fields[0].goal[0]"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,1,0,"#123456"]]})"), K::ColourOutOfRange,
         "fields[0].goal[0]"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,1,0,"#FFFFFF"]]})"), K::ColourOutOfRange,
         "fields[0].goal[0]"},
        {field(R"({"width":4,"height":4,"goal":[[0,0,1,0,"red"]]})"), K::ColourOutOfRange,
         "fields[0].goal[0]"},
        {field(R"({"width":4,"height":4,"goal":[],"end":{"x":2,"y":5,"heading":"east"}})"),
         K::SegmentOutOfField, "fields[0].end.y"},
        {field(R"({"width":4,"height":4,"goal":[],"end":{"x":2,"y":2,"heading":"up"}})"), K::BadValue,
         "fields[0].end.heading"},
        {head + R"("fields":[{"width":4,"height":4,"goal":[]}],"rules":{"require":["loop","goto"]}})",
         K::BadValue, "rules.require"},
        {head +
             R"("fields":[{"width":4,"height":4,"goal":[]}],"rules":{"require":["jump"],"forbid":["jump"]}})",
         K::BadValue, "rules"},
        {head + R"("fields":[{"width":4,"height":4,"goal":[]}],"rules":{"maxLines":0}})", K::BadValue,
         "rules.maxLines"},
        {head +
             R"("fields":[{"width":4,"height":4,"goal":[]}],"start":[{"text":"STEP","runs":[[3,"#000000"]]}]})",
         K::BadValue, "start[0]"},
        {head + R"("fields":[{"width":4,"height":4,"goal":[]}],"start":[{"text":"A\nB"}]})", K::BadValue,
         "start[0]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.left(160).toStdString());
        TaskFileError error;
        EXPECT_FALSE(readTask(c.bytes, error));
        EXPECT_EQ(error.kind, c.kind);
        EXPECT_EQ(error.where, QLatin1String(c.where));
    }
}
