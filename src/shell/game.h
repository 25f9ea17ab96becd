// The program's one main loop: start-up, new game, level start, the frame loop and level end.
#pragma once

#include <string>

// Runs the whole program; the process's exit status.
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

// One pass of the frame loop; true when the loop's end test holds.
bool RunFrame();

enum class AfterLevel { nextLevel, newGame, endProgram };
// Level end: decides what comes next from the flags the frame loop left.
AfterLevel EndLevel();

// The S key's file: "screenshot" + the smallest number not yet taken + ".bmp", in the folder
// WriteFolder gives.
std::string NextScreenshotName();

// Shared with the side games' own frame loops: F1 switches the frame-rate display on and off
// and starts the frame's timing; the display itself, drawn after the frame; the S key's
// screenshot of the whole screen, saved under NextScreenshotName.
void HandleFrameRateKey();
void DrawFrameRate();
void SaveScreenshot();
