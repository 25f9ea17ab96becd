// SPDX-License-Identifier: GPL-3.0-or-later
// Missiles in flight: how they turn and speed up, what their nose meets (breakable bricks,
// bricks that stop them, bricks already hit, monsters), where they fly over everything, and a
// whole shot from the launcher to its target.
#include <cmath>
#include <numbers>

#include "actors/monsters.h"
#include "missile_test_support.h"

namespace {

constexpr float pi = std::numbers::pi_v<float>;

using MissileFlight = MissileTest;

TEST_F(MissileFlight, TurnsByExactlyOneHundredthOfARadianAFrameTowardsItsAim) {
  struct Case {
    float aim;
    float turn;  // the sign of the first turns
  };
  // Left, right, and right given as almost a whole turn (as the aim of a target to the right
  // comes): the short way round is to the right.
  const Case cases[] = {{0.3f, 1}, {-0.3f, -1}, {2 * pi - 0.3f, -1}};
  for (const Case& c : cases) {
    ResetLevelState();
    AddMissile(448, 700, 0, c.aim, 0);
    float before = 0;
    for (int frame = 1; frame <= 30; ++frame) {
      Frame();
      const float heading = FirstMissile().heading;
      ASSERT_NEAR(heading - before, c.turn * 0.01f, 1e-5) << "aim " << c.aim << " frame " << frame;
      before = heading;
    }
    // At its aim it hunts about it, a hundredth either side.
    for (int frame = 0; frame < 20; ++frame) {
      Frame();
      const float heading = FirstMissile().heading;
      EXPECT_NEAR(std::fabs(heading - before), 0.01f, 1e-5);
      EXPECT_LE(std::fabs(std::remainder(heading - c.aim, 2 * pi)), 0.0101f);
      before = heading;
    }
    // Turned left it has drifted left, turned right it has drifted right.
    EXPECT_EQ(FirstMissile().x < 448, c.turn > 0) << "aim " << c.aim;
  }
}

TEST_F(MissileFlight, SpeedsUpFromRestAndStopsAtEightPointZeroEight) {
  Missile& m = AddMissile(448, 760, 0, 0, 0);
  float before = 0;
  for (int frame = 0; frame < 110; ++frame) {
    Frame();
    ASSERT_GE(m.speed, before);
    ASSERT_LE(m.speed, 8.08f + 1e-4f);
    before = m.speed;
  }
  EXPECT_NEAR(m.speed, 8.08f, 1e-3);
  // Up all the way, hunting a hundredth either side of straight.
  EXPECT_NEAR(m.x, 448, 4);
  EXPECT_LT(m.y, 760 - 400);
}

TEST_F(MissileFlight, DestroysAThreeHitBrickInOneImpactAndItDropsItsCapsule) {
  for (int kind : {obj::brick3Hits, obj::brick2Hits, obj::brickGreen}) {
    ResetLevelState();
    game.score = 0;
    game.targetValid = true;
    const int brick = AddBrick(448, 300, kind, obj::capsuleTriple);
    AddBrick(600, 300, obj::brick3Hits);
    // The nose, 50 ahead, reaches the brick's box after one frame at full speed.
    AddMissile(448, 362, 0, 0, 8);
    Frame();
    EXPECT_EQ(BrickAt(brick).alive, 0) << kind;
    EXPECT_EQ(BrickAt(1).alive, 1);
    EXPECT_EQ(game.score, 10);
    EXPECT_TRUE(game.missiles.Empty());
    EXPECT_FALSE(game.targetValid);
    ASSERT_EQ(game.capsules.Count(), 1);
    EXPECT_EQ(game.capsules.begin()->kind, obj::capsuleTriple);
    EXPECT_FLOAT_EQ(game.capsules.begin()->x, 448);
    ASSERT_EQ(game.brickExplosions.Count(), 1);
    EXPECT_FLOAT_EQ(game.brickExplosions.begin()->y, 300);
    // The burst throws a full set of fragments from the brick's centre.
    EXPECT_EQ(game.fragmentsInFlight, fragmentSlots);
    EXPECT_EQ(ActiveFragments(), fragmentSlots);
    EXPECT_FLOAT_EQ(game.fragments[0].startX, 448);
    EXPECT_FLOAT_EQ(game.fragments[0].startY, 300);
  }
}

TEST_F(MissileFlight, UnbreakableAndTeleporterBricksStopItAndStay) {
  for (int kind : {obj::brickUnbreakable, obj::brickTeleport}) {
    ResetLevelState();
    game.score = 0;
    game.targetValid = true;
    const int brick = AddBrick(448, 300, kind, obj::capsuleTriple);
    AddMissile(448, 362, 0, 0, 8);
    Frame();
    EXPECT_EQ(BrickAt(brick).alive, 1) << kind;
    EXPECT_EQ(BrickAt(brick).kind, kind);
    EXPECT_TRUE(game.missiles.Empty());
    EXPECT_FALSE(game.targetValid);
    EXPECT_EQ(game.score, 0);
    EXPECT_TRUE(game.capsules.Empty());
    EXPECT_EQ(game.fragmentsInFlight, 0);
    // The burst is where the missile was, not on the brick.
    ASSERT_EQ(game.brickExplosions.Count(), 1);
    EXPECT_FLOAT_EQ(game.brickExplosions.begin()->y, 354);
  }
}

TEST_F(MissileFlight, AboveTheScreenItFliesOverBricks) {
  // The same meeting twice: with the missile's centre below y 0 the nose breaks the brick, with
  // it above y 0 it flies over. (Bricks above the screen come from sliding in.)
  const int low = AddBrick(300, 60, obj::brickRed);
  const int high = AddBrick(500, -40, obj::brickRed);
  AddMissile(300, 110, 0, 0, 0);
  AddMissile(500, -1, 0, 0, 0);
  Frame();
  EXPECT_EQ(BrickAt(low).alive, 0);
  EXPECT_EQ(BrickAt(high).alive, 1);
  ASSERT_EQ(game.missiles.Count(), 1);
  EXPECT_FLOAT_EQ(FirstMissile().x, 500);
}

TEST_F(MissileFlight, LeavingTheScreenEndsItAndFreesTheTarget) {
  game.targetValid = true;
  // Above the top by more than its height, or off the left or right by more than its width.
  AddMissile(448, -missileHeight + 12, 0, 0, 8);
  AddMissile(-missileWidth + 12, 400, pi / 2, pi / 2, 8);
  AddMissile(playRight + missileWidth - 12, 400, -pi / 2, -pi / 2, 8);
  Frame();
  EXPECT_EQ(game.missiles.Count(), 3);
  Frame();
  EXPECT_TRUE(game.missiles.Empty());
  EXPECT_FALSE(game.targetValid);
}

TEST_F(MissileFlight, KillsTheMonsterItMeetsButNotOverABrickAlreadyHit) {
  AddMonster(448, 380);
  const int brick = AddBrick(448, 300, obj::brickRed);
  AddMissile(448, 362, 0, 0, 8);
  // Something else hit the brick this frame: the missile flies on and tests no monster.
  BrickAt(brick).hit = 1;
  StepMissiles();
  EXPECT_EQ(game.missiles.Count(), 1);
  EXPECT_EQ(BrickAt(brick).alive, 1);
  EXPECT_EQ(game.monsters.Count(), 1);

  // Without the brick the monster under the missile's centre dies, and the missile with it.
  BrickAt(brick).alive = 0;
  game.targetValid = true;
  FirstMissile().y = 390;
  Frame();
  EXPECT_TRUE(game.missiles.Empty());
  EXPECT_TRUE(game.monsters.Empty());
  EXPECT_FALSE(game.targetValid);
  ASSERT_EQ(game.monsterExplosions.Count(), 1);
  EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->x, 448);
  EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->y, 380);
  EXPECT_EQ(game.monsterExplosions.begin()->picture, obj::explosionTiles);
}

