// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/autopilot.h"

#include <algorithm>
#include <cmath>

#include "core/brick_record.h"
#include "core/game_state.h"
#include "gameplay/capsules.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float maxStep = 48;        // pixels of motion a frame: a quick hand, not a teleport
constexpr int aimPeriod = 4 * frameRate;  // the hit point on the ship changes every 4 s
constexpr int firePeriod = 20;       // frames between shots of the laser and the chaingun
constexpr int quietLimit = 10 * frameRate;  // 10 s without a brick giving way: the ball loops
constexpr float aimReach = 0.7f;     // the farthest hit point from the ship's centre, in half widths
constexpr float aimStep = 2 * aimReach / 5;  // the five hit points of the 4 s rotation, evenly spread
constexpr float goldenRatio = 0.618034f;
constexpr int fewBricks = 3;  // at most this many breakable bricks left: some aimed shots

// In the menu the pointer's tip goes to the brick of the first item, "START GAME".
constexpr int menuStartX = 110;
constexpr int menuStartY = 392;

// Where a ball at x moving dx per frame is after t frames, bouncing between the side walls.
float ReflectedX(float x, float dx, float t, float radius) {
  const float left = playLeft + radius;
  const float width = std::max(1.0f, playRight - radius - left);
  float p = std::fmod(x - left + dx * t, 2 * width);
  if (p < 0) p += 2 * width;
  return left + (p <= width ? p : 2 * width - p);
}

// Whether a click is wanted in play this frame.
bool WantsClick() {
  if (game.levelComplete || game.lifeLost || game.gameOver) return true;
  if (game.paused) return false;
  if (game.launchPending && !game.launchLocked) return true;
  if (game.missileArmed && game.missileCountdown == 0) return true;
  if ((game.laserOn || game.gunState) && game.frameCounter % firePeriod == 0) return true;
  if (game.glueMode) {
    for (const Ball& b : game.balls) {
      if (b.glued) return true;
    }
  }
  return false;
}

// The hits the breakable bricks have left: it falls whenever a ball or a weapon gets anywhere.
int BreakableHitsLeft() {
  int hits = 0;
  for (const Brick& b : game.bricks) {
    if (!b.alive || !IsBreakableKind(b.kind)) continue;
    hits += b.kind == obj::brick3Hits ? 3 : b.kind == obj::brick2Hits ? 2 : 1;
  }
  return hits;
}

// A ball that has broken nothing for quietLimit frames is in a loop the hit point keeps it in:
// the aim moves on. A new level or a brick giving way starts the count again.
void WatchTheBricks() {
  const int hits = BreakableHitsLeft();
  if (hits != game.autopilotHitsLeft) {
    game.autopilotHitsLeft = hits;
    game.autopilotQuietFrames = 0;
    return;
  }
  if (++game.autopilotQuietFrames >= quietLimit) {
    game.autopilotQuietFrames = 0;
    game.autopilotAimShift += 1;
  }
}

// With few breakable bricks left, the five points rarely send a ball at them: every other move of
// the aim (the odd ones) meets the ball where it leaves for one of them, in turn. The ball leaves
// along the line from the ship's centre through its own, so the point is the brick's direction
// seen from where the ball meets the ship, scaled to the ship's half height and the ball's radius.
// Walls, bumpers and the bricks' glide are left out: near enough, and the next move tries again.
// share: where the ball is to meet the ship, from its centre, in half widths.
bool AimAtALastBrick(const Ball& ball, float meetX, float& share) {
  if (game.autopilotAimShift % 2 == 0) return false;
  const Brick* chosen[fewBricks];
  int count = 0;
  for (const Brick& b : game.bricks) {
    if (!b.alive || !IsBreakableKind(b.kind)) continue;
    if (count == fewBricks) return false;
    chosen[count++] = &b;
  }
  if (count == 0) return false;
  const Brick& brick = *chosen[(game.autopilotAimShift / 2) % count];
  const float meetY = game.shipY - game.shipHalfHeight - ball.radius;
  const float rise = meetY - brick.y;
  if (rise <= 0 || game.shipHalfWidth <= 0) return false;
  const float offset = (brick.x - meetX) / rise * (game.shipHalfHeight + ball.radius);
  share = std::clamp(offset / game.shipHalfWidth, -aimReach, aimReach);
  return true;
}

}  // namespace

float AutopilotTargetX() {
  const float shipTop = game.shipY - game.shipHalfHeight / 2.0f;
  float bestTime = 1e9f;
  float target = game.shipX;
  float lowest = -1e9f;
  const Ball* met = nullptr;
  for (const Ball& b : game.balls) {
    if (b.glued) continue;
    if (b.vy > 0.05f) {
      const float t = std::max(0.0f, (shipTop - b.radius - b.y) / b.vy);
      if (t < bestTime) {
        bestTime = t;
        target = ReflectedX(b.x, b.vx, t, b.radius);
        met = &b;
      }
    } else if (bestTime == 1e9f && b.y > lowest) {
      lowest = b.y;
      target = b.x;
    }
  }
  float aimed = 0;
  if (met && AimAtALastBrick(*met, target, aimed)) return target - aimed * game.shipHalfWidth;
  // Meet the ball off-centre so it leaves at an angle, and change the point now and then among
  // five, in an order that does not repeat a short cycle. A loop all five points keep (one side
  // of the ship held against a wall leaves fewer) moves them all by a step of the golden ratio,
  // which never falls back on points tried before.
  const int phase = (game.frameCounter / aimPeriod) * 3 % 5 - 2;
  float share = phase * aimStep + std::fmod(game.autopilotAimShift * goldenRatio, 1.0f) * 2 * aimReach;
  while (share > aimReach) share -= 2 * aimReach;
  return target + share * game.shipHalfWidth;
}

namespace {

// A click is a press on one step and a release on the next, so that every press is seen.
void Click(bool wanted) {
  if (game.autopilotButtonDown) {
    ReleaseAutopilotButton();
  } else if (wanted) {
    InjectMouseButton(1, true);
    game.autopilotButtonDown = true;
  }
}

// The menu: the pointer goes to the first item and clicks once it is selected.
void PlayMenu() {
  const MenuState& m = game.menu;
  Click(m.selected == 1);
  const int dx = std::clamp(menuStartX - m.pointerX, -static_cast<int>(maxStep), static_cast<int>(maxStep));
  const int dy = std::clamp(menuStartY - m.pointerY, -static_cast<int>(maxStep), static_cast<int>(maxStep));
  InjectMouseMotion(dx, dy);
}

}  // namespace

void AutopilotStep() {
  // The focus-loss pause is the person's to end: a click of the autopilot there would end it
  // while the window is still away, and the next frame would pause again.
  if (game.focusPauseWaiting) return;
  if (game.menu.shown) {
    PlayMenu();
    return;
  }
  Click(WantsClick());
  if (game.paused) return;
  WatchTheBricks();
  // An open door is the way to the next level.
  float dx = game.doorOpen ? maxStep : AutopilotTargetX() - game.shipX;
  dx = std::clamp(dx, -maxStep, maxStep);
  if (game.malus == malusMirror) dx = -dx;
  InjectMouseMotion(RoundHalfAway(dx), 0);
}

void ReleaseAutopilotButton() {
  if (!game.autopilotButtonDown) return;
  InjectMouseButton(1, false);
  game.autopilotButtonDown = false;
}
