// The program's one main loop: start-up, new game, level start, the frame loop, level end and
// the end of a game.
#pragma once

#include <string>

// Runs the whole program: games one after another until the menu's QUIT; the process's exit
// status.
int RunGame();

// Start-up: font file, glyph tables, decoders, media services (fatal "Alert" on failure) and
// the game screen.
void StartUp();
void OpenGameScreen();

// New game: resets the score and lives, runs the menu and loads the catalogue. False when the
// player quit from the menu.
bool NewGame();
void StartLevel();

// After the screen was lost during a pause: reopen it, reload the catalogue and the level file.
void RebuildGameScreen();

// Ends the program at once, with success (the console's "END", a closed window).
[[noreturn]] void EndProgram();

// Closing the window (or a request to terminate the process) ends the game at once, with
// success: a player who closes the window has quit.
void EndIfCloseRequested();

// Presents the frame drawn (waiting for the frame period); a window closed meanwhile ends the
// program. Every screen's frame loop ends its frames here: the menu's, the credits'.
void PresentFrame();
// The start of every frame that shows the playfield (play, the slide-in, the ending): the
// previous frame is presented, and a screen lost to a pause is rebuilt.
void StartFrame();
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

// The S key's file: "screenshot" + the smallest number not yet taken + ".bmp", in the folder
// WriteFolder gives.
std::string NextScreenshotName();

// Shared with the side games' own frame loops: F1 switches the frame-rate display on and off
// and starts the frame's timing; the display itself, drawn after the frame; the S key's
// screenshot of the whole screen, saved under NextScreenshotName.
void HandleFrameRateKey();
void DrawFrameRate();
void SaveScreenshot();
