// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Lexicon.h"
#include "lang/LineColour.h"
#include <QString>
#include <span>

class RobotWorld;

// What a line is, for the help and other readers that name a statement rather than run
// it. Lenient where running is strict: an indented colour command is still a colour
// command here, so that its help explains why it does nothing.
enum class StatementKind {
    None,   // empty, or no statement at all
    Begin,
    End,
    Step,
    Jump,
    Rotate,
    Colour,
    Destroy,
    Rebuild,
    Call,
    ProcedureHeader,
    EndProcedure,
    CountedLoop,
    ConditionalLoop,
    EndLoop,
    Condition,
    Then,
    Else,
    EndCondition,
    SpeedDirective,
    Comment
};

// The statements of the robot language: one row each, read by the checker, the hints,
// the run, the translator, the editor's colours and command dialogs, and the help. Only
// this table and the Lexicon name the keyword slots; everyone else asks by kind.
namespace Statements {

using Slot = QString Lexicon::*;

enum class Match {
    WholeLine,   // the keyword is the whole normalised line
    Prefix,   // the keyword begins the line, anything may follow
};

// What follows the keyword, and so how the translator carries the line over.
enum class Argument {
    None,   // nothing
    Name,   // a procedure name, kept as written
    Count,   // a count kept as written, then the tail keyword
    Test,   // one separator and a sensor test word
    Colour,   // a separator and a colour name, or a step "+" / "-"
};

struct Statement {
    StatementKind kind;
    Slot keyword;
    Match match;   // what makes a line this statement
    Match accepted;   // what the check's last rule lets through
    Argument argument;
    Slot tail;   // the keyword that must end a coloured header line, or none
    QRgb colour;   // the editor's colour of the line
    // While a key is typed the editor judges the line a little differently: by the head
    // alone where `typedByHead`, and in its own colour.
    QRgb colourWhileTyping;
    bool typedByHead;
    void (RobotWorld::*act)();   // a command that is one call on the world, or none
    const char *helpPage;   // name of the help page that explains it
};

// Every row. The order matters where one keyword begins another (the conditional loop
// before the counted one) and for which of two keywords a typo is nearest; otherwise no
// row's keyword begins another's, so the readers may try the rows in any order.
std::span<const Statement> all();

// The first row of a kind, or its nth: the rotate kind has two rows, 45 then 90.
const Statement &row(StatementKind kind, int nth = 0);
// The keyword of the first row of a kind, in the Language of `lex`.
const QString &keyword(StatementKind kind, const Lexicon &lex);
// The tail keyword of a kind's first row (the counted loop's "times").
const QString &tail(StatementKind kind, const Lexicon &lex);

// Whether the normalised line is the row's statement, by `match`.
bool matches(const Statement &s, const QString &n, const Lexicon &lex);
// The first row the normalised line is, or nullptr.
const Statement *find(const QString &n, const Lexicon &lex);
// Whether the check's last rule accepts the normalised line as a statement: a row's
// keyword by `accepted`; comments and empty lines are not judged here.
bool accepts(const QString &n, const Lexicon &lex);

// A command line as the editor inserts it: the keyword, then a space and the argument
// (for a counted loop, the count, a space and the tail keyword). A colour's argument
// brings its own separator ("=" and a name, "+" or "-").
QString commandLine(const Statement &s, const Lexicon &lex, const QString &argument = QString());
// The same for the first row of a kind.
QString commandLine(StatementKind kind, const Lexicon &lex, const QString &argument = QString());

// The help page of a kind (speed directives and comments included); empty for none.
QString helpPage(StatementKind kind);

// The four sensor tests of loops and conditions.
enum class SensorTest {
    Border,
    NotBorder,
    Line,
    NotLine
};
struct Test {
    SensorTest test;
    Slot word;
    bool lineSensor;   // the line sensor, else the border sensor
    int holdsWhen;   // the sensor value for which the test holds
};
std::span<const Test> tests();
const QString &testWord(SensorTest test, const Lexicon &lex);

}   // namespace Statements
