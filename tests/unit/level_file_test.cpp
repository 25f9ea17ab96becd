// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a level, its bricks' motion, letters, teleporters, the cleared test, the brick
// queries, and what happens when play runs out of level files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets/asset_loader.h"
#include "core/game_state.h"
#include "gameplay/level_won.h"
#include "levels/level_file.h"
#include "media/media.h"
#include "shell/game.h"
#include "unit/level_test_support.h"

namespace {

class Levels : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SetFatalHandler(ThrowFatal);
    SetMessageBoxesSilent(true);
  }
  void TearDown() override { SetFatalHandler(nullptr); }

  // What LoadLevel's fatal error said, or "" when it loaded.
  std::string LoadFailure() {
    try {
      LoadLevel();
    } catch (const FatalText& fatal) {
      return fatal.text;
    }
    return "";
  }

  void Load(const std::vector<BrickRecord>& bricks) {
    WriteLevel(game.levelNumber, bricks);
    ASSERT_EQ(LoadFailure(), "");
  }

  void Step(int frames) {
    for (int i = 0; i < frames; ++i) StepBricks();
  }

  ScratchDirectory scratch;
};

BrickRecord Standing(int kind, float x, float y, int capsule = 0) {
  return {kind, capsule, {{1, x, y}}};
}

std::vector<BrickRecord> Row(int count, int kind = obj::brickRed) {
  std::vector<BrickRecord> row;
  for (int i = 0; i < count; ++i) row.push_back(Standing(kind, 150.0f + 70 * i, 100));
  return row;
}

// ---------------------------------------------------------------- loading

TEST_F(Levels, LoadsTheCurrentLevelsFileIntoFreshBricks) {
  game.levelNumber = 102;
  WriteLevel(102, {{obj::brick3Hits, obj::capsuleFire, {{2, 100, 50}, {3, 250, 80}}},
                   Standing(obj::brickTeleport, 448, 400)});
  game.bricks.Add().kind = obj::brickRed;  // the previous level's brick
  game.secondTick = 40;
  AddLevelResource(obj::resourceQuadSprite, 2059);

  ASSERT_EQ(LoadFailure(), "");

  ASSERT_EQ(game.bricks.Count(), 2);
  const Brick& b = BrickAt(0);
  EXPECT_EQ(b.kind, obj::brick3Hits);
  EXPECT_EQ(b.capsule, obj::capsuleFire);
  EXPECT_EQ(b.alive, 1);
  EXPECT_EQ(b.waypointCount, 2);
  EXPECT_EQ(b.leg, 0);
  EXPECT_EQ(b.frame, 0);
  EXPECT_EQ(b.secondsLeft, 2);
  EXPECT_EQ(b.x, 100);
  EXPECT_EQ(b.y, 50);
  EXPECT_FLOAT_EQ(b.vx, 150.0f / 150);
  EXPECT_FLOAT_EQ(b.vy, 30.0f / 150);
  EXPECT_EQ(BrickAt(1).kind, obj::brickTeleport);
  EXPECT_EQ(game.secondTick, 0);
  EXPECT_TRUE(LevelResources().Empty());
}

TEST_F(Levels, AMissingLevelFileIsTheNoLevelFileAlert) {
  game.levelNumber = 0;
  EXPECT_EQ(LoadFailure(), "No level file");
}

