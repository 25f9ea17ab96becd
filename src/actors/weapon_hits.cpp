// SPDX-License-Identifier: GPL-3.0-or-later
#include "actors/weapon_hits.h"

#include <cmath>

#include "actors/explosions.h"
#include "actors/monsters.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int explosionVolume = 50;
constexpr int explosionFrequency = 20000;

}  // namespace

void DestroyBrick(Brick& brick, float hitterX, int score) {
  DropCapsule(brick);
  AddExplosion(brick.x, brick.y);
  PlayEffect(obj::soundExplode, PanFromX(Nearest(hitterX)),
             explosionVolume, explosionFrequency);
  brick.alive = 0;
  game.score += score;
}

bool KillMonsterAtPoint(float x, float y) {
  List<Monster>& monsters = game.monsters;
  monsters.Reset();
  while (monsters.Next()) {
    const Monster& m = monsters.Current();
    const int picture = m.kind + m.frameOffset;
    const float halfWidth = Sprite3DWidth(picture) / 2.0f;
    const float halfHeight = Sprite3DHeight(picture) / 2.0f;
    if (x >= m.x - halfWidth && x < m.x + halfWidth && y >= m.y - halfHeight &&
        y < m.y + halfHeight) {
      KillMonster(m.x, m.y);
      monsters.Delete();
      return true;
    }
  }
  return false;
}
