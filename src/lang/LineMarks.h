// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLatin1String>

// What the first characters of a line mark it as, the same in every Language.
namespace LineMark {

// A comment: the check and the run pass the line over.
inline constexpr QLatin1Char Comment('*');
// A comment the program itself reads, shown paler than a pupil's comment.
inline constexpr QLatin1String Directive("*$");
// "*$S=" and a number: the run goes on at the slowest speed, until its stop.
inline constexpr QLatin1String SpeedDirective("*$S=");
// Typed in the editor, "**" opens the extended settings, which write a speed directive.
inline constexpr QLatin1String ExtendedSettings("**");

}   // namespace LineMark
