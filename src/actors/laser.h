// SPDX-License-Identifier: GPL-3.0-or-later
// The ship's laser: pairs of shots that rise from the ship and step bricks down one hit at a
// time. FireLaser (weapons.h) fires a pair with its sound unless the cool-down still runs; the
// main loop counts the cool-down down every frame.
#pragma once

// Frames between two pairs of shots.
constexpr int laserCooldownFrames = 16;

// Once a frame: draws every shot, moves it up (not while paused or once the level is
// complete) and lets it act on the first brick under its point, or else on a monster. A shot
// over a brick already hit this frame goes on.
void StepLaserShots();
