// SPDX-License-Identifier: GPL-3.0-or-later
// The balls of the end-of-level picture: in flight to their place, and settled there.
#pragma once

struct FlyingBall {
  float x, y;
  int age;                 // frames since launch; the ball settles at 40
  float targetX, targetY;
  float vx, vy;
  int inUse;
};

struct SettledBall {
  float x, y;
};