TEST_F(MissileFlight, AShotFromTheLauncherCurvesOntoItsTarget) {
  // Targets up and to the left and up and to the right, the gauge at the middle of its swing.
  for (float targetX : {250.0f, 690.0f}) {
    ResetLevelState();
    const int target = AddBrick(targetX, 150, obj::brickBlue);
    const int decoy = AddBrick(448, 120, obj::brickBlue);
    game.missileArmed = 1;
    MissileTargetStep();
    // The marker locks on a random breakable brick: keep the decoy out of the choice.
    BrickAt(decoy).alive = 0;
    MissileTargetStep();
    BrickAt(decoy).alive = 1;
    ASSERT_EQ(game.targetBrick, target);
    game.missileCountdown = 0;
    game.gaugeAngle = -45;
    LaunchMissile();
    ASSERT_EQ(game.missiles.Count(), 1);
    EXPECT_EQ(game.missileArmed, 0);
    for (int frame = 0; frame < 300 && !game.missiles.Empty(); ++frame) Frame();
    EXPECT_EQ(BrickAt(target).alive, 0) << targetX;
    EXPECT_EQ(BrickAt(decoy).alive, 1) << targetX;
  }
}

TEST_F(MissileFlight, TheGaugeLeansTheAimByUpToAnEighthOfARightAngle) {
  game.targetX = 250;
  game.targetY = 150;
  game.missileArmed = 1;
  game.gaugeAngle = -45;
  FireMissile();
  const float upright = game.missiles.begin()->aim;
  EXPECT_GT(upright, 0);
  EXPECT_LT(upright, pi / 2);
  game.missileArmed = 1;
  game.gaugeAngle = 0;
  FireMissile();
  game.missileArmed = 1;
  game.gaugeAngle = -90;
  FireMissile();
  auto m = game.missiles.begin();
  const float leftLean = (++m)->aim;
  const float rightLean = (++m)->aim;
  EXPECT_NEAR(leftLean - upright, pi / 16, 1e-5);
  EXPECT_NEAR(rightLean - upright, -pi / 16, 1e-5);
  for (const Missile& missile : game.missiles) {
    EXPECT_FLOAT_EQ(missile.x, game.shipX);
    EXPECT_FLOAT_EQ(missile.y, game.shipY);
    EXPECT_EQ(missile.speed, 0);
    EXPECT_EQ(missile.heading, 0);
  }
}

TEST_F(MissileFlight, VectorAngleMeasuresFromStraightDownTowardsMinusX) {
  EXPECT_NEAR(VectorAngle(0, 1), 0, 1e-6);
  EXPECT_NEAR(VectorAngle(std::sqrt(0.5f), std::sqrt(0.5f)), pi / 4, 1e-5);
  EXPECT_NEAR(VectorAngle(-std::sqrt(0.5f), std::sqrt(0.5f)), 2 * pi - pi / 4, 1e-5);
  // Almost square to (0, 1) counts as (0, 1).
  EXPECT_NEAR(VectorAngle(1, 0.05f), 0, 1e-6);
  EXPECT_NEAR(VectorAngle(-1, -0.05f), 2 * pi, 1e-5);
  // A unit vector rounded a hair above length 1 still has an angle.
  EXPECT_NEAR(VectorAngle(0, 1.0000001f), 0, 1e-6);
}

}  // namespace
