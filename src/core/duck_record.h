// SPDX-License-Identifier: GPL-3.0-or-later
// The duck shoot's record: program-wide like the console's, set afresh at every start.
#pragma once

#include "media/list.h"

struct DuckTarget {
  float x = 0;        // centre
  int railY = 0;      // 32, 132 or 232: the centre line of the figure's rail
  float speed = 0;    // pixels per frame before the global speed-up
  int picture = 0;    // which figure, and which way it faces
};

struct DuckBullet {
  int x = 0;
  int y = 0;
};

struct DuckState {
  List<DuckTarget> targets;
  List<DuckBullet> bullets;
  int counter = 10;         // the game ends when it falls to 0
  float globalSpeed = 0;    // added to every figure's speed; grows every 30 s
  int cannonX = 0;          // centre
  int cannonY = 0;          // top edge
  bool shotLatch = false;   // set by a shot, cleared when the button is let go
  int shotCooldown = 0;     // frames until the next shot may leave
};
