// SPDX-License-Identifier: GPL-3.0-or-later
// A ball against the bricks: breaking by kind, the one bounce off the mean contact direction,
// fire mode, grazing contacts and the anti-stuck bounce.
#include <gtest/gtest.h>

#include <cmath>

#include "gameplay/brick_contact.h"
#include "unit/ball_test_support.h"

namespace {

using BrickContact = BallTest;

// Runs the brick step alone for one ball, as the pass does for each ball in turn.
void Collide(Ball& ball) {
  game.balls.Reset();
  while (game.balls.Next()) {
    if (&game.balls.Current() == &ball) {
      CollideWithBricks();
      return;
    }
  }
}

TEST_F(BrickContact, ABallTouchingTwoBricksBouncesOnceAndBreaksBoth) {
  const int red = AddBrick(300, 200, obj::brickRed);
  const int green = AddBrick(364, 200, obj::brickGreen);
  Ball& ball = PlaceBall(332, 220, 0.5f, -5);  // up into the seam between them
  Frame();
  EXPECT_EQ(BrickAt(red).alive, 0);
  EXPECT_EQ(BrickAt(green).alive, 0);
  EXPECT_EQ(game.score, 20);
  EXPECT_EQ(game.brickExplosions.Count(), 2);
  // Reflected once about the horizontal: down again at the same speed, not turned back twice.
  EXPECT_GT(ball.vy, 4.9f);
  EXPECT_NEAR(Speed(ball), std::hypot(0.5f, 5.0f), 0.01f);
  EXPECT_GT(ball.y - ball.radius, 208);  // backed out below the bricks
}

TEST_F(BrickContact, ThreeHitBrickStepsDownOncePerFrameWhateverTheBalls) {
  const int brick = AddBrick(400, 200, obj::brick3Hits);
  for (const float x : {380.0f, 400.0f, 420.0f}) PlaceBall(x, 220, 0.5f, -5);
  Frame();
  EXPECT_EQ(BrickAt(brick).kind, obj::brick2Hits);
  EXPECT_EQ(BrickAt(brick).alive, 1);
  EXPECT_EQ(game.score, 10);
  for (const Ball& b : game.balls) EXPECT_GT(b.vy, 0) << "every ball bounced";

  Ball& ball = BallAt(1);
  auto throwUp = [&ball] {
    ball.x = 400;
    ball.y = 220;
    ball.vx = 0.5f;
    ball.vy = -5;
  };
  throwUp();
  Frame();
  EXPECT_EQ(BrickAt(brick).kind, obj::brick1Hit);
  EXPECT_EQ(game.score, 20);
  throwUp();
  Frame();
  EXPECT_EQ(BrickAt(brick).alive, 0);
  EXPECT_EQ(game.score, 30);
}

TEST_F(BrickContact, UnbreakableBricksOnlyBounce) {
  const int brick = AddBrick(300, 200, obj::brickUnbreakable);
  Ball& ball = PlaceBall(300, 220, 0.5f, -5);
  Frame();
  EXPECT_EQ(BrickAt(brick).alive, 1);
  EXPECT_EQ(BrickAt(brick).kind, obj::brickUnbreakable);
  EXPECT_EQ(game.score, 0);
  EXPECT_GT(ball.vy, 0);
}

TEST_F(BrickContact, FireModeBreaksWithoutTurning) {
  game.fireMode = 1;
  const int red = AddBrick(300, 200, obj::brickRed);
  const int multi = AddBrick(300, 150, obj::brick3Hits);
  Ball& ball = PlaceBall(300, 220, 1, -5);
  Frame();
  EXPECT_EQ(BrickAt(red).alive, 0);
  EXPECT_FLOAT_EQ(ball.vx, 1);
  EXPECT_NEAR(ball.vy, -5, 1e-3);
  EXPECT_LT(ball.y - ball.radius, 210);  // left where it touched, not backed out

  // A three-hit brick holds the ball at its face for one hit a frame, then lets it through.
  for (int i = 0; i < 25; ++i) Frame();
  EXPECT_EQ(BrickAt(multi).alive, 0);
  EXPECT_EQ(game.score, 40);
  EXPECT_FLOAT_EQ(ball.vx, 1);
  EXPECT_LT(ball.vy, -4.9f);
  EXPECT_LT(ball.y, 140);
}

TEST_F(BrickContact, AGrazingBallIsPushedAwayAlongTheNormal) {
  AddBrick(300, 300, obj::brickUnbreakable);
  // Skimming the top face: the path meets the face's normal (0, 1) at a cosine below 0.1.
  Ball& ball = PlaceBall(300, 284, 5, 0.5f);
  Frame();
  const float s = std::hypot(5.0f, 0.5f);
  const float ux = 5 / s, uy = 0.5f / s;
  // Pushed off as if met head on (d = 1): u - 2n, not the mirror image (ux, -uy).
  const float length = std::hypot(ux, uy - 2);
  EXPECT_NEAR(ball.vx, s * ux / length, 0.01f);
  EXPECT_NEAR(ball.vy, s * (uy - 2) / length, 0.01f);
  EXPECT_LT(ball.y + ball.radius, 291);  // off the face
}

TEST_F(BrickContact, TheNormalIsTheMeanOfTheContactDirections) {
  // A ball without speed cannot back out, so it is pushed straight away from where it stands.
  // At this corner it touches at 0, pi/8, pi/4 and 2 pi: the directions average to about
  // 0.29 radians (down and a little right), while the plain mean of the angles, 1.87, would
  // point almost sideways.
  AddBrick(300, 300, obj::brickUnbreakable);  // box x 268..332, y 290..310
  Ball& ball = PlaceBall(269, 286, 0, 0);
  Collide(ball);
  const float angle = std::atan2(-ball.vx, -ball.vy);  // the normal, back from the push
  EXPECT_NEAR(angle, std::atan2(1.0898f, 3.6310f), 0.01f);
  EXPECT_LT(ball.vy, 0);
  EXPECT_FLOAT_EQ(ball.x, 269);
  EXPECT_FLOAT_EQ(ball.y, 286);
}

TEST_F(BrickContact, ABallCaughtOnOneBrickIsSentBackTheWayItFirstCame) {
  // Brick 0: a ball that never touched a brick must not take it for its last one.
  const int brick = AddBrick(300, 300, obj::brickUnbreakable);
  ASSERT_EQ(brick, 0);
  Ball& ball = PlaceBall(300, 316, 1, -4);
  game.frameCounter = 1;
  Collide(ball);
  ASSERT_GT(ball.vy, 0);
  EXPECT_EQ(ball.lastBrick, brick);
  EXPECT_FLOAT_EQ(ball.snapshotVx, 1);
  EXPECT_FLOAT_EQ(ball.snapshotVy, -4);

  // The same brick again and again from another direction: ordinary bounces (off to the left)
  // until the contacts add up, then the snapshot's velocity reflected about the line from the
  // brick's centre to where the ball first touched.
  int stuckAt = 0;
  for (int frame = 2; frame < 200 && stuckAt == 0; ++frame) {
    game.frameCounter = frame;
    ball.x = 300;
    ball.y = 316;
    ball.vx = -2;
    ball.vy = -3;
    Collide(ball);
    if (ball.vx > 0) {
      stuckAt = frame;
    } else {
      EXPECT_LT(ball.repeatHits, stuckContactLimit);
    }
  }
  ASSERT_GT(stuckAt, 10);
  EXPECT_GE(ball.repeatHits, stuckContactLimit);
  EXPECT_NEAR(Speed(ball), std::sqrt(17.0f), 1e-3);  // the snapshot's speed: not stopped dead
  float nx = ball.snapshotX - 300, ny = ball.snapshotY - 300;
  const float nl = std::hypot(nx, ny);
  nx /= nl;
  ny /= nl;
  const float ux = 1 / std::sqrt(17.0f), uy = -4 / std::sqrt(17.0f);
  const float d = ux * nx + uy * ny;
  EXPECT_NEAR(ball.vx, std::sqrt(17.0f) * (ux - 2 * nx * d), 1e-3);
  EXPECT_NEAR(ball.vy, std::sqrt(17.0f) * (uy - 2 * ny * d), 1e-3);
}

}  // namespace
