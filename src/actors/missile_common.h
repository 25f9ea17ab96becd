// SPDX-License-Identifier: GPL-3.0-or-later
// What the missile files share: the hit box a missile or a fragment tests for bricks, the clock
// and the standing still.
#pragma once

#include <cmath>
#include <numbers>

#include "actors/explosions.h"
#include "actors/weapon_hits.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "levels/bricks.h"
#include "media/maths.h"
#include "media/media.h"

namespace missile {

constexpr int brickScore = 10;
constexpr int hitBoxHalf = 10;  // missiles and fragments test a 20 x 20 box for bricks

// The live brick overlapping the 20 x 20 box centred on (x, y), or -1.
inline int BrickInHitBox(int x, int y) {
  return FindBrickInBox(x - hitBoxHalf, y - hitBoxHalf, x + hitBoxHalf, y + hitBoxHalf);
}

// Whole milliseconds of the media clock, as the game's timers keep them.
inline int Now() { return static_cast<int>(ElapsedMilliseconds()); }

inline bool StandingStill() { return game.paused || game.levelComplete; }

}  // namespace missile