TEST_F(Levels, AMalformedLevelFileNamesTheFileTheBrickAndTheFault) {
  game.levelNumber = 1;
  std::vector<BrickRecord> bricks = Row(7);
  BrickRecord tooLong{obj::brickRed, 0, {}};
  for (int i = 0; i < 75; ++i) tooLong.waypoints.push_back({1, 100.0f + i, 100});
  bricks.push_back(tooLong);
  WriteLevel(1, bricks);
  EXPECT_EQ(LoadFailure(), "level1.dat: brick 7: 75 waypoints (1 to 60 allowed)");

  WriteLevel(1, {Standing(obj::brickRed, 1, 1), {obj::brickRed, 0, {{1, 1, 1}, {-2, 5, 5}}}});
  EXPECT_EQ(LoadFailure(), "level1.dat: brick 1: waypoint 1: a leg of -2 seconds (1 to 3600 on a moving brick)");
  WriteLevel(1, {Standing(obj::brickRed, 1, 1), {obj::brickRed, 0, {{1, 1, 1}, {28633116, 5, 5}}}});
  EXPECT_EQ(LoadFailure(),
            "level1.dat: brick 1: waypoint 1: a leg of 28633116 seconds (1 to 3600 on a moving brick)");

  // A kind or a capsule with no pictures would be drawn from other pictures, or none.
  WriteLevel(1, {Standing(2147483647, 200, 100), Standing(obj::brickRed, 300, 100)});
  EXPECT_EQ(LoadFailure(),
            "level1.dat: brick 0: kind 2147483647 is not a brick kind (34 to 146, 162, 178, 194, 210 or 226)");
  WriteLevel(1, {Standing(obj::brickRed, 200, 100), Standing(obj::brickRed, 300, 100, 999)});
  EXPECT_EQ(LoadFailure(),
            "level1.dat: brick 1: capsule 999 is not a capsule (0 for none, or 242, 258, ... 498 in steps of 16)");

  const std::string whole = EncodeLevel(Row(3));
  WriteFile("level1.dat", whole.substr(0, whole.size() - 5));
  EXPECT_EQ(LoadFailure(), "level1.dat: brick 2: record cut short (1 waypoints need 12 bytes, 7 left)");
}

TEST_F(Levels, AnEmptyLevelIsClearedOnItsFirstFrameUnlessItIsTheBonusLevel) {
  Load({});
  EXPECT_EQ(game.bricks.Count(), 0);
  game.enteringBonus = 1;
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 0);
  game.enteringBonus = 0;
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.paused, 1);
}

TEST_F(Levels, TheBonusLevelOpensItsDoorOnceItsLastBreakableBrickIsGone) {
  Load({Standing(obj::brickTeleport, 150, 450), Standing(obj::brickRed, 350, 100)});
  game.levelNumber = bonusLevel;
  game.enteringBonus = 1;
  CheckLevelCleared();
  EXPECT_EQ(game.doorOpen, 0);
  BrickAt(1).alive = 0;
  CheckLevelCleared();
  EXPECT_EQ(game.doorOpen, 1);
  EXPECT_EQ(game.levelComplete, 0);  // still left through the door alone
  // The guardian's level holds the same flag against clearing; it has no door to open.
  game.doorOpen = 0;
  game.levelNumber = guardianLevel;
  CheckLevelCleared();
  EXPECT_EQ(game.doorOpen, 0);
}

// ---------------------------------------------------------------- motion

TEST_F(Levels, ALegOfTwoSecondsOutAndThreeBackTakes150And225Frames) {
  Load({{obj::brickBlue, 0, {{2, 100, 200}, {3, 400, 50}}}});
  const Brick& b = BrickAt(0);

  Step(149);
  EXPECT_NEAR(b.x, 398, 0.01);
  EXPECT_EQ(b.leg, 0);
  Step(1);  // the second tick: exactly on B, setting off back
  EXPECT_EQ(b.x, 400);
  EXPECT_EQ(b.y, 50);
  EXPECT_EQ(b.leg, 1);
  EXPECT_EQ(b.secondsLeft, 3);

  Step(224);
  EXPECT_NEAR(b.x, 101.333, 0.01);
  Step(1);
  EXPECT_EQ(b.x, 100);
  EXPECT_EQ(b.y, 200);
  EXPECT_EQ(b.leg, 0);

  Step(150);  // and again
  EXPECT_EQ(b.x, 400);
  EXPECT_EQ(b.y, 50);
}

TEST_F(Levels, ALegTooLongForAWholeFrameCountStillHeadsForItsNextWaypoint) {
  // The loader refuses such legs; the motion itself counts frames in floating point, where
  // 28633116 seconds of 75 frames no longer fit in a 32-bit integer.
  Brick b{};
  b.waypointCount = 2;
  b.seconds[0] = 28633116;
  b.wx[0] = 0;
  b.wx[1] = 28633116.0f * frameRate;  // a pixel a frame
  b.wy[0] = b.wy[1] = 200;
  StartLeg(b);
  EXPECT_FLOAT_EQ(b.vx, 1.0f);
  EXPECT_EQ(b.vy, 0.0f);
  EXPECT_EQ(b.secondsLeft, 28633116);
}

