// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/balls.h"

#include <cmath>
#include <numbers>

#include "core/game_state.h"
#include "gameplay/sprite_effects.h"
#include "gameplay/teleports.h"
#include "levels/bricks.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float servedGlueOffset = 20;
constexpr int heavyGravityLevel = 17;
constexpr float heavyGravity = 0.08f;
constexpr float lightGravity = 0.0001f;
constexpr float ringSpacing = 8;  // ClearRoom's rings and its points along each ring

// The trail's spark pictures, from the pale core outwards to the dark embers.
constexpr int sparkPale = obj::flare + 4;    // 2042
constexpr int sparkOrange = obj::flare + 3;  // 2041
constexpr int sparkEmber = obj::flare + 2;   // 2040

void SetFlares(Ball& ball) {
  const float r = ball.radius;
  for (int i = 0; i < flareCount; ++i) {
    Flare& f = ball.flares[i];
    if (i < 3) {
      f.distance = r * 4 + Random(8);
      f.sprite = sparkPale;
    } else if (i < 6) {
      f.distance = r * 5 + Random(8);
      f.sprite = sparkOrange;
    } else {
      f.distance = r * 7 + Random(16);
      f.sprite = sparkEmber;
    }
  }
}

}  // namespace

void AddBall(float x, float y, float vx, float vy, int radius, int sprite) {
  Ball& ball = game.balls.Add();
  ball.x = x;
  ball.y = y;
  ball.vx = vx;
  ball.vy = vy;
  ball.radius = static_cast<float>(radius);
  ball.mass = static_cast<float>(radius) * radius * radius * 4 * std::numbers::pi_v<float> / 3;
  ball.sprite = sprite;
  ball.gravity = game.levelNumber == heavyGravityLevel ? heavyGravity : lightGravity;
  ball.glued = 0;
  ball.glueOffset = servedGlueOffset;
  // Brick 0 is a real brick: a new ball has touched none yet, so its first contact takes the
  // anti-stuck snapshot instead of counting as a repeat of an empty one.
  ball.lastBrick = -1;
  SetFlares(ball);
  ClearRoom(x, y, ball.radius);
}

void ClearRoom(float x, float y, float radius) {
  EraseBrickAtPoint(Nearest(x), Nearest(y));
  const double turn = 2 * std::numbers::pi;
  for (float k = ringSpacing; k <= radius; k += ringSpacing) {
    const double step = ringSpacing / k;
    for (double a = 0; a < turn; a += step) {
      EraseBrickAtPoint(Nearest(x + k * static_cast<float>(std::sin(a))),
                        Nearest(y + k * static_cast<float>(std::cos(a))));
    }
  }
}

void GlueAllBalls(int frames) {
  game.glueMode = 1;
  for (Ball& ball : game.balls) {
    ball.glued = 1;
    ball.glueOffset = servedGlueOffset;
  }
  game.glueTimer = frames;
}

void EndGlue() {
  game.launchPending = 0;
  game.glueMode = 0;
  for (Ball& ball : game.balls) ball.glued = 0;
}

void ReleaseGluedBalls() {
  game.glueTimer = 0;
  for (Ball& ball : game.balls) ball.glued = 0;
}

void RemoveAllBalls() { game.balls.Clear(); }

void LimitBallSpeed(Ball& ball) {
  float s = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
  if (s == 0) s = 0.0001f;
  if (s > game.maxBallSpeed) {
    ball.vx *= game.maxBallSpeed / s;
    ball.vy *= game.maxBallSpeed / s;
  }
}

void LoseBall() {
  game.balls.Delete();
  if (game.balls.Empty() && !TeleportInFlight()) {
    game.lives -= 1;
    game.lifeLost = 1;
    game.paused = 1;
    ShowMessage("YOU LOOSE!", 2 * frameRate);
  }
}
