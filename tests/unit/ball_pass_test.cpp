// SPDX-License-Identifier: GPL-3.0-or-later
// The ball pass: balls against each other, the ship, the walls, the fil and the bottom; the
// serve and the glue; gravity and the speed limit.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "gameplay/balls.h"
#include "unit/ball_test_support.h"

namespace {

using BallPassTest = BallTest;

bool Finite(const Ball& b) {
  return std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.vx) && std::isfinite(b.vy);
}

TEST_F(BallPassTest, TwoBallsAtOnePointSeparateWithoutDivisionByZero) {
  PlaceBall(300, 300, 0, 0);
  PlaceBall(300, 300, 3, 0);
  const Ball& a = BallAt(0);
  const Ball& b = BallAt(1);
  bool apart = false;
  for (int i = 0; i < 20; ++i) {
    Frame();
    ASSERT_TRUE(Finite(a) && Finite(b)) << "frame " << i;
    apart = apart || std::hypot(b.x - a.x, b.y - a.y) >= 16 - 1e-3;
  }
  EXPECT_TRUE(apart);
}

TEST_F(BallPassTest, CollidingBallsExchangeMomentumByMass) {
  // Equal masses head on swap their velocities.
  PlaceBall(300, 300, 2, 0);
  PlaceBall(314, 300, -2, 0);
  Frame();
  EXPECT_NEAR(BallAt(0).vx, -2, 1e-4);
  EXPECT_NEAR(BallAt(1).vx, 2, 1e-4);
  // Each backed off by half the overlap: they now just touch.
  EXPECT_NEAR(BallAt(1).x - BallAt(0).x, 16 + 2, 1e-3);  // and the second one moved on by 2

  // A ball of twice the radius is eight times heavier: it hardly slows, the small one flies off.
  game.balls.Clear();
  PlaceBall(300, 400, 2, 0, 16, obj::ball32);
  PlaceBall(325, 400, 0, 0);
  Frame();
  EXPECT_NEAR(BallAt(0).vx, 2.0f * 7 / 9, 1e-4);
  EXPECT_NEAR(BallAt(1).vx, 2.0f * 16 / 9, 1e-4);
}

TEST_F(BallPassTest, AnUprightBallGetsANewHorizontalSpeed) {
  std::set<float> seen;
  for (int trial = 0; trial < 40; ++trial) {
    game.balls.Clear();
    Ball& ball = PlaceBall(300, 400, 0, -3);
    Frame();
    EXPECT_GE(ball.vx, -1.0f);
    EXPECT_LE(ball.vx, 1.0f);
    seen.insert(ball.vx);
  }
  EXPECT_GT(seen.size(), 5u);  // drawn afresh, not a fixed nudge

  game.balls.Clear();
  Ball& slanted = PlaceBall(300, 400, 0.1f, -3);
  Frame();
  EXPECT_FLOAT_EQ(slanted.vx, 0.1f);
}

TEST_F(BallPassTest, ABallIsLostOnlyOnceWhollyBelowTheBottom) {
  PlaceBall(200, 100, 1, 1);      // a second ball keeps the life
  PlaceBall(600, 770, 0.5f, 1);   // centre below 768, top edge still above
  Frame();
  ASSERT_EQ(game.balls.Count(), 2);
  EXPECT_FLOAT_EQ(BallAt(1).y, 771);
  for (int i = 0; i < 4; ++i) Frame();  // the top edge reaches 767.x
  ASSERT_EQ(game.balls.Count(), 2);
  Frame();                              // y - radius >= 768
  EXPECT_EQ(game.balls.Count(), 1);
  EXPECT_EQ(game.lifeLost, 0);
  EXPECT_EQ(game.lives, 3);
}

