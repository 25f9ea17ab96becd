// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the ball tests: a clean level with no screen, bricks and balls placed by hand, and
// frames of the ball pass as the main loop runs them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "assets/objects.h"
#include "core/game_state.h"
#include "gameplay/balls.h"
#include "levels/bricks.h"
#include "media/media.h"

class BallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetLevelState();
    RandomSeed(7);
  }

  // A live brick of the given kind centred on (x, y); its index in the brick list.
  static int AddBrick(float x, float y, int kind, int capsule = 0) {
    game.bricks.Select(game.bricks.Count() - 1);
    Brick& b = game.bricks.Add();
    b.x = x;
    b.y = y;
    b.kind = kind;
    b.width = cellWidth;
    b.height = cellHeight;
    b.capsule = capsule;
    b.alive = 1;
    return game.bricks.Count() - 1;
  }

  static Ball& BallAt(int index) { return *std::next(game.balls.begin(), index); }

  // A ball added by the game's own procedure, then put where the test wants it (adding it there
  // would clear the bricks under it).
  static Ball& PlaceBall(float x, float y, float vx, float vy, int radius = 8,
                         int sprite = obj::ball16) {
    game.balls.Select(game.balls.Count() - 1);
    AddBall(playCentreX, playTop + 100, vx, vy, radius, sprite);
    Ball& ball = game.balls.Current();
    ball.x = x;
    ball.y = y;
    return ball;
  }

  // One frame as the main loop runs it: the brick step clears the hit marks, then the pass.
  static void Frame() {
    for (Brick& b : game.bricks) {
      if (b.alive) b.hit = 0;
    }
    BallPass();
    ++game.frameCounter;
  }

  static float Speed(const Ball& ball) { return std::hypot(ball.vx, ball.vy); }
};
