// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score tables, shown in the main menu's place and look: one difficulty at a time,
// each game its rank, score, level reached, name and date, the game just entered highlighted.
// The menu opens it from its HIGH SCORES item and, left untouched, as the first step of its
// attract cycle; a name entry shows it after the game it entered.
#pragma once

#include <cstdint>
#include <string>

#include "core/difficulty.h"

// How long the untouched menu waits before the table, and the table before the demo game.
constexpr int64_t highScoreAttractMs = 10000;

// Opens the screen over the menu, whose pictures stay loaded, on the table of that difficulty,
// read from the file now. With attract, any key, click or movement goes back to the menu, and
// after highScoreAttractMs on the clock the menu hands over to its demo game (menuDemo).
void OpenHighScoreScreen(Difficulty shown, bool attract);
// The same after a name entry, the game entered at that row of that difficulty's table (0 at the
// top) highlighted.
void OpenHighScoreScreenAt(Difficulty shown, int newRow);

// One frame of the screen: focus check, pointer, drawing, the flip, then the keys: Left and
// Right show the difficulty before or after (round about), Escape, Enter or a click close it.
void HighScoreFrame();

// Frees the screen's fonts and gives the menu back its place, its idle time started afresh.
void CloseHighScoreScreen();

// The name as the screens' face can show it: each character the font lacks becomes a '?'.
// Inside a drawing bracket, with the font chosen.
std::string NameAsShown(const std::string& name);
