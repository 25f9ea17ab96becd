// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden console's and Pong's records: program-wide, they live for the whole run (the game
// record holds one of each, so the game's reset starts them clean).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings.h"

constexpr int consoleHeight = screenHeight / 4;  // 192: the console covers the top quarter
constexpr int consoleLineHeight = 20;             // history rows, text scroll and wheel steps
constexpr const char* consoleRule = "--------------------------------------------";  // 44

enum ConsoleMotion : int8_t { consoleSlidingIn = 0, consoleOpen = 1, consoleClosing = 2 };

struct ConsoleState {
  std::vector<std::string> history;  // Latin-1 lines, oldest first; a line's index is its row
  std::string inputLine;             // typed since the last Enter
  std::string lastCommand;           // the last executed line, upper case (Up arrow recalls it)
  char cursorGlyph = 0;              // ' ' or '_'; none before the first blink
  int8_t cursorPhase = 0;            // -1..2
  int64_t cursorDeadline = 0;        // ms of the media clock
  float position = -consoleHeight;   // y of the console's top edge
  int8_t motion = consoleSlidingIn;
  float textScroll = 0;              // pixels subtracted from every line's y
  int wheelOffset = 0;               // pixels, also subtracted
  float gridOffsetX = 0;             // 0..32, the grid's drift
  float gridOffsetY = 0;
  bool shown = false;                // the frame loop calls the console while this is set
  uint32_t commandsRun = 0;          // Enter presses: a command may change the whole screen
};

struct PongState {
  int humanY = 0;
  int humanScore = 0;
  int cpuY = 0;
  int cpuScore = 0;
  int ballX = 0;                     // top-left corner
  int ballY = 0;
  int speed = 0;                     // pixels per frame on each axis
  int direction = 0;                 // 0 right-down, 1 left-down, 2 left-up, 3 right-up
  int64_t serveTime = 0;             // ms: the ball stays still until then
  int aiMode = 0;                    // 0..3: where the computer follows the ball
  int64_t aiChangeTime = 0;          // ms
  int64_t endTime = 0;               // ms: set when a side has won
};
