// SPDX-License-Identifier: GPL-3.0-or-later
// The game screen and what every screen's frame loop shares (play, the menu, the credits, the
// ending, the side games): presenting a frame, the window's close request, the frame rate
// display and the S key's screenshot.
#pragma once

#include <string>

// Opens the game's window (full screen unless the run asked for a window) and its screen:
// fatal "Graphic (2D)" or "Graphic (3D) initialisation problem" when either cannot be had.
void OpenGameScreen();

// Ends the program at once, with success (the console's "END", a closed window).
[[noreturn]] void EndProgram();

// Closing the window (or a request to terminate the process) ends the game at once, with
// success: a player who closes the window has quit.
void EndIfCloseRequested();

// Presents the frame drawn (waiting for the frame period); a window closed meanwhile ends the
// program. Every screen's frame loop ends its frames here: the menu's, the credits'.
void PresentFrame();
// The start of every frame that shows the playfield (play, the slide-in, the ending): the
// previous frame is presented, then the focus check the loop set runs (the pause screen while
// the game is away, and the screen rebuilt after it: the screen's contents are the loop's).
void StartFrame();
void SetFocusCheck(void (*check)());

// The S key's file: "screenshot" + the smallest number not yet taken + ".bmp", in the folder
// WriteFolder gives.
std::string NextScreenshotName();

// Shared with the side games' own frame loops: F1 switches the frame-rate display on and off
// and starts the frame's timing; the display itself, drawn after the frame; the S key's
// screenshot of the whole screen, saved under NextScreenshotName.
void HandleFrameRateKey();
void DrawFrameRate();
void SaveScreenshot();
