// SPDX-License-Identifier: GPL-3.0-or-later
// The capsule record: a falling capsule, its catch box and the maluses a capsule can start.
#pragma once

constexpr int capsuleWidth = 32;   // the catch box, whatever the picture's size
constexpr int capsuleHeight = 32;
constexpr int capsuleFrames = 16;

// The malus game.malus holds while it lasts: none, the mirror (the steering runs backwards), the
// reverse (every ball turns back at the catch) and the micro ball.
constexpr int malusNone = 0, malusMirror = 1, malusReverse = 2, malusMicroball = 3;

struct Capsule {
  float x, y;  // centre
  int kind;    // the first of its 16 animation pictures
  int frame;   // 0..15
};
