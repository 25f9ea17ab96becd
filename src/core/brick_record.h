// SPDX-License-Identifier: GPL-3.0-or-later
// The brick record the level loader builds, and the rules every subsystem applies to a brick's
// kind.
#pragma once

#include "assets/objects.h"

constexpr int maxWaypoints = 60;

// One brick of the brick list, in file order. A destroyed brick stays in the list with
// alive = 0 until the next level load.
struct Brick {
  float x, y;                  // current centre
  int kind;                    // first of the kind's 16 animation pictures; hits change it
  int width, height;           // size of picture kind at load time
  int capsule;                 // first picture of the capsule it drops, 0 for none
  int hit;                     // hit during this frame; cleared by StepBricks
  int alive;
  int frame;                   // animation frame 0..15
  int teleportBusy;
  int leg;                     // waypoint the current leg starts from
  int waypointCount;
  int secondsLeft;             // whole seconds left on the current leg
  int seconds[maxWaypoints];   // leg durations
  float wx[maxWaypoints], wy[maxWaypoints];
  float vx, vy;                // displacement per frame on the current leg
};

// Kinds from 34 to 146 are colour bricks, breaking at the first hit.
constexpr bool IsColourKind(int kind) { return kind >= obj::brickRed && kind <= obj::brickBlack; }

// The kinds that break: the colour bricks and the three-, two- and one-hit bricks. Balls and
// weapons destroy them, and a level is cleared once none is left alive; unbreakable bricks and
// teleporters never break and never keep a level open.
constexpr bool IsBreakableKind(int kind) {
  return IsColourKind(kind) || kind == obj::brick3Hits || kind == obj::brick2Hits ||
         kind == obj::brick1Hit;
}

// Unbreakable bricks and teleporters: they stop a weapon's projectile and stay.
constexpr bool StopsUnbroken(int kind) {
  return kind == obj::brickUnbreakable || kind == obj::brickTeleport;
}