TEST_F(Levels, AStandingBrickNeverMovesButAnimatesNineteenTimesASecond) {
  Load({{obj::brickGreen, 0, {{0, 300, 120}}}});
  const Brick& b = BrickAt(0);
  Step(1);
  EXPECT_EQ(b.frame, 1);  // the counter's first value is 1
  Step(74);
  EXPECT_EQ(b.x, 300);
  EXPECT_EQ(b.y, 120);
  EXPECT_EQ(b.frame, 19 & 15);
  Step(75 * 15);
  EXPECT_EQ(b.frame, (16 * 19) & 15);
}

TEST_F(Levels, AHitThatChangesTheKindKeepsPathLegAndFrame) {
  const BrickRecord path{obj::brick3Hits, 0, {{1, 150, 100}, {2, 400, 100}, {1, 400, 300}}};
  Load({path, path});
  Step(100);
  BrickAt(0).kind = obj::brick2Hits;
  Step(100);
  BrickAt(0).kind = obj::brick1Hit;
  Step(60);
  const Brick& hit = BrickAt(0);
  const Brick& untouched = BrickAt(1);
  EXPECT_EQ(hit.x, untouched.x);
  EXPECT_EQ(hit.y, untouched.y);
  EXPECT_EQ(hit.leg, untouched.leg);
  EXPECT_EQ(hit.leg, 2);
  EXPECT_EQ(hit.frame, untouched.frame);
  EXPECT_EQ(hit.kind, obj::brick1Hit);
}

TEST_F(Levels, DestroyedBricksStandStillAndOnlyLiveBricksLoseTheirHitMark) {
  const BrickRecord path{obj::brickRed, 0, {{1, 150, 100}, {1, 400, 100}}};
  Load({path, path});
  BrickAt(0).hit = 1;
  BrickAt(1).hit = 1;
  BrickAt(1).alive = 0;
  Step(30);
  EXPECT_EQ(BrickAt(0).hit, 0);
  EXPECT_GT(BrickAt(0).x, 150);
  EXPECT_EQ(BrickAt(1).hit, 1);
  EXPECT_EQ(BrickAt(1).x, 150);
  EXPECT_EQ(BrickAt(1).frame, 0);
}

TEST_F(Levels, TheSlideInRunsNinetySixFramesAndLeavesNoOffset) {
  SetFrameLimiterEnabled(false);
  Load(Row(3));
  game.frameCounter = 10;
  SlideInBricks();
  EXPECT_EQ(game.frameCounter, 10 + 96);
  EXPECT_EQ(game.slideOffset, 0);
}

TEST_F(Levels, ShippedLevelsKeepInsideTheFieldWithoutBricksRunningIntoEachOther) {
  constexpr int frames = 48 * frameRate;  // every path of the demo repeats within this
  for (const char* name : shippedLevels) {
    SCOPED_TRACE(name);
    Load(ShippedLevel(name));
    std::vector<std::vector<std::pair<float, float>>> frame(frames);
    for (int f = 0; f < frames; ++f) {
      StepBricks();
      for (const Brick& b : game.bricks) frame[f].emplace_back(b.x, b.y);
    }
    for (int f = 0; f < frames; f += 3) {
      const auto& at = frame[f];
      for (std::size_t i = 0; i < at.size(); ++i) {
        const auto [x, y] = at[i];
        ASSERT_TRUE(x >= playLeft + 32 && x <= playRight - 32 && y >= 50 && y <= 500)
            << "brick " << i << " at " << x << "," << y << " in frame " << f;
        for (std::size_t j = i + 1; j < at.size(); ++j) {
          ASSERT_FALSE(std::fabs(x - at[j].first) < 63 && std::fabs(y - at[j].second) < 19)
              << "bricks " << i << " and " << j << " overlap in frame " << f;
        }
      }
    }
  }
}

// ---------------------------------------------------------------- letters and teleporters

int CountCapsules(int capsule) {
  int n = 0;
  for (const Brick& b : game.bricks) n += b.capsule == capsule;
  return n;
}

TEST_F(Levels, FiveBricksGetNeitherLetterNorMalusSixGetBoth) {
  Load(Row(5));
  PlaceLetters();
  EXPECT_EQ(CountCapsules(0), 5);

  Load(Row(6));
  PlaceLetters();
  EXPECT_EQ(CountCapsules(obj::letterB), 1);
  EXPECT_EQ(CountCapsules(obj::capsuleMalus), 1);
}

