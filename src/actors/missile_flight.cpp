// SPDX-License-Identifier: GPL-3.0-or-later
// Missiles in flight: drawn, moved, steered towards their aim, and what they hit (missiles.h).
#include <cmath>
#include <numbers>

#include "actors/missile_common.h"
#include "actors/missiles.h"

using namespace missile;

namespace {

constexpr int missileFrames = 32;
constexpr int smokePeriod = 25;   // ms of the media clock between two puffs of one missile
constexpr float noseAhead = 50;   // the nose point that meets bricks, ahead of the centre

void Draw(Missile& m) {
  if (game.frameCounter % 2 == 1) m.frame = (m.frame + 1) % missileFrames;
  const int quad = obj::missile + m.frame;
  RotateSprite3D(quad, Nearest(-m.heading * 180 / pi), 0);
  DisplaySprite3D(quad, Nearest(m.x - Sprite3DWidth(quad) / 2.0), Nearest(m.y - Sprite3DHeight(quad) / 2.0));
}

// The angle brought to -pi..pi, so that headings a whole turn apart compare as the same.
float Turned(float a) { return std::remainder(a, 2 * pi); }

void Fly(Missile& m) {
  m.x += std::cos(3 * pi / 2 - m.heading) * m.speed;
  m.y += std::sin(3 * pi / 2 - m.heading) * m.speed;
  if (Turned(m.aim) <= Turned(m.heading)) {
    m.heading -= missileTurn;
  } else {
    m.heading += missileTurn;
  }
  if (m.speed < missileTopSpeed) m.speed += missileThrust;
  const int now = Now();
  if (m.nextSmoke < now) {
    m.nextSmoke = now + smokePeriod;
    EmitSmoke(m);
  }
}

bool OffScreen(const Missile& m) {
  const int w = Sprite3DWidth(obj::missile);
  const int h = Sprite3DHeight(obj::missile);
  return m.y <= -h || m.x <= -w || m.x > playRight + w;
}

// What the missile meets this frame: true when it is spent.
bool Impact(const Missile& m) {
  // Above the screen it flies over everything.
  if (m.y < 0) return false;
  const float noseAngle = -m.heading - 3 * pi / 2;
  const int noseX = Nearest(m.x - std::cos(noseAngle) * noseAhead);
  const int noseY = Nearest(m.y - std::sin(noseAngle) * noseAhead);
  const int index = BrickInHitBox(noseX, noseY);
  if (index < 0) return KillMonsterAtPoint(m.x, m.y);
  Brick& b = BrickAt(index);
  if (IsBreakableKind(b.kind)) {
    // A brick something else hit this frame is left to that; the missile flies on.
    if (b.hit) return false;
    BurstFragments(b.x, b.y);
    DestroyBrick(b, m.x, brickScore);
    return true;
  }
  if (StopsUnbroken(b.kind)) {
    AddExplosion(m.x, m.y);
    return true;
  }
  return false;
}

// One missile's frame: false once it is gone.
bool StepMissile(Missile& m) {
  Draw(m);
  if (!StandingStill()) Fly(m);
  if (OffScreen(m) || Impact(m)) {
    game.targetValid = false;
    return false;
  }
  return true;
}

}  // namespace

void StepMissiles() {
  StepSmoke();
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  if (game.missileArmed) DrawLauncher();
  List<Missile>& missiles = game.missiles;
  missiles.Reset();
  while (missiles.Next()) {
    if (!StepMissile(missiles.Current())) missiles.Delete();
  }
  Sprite3DBlendingMode(blendTransparent);
  StepFragments();
}
