// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/level_file.h"

#include <string>
#include <vector>

#include "assets/asset_loader.h"
#include "core/game_files.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "levels/level_source.h"
#include "media/fatal_error.h"
#include "media/media.h"

std::string LevelFileName(int levelNumber) {
  return "level" + std::to_string(levelNumber) + ".dat";
}

void LoadLevel() {
  const std::string fileName = PlayableLevelFile(LevelFileName(game.levelNumber));
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) FatalError("No level file");
  std::vector<BrickRecord> records;
  std::string error;
  if (!DecodeLevel(bytes, records, error)) FatalError(fileName + ": " + error);
  LoadLevelBricks(records);
}

void LoadLevelBricks(const std::vector<BrickRecord>& records) {
  game.bricks.Clear();
  for (const BrickRecord& record : records) {
    Brick& b = game.bricks.Add();
    b.kind = record.kind;
    b.capsule = record.capsule;
    b.waypointCount = static_cast<int>(record.waypoints.size());
    for (int i = 0; i < b.waypointCount; ++i) {
      b.seconds[i] = record.waypoints[i].seconds;
      b.wx[i] = record.waypoints[i].x;
      b.wy[i] = record.waypoints[i].y;
    }
    b.alive = 1;
    b.width = SpriteWidth(b.kind);
    b.height = SpriteHeight(b.kind);
    b.secondsLeft = b.seconds[0];
    b.x = b.wx[0];
    b.y = b.wy[0];
    // A single waypoint is a brick that stands still: it has no leg to divide by.
    if (b.waypointCount > 1) StartLeg(b);
  }
  game.secondTick = 0;
  ReleaseLevelResources();
}
