// SPDX-License-Identifier: GPL-3.0-or-later
// The monster record of the monster list: what the balls and the weapons need to find and kill
// a monster, and what its own movement keeps.
#pragma once

struct Monster {
  float x, y;        // centre
  float vx, vy;      // displacement per move
  int wanderTimer;   // moves left before a wanderer picks a new velocity
  int entryTimer;    // moves left of the horizontal glide in
  int kind;          // picture of frame 0
  int frameOffset;   // added to kind when the picture's size is taken
};
