// SPDX-License-Identifier: GPL-3.0-or-later
// Teleport bricks: a ball in transit keeps the life, comes out above the target 112 frames
// later, and a teleport with no free target is bounced off.
#include <gtest/gtest.h>

#include "gameplay/teleports.h"
#include "levels/level_file.h"
#include "unit/ball_test_support.h"

namespace {

class TeleportTest : public BallTest {
 protected:
  // Two teleports; the ball flies up into the first. Entry is a one-in-two draw, so seeds are
  // tried until one lets the ball in; false when none did.
  bool EnterFirstTeleport(bool secondBusy = false, bool onlyOne = false) {
    for (uint32_t seed = 1; seed < 40; ++seed) {
      ResetLevelState();
      game.lives = 3;
      game.score = 0;
      source = AddBrick(200, 200, obj::brickTeleport);
      if (!onlyOne) target = AddBrick(600, 200, obj::brickTeleport);
      BuildTeleportList();
      if (secondBusy) BrickAt(target).teleportBusy = 1;
      RandomSeed(seed);
      PlaceBall(200, 220, 0.5f, -5);
      Frame();
      if (game.balls.Empty()) return true;
    }
    return false;
  }
  int source = -1, target = -1;
};

TEST_F(TeleportTest, TheLastBallInTransitKeepsTheLifeAndComesOut112FramesLater) {
  ASSERT_TRUE(EnterFirstTeleport());
  EXPECT_EQ(game.lifeLost, 0);
  EXPECT_EQ(game.lives, 3);
  EXPECT_EQ(game.score, 10);
  EXPECT_EQ(BrickAt(source).teleportBusy, 1);
  EXPECT_EQ(BrickAt(target).teleportBusy, 1);
  EXPECT_EQ(game.spriteEffects.Count(), 1);  // the ball sliding into the brick
  EXPECT_TRUE(TeleportInFlight());

  for (int i = 1; i < 112; ++i) {
    Frame();
    ASSERT_TRUE(game.balls.Empty()) << "frame " << i;
    ASSERT_EQ(game.lifeLost, 0);
    if (i == 37) {
      EXPECT_EQ(game.spriteEffects.Count(), 3);  // fading out at the source, in at the target
    }
  }
  Frame();
  ASSERT_EQ(game.balls.Count(), 1);
  const Ball& out = BallAt(0);
  EXPECT_FLOAT_EQ(out.x, 600);
  EXPECT_FLOAT_EQ(out.y, 200 - 10 - 8 - 1);
  EXPECT_FLOAT_EQ(out.vx, 0.5f);
  EXPECT_NEAR(out.vy, -5, 1e-3);  // always upwards
  EXPECT_FLOAT_EQ(out.radius, 8);
  EXPECT_EQ(out.sprite, obj::ball16);
  EXPECT_FALSE(TeleportInFlight());

  // The pair stays busy until 300 frames after the entry.
  RemoveAllBalls();
  for (int i = 113; i < 300; ++i) Frame();
  EXPECT_EQ(BrickAt(source).teleportBusy, 1);
  EXPECT_EQ(game.teleports.Count(), 1);
  Frame();
  EXPECT_EQ(BrickAt(source).teleportBusy, 0);
  EXPECT_EQ(BrickAt(target).teleportBusy, 0);
  EXPECT_TRUE(game.teleports.Empty());
}

TEST_F(TeleportTest, ABallLostAfterComingOutCostsALifeWhileTheBricksAreStillBusy) {
  ASSERT_TRUE(EnterFirstTeleport());
  for (int i = 1; i <= 112; ++i) Frame();
  ASSERT_EQ(game.balls.Count(), 1);
  Ball& out = BallAt(0);
  out.y = 780;
  out.vy = 2;
  Frame();
  EXPECT_EQ(game.lifeLost, 1);
  EXPECT_EQ(game.lives, 2);
}

TEST_F(TeleportTest, ATeleportWithNoFreeTargetIsBouncedOff) {
  // The level's only teleport, and a teleport whose partner is busy: every seed bounces.
  for (const bool onlyOne : {true, false}) {
    EXPECT_FALSE(EnterFirstTeleport(!onlyOne, onlyOne));
    ASSERT_EQ(game.balls.Count(), 1);
    EXPECT_GT(BallAt(0).vy, 0);
    EXPECT_EQ(BrickAt(source).hit, 0);
    EXPECT_EQ(BrickAt(source).teleportBusy, 0);
    EXPECT_TRUE(game.teleports.Empty());
    EXPECT_EQ(game.score, 0);
  }
}

}  // namespace
