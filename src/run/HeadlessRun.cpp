// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/HeadlessRun.h"
#include <algorithm>
#include <iterator>

HeadlessRun::HeadlessRun(ProgramText &text, Language lang)
      : m_text(text), m_lex(Lexicon::forLanguage(lang)), m_msg(MessageCatalogue::forLanguage(lang)),
        m_run(m_world, *this)
{
    m_run.setProgram(&m_text);
    m_run.setLanguage(lang);
    m_world.setListener(this);
    m_world.setFieldSizeSource([this](int &x, int &y) {
        x = m_fieldWidth;
        y = m_fieldHeight;
    });
}

void HeadlessRun::setCanvas(WorldCanvas *canvas) { m_world.setCanvas(canvas); }

void HeadlessRun::setFieldSize(int fieldWidth, int fieldHeight)
{
    m_fieldWidth = std::clamp(fieldWidth, 2, int(RobotWorld::MaxX));
    m_fieldHeight = std::clamp(fieldHeight, 2, int(RobotWorld::MaxY));
}

const char *HeadlessRun::resultName(Result r)
{
    // In Result's order.
    static const char *const names[] = {"end",        "check-failed", "out-of-field", "procedure-not-found",
                                        "loop-error", "tick-limit"};
    static_assert(std::size(names) == size_t(Result::TickLimit) + 1, "a name for every result");
    const auto k = size_t(r);
    return k < std::size(names) ? names[k] : "?";
}

HeadlessRun::Result HeadlessRun::checkAndRun(qint64 maxTicks)
{
    m_world.resetField();
    const ErrorReport report = checkProgram(m_text, m_lex, m_msg);
    if (report.error) {
        m_reports.append(report);
        m_ticks = 0;
        return Result::CheckFailed;
    }
    return run(maxTicks);
}

HeadlessRun::Result HeadlessRun::run(qint64 maxTicks)
{
    m_outOfField = false;
    m_ticks = 0;
    m_run.start();
    TickOutcome outcome = TickOutcome::Continue;
    while (m_run.isRunning()) {
        if (maxTicks > 0 && m_ticks >= maxTicks) {
            m_run.stop();
            return Result::TickLimit;
        }
        ++m_ticks;
        outcome = m_run.tick();
        if (outcome != TickOutcome::Continue) break;
    }
    if (m_run.isActive()) m_run.stop();   // a stopping outcome always stops; be sure of it
    if (m_outOfField) return Result::outOfFieldAttempted;
    switch (outcome) {
    case TickOutcome::ProcedureNotFound:
        return Result::ProcedureNotFound;
    case TickOutcome::LoopError:
    case TickOutcome::NestingTooDeep:
    case TickOutcome::LoopWithoutEnd:
        return Result::LoopError;
    case TickOutcome::Ended:
    case TickOutcome::Continue:
        break;
    }
    return Result::End;
}

void HeadlessRun::outOfFieldAttempted()
{
    m_outOfField = true;
    m_run.leaveFieldAttempted();
}
