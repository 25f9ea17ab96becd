// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's levels offer every capsule, all five letters among them, on bricks a ball can
// break, and the malus placed at level start lands on one most of the time.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "assets/objects.h"
#include "core/game_state.h"
#include "levels/bricks.h"
#include "levels/level_file.h"
#include "media/media.h"
#include "unit/level_test_support.h"

namespace {

const char* const demoLevels[] = {"level0", "level1", "level2"};

class DemoCapsules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SetMessageBoxesSilent(true);
  }
  // The level as a level start leaves it: loaded, then the letter and the malus placed.
  static void StartLevel(const char* name) {
    WriteLevel(0, ShippedLevel(name));
    game.levelNumber = 0;
    LoadLevel();
    PlaceLetters();
  }
  ScratchDirectory scratch;
};

TEST_F(DemoCapsules, EveryBonusAndEveryLetterRidesABreakableBrick) {
  std::set<int> offered;
  for (const char* name : demoLevels) {
    for (const BrickRecord& b : ShippedLevel(name)) {
      if (IsBreakableKind(b.kind)) offered.insert(b.capsule);
      // A capsule on a brick that never breaks would never fall.
      EXPECT_TRUE(b.capsule == 0 || IsBreakableKind(b.kind)) << name << " kind " << b.kind;
    }
  }
  for (int kind = obj::capsuleTriple; kind <= obj::capsuleExtraLife; kind += 16) {
    EXPECT_TRUE(offered.count(kind)) << "capsule " << kind;
  }
  // The placed letter may land on an unbreakable brick; the files make sure of all five.
  for (int kind = obj::letterB; kind <= obj::letterS; kind += 16) {
    EXPECT_TRUE(offered.count(kind)) << "letter " << kind;
  }
}

TEST_F(DemoCapsules, ThePlacedMalusMostlyLandsOnABreakableBrick) {
  int placed = 0, breakable = 0;
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    RandomSeed(seed);
    for (const char* name : demoLevels) {
      StartLevel(name);
      for (const Brick& b : game.bricks) {
        if (b.capsule != obj::capsuleMalus) continue;
        ++placed;
        breakable += IsBreakableKind(b.kind);
      }
    }
  }
  // Each level gets one; the unbreakable and teleporter bricks at the end of a list take it
  // now and then, so a demo rarely goes without a malus to meet.
  EXPECT_GE(placed, 3 * 100 * 95 / 100);
  EXPECT_GT(breakable, placed * 85 / 100);
}

}  // namespace