TEST_F(BallPassTest, LosingTheLastBallCostsOneLifeAndSaysSo) {
  PlaceBall(600, 775, 0.5f, 2);
  Frame();
  EXPECT_TRUE(game.balls.Empty());
  EXPECT_EQ(game.lives, 2);
  EXPECT_EQ(game.lifeLost, 1);
  EXPECT_EQ(game.paused, 1);
  // "YOU LOOSE!" in two halves of ten glyphs, held for two seconds.
  ASSERT_EQ(game.spriteEffects.Count(), 20);
  EXPECT_EQ(game.spriteEffects.begin()->delay, 2 * frameRate);
}

TEST_F(BallPassTest, TheFilBouncesBallsAboveTheBottom) {
  game.filBarrierOn = 1;
  Ball& ball = PlaceBall(200, 688, 1, 5);
  Frame();
  EXPECT_FLOAT_EQ(ball.y, 698 - 8);
  EXPECT_LT(ball.vy, 0);
  // Even a ball already below the wire is put back on it, never lost.
  Ball& deep = PlaceBall(700, 760, -1, 6);
  for (int i = 0; i < 3; ++i) Frame();
  EXPECT_EQ(game.balls.Count(), 2);
  EXPECT_LE(deep.y, 698 - 8);
}

TEST_F(BallPassTest, WallsSendTheBallBackInsideAndTheSpeedIsCapped) {
  Ball& left = PlaceBall(95, 300, -5, 1);
  Ball& top = PlaceBall(300, 25, 1, -5);
  Ball& right = PlaceBall(802, 500, 5, 1);
  Ball& fast = PlaceBall(450, 300, 30, 40);
  Frame();
  EXPECT_FLOAT_EQ(left.x, 96);
  EXPECT_FLOAT_EQ(left.vx, 5);
  EXPECT_FLOAT_EQ(top.y, 28);
  EXPECT_GT(top.vy, 0);
  EXPECT_FLOAT_EQ(right.x, 800);
  EXPECT_FLOAT_EQ(right.vx, -5);
  EXPECT_NEAR(fast.vx, 6, 1e-4);  // 3 : 4 kept, scaled down to 10
  EXPECT_NEAR(fast.vy, 8, 1e-3);
}

TEST_F(BallPassTest, GravityIsHeavyOnlyOnLevelSeventeen) {
  Ball& light = PlaceBall(300, 300, 2, -3);
  Frame();
  EXPECT_NEAR(light.vy, -3 + 0.0001f, 1e-6);

  game.levelNumber = 17;
  Ball& heavy = PlaceBall(500, 300, 2, -3);
  EXPECT_FLOAT_EQ(heavy.gravity, 0.08f);
  Frame();
  EXPECT_NEAR(heavy.vy, -3 + 0.08f, 1e-6);
}

TEST_F(BallPassTest, TheShipSendsTheBallOffFromItsCentre) {
  // Straight down onto the middle: straight back up at the same speed.
  Ball& middle = PlaceBall(game.shipX, 682, 0.5f, 5);
  Frame();
  EXPECT_LT(middle.vy, -4.9f);
  EXPECT_LT(middle.y + 8, game.shipY - game.shipHalfHeight + 1e-3);  // pushed clear of the ship

  // Towards the right end: off to the right, along the line from the ship's centre.
  game.balls.Clear();
  Ball& edge = PlaceBall(game.shipX + 30, 680, 0.5f, 5);
  Frame();
  const float dirX = 30.5f, dirY = 685 - game.shipY;
  EXPECT_NEAR(edge.vx / edge.vy, dirX / dirY, 0.05f);
  EXPECT_GT(edge.vx, 0);
  EXPECT_LT(edge.vy, 0);
  EXPECT_NEAR(Speed(edge), std::hypot(0.5f, 5.0f), 0.01f);

  // The ship's own movement adds a quarter to the ball's; the limit still holds.
  game.balls.Clear();
  game.shipDX = 8;
  Ball& pushed = PlaceBall(game.shipX, 682, 0.5f, 5);
  Frame();
  EXPECT_NEAR(pushed.vx, 2 + std::hypot(0.5f, 5.0f) * (0.5f / std::hypot(0.5f, 687 - game.shipY)), 0.01f);
  game.balls.Clear();
  game.shipDX = 200;
  Ball& hurled = PlaceBall(game.shipX, 682, 0.5f, 5);
  Frame();
  EXPECT_LE(Speed(hurled), 10 + 0.01f);
}