TEST_F(Levels, TheLetterIsTheFirstOneNotYetCollected) {
  Load(Row(8));
  game.letterMask = 16 | 8 | 2;  // B, O and U
  PlaceLetters();
  EXPECT_EQ(CountCapsules(obj::letterN), 1);
  EXPECT_EQ(CountCapsules(obj::letterB) + CountCapsules(obj::letterO) + CountCapsules(obj::letterU) +
                CountCapsules(obj::letterS),
            0);
}

TEST_F(Levels, TheBonusLevelGetsOnlyTheMalus) {
  game.letterMask = 31;
  Load(Row(20));
  PlaceLetters();
  EXPECT_EQ(CountCapsules(obj::capsuleMalus), 1);
  EXPECT_EQ(CountCapsules(0), 19);
}

// Seeds the generator so that PlaceLetters' two draws over n bricks come out as wanted.
bool SeedForDraws(int n, bool (*wanted)(int first, int second), int& first, int& second) {
  for (uint32_t seed = 1; seed < 10000; ++seed) {
    RandomSeed(seed);
    first = Random(n - 1);
    second = Random(n - 1);
    if (wanted(first, second)) {
      RandomSeed(seed);
      return true;
    }
  }
  return false;
}

TEST_F(Levels, ARandomStartPastTheLastFreeBrickPlacesNothing) {
  // Bricks 0..3 are free, 4..9 already carry capsules.
  std::vector<BrickRecord> bricks = Row(10);
  for (int i = 4; i < 10; ++i) bricks[i].capsule = obj::capsuleLaser;
  Load(bricks);
  int first, second;
  ASSERT_TRUE(SeedForDraws(10, [](int a, int b) { return a >= 4 && b >= 4; }, first, second));
  PlaceLetters();
  EXPECT_EQ(CountCapsules(0), 4);
  EXPECT_EQ(CountCapsules(obj::capsuleLaser), 6);
}

TEST_F(Levels, TheWalkFromTheRandomStartSkipsBricksWithCapsules) {
  std::vector<BrickRecord> bricks = Row(10);
  for (int i = 0; i < 5; ++i) bricks[i].capsule = obj::capsuleGlue;
  Load(bricks);
  // The letter's walk starts among the capsules, the malus's on a free brick.
  int first, second;
  ASSERT_TRUE(SeedForDraws(10, [](int a, int b) { return a < 5 && b >= 5; }, first, second));
  PlaceLetters();
  EXPECT_EQ(BrickAt(5).capsule, obj::letterB);
  // Starting on the letter's brick, the malus walks on to the next free one.
  EXPECT_EQ(BrickAt(second == 5 ? 6 : second).capsule, obj::capsuleMalus);
  EXPECT_EQ(CountCapsules(obj::capsuleGlue), 5);
  EXPECT_EQ(CountCapsules(0), 3);
}

TEST_F(Levels, TheTeleportListHoldsEveryTeleporterDeadOrAliveAndFreesThem) {
  Load({Standing(obj::brickTeleport, 150, 100), Standing(obj::brickRed, 250, 100),
        Standing(obj::brickTeleport, 350, 100), Standing(obj::brickUnbreakable, 450, 100),
        Standing(obj::brickTeleport, 550, 100)});
  BrickAt(2).alive = 0;
  BrickAt(4).teleportBusy = 1;
  game.teleportBricks.Add() = 99;  // left over from the last level

  BuildTeleportList();

  std::vector<int> indices;
  for (int i : game.teleportBricks) indices.push_back(i);
  EXPECT_EQ(indices, (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(BrickAt(4).teleportBusy, 0);
}

// ---------------------------------------------------------------- the cleared test

TEST_F(Levels, ALevelLeftWithUnbreakablesAndTeleportersIsCleared) {
  Load({Standing(obj::brickUnbreakable, 150, 100), Standing(obj::brickTeleport, 250, 100),
        Standing(obj::brickRed, 350, 100), Standing(obj::brick1Hit, 450, 100)});
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 0);
  BrickAt(2).alive = 0;
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 0);  // a last-hit brick still counts
  BrickAt(3).alive = 0;
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.paused, 1);
  EXPECT_EQ(game.pictureEffectOn, 1);
  EXPECT_EQ(game.effectPicture, obj::winnerPicture);
}

TEST_F(Levels, TheFifthLetterEndsTheLevelWithBricksLeft) {
  Load(Row(4, obj::brick3Hits));
  game.letterMask = 31;
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.effectPicture, obj::bonusPicture);
}

// ---------------------------------------------------------------- brick queries

