// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings.h"

// Draws every ball with its breathing halo, or in fire mode with its trail of sparks; fire mode
// runs down here, one frame per call unless the game stands still.
void DrawBalls();

// Frames of fire mode that the FIRE bonus and the lightning give.
constexpr int fireModeFrames = 15 * frameRate;
