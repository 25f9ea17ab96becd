// The weapons without a screen: the laser's pairs and what a shot does to each brick kind, the
// chaingun's bullets, flashes, gauge and aim, and the fil's fade.
#include <gtest/gtest.h>

#include <cmath>
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
  static LaserShot& AddShot(float x, float y) {
    LaserShot& shot = game.laserShots.Append();
    shot.x = x;
    shot.y = y;
    return shot;
  }

  static Bullet& AddBullet(float x, float y, float heading) {
    Bullet& b = game.bullets.Append();
    b.x = x;
    b.y = y;
    b.speed = 3;
    b.heading = heading;
    return b;
  }

  static constexpr float up = -std::numbers::pi_v<float> / 2;
};

// ---------------------------------------------------------------- laser

TEST_F(Weapons, TheLaserFiresAPairFromTheShipThenCoolsDown) {
  game.shipX = 300;
  FireLaser();
  ASSERT_EQ(game.laserShots.Count(), 2);
  auto shot = game.laserShots.begin();
  EXPECT_FLOAT_EQ(shot->x, 275);
  EXPECT_FLOAT_EQ(shot->y, game.shipY - 72);
  EXPECT_FLOAT_EQ(std::next(shot)->x, 325);
  EXPECT_EQ(game.laserCooldown, laserCooldownFrames);

  game.laserCooldown = 1;
  FireLaser();
  EXPECT_EQ(game.laserShots.Count(), 2);
  game.laserCooldown = 0;
  FireLaser();
  EXPECT_EQ(game.laserShots.Count(), 4);
}

TEST_F(Weapons, LaserShotsRiseTenPixelsAFrameUnlessPausedAndLeaveAtTheTop) {
  const LaserShot& shot = AddShot(300, 100);
  StepLaserShots();
  EXPECT_FLOAT_EQ(shot.y, 90);
  game.paused = 1;
  StepLaserShots();
  game.paused = 0;
  game.levelComplete = 1;
  StepLaserShots();
  EXPECT_FLOAT_EQ(shot.y, 90);
  game.levelComplete = 0;
  for (int i = 0; i < 7; ++i) StepLaserShots();
  EXPECT_EQ(game.laserShots.Count(), 1);  // at y 20, not yet above the playfield
  StepLaserShots();
  EXPECT_TRUE(game.laserShots.Empty());
}

TEST_F(Weapons, ALaserShotStepsAThreeHitBrickDownOneHitAtATime) {
  const int index = AddBrick(300, 200, obj::brick3Hits, obj::capsuleGlue);
  Brick& b = BrickAt(index);
  const std::vector<int> kinds = {obj::brick2Hits, obj::brick1Hit};
  for (int k = 0; k < 2; ++k) {
    b.hit = 0;
    AddShot(300, 215);
    StepLaserShots();
    EXPECT_EQ(b.kind, kinds[k]);
    EXPECT_EQ(b.hit, 1);
    EXPECT_EQ(game.score, 10 * (k + 1));
    EXPECT_TRUE(game.laserShots.Empty());
  }
  // The last hit breaks it: its capsule falls and it bursts.
  b.hit = 0;
  AddShot(300, 215);
  StepLaserShots();
  EXPECT_EQ(b.alive, 0);
  EXPECT_EQ(game.score, 30);
  ASSERT_EQ(game.capsules.Count(), 1);
  EXPECT_EQ(game.capsules.begin()->kind, obj::capsuleGlue);
  EXPECT_EQ(game.brickExplosions.Count(), 1);
  EXPECT_TRUE(game.laserShots.Empty());
}

TEST_F(Weapons, TheSecondShotOfAPairPassesTheBrickTheFirstJustHitAndHitsTheOneBehind) {
  Brick& front = BrickAt(AddBrick(300, 500, obj::brick3Hits));
  Brick& behind = BrickAt(AddBrick(300, 440, obj::brickRed));
  game.shipX = 300;
  game.shipY = 587;  // the pair leaves at y 515, inside the front brick
  FireLaser();
  StepLaserShots();
  EXPECT_EQ(front.kind, obj::brick2Hits);  // one hit, not two
  ASSERT_EQ(game.laserShots.Count(), 1);
  // The front brick keeps its hit mark in this test, so the shot flies on through it.
  for (int i = 0; i < 6 && !game.laserShots.Empty(); ++i) StepLaserShots();
  EXPECT_EQ(front.kind, obj::brick2Hits);
  EXPECT_EQ(behind.alive, 0);
  EXPECT_EQ(game.score, 20);
  EXPECT_TRUE(game.laserShots.Empty());
}

TEST_F(Weapons, UnbreakableAndTeleporterBricksStopLaserShotsUnharmed) {
  for (int kind : {obj::brickUnbreakable, obj::brickTeleport}) {
    game.bricks.Clear();
    Brick& b = BrickAt(AddBrick(300, 200, kind));
    AddShot(300, 215);
    StepLaserShots();
    EXPECT_TRUE(game.laserShots.Empty()) << kind;
    EXPECT_EQ(b.alive, 1);
    EXPECT_EQ(b.kind, kind);
  }
  EXPECT_EQ(game.score, 0);
  EXPECT_TRUE(game.brickExplosions.Empty());
}

// ---------------------------------------------------------------- chaingun

TEST_F(Weapons, BulletsSpeedUpToEightPixelsAFrame) {
  const Bullet& b = AddBullet(300, 600, up);
  std::vector<float> steps;
  for (int i = 0; i < 7; ++i) {
    const float before = b.y;
    StepBullets();
    steps.push_back(before - b.y);
  }
  const std::vector<float> expected = {3, 4, 5, 6, 7, 8, 8};
  for (int i = 0; i < 7; ++i) EXPECT_NEAR(steps[i], expected[i], 1e-3) << i;
  EXPECT_NEAR(b.x, 300, 1e-3);
}