TEST_F(BallPassTest, TheServeFollowsTheShipAndLeavesByItselfAfter750Frames) {
  AddBall(game.shipX, game.shipY - 50, 2, -3, 8, obj::ball16);
  GlueAllBalls(10 * frameRate);
  game.launchPending = 1;
  Ball& ball = BallAt(0);
  for (int i = 0; i < 749; ++i) {
    game.shipX = 300 + (i % 100);
    Frame();
    ASSERT_EQ(ball.glued, 1) << "frame " << i;
    ASSERT_FLOAT_EQ(ball.x, game.shipX + 20);
  }
  EXPECT_FLOAT_EQ(ball.y, game.shipY - 50);
  EXPECT_EQ(game.launchPending, 1);
  Frame();
  EXPECT_EQ(ball.glued, 0);
  EXPECT_EQ(game.launchPending, 0);
  EXPECT_EQ(game.glueMode, 0);
  const float before = ball.y;
  Frame();
  EXPECT_LT(ball.y, before);  // on its way up
}

TEST_F(BallPassTest, ASecondGluedCatchReleasesTheFirst) {
  game.glueMode = 1;
  Ball& first = PlaceBall(game.shipX - 20, 682, 1, 5);
  Ball& second = PlaceBall(game.shipX + 200, 300, 1, -2);
  Frame();
  ASSERT_EQ(first.glued, 1);
  EXPECT_EQ(game.glueTimer, 10 * frameRate);
  const float offset = first.glueOffset;
  EXPECT_NEAR(offset, first.x - game.shipX, 1e-4);
  Frame();
  EXPECT_NEAR(first.x, game.shipX + offset, 1e-4);  // held where it was caught

  second.x = game.shipX + 25;
  second.y = 682;
  second.vx = -1;
  second.vy = 5;
  Frame();
  EXPECT_EQ(second.glued, 1);
  EXPECT_EQ(first.glued, 0);
  EXPECT_EQ(game.glueTimer, 10 * frameRate);
}

TEST_F(BallPassTest, ABallReleasedFromTheGlueBonusIsCaughtAgain) {
  game.glueMode = 1;
  Ball& ball = PlaceBall(game.shipX + 10, 682, 1, 5);
  Frame();
  ASSERT_EQ(ball.glued, 1);
  ReleaseGluedBalls();
  EXPECT_EQ(ball.glued, 0);
  EXPECT_EQ(game.glueTimer, 0);
  EXPECT_EQ(game.glueMode, 1);
  for (int i = 0; i < 400 && ball.vy < 0; ++i) Frame();  // up to the top and back down
  ball.x = game.shipX - 10;
  ball.y = 682;
  ball.vy = 5;
  Frame();
  EXPECT_EQ(ball.glued, 1);
}

TEST_F(BallPassTest, AddBallClearsBreakableBricksUnderItsDisc) {
  const int red = AddBrick(300, 300, obj::brickRed);
  const int unbreakable = AddBrick(300, 330, obj::brickUnbreakable);
  const int far = AddBrick(300, 200, obj::brickGreen);
  AddBall(300, 315, 1, 1, 16, obj::ball32);
  EXPECT_EQ(BrickAt(red).alive, 0);
  EXPECT_EQ(BrickAt(unbreakable).alive, 1);
  EXPECT_EQ(BrickAt(far).alive, 1);
  EXPECT_EQ(game.score, 0);  // silently
  const Ball& ball = game.balls.Current();
  EXPECT_FLOAT_EQ(ball.radius, 16);
  EXPECT_NEAR(ball.mass, 16.0f * 16 * 16 * 4 * 3.14159265f / 3, 1);
}

}  // namespace
