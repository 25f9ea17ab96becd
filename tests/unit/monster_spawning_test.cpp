// SPDX-License-Identifier: GPL-3.0-or-later
// Monsters over long runs without a screen (their pictures have no size here, so a picture's
// edge is its centre): what spawns under the level's settings and when, and wanderers that
// never leave their borders.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "actors/monsters.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "media/media.h"

namespace {

// The kind of each spawn slot, whose kindMask bit is 1 << slot.
constexpr int slotKinds[] = {obj::monster02, obj::monster03, obj::monster04, obj::monster05,
                             obj::monster06};

class MonsterRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetLevelState();
    RandomSeed(13);
  }
  static void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      StepMonsters();
      ++game.frameCounter;
    }
  }
};

TEST_F(MonsterRuns, NoSpawnWhileTheMostMonstersLive) {
  game.maxMonsters = 2;
  SpawnMonster(obj::monster03, 2, 1);
  SpawnMonster(obj::monster03, 2, 1);
  Frames(5000);
  EXPECT_EQ(game.monsters.Count(), 2);
  game.maxMonsters = 3;
  Frames(5000);
  EXPECT_EQ(game.monsters.Count(), 3);
}

TEST_F(MonsterRuns, OnlyTheKindsOfTheMaskSpawnAndOnlyOnTheirFrames) {
  for (const int mask : {0, 1, 2, 4, 8, 16, 12, 31}) {
    ResetLevelState();
    game.kindMask = mask;
    game.spawnPeriod = mask == 12 ? 5 : 20;
    // Newcomers are taken away as they come, so every chance stays open.
    std::set<int> seen;
    for (int i = 0; i < 8000; ++i) {
      Frames(1);
      for (const Monster& m : game.monsters) {
        seen.insert(m.kind);
        EXPECT_EQ((game.frameCounter - 1) % game.spawnPeriod, 1) << "mask " << mask;
      }
      game.monsters.Clear();
    }
    std::set<int> allowed;
    for (int slot = 0; slot < 5; ++slot) {
      if (mask & (1 << slot)) allowed.insert(slotKinds[slot]);
    }
    EXPECT_EQ(seen, allowed) << "mask " << mask;
  }
}

TEST_F(MonsterRuns, WanderersStayInsideTheirBordersOverLongRuns) {
  game.maxMonsters = 0;
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    RandomSeed(seed);
    game.monsters.Clear();
    // The fastest newcomer's speeds, so the first wander is the widest.
    for (const int kind : {obj::monster02, obj::monster03, obj::monster06}) {
      SpawnMonster(kind, 2.9f, 1.9f);
    }
    Frames(4 * 40);  // the glide in
    float left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (int frame = 0; frame < 4 * 8000; ++frame) {
      Frames(1);
      for (const Monster& m : game.monsters) {
        left = std::min(left, m.x);
        right = std::max(right, m.x);
        top = std::min(top, m.y);
        bottom = std::max(bottom, m.y);
      }
    }
    // Never more than one move of the fastest past a line, and every line was reached.
    EXPECT_GE(left, playLeft + 40 - 3) << seed;
    EXPECT_LE(right, playRight - 40 + 3) << seed;
    EXPECT_GE(top, playTop - 2) << seed;
    EXPECT_LE(bottom, playBottom + 2) << seed;
    EXPECT_LT(left, playLeft + 40 + 1) << seed;
    EXPECT_GT(right, playRight - 40 - 1) << seed;
    EXPECT_LT(top, playTop + 1) << seed;
    EXPECT_GT(bottom, playBottom - 1) << seed;
  }
}

}  // namespace
