// SPDX-License-Identifier: GPL-3.0-or-later
// The animated main menu: a title over a scrolling background and five items chosen with the
// pointer (or Up, Down and Enter/Space): start the game, the options, the high scores, the
// credits, quit.
#pragma once

// Set-up, the frame loop and teardown. True when the player starts a game (the menu's pictures
// and sound are freed again); false when the player chose to quit.
// After 10 seconds untouched the menu shows the high scores for 10 seconds, then hands over to a
// demo game: it then returns true with game.attractDemo set.
bool RunMainMenu();

// The menu's state as at every start (intro from the beginning, nothing selected, the sparks at
// the sweep's start) and its pictures and sound from the menu pack.
void SetUpMenu();
// Frees the quads, the pictures and the sound of the menu.
void TearDownMenu();
// The pictures again after the screen was rebuilt (a pause); the state stays.
void ReloadMenuPictures();

enum MenuResult { menuStay = 0, menuStart = 1, menuQuit = 2, menuDemo = 3 };
// One frame of the menu: focus check, pointer, clicks, drawing, hover, sweep, sparks and
// highlight, then the flip (a window closed meanwhile ends the program) and the keys. While the
// options screen or the high scores are open, their frame instead. Returns the result
// (game.menu.result).
int MenuFrame();

// Shared with the options screen, which shows itself in the menu's look.
// Reads the mouse and moves the menu's pointer; a movement that would take it off the screen is
// dropped whole. True when the mouse moved.
bool MoveMenuPointer();
// The menu's background, scrolling up one pixel a frame into itself: the top row goes to the
// bottom, then every row moves up.
void ScrollMenuBackground();
// The pointer and its glow; inside the 3D bracket.
void DrawMenuPointer();
