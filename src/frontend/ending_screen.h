// SPDX-License-Identifier: GPL-3.0-or-later
// The ending: when play has run past the last level, the player is congratulated over the last
// frame of play, dimmed, with the final score and the level reached. It holds for five seconds;
// then a click goes back to the menu.
#pragma once

#include <string>
#include <vector>

#include "core/settings.h"

constexpr int endingHoldFrames = 5 * frameRate;  // 375: a click before that is not taken

// Shows the ending until the click after the hold, then frees its picture. The autopilot needs
// no click: the ending closes by itself for it once the hold is over.
void RunEnding();

// The pieces of RunEnding, for the tests.
// Keeps the last frame of play, still in the back buffer, dimmed, as the ending's backdrop.
void OpenEnding();
// One frame of the ending, frame counting from 0: the shell's frame start, then the backdrop
// and the texts. False when it ends the ending (a click once the hold is over).
bool EndingFrame(int frame);
void CloseEnding();

// The lines the ending shows, top to bottom, from the score and the level in the game record.
// The last line, the invitation to click, shows only once the hold is over.
std::vector<std::string> EndingLines();
