// SPDX-License-Identifier: GPL-3.0-or-later
#include "actors/explosions.h"

#include <cmath>

#include "assets/objects.h"
#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int burstFrames = 31;     // pictures explosionTiles .. explosionTiles + 30
constexpr int fireballFrames = 24;  // pictures fireball .. fireball + 23

// A burst is placed by the size of its first picture. The last burst frame is the fireball's
// first picture (a different size), so any frame of another size is drawn at that size too,
// which keeps every frame in the same box.
void DrawBurst(const Explosion& e) {
  const int quad = e.picture + e.frame;
  const int width = SpriteWidth(e.picture);
  const int height = SpriteHeight(e.picture);
  if (Sprite3DWidth(quad) != width || Sprite3DHeight(quad) != height) {
    ZoomSprite3D(quad, width, height);
  }
  DisplaySprite3D(quad, Nearest(e.x - width / 2.0f), Nearest(e.y - height / 2.0f));
}

void StepBursts(List<Explosion>& bursts) {
  bursts.Reset();
  while (bursts.Next()) {
    Explosion& e = bursts.Current();
    if (e.frame < burstFrames) {
      DrawBurst(e);
      ++e.frame;
    } else {
      bursts.Delete();
    }
  }
}

void StepFireballs() {
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  List<Fireball>& fireballs = game.fireballs;
  fireballs.Reset();
  while (fireballs.Next()) {
    Fireball& f = fireballs.Current();
    if (f.frame < fireballFrames) {
      const int quad = f.picture + f.frame;
      ZoomSprite3D(quad, f.size, f.size);
      DisplaySprite3D(quad, Nearest(f.x - f.size / 2.0f), Nearest(f.y - f.size / 2.0f));
      ++f.frame;
    } else {
      fireballs.Delete();
    }
  }
  Sprite3DBlendingMode(blendTransparent);
}

void AddBurst(float x, float y, int firstFrame) {
  Explosion& e = game.brickExplosions.Add();
  e.x = x;
  e.y = y;
  e.picture = firstFrame;
  e.frame = 0;
}

}  // namespace

void AddExplosion(float x, float y) { AddBurst(x, y, obj::explosionTiles); }

void AddExplosion(float x, float y, int firstFrame, int size) {
  if (firstFrame == obj::fireball) {
    AddFireball(x, y, size);
  } else {
    AddBurst(x, y, firstFrame);
  }
}

void AddFireball(float x, float y, int size) {
  Fireball& f = game.fireballs.Add();
  f.x = x;
  f.y = y;
  f.picture = obj::fireball;
  f.frame = 0;
  f.size = size;
}

void StepExplosions() {
  StepBursts(game.brickExplosions);
  StepBursts(game.monsterExplosions);
  StepFireballs();
}
