// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/teleports.h"

#include <cmath>
#include <iterator>

#include "core/game_state.h"
#include "gameplay/balls.h"
#include "gameplay/sprite_effects.h"
#include "levels/bricks.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int slideFrames = frameRate / 2;  // the ball slides into the brick
constexpr float ghostFade = 255.0f / frameRate;

// A teleport's brick, or null when its index is not in the brick list.
Brick* BrickIfAny(int index) {
  if (index < 0 || index >= game.bricks.Count()) return nullptr;
  return &BrickAt(index);
}

int TeleportBrickAt(int position) { return *std::next(game.teleportBricks.begin(), position); }

bool Busy(int brickIndex) {
  const Brick* b = BrickIfAny(brickIndex);
  return !b || b->teleportBusy;
}

bool FreeTargetExists(int sourceBrick) {
  for (const int index : game.teleportBricks) {
    if (index != sourceBrick && !Busy(index)) return true;
  }
  return false;
}

void ShowGhosts(const Teleport& t) {
  const Brick* source = BrickIfAny(t.sourceBrick);
  const Brick* target = BrickIfAny(t.targetBrick);
  if (!source || !target) return;
  AddSpriteEffect(source->x, source->y, 0, 0, t.sprite, 0, 0, frameRate, 255, -ghostFade, 0, 0);
  const float rise = -(target->height / 2.0f + t.radius + 1) / frameRate;
  AddSpriteEffect(target->x, target->y, 0, rise, t.sprite, 0, 0, frameRate, 0, ghostFade, 0, 0);
}

void BringBallOut(const Teleport& t) {
  const Brick* target = BrickIfAny(t.targetBrick);
  if (!target) return;
  game.balls.Select(game.balls.Count() - 1);
  AddBall(target->x, target->y - target->height / 2.0f - t.radius - 1, t.vx, -std::fabs(t.vy),
          Nearest(t.radius), t.sprite);
}

void FreeBricks(const Teleport& t) {
  if (Brick* b = BrickIfAny(t.sourceBrick)) b->teleportBusy = 0;
  if (Brick* b = BrickIfAny(t.targetBrick)) b->teleportBusy = 0;
}

}  // namespace

bool EnterTeleport(Ball& ball, int sourceBrick) {
  Brick* source = BrickIfAny(sourceBrick);
  if (!source || !FreeTargetExists(sourceBrick)) return false;
  ball.removeAtFrameEnd = 1;
  source->teleportBusy = 1;

  List<Teleport>& teleports = game.teleports;
  Teleport& t = teleports.Append();
  t.sourceBrick = sourceBrick;
  // A free target exists, so the draw ends.
  const int count = game.teleportBricks.Count();
  int target;
  do {
    target = TeleportBrickAt(Random(count - 1));
  } while (Busy(target));
  t.targetBrick = target;
  BrickAt(target).teleportBusy = 1;
  t.vx = ball.vx;
  t.vy = ball.vy;
  t.radius = ball.radius;
  t.sprite = ball.sprite;
  t.timer = 0;

  AddSpriteEffect(ball.x, ball.y, (source->x - ball.x) / slideFrames,
                  (source->y - ball.y) / slideFrames, ball.sprite, 0, 0, slideFrames, 255, 0, 0,
                  0);
  game.score += 10;
  return true;
}

void AdvanceTeleports() {
  List<Teleport>& teleports = game.teleports;
  teleports.Reset();
  while (teleports.Next()) {
    Teleport& t = teleports.Current();
    if (t.timer == teleportGhostFrame) {
      ShowGhosts(t);
      t.timer += 1;
    } else if (t.timer == teleportExitFrame) {
      BringBallOut(t);
      t.timer += 1;
    } else if (t.timer == teleportFreeFrame) {
      FreeBricks(t);
      teleports.Delete();
    } else {
      t.timer += 1;
    }
  }
}

bool TeleportInFlight() {
  // A record stays until its bricks are free again, long after its ball came out: only a ball
  // still to come out keeps the life from being lost.
  for (const Teleport& t : game.teleports) {
    if (t.timer <= teleportExitFrame) return true;
  }
  return false;
}
