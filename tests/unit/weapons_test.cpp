// SPDX-License-Identifier: GPL-3.0-or-later
// The weapons against bricks, without a screen: the laser steps bricks down one hit at a time,
// the chaingun's bullets break them outright, and the fil's fade and its end by a malus.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "actors/chaingun.h"
#include "actors/fil.h"
#include "actors/laser.h"
#include "actors/weapons.h"
#include "gameplay/capsules.h"
#include "unit/ball_test_support.h"

namespace {

class Weapons : public BallTest {
 protected:
  static void Shoot(float x, float y) { game.laserShots.Append() = LaserShot{x, y}; }
  static void Catch(int kind) {
    AddCapsule(game.shipX, game.shipY - 40, kind);
    CapsuleStep();
  }
};

TEST_F(Weapons, ALaserShotStepsAThreeHitBrickDownOneHitAtATime) {
  Brick& b = BrickAt(AddBrick(300, 200, obj::brick3Hits, obj::capsuleGlue));
  for (int next : {obj::brick2Hits, obj::brick1Hit}) {
    b.hit = 0;  // as the brick step clears it every frame
    Shoot(300, 215);
    StepLaserShots();
    EXPECT_EQ(b.kind, next);
    EXPECT_EQ(b.hit, 1);
    EXPECT_TRUE(game.laserShots.Empty());
  }
  b.hit = 0;
  Shoot(300, 215);
  StepLaserShots();
  EXPECT_EQ(b.alive, 0);
  EXPECT_EQ(game.score, 30);
  ASSERT_EQ(game.capsules.Count(), 1);
  EXPECT_EQ(game.capsules.begin()->kind, obj::capsuleGlue);
  EXPECT_EQ(game.brickExplosions.Count(), 1);
}

TEST_F(Weapons, TheSecondShotOfAPairPassesTheBrickTheFirstJustHitAndHitsTheOneBehind) {
  Brick& front = BrickAt(AddBrick(300, 500, obj::brick3Hits));
  Brick& behind = BrickAt(AddBrick(300, 440, obj::brickRed));
  game.shipX = 300;
  game.shipY = 587;  // the pair leaves at y 515 and meets the front brick at once
  FireLaser();
  EXPECT_EQ(game.laserCooldown, laserCooldownFrames);
  StepLaserShots();
  EXPECT_EQ(front.kind, obj::brick2Hits);  // one hit, not two
  ASSERT_EQ(game.laserShots.Count(), 1);
  // The front brick keeps its hit mark here, so the shot flies on through it.
  for (int i = 0; i < 6 && !game.laserShots.Empty(); ++i) StepLaserShots();
  EXPECT_EQ(front.kind, obj::brick2Hits);
  EXPECT_EQ(behind.alive, 0);
  EXPECT_TRUE(game.laserShots.Empty());
}

TEST_F(Weapons, UnbreakableAndTeleporterBricksStopLaserShotsUnharmed) {
  for (int kind : {obj::brickUnbreakable, obj::brickTeleport}) {
    game.bricks.Clear();
    Brick& b = BrickAt(AddBrick(300, 200, kind));
    Shoot(300, 215);
    StepLaserShots();
    EXPECT_TRUE(game.laserShots.Empty()) << kind;
    EXPECT_EQ(b.alive, 1);
    EXPECT_EQ(b.kind, kind);
  }
  EXPECT_EQ(game.score, 0);
}

TEST_F(Weapons, BulletsBreakAThreeHitBrickOutrightButFlyOverUnbreakableBricks) {
  Brick& wall = BrickAt(AddBrick(300, 400, obj::brickUnbreakable));
  Brick& target = BrickAt(AddBrick(300, 250, obj::brick3Hits, obj::capsuleFire));
  game.bullets.Append() = Bullet{300, 430, 3, -std::numbers::pi_v<float> / 2};
  for (int i = 0; i < 30 && !game.bullets.Empty(); ++i) StepBullets();
  EXPECT_EQ(wall.alive, 1);
  EXPECT_EQ(target.alive, 0);
  EXPECT_EQ(game.score, 50);
  ASSERT_EQ(game.capsules.Count(), 1);
  EXPECT_EQ(game.capsules.begin()->kind, obj::capsuleFire);
  EXPECT_TRUE(game.bullets.Empty());
}

TEST_F(Weapons, CatchingTheChaingunWhileItIsActiveRefillsItToTen) {
  game.gunState = 2;
  game.ammo = 3;
  Catch(obj::capsuleChaingun);
  StepChaingun();
  EXPECT_EQ(game.gunState, 2);
  EXPECT_EQ(game.ammo, 10);
  EXPECT_EQ(game.gaugeIndex, 0);
}

TEST_F(Weapons, TheFilFadesInHoldsThirtySecondsAndFadesOut) {
  Catch(obj::capsuleRow);
  std::vector<int> alphas;
  while (game.filBarrierOn && alphas.size() < 3000) {
    StepFil();
    alphas.push_back(game.filAlpha);
  }
  // 26 frames of fade-in, 10, 20, ... 250 and full; then thirty seconds from full brightness to
  // dark, the last 255 frames fading by one a frame.
  ASSERT_EQ(alphas.size(), 26u + filFrames);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(alphas[i], 10 * (i + 1)) << "frame " << i;
  for (int i = 25; i < 26 + filFrames - 255; ++i) ASSERT_EQ(alphas[i], 255) << "frame " << i;
  for (int left = 254; left >= 0; --left) {
    ASSERT_EQ(alphas[alphas.size() - 1 - left], left) << left << " frames left";
  }
}

TEST_F(Weapons, AMalusEndsTheFilAndTheNextRowFadesInAfresh) {
  Catch(obj::capsuleRow);
  for (int i = 0; i < 100; ++i) StepFil();
  ASSERT_EQ(game.filAlpha, 255);
  Catch(obj::capsuleMalus);
  EXPECT_EQ(game.filBarrierOn, 0);
  StepFil();
  EXPECT_EQ(game.filAlpha, 255);  // no longer stepped
  Catch(obj::capsuleRow);
  StepFil();
  EXPECT_EQ(game.filAlpha, 10);
}

}  // namespace
