// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's state: the pointer it draws itself, the selection, the intro's animation, the
// sweep with its sparks, and the options and high-score screens the menu opens.
#pragma once

#include <array>
#include <cstdint>

#include "core/high_score_table.h"

struct MenuSpark {
  float x = 0;
  float y = 0;
  float speedX = 0;  // pixels per frame, to the left
  float speedY = 0;  // pixels per frame, downwards
  float drag = 0;
  int32_t alpha = 0;
};

constexpr int menuSparkCount = 150;

// The options screen, shown in the menu's place while it is open.
struct OptionsScreenState {
  bool open = false;
  int16_t selected = 0;       // the row the keys and the pointer work on, from 0 at the top
  bool buttonHeld = false;    // the left button was down at the last frame: a click is a new press
};

// The high-score screen, shown in the menu's place while it is open.
struct HighScoreScreenState {
  bool open = false;
  HighScores scores;          // as the file held them when the screen opened
  int16_t shown = 0;          // the difficulty whose table is shown
  int16_t newRow = -1;        // the game just entered, highlighted on its table; -1 none
  int16_t newDifficulty = -1;
  // Opened by the untouched menu: any key, click or movement goes back to it, and after a while
  // the screen gives way to the demo game.
  bool attract = false;
  int64_t openedAt = 0;       // clock time it opened, ms
  bool buttonHeld = false;    // the left button was down at the last frame: a click is a new press
};

struct MenuState {
  int16_t pointerX = 200;
  int16_t pointerY = 200;
  int16_t selected = 0;       // 0 none, else the item from 1 at the top
  int32_t result = 0;         // 0 stay, 1 start the game, 2 quit
  int16_t titleX = 1050;
  int16_t zoomX = -256;
  int16_t zoomY = -60;
  int16_t zoomSize = 500;
  int16_t flashAlpha = 0;
  bool flashStarted = false;
  int16_t sweepX = -65;
  int16_t sweepY = 381;
  bool sweepActive = false;
  int16_t highlightAlpha = 200;
  // The background's first row on screen, scrolling up a row a frame over the picture's rows
  // but its last; -1 while the picture is shown as loaded, before its first scroll.
  int16_t backgroundRow = -1;
  // The keys chose the selection and the pointer has not moved since: hovering waits.
  bool keyboardSelected = false;
  bool shown = false;         // set up and not yet torn down: the autopilot plays the menu
  int64_t idleSince = -1;     // clock time of the last key, click or movement; -1 before any frame
  // The click that closed the options screen is still held: no item is chosen until it is let go.
  bool waitForRelease = false;
  OptionsScreenState options;
  HighScoreScreenState highScores;
  std::array<MenuSpark, menuSparkCount> sparks{};
};
