// SPDX-License-Identifier: GPL-3.0-or-later
// The options the player chose (the options screen, settings.ini) as they stand in this run.
#pragma once

#include "core/settings_file.h"

// Run-wide, like the command line's options: start-up loads it from the settings file, the
// options screen changes and saves it, and play reads it (the music's and the effects' volume,
// the difficulty, the steering speeds). A game's reset leaves it alone: it is the player's, not
// the game's.
inline PlayerSettings playerSettings;
