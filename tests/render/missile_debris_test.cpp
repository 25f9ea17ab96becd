// SPDX-License-Identifier: GPL-3.0-or-later
// What a missile leaves behind: smoke puffs laid by the media clock in their 150 slots, and the
// fragments of an impact, at most 25 in flight, that break bricks only once armed.
#include <vector>

#include "missile_test_support.h"

namespace {

using MissileDebris = MissileTest;

TEST_F(MissileDebris, AMissileLaysAPuffAsSoonAsTwentyFiveMillisecondsHavePassed) {
  AddMissile(448, 760, 0, 0, 0);
  std::vector<int> times;
  int puffs = 0;
  for (int frame = 0; frame < 60; ++frame) {
    // Uneven frame times, as a real clock gives.
    AdvanceManualClock(frame % 3 == 0 ? 4 : 11);
    StepMissiles();
    if (ActivePuffs() > puffs) times.push_back(static_cast<int>(ElapsedMilliseconds()));
    ASSERT_LE(ActivePuffs(), puffs + 1);
    puffs = ActivePuffs();
    if (frame == 0) {
      // Born behind the missile, where its exhaust is.
      ASSERT_EQ(puffs, 1);
      EXPECT_NEAR(game.smokePuffs[0].x, 448, 1);
      EXPECT_NEAR(game.smokePuffs[0].y, 760 + 36, 1);
    }
  }
  ASSERT_GT(times.size(), 10u);
  for (std::size_t i = 1; i < times.size(); ++i) {
    EXPECT_GT(times[i] - times[i - 1], 25) << i;
    EXPECT_LE(times[i] - times[i - 1], 25 + 11) << i;
  }
}

TEST_F(MissileDebris, APuffGrowsDriftsAndLeavesItsSlotAfterAHundredAndTwentyEightFrames) {
  Missile& m = AddMissile(448, 400, 0, 0, 0);
  EmitSmoke(m);
  const SmokePuff& puff = game.smokePuffs[0];
  ASSERT_TRUE(puff.active);
  EXPECT_EQ(puff.alpha, 255);
  EXPECT_EQ(puff.size, 40);
  for (int frame = 0; frame < 127; ++frame) StepSmoke();
  EXPECT_TRUE(puff.active);
  EXPECT_GE(puff.size, 256);
  StepSmoke();
  EXPECT_FALSE(puff.active);
  // The slot is free again for the next puff.
  EmitSmoke(m);
  EXPECT_TRUE(game.smokePuffs[0].active);
  EXPECT_EQ(ActivePuffs(), 1);
}

TEST_F(MissileDebris, AtMostTwentyFiveFragmentsFly) {
  BurstFragments(448, 400);
  EXPECT_EQ(ActiveFragments(), fragmentSlots);
  EXPECT_EQ(game.fragmentsInFlight, fragmentSlots);
  for (const MissileFragment& f : game.fragments) {
    EXPECT_LE(f.direction, 0);  // thrown upwards
    EXPECT_GE(f.direction, -180);
    EXPECT_GE(f.armTime, 1);
    EXPECT_LE(f.armTime, 6);
  }
  BurstFragments(300, 300);
  EXPECT_EQ(game.fragmentsInFlight, fragmentSlots);

  // Fragments fall out of the playfield and free their slots; a new burst fills only those.
  int frames = 0;
  while (game.fragmentsInFlight == fragmentSlots && frames < 200) {
    StepFragments();
    ++frames;
  }
  ASSERT_LT(game.fragmentsInFlight, fragmentSlots);
  EXPECT_EQ(ActiveFragments(), game.fragmentsInFlight);
  BurstFragments(300, 300);
  EXPECT_EQ(ActiveFragments(), fragmentSlots);
  EXPECT_EQ(game.fragmentsInFlight, fragmentSlots);
  for (int frame = 0; frame < 300; ++frame) StepFragments();
  EXPECT_EQ(game.fragmentsInFlight, 0);
  EXPECT_EQ(ActiveFragments(), 0);
}

class ArmedFragments : public MissileTest {
 protected:
  // A playfield full of red bricks, and one fragment thrown straight up from its middle.
  void SetUp() override {
    MissileTest::SetUp();
    for (int y = playTop + cellHeight / 2; y < playBottom; y += cellHeight) {
      for (int x = playLeft + cellWidth / 2; x < playRight; x += cellWidth) AddBrick(x, y, obj::brickRed);
    }
    BurstFragments(playCentreX, playCentreY);
    for (int slot = 1; slot < fragmentSlots; ++slot) game.fragments[slot].active = false;
    game.fragmentsInFlight = 1;
    MissileFragment& f = game.fragments[0];
    f.direction = -90;
    f.speed = 40;
    f.armTime = 3;
  }
};

TEST_F(ArmedFragments, AFragmentBreaksABrickOnlyOnceArmed) {
  const int bricks = LiveBricks();
  const MissileFragment& f = game.fragments[0];
  int frames = 0;
  while (f.active && frames < 100) {
    StepFragments();
    ++frames;
    if (f.active) {
      ASSERT_LT(f.t, f.armTime);
      ASSERT_EQ(LiveBricks(), bricks) << "t " << f.t;
    }
  }
  EXPECT_FALSE(f.active);
  EXPECT_GT(frames, 30);  // t from -0.5 to 3, a tenth a frame
  EXPECT_EQ(LiveBricks(), bricks - 1);
  EXPECT_EQ(game.fragmentsInFlight, 0);
  EXPECT_EQ(game.score, 10);
  EXPECT_EQ(game.brickExplosions.Count(), 1);
}

TEST_F(ArmedFragments, UnbreakableBricksStopAFragmentAndStay) {
  for (Brick& b : game.bricks) b.kind = obj::brickUnbreakable;
  const MissileFragment& f = game.fragments[0];
  for (int frames = 0; f.active && frames < 100; ++frames) StepFragments();
  EXPECT_FALSE(f.active);
  EXPECT_EQ(LiveBricks(), game.bricks.Count());
  EXPECT_EQ(game.score, 0);
  EXPECT_EQ(game.brickExplosions.Count(), 1);
}

TEST_F(ArmedFragments, FragmentsHangStillWhileTheGameIsPaused) {
  const int bricks = LiveBricks();
  game.paused = 1;
  for (int frame = 0; frame < 100; ++frame) StepFragments();
  const MissileFragment& f = game.fragments[0];
  EXPECT_TRUE(f.active);
  EXPECT_FLOAT_EQ(f.t, -0.5f);
  EXPECT_EQ(LiveBricks(), bricks);
  EXPECT_EQ(game.score, 0);
  game.paused = 0;
  for (int frame = 0; frame < 100 && f.active; ++frame) StepFragments();
  EXPECT_EQ(LiveBricks(), bricks - 1);
}

TEST_F(MissileDebris, ANewLevelFreesEveryMissileSlotAndTheTarget) {
  AddMissile(448, 400, 0, 0, 0);
  EmitSmoke(FirstMissile());
  BurstFragments(448, 300);
  game.missileArmed = 1;
  game.missileCountdown = 30;
  game.targetValid = true;
  ResetLevelState();
  EXPECT_TRUE(game.missiles.Empty());
  EXPECT_EQ(ActivePuffs(), 0);
  EXPECT_EQ(ActiveFragments(), 0);
  EXPECT_EQ(game.fragmentsInFlight, 0);
  EXPECT_EQ(game.missileArmed, 0);
  EXPECT_FALSE(game.targetValid);
  BurstFragments(448, 300);
  EXPECT_EQ(game.fragmentsInFlight, fragmentSlots);
}

}  // namespace
