// SPDX-License-Identifier: GPL-3.0-or-later
// The burning fragments of a missile's impact: thrown upwards, they fall on a parabola and,
// once armed, break the brick they meet (missiles.h).
#include <cmath>

#include "actors/missile_common.h"
#include "actors/missiles.h"

using namespace missile;

namespace {

constexpr float birthTime = -0.5f;
constexpr float timeStep = 0.1f;   // flight time a frame
constexpr float gravity = 9.8f;
constexpr int fragmentPictures = 4;
constexpr int pictureStep = 32;    // between two fragment pictures' numbers
constexpr int spinPeriod = 4;      // ms of the clock a degree of spin

void Free(MissileFragment& f) {
  f.active = false;
  --game.fragmentsInFlight;
}

bool OutsidePlayfield(const MissileFragment& f) {
  return f.x < playLeft || f.x > playRight || f.y < playTop || f.y > playBottom;
}

void Draw(const MissileFragment& f, int slot) {
  // Each slot turns a quarter further than the one before, so a burst does not spin in step.
  RotateSprite3D(f.picture, Now() / spinPeriod + slot * 90, 0);
  DisplaySprite3D(f.picture, Nearest(f.x), Nearest(f.y));
}

void Move(MissileFragment& f) {
  const float a = Radians(f.direction);
  f.x = f.startX + (f.t + 0.5f) * std::cos(a) * f.speed;
  f.y = f.startY + (f.t + 0.5f) * std::sin(a) * f.speed + gravity * f.t * f.t;
  f.t += timeStep;
}

void Strike(MissileFragment& f) {
  const int index = BrickInHitBox(Nearest(f.x), Nearest(f.y));
  if (index < 0) return;
  Brick& b = BrickAt(index);
  if (IsBreakableKind(b.kind)) {
    if (b.hit) return;
    DestroyBrick(b, f.x, brickScore);
    Free(f);
  } else if (StopsUnbroken(b.kind)) {
    AddExplosion(f.x, f.y);
    Free(f);
  }
}

}  // namespace

void BurstFragments(float x, float y) {
  for (MissileFragment& f : game.fragments) {
    if (game.fragmentsInFlight >= fragmentSlots) return;
    if (f.active) continue;
    f.startX = x;
    f.startY = y;
    f.x = x;
    f.y = y;
    f.direction = static_cast<float>(-Random(180));
    f.speed = static_cast<float>(Random(40) + 40);
    f.t = birthTime;
    f.armTime = Random(5) + 1;
    f.picture = obj::missileDecal + pictureStep * Random(fragmentPictures - 1);
    f.active = true;
    ++game.fragmentsInFlight;
    PlayEffect(obj::soundExplosion, -1, -1, -1);
  }
}

// While the game stands still (paused, or the level won) fragments hang where they are: left to
// fly on they would break bricks and score behind the pause.
void StepFragments() {
  Sprite3DBlendingMode(blendTransparent);
  for (int slot = 0; slot < fragmentSlots; ++slot) {
    MissileFragment& f = game.fragments[slot];
    if (!f.active) continue;
    Draw(f, slot);
    if (StandingStill()) continue;
    Move(f);
    if (OutsidePlayfield(f)) {
      Free(f);
      continue;
    }
    if (f.t >= f.armTime) Strike(f);
  }
}
