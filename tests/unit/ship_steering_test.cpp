// SPDX-License-Identifier: GPL-3.0-or-later
// Ship steering: lean and settle, the playfield clamps, the door exit, the mirror malus and the
// size animation. Driven through SteerShip with the movement the mouse would report.
#include <gtest/gtest.h>

#include "actors/ship_drawing.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/run_options.h"
#include "gameplay/ship_steering.h"
#include "media/media.h"

namespace {

class ShipSteering : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetLevelState();
  }
  void TearDown() override {
    runOptions = RunOptions{};
    ShutdownMedia();
  }

  // Body pictures of their real widths, so the clamp sees the ship's width.
  static void MakeBodies() {
    const int widths[] = {80, 90, 100, 110, 120, 130};
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(CreateSprite(obj::shipBody + i, widths[i], 110, spriteTexture));
    for (int s = obj::shipBody + 6; s <= obj::shipBodyLast; ++s) {
      ASSERT_TRUE(CreateSprite(s, 130, 110, spriteTexture));
    }
  }

  static void HoldStill(int frames) {
    for (int i = 0; i < frames; ++i) SteerShip(0, 0);
  }
};

TEST_F(ShipSteering, LeansOneStepPerMovingFrameUpToTheLastPicture) {
  EXPECT_EQ(game.shipLeanFrame, 2076);
  SteerShip(3, 0);
  EXPECT_EQ(game.shipLeanFrame, 2077);
  EXPECT_EQ(game.leanTimer, 4);
  for (int i = 0; i < 10; ++i) SteerShip(2, 0);
  EXPECT_EQ(game.shipLeanFrame, 2081);
  for (int i = 0; i < 3; ++i) SteerShip(-1, 0);
  EXPECT_EQ(game.shipLeanFrame, 2078);
  for (int i = 0; i < 20; ++i) SteerShip(-5, 0);
  EXPECT_EQ(game.shipLeanFrame, 2071);
}

TEST_F(ShipSteering, SettlesBackFromFullRightTiesGoingToEven) {
  for (int i = 0; i < 5; ++i) SteerShip(4, 0);
  ASSERT_EQ(game.shipLeanFrame, 2081);

  HoldStill(3);
  EXPECT_EQ(game.shipLeanFrame, 2081);  // still within the 4-frame wait
  HoldStill(1);
  EXPECT_EQ(game.shipLeanFrame, 2078);  // 2078.5 goes to the even 2078
  HoldStill(4);
  EXPECT_EQ(game.shipLeanFrame, 2077);
  HoldStill(4);
  EXPECT_EQ(game.shipLeanFrame, 2076);  // 2076.5 goes to the even 2076
  HoldStill(40);
  EXPECT_EQ(game.shipLeanFrame, 2076);
}

TEST_F(ShipSteering, SettlesBackFromFullLeft) {
  for (int i = 0; i < 5; ++i) SteerShip(-4, 0);
  ASSERT_EQ(game.shipLeanFrame, 2071);
  HoldStill(4);
  EXPECT_EQ(game.shipLeanFrame, 2074);  // 2073.5 goes to the even 2074
  HoldStill(4);
  EXPECT_EQ(game.shipLeanFrame, 2075);
  HoldStill(4);
  EXPECT_EQ(game.shipLeanFrame, 2076);  // 2075.5 goes to the even 2076
}

TEST_F(ShipSteering, AMovementThatRoundsToZeroStillLeansRight) {
  SteerShip(0.4f, 0);
  EXPECT_EQ(game.shipLeanFrame, 2077);
  EXPECT_FLOAT_EQ(game.shipX, 448.4f);
  SteerShip(-0.6f, 0);
  EXPECT_EQ(game.shipLeanFrame, 2076);
}

TEST_F(ShipSteering, FollowsTheMouseAndRecordsBothMovements) {
  SteerShip(25, -7);
  EXPECT_FLOAT_EQ(game.shipX, 473);
  EXPECT_FLOAT_EQ(game.shipDX, 25);
  EXPECT_FLOAT_EQ(game.shipDY, -7);
  EXPECT_FLOAT_EQ(game.shipY, 728);  // steering never moves the ship vertically
  SteerShip(-40, 3);
  EXPECT_FLOAT_EQ(game.shipX, 433);
}

