// SPDX-License-Identifier: GPL-3.0-or-later
// The level scenery's records: the particles of the background effects and the state of the
// guardian scene. The game state holds them; src/levels/backgrounds.cpp drives them.
#pragma once

#include <array>
#include <string>

// One particle of a background effect. Each effect uses a prefix of the array.
struct BackgroundParticle {
  float x;        // relative to the playfield's left edge
  float y;        // relative to the playfield's top edge
  float z;        // depth (the clouds)
  int sprite;     // the quad drawn
  float vx;
  float vy;
  float growth;   // an angle or a size, as the effect uses it
  int frame;      // the effect's own counter
  int alpha;
};

constexpr int backgroundParticleCount = 501;

// The guardian scene of level 50: its state number, the frames spent in it, and the fight. It
// stands still while the game is paused, and a rebuilt screen resumes it.
struct GuardianScene {
  int state = 0;
  int timer = 0;
  int health = 0;         // ball hits the guardian still takes
  int shield = 0;         // lightning strikes the ship still takes
  int strikeX = 0;        // where the next strike lands
  int strikeCount = 0;
  float x = 0, y = 0;     // the guardian's centre
  int clock = 0;          // frames the scene has run: its sway, clouds and animation stop with it
  int hurtFlash = 0;      // frames of the hurt flash left
};
