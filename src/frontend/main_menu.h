// The animated main menu: a title over a scrolling background and three items chosen with the
// pointer (or Up, Down and Enter/Space): start the game, the credits, quit.
#pragma once

// Set-up, the frame loop and teardown. True when the player starts a game (the menu's pictures
// and sound are freed again); false when the player chose to quit.
// After 20 seconds untouched the menu hands over to a demo game: it then returns true with
// game.attractDemo set.
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
// highlight, then the flip (a window closed meanwhile ends the program) and the keys. Returns
// the result (game.menu.result).
int MenuFrame();
