// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher over the ship, the target marker and the firing of the missile (missiles.h).
#include <cmath>
#include <numbers>

#include "actors/missile_common.h"
#include "actors/missiles.h"

using namespace missile;

namespace {

constexpr int loadingFrequency = 10000;
constexpr int launchFrequency = 30000;
constexpr int missileFrames = 32;
constexpr int gaugeAlpha = 150;
constexpr float gaugeLeft = 128;      // the 256 x 256 dial sits centred over the ship ...
constexpr float gaugeAbove = 276;     // ... its hub 148 pixels above it
constexpr float captionScroll = 0.004f;  // texture heights a frame

void DrawCentred(int quad, float x, float y, int alpha = 255) {
  DisplaySprite3D(quad, Nearest(x - Sprite3DWidth(quad) / 2.0), Nearest(y - Sprite3DHeight(quad) / 2.0),
                  alpha);
}

// The caption pulses between alpha 65 and 255.
int CaptionAlpha(int now) { return Nearest(160 + 95 * std::cos(now / 250.0)); }

void DrawCaption(int now) {
  game.targetScroll += captionScroll;
  if (game.targetScroll >= 1) game.targetScroll -= 1;  // the caption tiles: one height is a loop
  const float v = game.targetScroll;
  SetSprite3DTexCoords(obj::targetText, 0, 0, v);
  SetSprite3DTexCoords(obj::targetText, 1, 1, v);
  SetSprite3DTexCoords(obj::targetText, 2, 0, v + 1);
  SetSprite3DTexCoords(obj::targetText, 3, 1, v + 1);
  Sprite3DBlendingMode(blendAdditive);
  DisplaySprite3D(obj::targetText, Nearest(game.targetX - Sprite3DWidth(obj::targetText)),
                  Nearest(game.targetY - Sprite3DHeight(obj::targetText)), CaptionAlpha(now));
}

void FollowTarget() {
  if (game.targetBrick >= game.bricks.Count() || !BrickAt(game.targetBrick).alive) {
    ChooseTarget();
    return;
  }
  const Brick& b = BrickAt(game.targetBrick);
  game.targetX = b.x;
  game.targetY = b.y;
}

}  // namespace

void LoadMissile() {
  if (game.missileArmed) return;
  PlayEffect(obj::soundMissileLoading, 0, 100, loadingFrequency);
  game.missileArmed = 1;
  game.missileCountdown = missileLoadingFrames;
}

// Counted twice over the list instead of collecting the candidates: the choice is retried every
// frame while no brick qualifies, and should not allocate.
void ChooseTarget() {
  int candidates = 0;
  for (const Brick& b : game.bricks) candidates += b.alive && IsBreakableKind(b.kind);
  if (candidates == 0) return;
  int pick = Random(candidates - 1);
  int index = 0;
  for (const Brick& b : game.bricks) {
    if (b.alive && IsBreakableKind(b.kind) && pick-- == 0) {
      game.targetBrick = index;
      game.targetHalfWidth = b.width / 2;
      game.targetHalfHeight = b.height / 2;
      // The marker is drawn before it follows its brick: placing it now keeps it from showing
      // one frame where the last target was.
      game.targetX = b.x;
      game.targetY = b.y;
      game.targetValid = true;
      return;
    }
    ++index;
  }
}

void DrawTarget() {
  if (!game.missileArmed || !game.targetValid) return;
  const int now = Now();
  const int turn = Nearest(std::cos(now / 1000.0) * 180 + 180);
  RotateSprite3D(obj::targetNormal, turn, 0);
  RotateSprite3D(obj::targetLight, turn, 0);
  Sprite3DBlendingMode(blendAdditive);
  DrawCentred(obj::targetNormal, game.targetX, game.targetY);
  Sprite3DBlendingMode(blendAddWhereOpaque);
  DrawCentred(obj::targetLight, game.targetX, game.targetY);
  if (game.missileCountdown == 0) DrawCaption(now);
  Sprite3DBlendingMode(blendTransparent);
  FollowTarget();
}

void MissileTargetStep() {
  if (game.missileArmed && !game.targetValid) ChooseTarget();
  DrawTarget();
}

void LaunchMissile() {
  if (game.missileArmed && game.missileCountdown == 0) FireMissile();
}

void FireMissile() {
  PlayEffect(obj::soundMissileLaunch, 0, 100, launchFrequency);
  game.missileArmed = 0;
  Missile& m = game.missiles.Append();
  m.x = game.shipX;
  m.y = game.shipY;
  m.speed = 0;
  m.heading = 0;
  m.frame = 0;
  m.nextSmoke = 0;

  // The vector towards the target, measured from a point half a missile off its centre; dy is
  // never negative, so the aim always points upwards.
  const float halfW = Sprite3DWidth(obj::missile) / 2.0f;
  const float halfH = Sprite3DHeight(obj::missile) / 2.0f;
  float dx, dy;
  if (m.x + halfW > game.targetX && m.y + halfH > game.targetY) {
    dx = std::fabs(m.x + halfW - game.targetX);
    dy = std::fabs(m.y + halfH - game.targetY);
  } else {
    dx = -std::fabs(game.targetX - m.x + halfW);
    dy = std::fabs(game.targetY - m.y + halfH);
  }
  float length = std::sqrt(dx * dx + dy * dy);
  if (length == 0) length = 0.001f;
  m.aim = VectorAngle(dx / length, dy / length) + Radians((game.gaugeAngle + 45) / 4);
}

float VectorAngle(float ax, float ay) {
  float d = ax * 0 + ay * 1;
  if (d > -0.1f && d < 0.1f) d = 1;
  // A unit vector's rounding can leave |d| a hair above 1, where acos has no answer.
  if (d > 1) d = 1;
  if (d < -1) d = -1;
  float angle = std::acos(d);
  if (ax < 0) angle = 2 * pi - angle;
  return angle;
}

void DrawLauncher() {
  const int quad = obj::missile + game.launcherFrame;
  RotateSprite3D(quad, 0, 0);
  if (game.missileCountdown > 0) {
    // It rises into place, a pixel a frame.
    DrawCentred(quad, game.shipX, game.shipY + game.missileCountdown);
    --game.missileCountdown;
  } else {
    game.gaugeAngle = static_cast<float>(std::cos(Now() / 250.0) * 45 - 45);
    const int left = Nearest(game.shipX - gaugeLeft);
    const int top = Nearest(game.shipY - gaugeAbove);
    DisplaySprite3D(obj::gaugeWindow, left, top, gaugeAlpha);
    RotateSprite3D(obj::gaugeNeedle, Nearest(-game.gaugeAngle - 45), 0);
    DisplaySprite3D(obj::gaugeNeedle, left, top, gaugeAlpha);
    DrawCentred(quad, game.shipX, game.shipY);
  }
  if (game.frameCounter % 2 == 1) game.launcherFrame = (game.launcherFrame + 1) % missileFrames;
}
