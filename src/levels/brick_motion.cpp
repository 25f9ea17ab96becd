// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "core/game_state.h"
#include "levels/level_file.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

void DrawBrick(const Brick& b) {
  // The current kind's size: a hit brick is drawn from its new kind's pictures.
  const float w = static_cast<float>(SpriteWidth(b.kind));
  const float h = static_cast<float>(SpriteHeight(b.kind));
  const int left = Nearest(b.x - w / 2);
  const int top = Nearest(b.y - h / 2 + game.slideOffset);
  DisplaySprite3D(b.kind + b.frame, left, top, 255);
}

}  // namespace

void StartLeg(Brick& b) {
  const int next = (b.leg + 1) % b.waypointCount;
  b.secondsLeft = b.seconds[b.leg];
  // In floating point: the loader keeps legs to an hour, but seconds times 75 in whole numbers
  // overflows from 28633116 seconds on.
  const float frames = static_cast<float>(b.seconds[b.leg]) * frameRate;
  b.vx = (b.wx[next] - b.wx[b.leg]) / frames;
  b.vy = (b.wy[next] - b.wy[b.leg]) / frames;
  // Exactly on the waypoint, so the per-frame steps never drift from leg to leg.
  b.x = b.wx[b.leg];
  b.y = b.wy[b.leg];
}

void StepBricks() {
  if (++game.secondTick == frameRate) game.secondTick = 0;
  const bool tick = game.secondTick == 0;
  for (Brick& b : game.bricks) {
    if (!b.alive) continue;
    b.hit = 0;
    if (b.waypointCount > 1) {
      b.x += b.vx;
      b.y += b.vy;
      if (tick && --b.secondsLeft <= 0) {
        if (++b.leg == b.waypointCount) b.leg = 0;
        StartLeg(b);
      }
    }
    if (game.secondTick % 4 == 1) b.frame = (b.frame + 1) & 15;
    DrawBrick(b);
  }
}
