// SPDX-License-Identifier: GPL-3.0-or-later
// How one run of the program is steered from outside: recording or replaying it, ending it after
// a number of frames, and the line it prints when it ends so that two runs can be compared.
#pragma once

#include <string>

// "frames F level L score S lives N checksum XXXXXXXX": frames presented, the level (as the
// player counts them, from 1), score, lives, and the game record's checksum.
std::string RunEndLine();

// Starts the recording or the replay the options ask for, the frame count and the autopilot.
// False, with one line on stderr, when a file cannot be used.
bool StartRunControl();

// The run ends: the recording gets its end mark, and a recorded, replayed or counted run prints
// its end line on stdout.
void FinishRun();