TEST_F(Weapons, ABulletDestroysAThreeHitBrickOutright) {
  Brick& b = BrickAt(AddBrick(300, 200, obj::brick3Hits, obj::capsuleFire));
  AddBullet(300, 213, up);  // its box reaches the brick after the first move
  StepBullets();
  EXPECT_EQ(b.alive, 0);
  EXPECT_EQ(game.score, 50);
  ASSERT_EQ(game.capsules.Count(), 1);
  EXPECT_EQ(game.capsules.begin()->kind, obj::capsuleFire);
  EXPECT_EQ(game.brickExplosions.Count(), 1);
  EXPECT_TRUE(game.bullets.Empty());
}

TEST_F(Weapons, BulletsFlyOverUnbreakableBricksAndBricksAlreadyHit) {
  Brick& wall = BrickAt(AddBrick(300, 400, obj::brickUnbreakable));
  Brick& hit = BrickAt(AddBrick(300, 300, obj::brickRed));
  hit.hit = 1;
  const Bullet& b = AddBullet(300, 430, up);
  for (int i = 0; i < 30; ++i) StepBullets();
  EXPECT_EQ(wall.alive, 1);
  EXPECT_EQ(hit.alive, 1);
  ASSERT_EQ(game.bullets.Count(), 1);
  EXPECT_LT(b.y, 250);
  EXPECT_EQ(game.score, 0);
}

TEST_F(Weapons, BulletsThatLeaveTheScreenAreDropped) {
  AddBullet(300, 40, up);
  AddBullet(500, 400, 0);  // to the right, still far from the edge
  for (int i = 0; i < 12; ++i) StepBullets();
  ASSERT_EQ(game.bullets.Count(), 1);
  EXPECT_GT(game.bullets.begin()->x, 500);
}

TEST_F(Weapons, AMuzzleFlashGrowsAndFadesForThirtyTwoFrames) {
  MuzzleFlash& f = game.muzzleFlashes.Append();
  f = MuzzleFlash{300, 300, 255, 4};
  int frames = 0;
  while (!game.muzzleFlashes.Empty() && frames < 100) {
    const MuzzleFlash& now = *game.muzzleFlashes.begin();
    EXPECT_EQ(now.alpha, 255 - 8 * frames);
    EXPECT_FLOAT_EQ(now.size, 4 + 8 * frames);
    StepMuzzleFlashes();
    ++frames;
  }
  EXPECT_EQ(frames, 32);
}

TEST_F(Weapons, CatchingTheChaingunWhileItIsActiveRefillsItToTen) {
  game.gunState = 2;
  game.ammoMax = 10;
  game.ammoStep = 2;
  game.ammo = 3;
  AddCapsule(game.shipX, game.shipY - 40, obj::capsuleChaingun);
  CapsuleStep();
  StepChaingun();
  EXPECT_EQ(game.gunState, 2);
  EXPECT_EQ(game.ammo, 10);
  EXPECT_EQ(game.gaugeIndex, 0);
}

TEST_F(Weapons, TheGaugeLosesABarForEveryTwoShotsAndTheGunGoesWhenEmpty) {
  game.gunState = 2;
  game.ammoMax = 10;
  game.ammoStep = 2;
  const int expected[] = {4, 3, 3, 2, 2, 1, 1, 0, 0, 0};  // for 1 .. 10 shots left
  for (int ammo = 1; ammo <= 10; ++ammo) {
    game.ammo = ammo;
    StepChaingun();
    EXPECT_EQ(game.gaugeIndex, expected[ammo - 1]) << ammo << " shots";
    EXPECT_EQ(game.gunState, 2);
  }
  game.ammo = 0;
  StepChaingun();
  EXPECT_EQ(game.gaugeIndex, 5);
  EXPECT_EQ(game.gunState, 0);
  StepChaingun();  // gone: nothing changes any more
  EXPECT_EQ(game.gaugeIndex, 5);
}

// ---------------------------------------------------------------- fil

TEST_F(Weapons, TheFilFadesInHoldsThirtySecondsAndFadesOut) {
  game.filBarrierOn = 1;
  game.filTimer = -255;
  std::vector<int> alphas;
  while (game.filBarrierOn && alphas.size() < 3000) {
    StepFil();
    alphas.push_back(game.filAlpha);
  }
  // 26 frames of fade-in: 10, 20, ... 250, then full.
  ASSERT_EQ(alphas.size(), 26u + filFrames);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(alphas[i], 10 * (i + 1)) << "frame " << i;
  // Thirty seconds from full brightness to dark, the last 255 frames fading by one a frame.
  for (int i = 25; i < 26 + filFrames - 255; ++i) ASSERT_EQ(alphas[i], 255) << "frame " << i;
  for (int left = 254; left >= 0; --left) {
    ASSERT_EQ(alphas[alphas.size() - 1 - left], left) << left << " frames left";
  }
  const int after = game.filAlpha;
  StepFil();
  EXPECT_EQ(game.filAlpha, after);
}

TEST_F(Weapons, AMalusEndsTheFilAndTheNextRowFadesInAfresh) {
  AddCapsule(game.shipX, game.shipY - 40, obj::capsuleRow);
  CapsuleStep();
  for (int i = 0; i < 100; ++i) StepFil();
  ASSERT_EQ(game.filAlpha, 255);
  AddCapsule(game.shipX, game.shipY - 40, obj::capsuleMalus);
  CapsuleStep();
  EXPECT_EQ(game.filBarrierOn, 0);
  AddCapsule(game.shipX, game.shipY - 40, obj::capsuleRow);
  CapsuleStep();
  StepFil();
  EXPECT_EQ(game.filAlpha, 10);
}

}  // namespace
