// SPDX-License-Identifier: GPL-3.0-or-later
// The options of one run of the program, as the command line gave them: what a player, a level
// designer or a test run asked for. The shell fills them; every screen may read them.
#pragma once

#include <cstdint>
#include <string>

struct RunOptions {
  bool help = false;
  bool version = false;     // --version: print the version and exit
  bool windowed = false;    // --windowed: a window instead of full screen
  bool sharp = false;       // --sharp: draw at the display's resolution, whatever the renderer
  bool classic = false;     // --classic: draw 1024 x 768 and stretch it
  bool screenshotFull = false;  // --screenshot-full: screenshots at the drawing's own resolution
  std::string screenshotFile;  // --screenshot FILE: the last frame of a --frames run
  int startLevel = -1;      // --level N: a new game straight at level N; -1 after the menu
  int editLevel = -1;       // --edit N: the level editor on level N instead of the game
  std::string recordFile;   // --record FILE: write what the game reads from outside
  std::string replayFile;   // --replay FILE: play a recording back instead of real input
  bool autopilot = false;   // --autopilot: the game plays itself
  int64_t frames = -1;      // --frames N: end with status 0 after N frames
  bool fast = false;        // --fast: no wait for the frame period
  bool unwatched = false;   // --unwatched: frames drawn, the window left blank
  int64_t memoryEvery = 0;  // --memory-every N: resident memory on stderr every N frames
  // Past the last level the ending closes by itself once its five seconds are over, without a
  // click, and the game starts over from the menu: the autopilot plays on until --frames or the
  // window ends the run. Set from --autopilot at start-up and kept in recordings, so a replay
  // plays as its recording did.
  bool keepPlaying = false;
  // Steering speed of each device in percent, 50..200, as the player set it: the ship moves
  // that share of what the device gives. 100 leaves the mouse's movement exactly as it came.
  int mouseSpeed = 100;
  int keyboardSpeed = 100;
  int gamepadSpeed = 100;
  // Left, Right, A and D steer and Space and Ctrl act as the left button. Off while replaying a
  // recording older than format 3, made before they did: there they were keys typed in play.
  bool playKeys = true;
  // Set by tests alone, for the level start they ask for: the level begins with its bricks in
  // place, without the slide-in's hundred drawn frames (no command-line option sets it).
  bool bricksInPlace = false;
};

// The options of this run, set once from the command line at start-up.
inline RunOptions runOptions;
