// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden console: a command line that slides down over the top quarter of the screen during
// play, freezes the game while it is open and keeps a history of commands and their answers.
#pragma once

#include <string>

#include "media/media.h"

// The key left of 1 (grave, or "²" on a French keyboard) shows and hides the console; it is
// none of the shell's keys, and its character is never typed into the command line.
constexpr int keyConsole = keyGrave;

// At every new game and after the screen was rebuilt: appends the two title lines (the history
// itself is kept), makes the text layer, the console's picture and Pong's pictures, and puts the
// console above the screen; a console left open is closed there, as if it had slid away.
void SetUpConsole();

// Reads the console key from the frame's keyboard snapshot: shows the console when it is
// hidden, closes it when it is open, and leaves it alone while it slides.
void HandleConsoleKey();

// Once per frame while game.console.shown is set, inside the 3D bracket and before
// StepConsole: draws the console's picture where it stands. Its only drawing on the screen.
void ShowConsole();

// Once per frame after ShowConsole and the frame's keyboard and mouse snapshots (a second
// snapshot would lose the releases and the typed character of the first): slides the console,
// types, draws its next pictures and runs a command on Enter; a side game plays to its end
// before this returns. Clears game.console.shown once it has closed.
void StepConsole();

// Open and still: the frame changes nothing on the screen but the console's quarter at the top
// and what the game itself moves.
bool ConsoleAtRest();

// Drawing on the screen changes only the console's quarter until EndScreenChangeLimit.
void LimitScreenToConsole();

// The console's picture changed since ShowConsole last drew it: a screen that holds the last
// one need not be given it again.
bool ConsolePictureNew();

// Appends a line to the history and scrolls the text up by one line, so the prompt keeps its
// place on the screen.
void AppendConsoleLine(const std::string& text);

// What Enter does: appends the line in upper case and runs its command, which may answer.
void ExecuteConsoleLine(const std::string& line);
