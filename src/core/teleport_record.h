// SPDX-License-Identifier: GPL-3.0-or-later
// The teleport record: a ball in transit between two teleport bricks, and the transit's timing.
#pragma once

#include "core/settings.h"

// One ball in transit between two teleport bricks.
struct Teleport {
  float vx, vy, radius;  // of the ball that entered
  int sprite;
  int sourceBrick;       // indices in the brick list
  int targetBrick;
  int timer;             // frames since entry
};

// Frames from entry to the two fading ghosts, to the ball's return, and to the bricks' release.
constexpr int teleportGhostFrame = frameRate / 2;
constexpr int teleportExitFrame = frameRate / 2 + frameRate;
constexpr int teleportFreeFrame = 4 * frameRate;
