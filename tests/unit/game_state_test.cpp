// SPDX-License-Identifier: GPL-3.0-or-later
// The record's resets (per run, per game, per level) and the shared sound helpers.
#include <gtest/gtest.h>

#include <cstdint>

#include "assets/asset_loader.h"
#include "assets/catalogue.h"
#include "assets/objects.h"
#include "assets/pack_file.h"
#include "core/game_state.h"
#include "core/sound_effects.h"

namespace {

TEST(PanFromX, SpansThePlayfieldAndTruncatesTowardsZero) {
  EXPECT_EQ(PanFromX(88), -76);
  EXPECT_EQ(PanFromX(448), 24);
  EXPECT_EQ(PanFromX(808), 124);
  EXPECT_EQ(PanFromX(0), -100);
  EXPECT_EQ(PanFromX(1), -100);  // 200 / 720 truncates to 0
}

TEST(ResetLevelState, PutsTheShipBackAndClearsTheLevelFlags) {
  ResetGameState();
  game.shipX = 100;
  game.shipHalfWidth = 65;
  game.sizeHold = 1;
  game.sizeCounter = 30;
  game.showFps = 1;
  game.paused = 1;
  game.doorOpen = 1;
  game.malus = 2;
  game.levelComplete = 1;
  game.frameCounter = 500;
  game.lives = 2;
  game.score = 1234;

  ResetLevelState();

  EXPECT_EQ(game.shipX, 448);
  EXPECT_EQ(game.shipY, 728);
  EXPECT_EQ(game.shipHalfWidth, 40);
  EXPECT_EQ(game.sizeHold, 0);
  EXPECT_EQ(game.sizeCounter, 0);
  EXPECT_EQ(game.showFps, 0);
  EXPECT_EQ(game.paused, 0);
  EXPECT_EQ(game.doorOpen, 0);
  EXPECT_EQ(game.malus, 0);
  EXPECT_EQ(game.levelComplete, 0);
  EXPECT_EQ(game.frameCounter, 0);
  // What belongs to the game, not the level, stays.
  EXPECT_EQ(game.lives, 2);
  EXPECT_EQ(game.score, 1234);
}

TEST(ResetGameState, ReachesTheAssetLoaderAndThePackReader) {
  // A pack held open half read, another pack chosen, a level picture recorded.
  static const uint8_t entry[] = {3, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'};
  ASSERT_EQ(OpenPackMemory(entry, sizeof entry), 1);
  ASSERT_NE(ReadNextEntry(), nullptr);
  SwitchPack("packs/elsewhere.pak");
  AddLevelResource(obj::resourcePlainSprite, 7);
  ASSERT_EQ(OpenPackMemory(entry, sizeof entry), 1);

  ResetGameState();

  EXPECT_EQ(CurrentPackName(), mainPackName);
  EXPECT_EQ(PackEntriesLoaded(), 0);
  EXPECT_TRUE(LevelResources().Empty());
  EXPECT_EQ(ReadNextEntry(), nullptr) << "no pack is left open";
  EXPECT_EQ(LastEntryInfo().status, PackEntryStatus::notOpen);
}

}  // namespace
