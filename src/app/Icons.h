#pragma once
#include <QIcon>
#include <QPixmap>

// The icons of menus and tool bars: drawn in code, one per action, 16 × 16 with a
// doubled version for high-density screens.
enum class IconId {
    New, Open, Save, SaveAs, SavePicture, Exit,
    Undo, Redo, Cut, Copy, Paste, ClearAlgorithm, ClearField, Refresh, SelectAll,
    Run, Pause, Stop, Check, ManualMode, Preferences,
    BeginEnd, CreateProcedure, CallProcedure, CountedLoop, ConditionalLoop, Condition,
    Colour, Destroy, Rebuild,
    Help, About,
    Count_
};

constexpr int iconCount = int(IconId::Count_);

// The cached icon; drawn on first use.
QIcon icon(IconId id);
// A fresh rendering at size × size pixels (any size; the drawing is resolution-free).
QPixmap iconPixmap(IconId id, int size);
// A stable English name, for sheets and diagnostics.
const char *iconName(IconId id);
