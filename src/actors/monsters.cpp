#include "actors/monsters.h"

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"

namespace {

constexpr int killVolume = 30;
constexpr int killFrequency = 40000;

}  // namespace

void StepMonsters() {}

void KillMonster(float x, float y) {
  Explosion& burst = game.monsterExplosions.Append();
  burst.x = x;
  burst.y = y;
  burst.picture = obj::explosionTiles;
  burst.frame = 0;
  PlayEffect(obj::soundZap, 0, killVolume, killFrequency);
}
