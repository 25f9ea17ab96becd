// SPDX-License-Identifier: GPL-3.0-or-later
// Fire mode as the ball drawing runs it down, and the trail of sparks, without a screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "actors/ball_drawing.h"
#include "unit/ball_test_support.h"

namespace {

using FireMode = BallTest;

TEST_F(FireMode, RunsDownOnlyWhileTheGameMovesAndThenEnds) {
  PlaceBall(300, 300, 1, 1);
  game.fireMode = 1;
  game.fireTimer = fireModeFrames;
  game.paused = 1;
  for (int i = 0; i < 50; ++i) DrawBalls();
  EXPECT_EQ(game.fireTimer, fireModeFrames);
  game.paused = 0;
  game.levelComplete = 1;
  DrawBalls();
  EXPECT_EQ(game.fireTimer, fireModeFrames);

  game.levelComplete = 0;
  for (int i = 0; i < fireModeFrames - 1; ++i) DrawBalls();
  EXPECT_EQ(game.fireMode, 1);
  EXPECT_EQ(game.fireTimer, 1);
  DrawBalls();
  EXPECT_EQ(game.fireMode, 0);
}

TEST_F(FireMode, TheTrailFollowsTheBallAndFraysWithDistance) {
  Ball& ball = PlaceBall(300, 300, 0, 0);
  game.fireMode = 1;
  game.fireTimer = fireModeFrames;
  for (int i = 0; i < 20; ++i) DrawBalls();
  EXPECT_FLOAT_EQ(ball.flares[0].trailX, 300);
  EXPECT_FLOAT_EQ(ball.flares[0].trailY, 300);
  int frayed = 0;
  for (int i = 1; i < flareCount; ++i) {
    // Each spark strays at most i pixels per axis from the one before it.
    const float reach = i * (i + 1) / 2.0f;
    EXPECT_LE(std::abs(ball.flares[i].trailX - 300), reach) << i;
    EXPECT_LE(std::abs(ball.flares[i].trailY - 300), reach) << i;
    if (ball.flares[i].trailX != 300 || ball.flares[i].trailY != 300) ++frayed;
  }
  EXPECT_GE(frayed, 5);

  // Moving the ball drags the head of the trail along at once and the tail frame by frame.
  ball.x = 500;
  DrawBalls();
  EXPECT_FLOAT_EQ(ball.flares[0].trailX, 500);
  EXPECT_LT(ball.flares[1].trailX, 400);
}

}  // namespace
