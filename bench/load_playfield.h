// SPDX-License-Identifier: GPL-3.0-or-later
// The loaded playfield of the frame benchmarks: 100 balls among 300 bricks.
#pragma once

#include "core/game_state.h"
#include "gameplay/balls.h"
#include "media/media.h"

constexpr int loadBricks = 300;
constexpr int loadBalls = 100;

// Unbreakable bricks scattered over the upper playfield and balls below them with the fil on,
// so the load stays the same however long the benchmark runs.
inline void FillPlayfield() {
  RandomSeed(12345);
  game.bricks.Clear();
  for (int i = 0; i < loadBricks; ++i) {
    Brick& b = game.bricks.Add();
    b.x = static_cast<float>(playLeft + 32 + Random(playWidth - 64));
    b.y = static_cast<float>(playTop + 40 + Random(440));
    b.kind = obj::brickUnbreakable;
    b.width = cellWidth;
    b.height = cellHeight;
    b.alive = 1;
  }
  // One breakable brick out of every ball's reach keeps the level from counting as cleared.
  Brick& keeper = game.bricks.Add();
  keeper.x = playLeft + 32;
  keeper.y = -100;
  keeper.kind = obj::brickRed;
  keeper.alive = 1;
  game.balls.Clear();
  game.teleports.Clear();
  for (int i = 0; i < loadBalls; ++i) {
    const float x = static_cast<float>(playLeft + 20 + (i % 20) * 34);
    const float y = static_cast<float>(520 + (i / 20) * 30);
    const float vx = static_cast<float>(Random(800) - 400) / 100;
    const float vy = -static_cast<float>(Random(400) + 200) / 100;
    AddBall(x, y, vx, vy, 8, obj::ball16);
  }
  game.glueMode = 0;
  game.launchPending = 0;
  game.filBarrierOn = 1;
  game.lifeLost = 0;
  game.paused = 0;
}
