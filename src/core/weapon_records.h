// SPDX-License-Identifier: GPL-3.0-or-later
// The projectiles of the chaingun and the laser: what their lists in the game state hold.
#pragma once

// A chaingun bullet: it starts slow at the muzzle and speeds up to its cruising speed.
struct Bullet {
  float x, y;     // centre
  float speed;    // pixels per frame
  float heading;  // radians, screen axes (y down)
};

// The flash at a muzzle when the gun fires: it grows and fades.
struct MuzzleFlash {
  float x, y;  // centre
  int alpha;
  float size;  // drawn size x size pixels
};

// One shot of the ship's laser, rising from the ship.
struct LaserShot {
  float x;  // centre line
  float y;  // top edge
};
