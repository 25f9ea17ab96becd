// What the missile files share: the breakable kinds and the brick a missile or a fragment
// destroys.
#pragma once

#include <cmath>
#include <iterator>
#include <numbers>

#include "actors/explosions.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "gameplay/capsules.h"
#include "levels/bricks.h"
#include "media/maths.h"
#include "media/media.h"

namespace missile {

constexpr int impactVolume = 50;
constexpr int impactFrequency = 20000;
constexpr int brickScore = 10;
constexpr int hitBoxHalf = 10;  // missiles and fragments test a 20 x 20 box for bricks

inline float Radians(float degrees) { return degrees * pi / 180; }

// The kinds a missile destroys: the colour bricks and the three-, two- and one-hit bricks.
inline bool Breakable(int kind) { return KeepsLevelOpen(kind); }

// What stops a missile or a fragment without breaking.
inline bool Stops(int kind) { return kind == obj::brickUnbreakable || kind == obj::brickTeleport; }

inline Brick& BrickAt(int index) { return *std::next(game.bricks.begin(), index); }

// The live brick overlapping the 20 x 20 box centred on (x, y), or -1.
inline int BrickInHitBox(int x, int y) {
  return FindBrickInBox(x - hitBoxHalf, y - hitBoxHalf, x + hitBoxHalf, y + hitBoxHalf);
}

// A brick blown up whatever hits it still needed: its capsule drops, it bursts and scores. The
// bang is panned by where the blow came from.
inline void DestroyBrick(Brick& b, float soundX) {
  if (b.capsule != 0) AddCapsule(b.x, b.y, b.capsule);
  AddExplosion(b.x, b.y);
  PlayEffect(obj::soundExplode, PanFromX(Nearest(soundX)), impactVolume, impactFrequency);
  b.alive = 0;
  game.score += brickScore;
}

// Whole milliseconds of the media clock, as the game's timers keep them.
inline int Now() { return static_cast<int>(ElapsedMilliseconds()); }

inline bool StandingStill() { return game.paused || game.levelComplete; }

}  // namespace missile
