// SPDX-License-Identifier: GPL-3.0-or-later
// The records of what plays out by itself for a moment: sprite effects (teleport ghosts, a
// caught capsule's rising picture, the floating words), and the brick and monster bursts and
// fireballs.
#pragma once

// One sprite effect of the sprite effect list.
struct SpriteEffect {
  float x;          // centre
  float vx;
  float y;
  float vy;
  float frame;      // the quad drawn, rounded when drawn
  float frameStep;
  float alpha;      // 0..255, rounded when drawn
  float alphaStep;
  int age;
  int lifetime;     // frames it runs
  int delay;        // frames it stands still, drawn, before it starts to run
  int hold;         // frames it stays drawn, unchanged, after its lifetime
};

// One burst of the brick or the monster explosion list. Balls and weapons may add one directly
// (picture obj::explosionTiles, frame 0) instead of calling AddExplosion.
struct Explosion {
  float x;      // centre
  float y;
  int picture;  // first frame of the animation
  int frame;    // frames shown so far
};

// One fireball: an opaque picture added by brightness over the scene.
struct Fireball {
  float x;      // centre
  float y;
  int picture;  // first frame of the animation
  int frame;    // frames shown so far
  int size;     // drawn size x size pixels
};
