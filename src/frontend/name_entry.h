// SPDX-License-Identifier: GPL-3.0-or-later
// The screen that asks for the name of a game that entered the high scores, in the main menu's
// look: "NEW HIGH SCORE", the score, and a field of up to twelve characters typed with the
// keyboard (the layout's own characters, accented ones too) or picked letter by letter with a pad.
#pragma once

#include <string>

// Runs the screen until Enter or Escape and returns the name. The menu's pictures must be
// loaded (SetUpMenu). The field starts with the offered name (the last one used); each typed
// character joins it up to playerNameCharacters (one more is refused), Backspace deletes its
// last character however many bytes it takes, Enter confirms what the field holds and Escape
// gives back the offered name unchanged. A pad picks letters too: Up and Down step the last
// one, A or Right adds one, Left deletes, Start confirms, Back keeps the offered name. An Escape already down when the screen opens (the key
// that gave up the game) does not count until it has been let go.
std::string RunNameEntry(int score, const std::string& offered);
