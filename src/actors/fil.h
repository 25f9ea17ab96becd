// SPDX-License-Identifier: GPL-3.0-or-later
// The fil: a glowing wire across the bottom of the playfield that the balls bounce on. The ROW
// capsule switches it on fading in; it holds for thirty seconds, the last few of them fading
// out, and a malus switches it off at once. StepFilAndLaser (weapons.h) runs StepFil, then the
// laser shots.
#pragma once

#include "core/settings.h"

// Where the wire's pictures are drawn; the balls bounce this far above the bottom.
constexpr int filTop = 698;  // playBottom - 70

// Frames the wire lasts once it is fully lit, the fade-out included.
constexpr int filFrames = 30 * frameRate;  // 2250

// Once a frame while the fil is on: fades it in, counts its time down, fades it out at the end,
// and draws the 31 wire segments and the spark running along them.
void StepFil();
