// SPDX-License-Identifier: GPL-3.0-or-later
// The three explosion lists: what the add procedures put where, how elements age one frame per
// step and leave after their last frame, the order they keep, and the per-level reset.
#include <gtest/gtest.h>

#include <vector>

#include "actors/explosions.h"
#include "actors/monsters.h"
#include "assets/objects.h"
#include "core/game_state.h"

namespace {

class Explosions : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }

  template <class T>
  static std::vector<T> Items(const List<T>& list) {
    return {list.begin(), list.end()};
  }
  static void Step(int frames) {
    for (int i = 0; i < frames; ++i) StepExplosions();
  }
  static std::vector<float> BurstXs() {
    std::vector<float> xs;
    for (const Explosion& e : game.brickExplosions) xs.push_back(e.x);
    return xs;
  }
};

TEST_F(Explosions, AddProceduresFillTheirOwnList) {
  AddExplosion(120.5f, 300.25f);
  AddFireball(400, 500, 96);
  // The general form: the fireball's first frame goes to the fireballs, others are bursts.
  AddExplosion(10, 20, obj::fireball, 128);
  AddExplosion(30, 40, obj::explosionTiles, 128);

  const auto bursts = Items(game.brickExplosions);
  ASSERT_EQ(bursts.size(), 2u);
  EXPECT_FLOAT_EQ(bursts[0].x, 120.5f);
  EXPECT_FLOAT_EQ(bursts[0].y, 300.25f);
  EXPECT_EQ(bursts[0].picture, 514);
  EXPECT_EQ(bursts[0].frame, 0);
  EXPECT_FLOAT_EQ(bursts[1].x, 30);
  EXPECT_EQ(bursts[1].picture, 514);

  const auto fireballs = Items(game.fireballs);
  ASSERT_EQ(fireballs.size(), 2u);
  EXPECT_FLOAT_EQ(fireballs[0].x, 400);
  EXPECT_FLOAT_EQ(fireballs[0].y, 500);
  EXPECT_EQ(fireballs[0].picture, 544);
  EXPECT_EQ(fireballs[0].frame, 0);
  EXPECT_EQ(fireballs[0].size, 96);
  EXPECT_FLOAT_EQ(fireballs[1].x, 10);
  EXPECT_FLOAT_EQ(fireballs[1].y, 20);
  EXPECT_EQ(fireballs[1].size, 128);

  EXPECT_TRUE(game.monsterExplosions.Empty());
}

TEST_F(Explosions, ABurstShowsThirtyOneFramesThenLeaves) {
  AddExplosion(200, 200);
  for (int step = 1; step <= 31; ++step) {
    Step(1);
    ASSERT_EQ(game.brickExplosions.Count(), 1) << "after step " << step;
    EXPECT_EQ(game.brickExplosions.begin()->frame, step);
  }
  Step(1);
  EXPECT_TRUE(game.brickExplosions.Empty());
}

TEST_F(Explosions, AFireballShowsTwentyFourFramesThenLeaves) {
  AddFireball(200, 200, 128);
  for (int step = 1; step <= 24; ++step) {
    Step(1);
    ASSERT_EQ(game.fireballs.Count(), 1) << "after step " << step;
    EXPECT_EQ(game.fireballs.begin()->frame, step);
    EXPECT_EQ(game.fireballs.begin()->size, 128);
  }
  Step(1);
  EXPECT_TRUE(game.fireballs.Empty());
}

TEST_F(Explosions, MonsterBurstsAddedDirectlyAgeByTheSameRule) {
  Explosion& e = game.monsterExplosions.Add();
  e.x = 300;
  e.y = 100;
  e.picture = obj::explosionTiles;
  e.frame = 0;
  Step(31);
  ASSERT_EQ(game.monsterExplosions.Count(), 1);
  EXPECT_EQ(game.monsterExplosions.begin()->frame, 31);
  Step(1);
  EXPECT_TRUE(game.monsterExplosions.Empty());
}

TEST_F(Explosions, EachListAgesOnItsOwnClock) {
  AddExplosion(1, 1);
  Step(2);
  AddFireball(2, 2, 64);
  Step(1);
  Explosion& e = game.monsterExplosions.Add();
  e.picture = obj::explosionTiles;
  Step(1);
  EXPECT_EQ(game.brickExplosions.begin()->frame, 4);
  EXPECT_EQ(game.fireballs.begin()->frame, 2);
  EXPECT_EQ(game.monsterExplosions.begin()->frame, 1);

  // The fireball, though added later, leaves first.
  Step(22);
  EXPECT_EQ(game.fireballs.Count(), 1);
  Step(1);
  EXPECT_TRUE(game.fireballs.Empty());
  EXPECT_EQ(game.brickExplosions.begin()->frame, 27);
  EXPECT_EQ(game.monsterExplosions.begin()->frame, 24);
}

TEST_F(Explosions, BurstsKeepTheirOrderWhileOldOnesLeaveAndNewOnesJoin) {
  AddExplosion(1, 0);
  AddExplosion(2, 0);
  Step(20);
  AddExplosion(3, 0);
  AddExplosion(4, 0);
  EXPECT_EQ(BurstXs(), (std::vector<float>{1, 2, 3, 4}));

  // The two old ones leave in the same step; the walk goes on with the ones behind them.
  Step(12);
  EXPECT_EQ(BurstXs(), (std::vector<float>{3, 4}));
  for (const Explosion& e : game.brickExplosions) EXPECT_EQ(e.frame, 12);

  // After a walk a new burst joins at the end, also when the walk removed the last element.
  AddExplosion(5, 0);
  Explosion& finished = game.brickExplosions.Add();
  finished.x = 6;
  finished.picture = obj::explosionTiles;
  finished.frame = 31;
  Step(1);
  EXPECT_EQ(BurstXs(), (std::vector<float>{3, 4, 5}));
  AddExplosion(7, 0);
  EXPECT_EQ(BurstXs(), (std::vector<float>{3, 4, 5, 7}));
}

TEST_F(Explosions, TheLevelResetEmptiesAllThreeListsAlsoAfterALostLife) {
  for (int lifeLost : {0, 1}) {
    AddExplosion(1, 1);
    game.monsterExplosions.Add().picture = obj::explosionTiles;
    AddFireball(1, 1, 128);
    Step(3);
    game.lifeLost = lifeLost;
    ResetLevelState();
    EXPECT_TRUE(game.brickExplosions.Empty()) << "lifeLost " << lifeLost;
    EXPECT_TRUE(game.monsterExplosions.Empty()) << "lifeLost " << lifeLost;
    EXPECT_TRUE(game.fireballs.Empty()) << "lifeLost " << lifeLost;

    // The emptied lists take new elements from the start.
    AddExplosion(9, 9);
    ASSERT_EQ(game.brickExplosions.Count(), 1);
    EXPECT_EQ(game.brickExplosions.begin()->frame, 0);
    ResetLevelState();
  }
}

}  // namespace
