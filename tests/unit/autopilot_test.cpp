// SPDX-License-Identifier: GPL-3.0-or-later
// Where the autopilot steers the ship: under the ball that comes down first, met off-centre.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "core/brick_record.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "gameplay/balls.h"
#include "levels/bricks.h"
#include "media/media.h"
#include "shell/autopilot.h"

namespace {

class Autopilot : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetLevelState();
    game.shipX = playCentreX;
  }
  // The motion the steps fed into the media layer is not left for the next suite to read.
  void TearDown() override { ForgetInput(); }
  // The point on the ship aimed at, as a share of its half width.
  static float AimShare(float landingX) { return (AutopilotTargetX() - landingX) / game.shipHalfWidth; }
};

TEST_F(Autopilot, GoesUnderTheBallThatComesDownFirstReflectedOffTheWall) {
  // A slow ball far up and a fast one that will bounce off the left wall before it lands.
  AddBall(600, 100, 0, 1, 8, 0);
  const float shipTop = game.shipY - game.shipHalfHeight / 2.0f;
  const float t = (shipTop - 8 - 300) / 10.0f;
  AddBall(playLeft + 30, 300, -4, 10, 8, 0);
  const float left = playLeft + 8;
  const float landingX = left + std::fabs(playLeft + 30 - left - 4 * t);
  EXPECT_LE(std::fabs(AimShare(landingX)), 0.71f);
}

TEST_F(Autopilot, MeetsTheBallAtFiveDifferentPointsOverTime) {
  AddBall(500, 300, 0, 5, 8, 0);
  std::set<int> shares;
  for (int period = 0; period < 5; ++period) {
    game.frameCounter = period * 4 * frameRate;
    const float share = AimShare(500);
    EXPECT_LE(std::fabs(share), 0.71f);
    shares.insert(static_cast<int>(std::lround(share * 100)));
  }
  EXPECT_EQ(shares.size(), 5u) << "a ball caught in one loop gets other angles to try";
}

TEST_F(Autopilot, ItsHandsStartFreeWithEveryGameRecord) {
  game.launchPending = 1;
  AutopilotStep();  // presses to serve, to let go on the next step
  ExamineMouse();
  ASSERT_TRUE(MouseButton(1));
  ResetGameState();
  ResetLevelState();
  ForgetInput();
  game.launchPending = 1;
  AutopilotStep();
  ExamineMouse();
  EXPECT_TRUE(MouseButton(1)) << "the fresh record serves at once, with no press of before to let go";
}

// A level of one unbreakable brick and one breakable brick of two hits, returned.
Brick& PutTwoBricks() {
  Brick* breakable = nullptr;
  for (int kind : {obj::brickUnbreakable, obj::brick2Hits}) {
    breakable = &game.bricks.Append();
    breakable->kind = kind;
    breakable->alive = 1;
  }
  return *breakable;
}

// One autopilot step in play, with the 4 s rotation held still.
float StepAndAim() {
  game.frameCounter = 0;
  AutopilotStep();
  return AutopilotTargetX();
}

TEST_F(Autopilot, MovesItsAimAfterTenSecondsWithoutABrickGivingWay) {
  Brick& breakable = PutTwoBricks();
  AddBall(500, 300, 0, 5, 8, 0);
  const float first = StepAndAim();
  for (int frame = 1; frame < 10 * frameRate; ++frame) {
    ASSERT_FLOAT_EQ(StepAndAim(), first) << "frame " << frame << ": too soon to give up on the aim";
  }
  const float second = StepAndAim();
  EXPECT_GT(std::fabs(second - first), 0.1f * game.shipHalfWidth) << "ten quiet seconds move the aim";

  // A brick losing a hit, or a weapon's shot breaking one, starts the ten seconds again.
  for (int frame = 0; frame < 5 * frameRate; ++frame) StepAndAim();
  breakable.kind = obj::brick1Hit;
  for (int frame = 0; frame < 9 * frameRate; ++frame) {
    ASSERT_FLOAT_EQ(StepAndAim(), second) << "frame " << frame << " after the brick gave way";
  }
  // With nothing more giving way, the aim moves again ten seconds on.
  for (int frame = 0; frame < 2 * frameRate; ++frame) StepAndAim();
  EXPECT_NE(StepAndAim(), second);
}

TEST_F(Autopilot, EveryMoveOfItsAimTriesANewPointOnTheShip) {
  AddBall(500, 300, 0, 5, 8, 0);
  std::set<int> points;
  for (int shift = 0; shift < 12; ++shift) {
    game.autopilotAimShift = shift;
    for (int period = 0; period < 5; ++period) {
      game.frameCounter = period * 4 * frameRate;
      const float share = AimShare(500);
      ASSERT_LE(std::fabs(share), 0.701f) << "shift " << shift << ": the ball must still meet the ship";
      points.insert(static_cast<int>(std::lround(share * 1000)));
    }
  }
  EXPECT_GE(points.size(), 55u) << "the moved points fall between those tried before";
}

TEST_F(Autopilot, WithNoBallComingDownItWaitsUnderTheLowestOne) {
  AddBall(300, 200, 1, -4, 8, 0);
  AddBall(700, 500, -1, -4, 8, 0);
  game.frameCounter = 0;
  EXPECT_LE(std::fabs(AimShare(700)), 0.71f);
}

// With one or a few breakable bricks left, every other move of the aim meets the ball where the
// ship's bounce sends it at one of them; the moves between keep trying the five points.
TEST_F(Autopilot, WithFewBricksLeftEveryOtherMoveOfItsAimSendsTheBallAtOne) {
  std::vector<const Brick*> bricks;
  for (const auto& [x, y] : {std::pair{250.0f, 150.0f}, std::pair{700.0f, 120.0f}}) {
    Brick& brick = game.bricks.Append();
    brick.kind = obj::brick1Hit;
    brick.alive = 1;
    brick.x = x;
    brick.y = y;
    bricks.push_back(&brick);
  }
  const float meetX = 480;
  const float radius = 8;
  const float meetY = game.shipY - game.shipHalfHeight - radius;
  for (int shift = 1; shift <= 3; shift += 2) {
    RemoveAllBalls();
    game.autopilotAimShift = shift;
    AddBall(meetX, meetY - 3, 0, 4, static_cast<int>(radius), 0);
    game.frameCounter = 0;
    game.shipX = AutopilotTargetX();
    game.shipDX = 0;
    game.shipDY = 0;
    BallPass();
    ASSERT_EQ(game.balls.Count(), 1);
    const Ball& ball = *game.balls.begin();
    ASSERT_LT(ball.vy, 0) << "shift " << shift << ": the ball leaves the ship upwards";
    const Brick& aimedAt = *bricks[(shift / 2) % 2];
    // Where the ball's line crosses the brick's height, against the brick's centre.
    const float crossX = ball.x + ball.vx * (aimedAt.y - ball.y) / ball.vy;
    EXPECT_NEAR(crossX, aimedAt.x, 20.0f) << "shift " << shift;
  }
  game.autopilotAimShift = 2;
  const float unaimed = AutopilotTargetX();
  game.autopilotAimShift = 0;
  EXPECT_NE(AutopilotTargetX(), unaimed) << "even moves keep to the five points, shifted";
}

}  // namespace
