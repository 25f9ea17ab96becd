// SPDX-License-Identifier: GPL-3.0-or-later
// The level files the build compiles into the game's working directory: every one loads, stays
// inside the field, keeps its bricks apart, and together they use every brick kind.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/game_state.h"
#include "levels/level_file.h"
#include "levels/level_source.h"
#include "media/media.h"

namespace {

const int shippedLevelNumbers[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                   12, 13, 14, 15, 16, 17, 18, 19, 50, 101, 102};

std::vector<BrickRecord> ReadShipped(int level) {
  std::string bytes;
  std::vector<BrickRecord> bricks;
  std::string error;
  EXPECT_TRUE(ReadFileBytes(LevelFileName(level), bytes)) << LevelFileName(level);
  EXPECT_TRUE(DecodeLevel(bytes, bricks, error)) << LevelFileName(level) << ": " << error;
  return bricks;
}

TEST(ShippedLevels, EveryFileLoadsWithItsWaypointsInsideTheField) {
  for (int level : shippedLevelNumbers) {
    SCOPED_TRACE(level);
    const std::vector<BrickRecord> bricks = ReadShipped(level);
    EXPECT_GE(bricks.size(), 10u);
    for (const BrickRecord& brick : bricks) {
      for (const Waypoint& w : brick.waypoints) {
        EXPECT_TRUE(w.x >= playLeft + 32 && w.x <= playRight - 32 && w.y >= 50 && w.y <= 500)
            << "waypoint at " << w.x << "," << w.y;
      }
    }
  }
}

TEST(ShippedLevels, TheLaterLevelsUseEveryBrickKindAndTeleportersComeInPairs) {
  std::set<int> kinds;
  for (int level = 3; level <= 19; ++level) {
    int teleporters = 0;
    for (const BrickRecord& brick : ReadShipped(level)) {
      kinds.insert(brick.kind);
      teleporters += brick.kind == obj::brickTeleport;
    }
    EXPECT_NE(teleporters, 1) << "level " << level << " has a teleporter with nowhere to go";
  }
  for (int kind : {obj::brickRed, obj::brickGreen, obj::brickBlue, obj::brickYellow, obj::brickMagenta,
                   obj::brickCyan, obj::brickWhite, obj::brickBlack, obj::brickUnbreakable,
                   obj::brick3Hits, obj::brick2Hits, obj::brick1Hit, obj::brickTeleport}) {
    EXPECT_EQ(kinds.count(kind), 1u) << BrickKindName(kind) << " is in none of the level files 3 to 19";
  }
}

TEST(ShippedLevels, BricksNeverRunIntoEachOtherAsTheyTravel) {
  constexpr int frames = 48 * frameRate;  // every shipped path repeats within this
  for (int level : shippedLevelNumbers) {
    SCOPED_TRACE(level);
    ResetGameState();
    game.levelNumber = level;
    LoadLevel();
    for (int f = 0; f < frames; ++f) {
      StepBricks();
      if (f % 3) continue;
      std::vector<const Brick*> live;
      for (const Brick& b : game.bricks) live.push_back(&b);
      for (std::size_t i = 0; i < live.size(); ++i) {
        for (std::size_t j = i + 1; j < live.size(); ++j) {
          ASSERT_FALSE(std::fabs(live[i]->x - live[j]->x) < 63 &&
                       std::fabs(live[i]->y - live[j]->y) < 19)
              << "bricks " << i << " and " << j << " overlap in frame " << f;
        }
      }
    }
  }
}

}  // namespace