TEST_F(Levels, PointQueriesUseTheRoundedCellStrictly) {
  // Box edges: 168.4 -> 168, 232.4 -> 232, 90.5 -> 90 (ties to even), 110.5 -> 110.
  Load({Standing(obj::brickRed, 200.4f, 100.5f)});
  EXPECT_EQ(FindBrickAtPoint(169, 91), 0);
  EXPECT_EQ(FindBrickAtPoint(231, 109), 0);
  EXPECT_EQ(FindBrickAtPoint(168, 100), -1);
  EXPECT_EQ(FindBrickAtPoint(232, 100), -1);
  EXPECT_EQ(FindBrickAtPoint(200, 90), -1);
  EXPECT_EQ(FindBrickAtPoint(200, 110), -1);
}

TEST_F(Levels, QueriesFindTheFirstLiveBrickInListOrder) {
  Load({Standing(obj::brickRed, 200, 100), Standing(obj::brickBlue, 220, 100),
        Standing(obj::brickGreen, 500, 300)});
  EXPECT_EQ(FindBrickAtPoint(215, 100), 0);
  BrickAt(0).alive = 0;
  EXPECT_EQ(FindBrickAtPoint(215, 100), 1);
  // Box overlap: touching edges count (brick 2 spans 468..532, 290..310).
  EXPECT_EQ(FindBrickInBox(400, 250, 468, 290), 2);
  EXPECT_EQ(FindBrickInBox(532, 310, 600, 400), 2);
  EXPECT_EQ(FindBrickInBox(533, 311, 600, 400), -1);
  EXPECT_EQ(FindBrickInBox(0, 0, 10, 10), -1);
}

TEST_F(Levels, EraseSparesUnbreakableMultiHitAndTeleportBricks) {
  Load({Standing(obj::brickUnbreakable, 200, 100), Standing(obj::brick3Hits, 200, 100),
        Standing(obj::brickTeleport, 200, 100), Standing(obj::brickYellow, 200, 100)});
  EXPECT_EQ(EraseBrickAtPoint(200, 100), 0);
  EXPECT_EQ(BrickAt(3).alive, 0);
  EXPECT_EQ(BrickAt(3).capsule, 0);
  EXPECT_EQ(BrickAt(0).alive + BrickAt(1).alive + BrickAt(2).alive, 3);
  EXPECT_EQ(EraseBrickAtPoint(200, 100), -1);
  EXPECT_EQ(game.score, 0);
}

// ---------------------------------------------------------------- level start and end

TEST_F(Levels, TheLevelResetKeepsTheBricksOnlyAfterALostLife) {
  Load(Row(3));
  game.teleportBricks.Add() = 1;
  game.flyingBalls.Add();
  game.settledBalls.Add();
  game.lifeLost = 1;
  ResetLevelState();
  EXPECT_EQ(game.bricks.Count(), 3);
  EXPECT_TRUE(game.teleportBricks.Empty());
  EXPECT_TRUE(game.flyingBalls.Empty());
  EXPECT_TRUE(game.settledBalls.Empty());
  game.lifeLost = 0;
  ResetLevelState();
  EXPECT_TRUE(game.bricks.Empty());
}

class LevelsOnDisk : public Levels {
 protected:
  AfterLevel Finish(int level, int letters) {
    game.levelNumber = level;
    game.letterMask = letters;
    game.levelComplete = 1;
    game.quitToMenu = 0;
    return EndLevel();
  }
};

TEST_F(LevelsOnDisk, FinishingALevelClearsItsBricksAndGoesOnWhileFilesRemain) {
  WriteLevel(1, Row(6));
  Load(Row(6));
  EXPECT_EQ(Finish(0, 0), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 1);
  EXPECT_TRUE(game.bricks.Empty());
}

TEST_F(LevelsOnDisk, RunningPastTheLastLevelFileWinsTheGameButAMissingBonusLevelIsFatal) {
  WriteLevel(0, Row(6));
  EXPECT_EQ(Finish(0, 0), AfterLevel::gameFinished);  // no level1.dat, nor any after it

  // All five letters without a bonus level on disk.
  EXPECT_THROW(Finish(0, 31), FatalText);
  EXPECT_EQ(game.levelNumber, 102);

  // Back from the bonus level to level 3, which there is not.
  game.savedLevel = 2;
  EXPECT_EQ(Finish(102, 31), AfterLevel::gameFinished);
  EXPECT_EQ(game.levelNumber, 3);
}

}  // namespace
