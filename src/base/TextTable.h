// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One user-visible text in the three Languages: a row of the text catalogue.
struct TextRow {
    const char *key;
    const char *text[3];   // rus, rom, eng (UTF-8); rom and eng may be null: as rus
};