TEST_F(ShipSteering, MirrorMalusInvertsTheMovementAndTheLean) {
  game.malus = 1;
  SteerShip(10, 0);
  EXPECT_FLOAT_EQ(game.shipX, 438);
  EXPECT_FLOAT_EQ(game.shipDX, -10);
  EXPECT_EQ(game.shipLeanFrame, 2075);

  game.malus = 2;  // any other malus steers normally
  SteerShip(10, 0);
  EXPECT_FLOAT_EQ(game.shipX, 448);
  EXPECT_EQ(game.shipLeanFrame, 2076);
}

TEST_F(ShipSteering, OverhangsFifteenPixelsLeftAndSeventeenRight) {
  MakeBodies();
  SteerShip(-1000, 0);
  EXPECT_FLOAT_EQ(game.shipX, 88 + 40 - 15);
  SteerShip(2000, 0);
  EXPECT_FLOAT_EQ(game.shipX, 808 - 40 + 17);

  // Just inside either limit the ship moves freely.
  game.shipX = 114;
  SteerShip(0, 0);
  EXPECT_FLOAT_EQ(game.shipX, 114);
  game.shipX = 784.5f;
  SteerShip(0, 0);
  EXPECT_FLOAT_EQ(game.shipX, 784.5f);
}

TEST_F(ShipSteering, ClampFollowsTheWidthOfTheCurrentBody) {
  MakeBodies();
  game.sizeCounter = 9;
  game.sizeHold = 1;
  SteerShip(0, 0);  // counter 10: the 130-pixel body
  ASSERT_EQ(game.shipBodySprite, 2087);
  SteerShip(-1000, 0);
  EXPECT_FLOAT_EQ(game.shipX, 88 + 65 - 15);
  SteerShip(2000, 0);
  EXPECT_FLOAT_EQ(game.shipX, 808 - 65 + 17);

  game.shipBodySprite = 2083;  // an odd width puts the limit on a half pixel
  game.sizeHold = 0;
  game.sizeCounter = 3;        // runs down to 2 and keeps the 90-pixel body
  SteerShip(-1000, 0);
  EXPECT_FLOAT_EQ(game.shipX, 88 + 45 - 15);
}

TEST_F(ShipSteering, PushingTheRightWallWithTheDoorClosedOnlyStopsTheShip) {
  MakeBodies();
  for (int i = 0; i < 5; ++i) SteerShip(200, 0);
  EXPECT_FLOAT_EQ(game.shipX, 785);
  EXPECT_EQ(game.shipLeaving, 0);
  EXPECT_EQ(game.levelComplete, 0);
  EXPECT_EQ(game.paused, 0);
  EXPECT_EQ(game.pictureEffectOn, 0);
}

TEST_F(ShipSteering, LeavingThroughTheOpenDoorCompletesTheLevel) {
  MakeBodies();
  game.doorOpen = 1;
  SteerShip(300, 0);  // 748 is not yet at the wall
  EXPECT_EQ(game.levelComplete, 0);
  EXPECT_EQ(game.doorOpen, 1);

  SteerShip(100, 0);
  EXPECT_FLOAT_EQ(game.shipX, 785);
  EXPECT_EQ(game.doorOpen, 0);
  EXPECT_EQ(game.shipLeaving, 1);
  EXPECT_EQ(game.paused, 1);
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.pictureEffectOn, 1);
  EXPECT_EQ(game.effectPicture, obj::winnerPicture);
}

TEST_F(ShipSteering, LeavingWithAllFiveLettersShowsTheBonusPicture) {
  game.doorOpen = 1;
  game.letterMask = 31;
  SteerShip(1000, 0);
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.effectPicture, obj::bonusPicture);

  ResetLevelState();
  game.doorOpen = 1;
  game.letterMask = 15;  // four letters are not enough
  SteerShip(1000, 0);
  EXPECT_EQ(game.effectPicture, obj::winnerPicture);
}

TEST_F(ShipSteering, TheLeftWallNeverOpensTheDoor) {
  game.doorOpen = 1;
  SteerShip(-1000, 0);
  EXPECT_FLOAT_EQ(game.shipX, 73);  // no body picture: width 0
  EXPECT_EQ(game.doorOpen, 1);
  EXPECT_EQ(game.levelComplete, 0);
}

TEST_F(ShipSteering, DrawShipDriftsRightOnlyAfterLeaving) {
  DrawShip();
  EXPECT_FLOAT_EQ(game.shipX, 448);
  game.shipLeaving = 1;
  DrawShip();
  DrawShip();
  EXPECT_FLOAT_EQ(game.shipX, 450);
}

