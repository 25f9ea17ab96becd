// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one main loop: start-up, new game, level start, the frame loop, level end and
// the end of a game.
#pragma once

#include <string>
#include <vector>

#include "core/screen.h"  // the frame services every loop of the game uses
#include "levels/level_source.h"

// Runs the whole program: games one after another until the menu's QUIT; the process's exit
// status.
int RunGame();
// --edit N: the level editor on level N until it is left; F5 in it plays the level being edited.
int RunLevelEditor(int levelNumber);
// The editor's test play: the bricks as level N, from a fresh game's lives, until the level is
// won, the game lost or Escape pressed (a lost life plays on). Nothing is saved or scored.
void PlayEditedLevel(int levelNumber, const std::vector<BrickRecord>& bricks);

// Start-up: font file, glyph tables, decoders, media services (fatal "Alert" on failure) and
// the game screen.
void StartUp();

// New game: resets the score and lives, runs the menu and loads the catalogue. False when the
// player quit from the menu.
bool NewGame();
void StartLevel();
// The level's bricks slide down from a screen height above their places, 8 pixels a frame
// (no frame at all when a test set runOptions.bricksInPlace).
void SlideInBricks();

// After the screen was lost during a pause: reopen it, reload the catalogue and the level file.
void RebuildGameScreen();

// The bracket such a frame is drawn in: the 3D bracket, the clip to the playfield with the
// background and the side panels, then inside (what moves and is drawn in play), then, without
// the clip, the heads-up display and over (nullptr for none). Nothing when 3D cannot start.
void RunInPlayfield(void (*inside)(), void (*over)());

// One pass of the frame loop; true when the loop's end test holds.
bool RunFrame();

// After a level: the next level (the same one after a lost life, the bonus level and back); a
// new game at the menu (game over, Escape, the end of a demo game); or the game is won, play
// having run past the last level.
enum class AfterLevel { nextLevel, newGame, gameFinished };
// Level end: decides what comes next from the flags the frame loop left. A level without a
// file where play goes on (a gap in the numbering, a missing bonus level) is the fatal
// "No level file".
AfterLevel EndLevel();
// Every game ends here, however it ended (a game won shows the ending first); the music stops.
// The one place that knows a game is over and with which score.
void EndGame(AfterLevel how);
// Plays the levels of one game, from the level the new game set, until the game ends.
void PlayGame();
