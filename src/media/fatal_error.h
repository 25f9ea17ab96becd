// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Shows the "Alert" box with one line of text, writes it to stderr and ends the process with a
// non-zero status. Tests may install a handler instead of ending the process.
[[noreturn]] void FatalError(const std::string& text);

using FatalHandler = void (*)(const std::string& text);
// The handler must not return (a test throws or longjmps out of it); nullptr restores exiting.
void SetFatalHandler(FatalHandler handler);

// Closing the window, or a request to terminate, is the player quitting, wherever the game is:
// the sounds stop and the process ends at once with success.
[[noreturn]] void PlayerQuit();
// A procedure PlayerQuit runs first (the end of a recorded run), nullptr for none.
void SetQuitHook(void (*hook)());