struct SizeExpectation {
  int frames;
  int counter;
  int body;
  int halfWidth;
};

TEST_F(ShipSteering, HeldSizeWidensInTenFramesThenCyclesTheFullWidthBodies) {
  game.sizeHold = 1;
  const SizeExpectation steps[] = {
      {1, 1, 2082, 40},   {2, 2, 2083, 45},   {3, 3, 2083, 45},   {4, 4, 2084, 50},
      {6, 6, 2085, 55},   {8, 8, 2086, 60},   {9, 9, 2086, 60},   {10, 10, 2087, 65},
      {17, 17, 2087, 65}, {18, 18, 2088, 65}, {26, 26, 2089, 65}, {34, 34, 2090, 65},
      {42, 42, 2091, 65}, {50, 50, 2092, 65}, {57, 57, 2092, 65}, {58, 10, 2087, 65},
      {66, 18, 2088, 65}, {106, 10, 2087, 65},
  };
  int done = 0;
  for (const SizeExpectation& e : steps) {
    while (done < e.frames) {
      SteerShip(0, 0);
      ++done;
    }
    EXPECT_EQ(game.sizeCounter, e.counter) << "after " << e.frames << " frames";
    EXPECT_EQ(game.shipBodySprite, e.body) << "after " << e.frames << " frames";
    EXPECT_EQ(game.shipHalfWidth, e.halfWidth) << "after " << e.frames << " frames";
  }
}

TEST_F(ShipSteering, ReleasedSizeRunsDownAndNarrowsAgain) {
  game.sizeHold = 1;
  for (int i = 0; i < 36; ++i) SteerShip(0, 0);
  ASSERT_EQ(game.shipBodySprite, 2090);
  game.sizeHold = 0;
  const SizeExpectation steps[] = {
      {1, 35, 2090, 65}, {8, 28, 2090, 65}, {9, 27, 2090, 65}, {10, 26, 2089, 65},
      {18, 18, 2088, 65}, {25, 11, 2088, 65}, {26, 10, 2087, 65}, {27, 9, 2087, 65},
      {28, 8, 2086, 60}, {30, 6, 2085, 55}, {32, 4, 2084, 50}, {34, 2, 2083, 45},
      {35, 1, 2083, 45}, {36, 0, 2082, 40}, {50, 0, 2082, 40},
  };
  int done = 0;
  for (const SizeExpectation& e : steps) {
    while (done < e.frames) {
      SteerShip(0, 0);
      ++done;
    }
    EXPECT_EQ(game.sizeCounter, e.counter) << "after " << e.frames << " frames";
    EXPECT_EQ(game.shipBodySprite, e.body) << "after " << e.frames << " frames";
    EXPECT_EQ(game.shipHalfWidth, e.halfWidth) << "after " << e.frames << " frames";
  }
}

TEST_F(ShipSteering, CountsMissingFromTheTableKeepThePreviousBody) {
  game.sizeCounter = 10;
  SteerShip(0, 0);
  EXPECT_EQ(game.sizeCounter, 9);
  EXPECT_EQ(game.shipBodySprite, 2082);  // 9 is not in the table: nothing changed yet
  SteerShip(0, 0);
  EXPECT_EQ(game.shipBodySprite, 2086);
  EXPECT_EQ(game.shipHalfWidth, 60);
}

// StepShip reads the mouse's snapshot and takes the run's share of it.
TEST_F(ShipSteering, TheMouseSpeedScalesTheMovementAndAtFullSpeedPassesItAsItCame) {
  const float startX = game.shipX;
  InjectMouseMotion(7, 2);
  ExamineMouse();
  StepShip();
  EXPECT_EQ(game.shipX, startX + 7);
  EXPECT_EQ(game.shipDY, 2);

  runOptions.mouseSpeed = 150;
  InjectMouseMotion(-6, 2);
  ExamineMouse();
  StepShip();
  EXPECT_FLOAT_EQ(game.shipX, startX + 7 - 9);
  EXPECT_EQ(game.shipDY, 2) << "the height change is not scaled";

  runOptions.mouseSpeed = 50;
  InjectMouseMotion(-3, 0);
  ExamineMouse();
  StepShip();
  EXPECT_FLOAT_EQ(game.shipX, startX + 7 - 9 - 1.5f);
}

}  // namespace
