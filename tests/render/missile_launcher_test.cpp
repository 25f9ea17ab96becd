// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher and the target marker: loading one missile at a time, no shot while it loads,
// the missile rising into place and the gauge once loaded, and a marker that picks breakable
// bricks only, follows its brick and moves on when the brick is gone.
#include <algorithm>
#include <set>
#include <string>

#include "gameplay/capsules.h"
#include "missile_test_support.h"

namespace {

class Launcher : public MissileTest {
 protected:
  static void DrawFrame() {
    ClearScreen(0);
    ASSERT_TRUE(Start3D());
    StepMissiles();
    MissileTargetStep();
    Stop3D();
    ++game.frameCounter;
  }
  static int Words() { return game.spriteEffects.Count(); }
};

TEST_F(Launcher, AnotherMissileCapsuleWhileOneIsLoadingOrReadyOnlyShowsItsWord) {
  ASSERT_TRUE(InitSound());
  const std::string wav = SquareWaveWav(22050);
  ASSERT_TRUE(CatchSound(obj::soundMissileLoading, wav.data(), wav.size()));
  CatchCapsule(obj::capsuleMissile);
  EXPECT_TRUE(SoundPlaying(obj::soundMissileLoading));
  EXPECT_EQ(game.missileArmed, 1);
  EXPECT_EQ(game.missileCountdown, missileLoadingFrames);

  for (int countdown : {40, 0}) {
    StopSound(-1);
    game.missileCountdown = countdown;
    game.spriteEffects.Clear();
    const int score = game.score;
    CatchCapsule(obj::capsuleMissile);
    EXPECT_GT(Words(), 0) << countdown;
    EXPECT_EQ(game.score, score + 100);
    EXPECT_EQ(game.missileCountdown, countdown);
    EXPECT_EQ(game.missileArmed, 1);
    EXPECT_FALSE(SoundPlaying(obj::soundMissileLoading)) << countdown;
  }
  StopSound(-1);
}

TEST_F(Launcher, NoShotDuringTheHundredAndFiftyLoadingFrames) {
  AddBrick(300, 200, obj::brickRed);
  LoadMissile();
  for (int frame = 0; frame < missileLoadingFrames; ++frame) {
    LaunchMissile();
    ASSERT_TRUE(game.missiles.Empty()) << "frame " << frame;
    ASSERT_EQ(game.missileArmed, 1);
    DrawFrame();
  }
  EXPECT_EQ(game.missileCountdown, 0);
  LaunchMissile();
  EXPECT_EQ(game.missiles.Count(), 1);
  EXPECT_EQ(game.missileArmed, 0);
  // Fired, the launcher is empty: another click fires nothing.
  LaunchMissile();
  EXPECT_EQ(game.missiles.Count(), 1);
}

TEST_F(Launcher, TheMissileRisesIntoPlaceThenTheGaugeSwingsOverIt) {
  SolidQuad(obj::gaugeWindow, 256, 256, RGB(0, 255, 0));
  const int x = static_cast<int>(game.shipX), y = static_cast<int>(game.shipY);
  const int top = y - missileHeight / 2;  // of the missile in place
  LoadMissile();
  for (int frame = 0; frame < 100; ++frame) DrawFrame();
  // 50 frames to go: drawn 50 pixels below its place (the last frame drew it 51 below).
  EXPECT_EQ(Colour(x, top + 51), missileColour);
  EXPECT_EQ(Colour(x, top + 49), 0);
  EXPECT_EQ(Colour(x - 10, y - 200), 0);  // no gauge yet

  for (int frame = 0; frame < 50; ++frame) DrawFrame();
  DrawFrame();
  // In place, over the gauge (whose green it adds to).
  EXPECT_EQ(Red(Colour(x, top + 1)), 255);
  EXPECT_EQ(Red(Colour(x, top - 2)), 0);
  // The dial's window is centred over the ship, half see-through.
  const int gauge = Colour(x - 120, y - 270);
  EXPECT_GT(Green(gauge), 100);
  EXPECT_LT(Green(gauge), 200);
  EXPECT_EQ(Colour(x - 130, y - 270), 0);

  // The gauge swings with the clock between -90 and 0 degrees, through its whole range.
  float lowest = 0, highest = -90;
  for (int step = 0; step < 200; ++step) {
    AdvanceManualClock(10);
    DrawFrame();
    ASSERT_GE(game.gaugeAngle, -90.0f);
    ASSERT_LE(game.gaugeAngle, 0.0f);
    lowest = std::min(lowest, game.gaugeAngle);
    highest = std::max(highest, game.gaugeAngle);
  }
  EXPECT_LT(lowest, -88);
  EXPECT_GT(highest, -2);
}

TEST_F(Launcher, TheTargetIsAlwaysALiveBreakableBrickAndEveryOneCanBeChosen) {
  AddBrick(150, 100, obj::brickUnbreakable);
  AddBrick(250, 100, obj::brickTeleport);
  const int dead = AddBrick(350, 100, obj::brickRed);
  BrickAt(dead).alive = 0;
  const std::set<int> breakable = {AddBrick(450, 100, obj::brick3Hits), AddBrick(550, 100, obj::brick2Hits),
                                   AddBrick(650, 100, obj::brick1Hit), AddBrick(750, 100, obj::brickBlack)};
  std::set<int> chosen;
  for (int i = 0; i < 200; ++i) {
    game.targetValid = false;
    ChooseTarget();
    ASSERT_TRUE(game.targetValid);
    ASSERT_TRUE(breakable.count(game.targetBrick)) << game.targetBrick;
    chosen.insert(game.targetBrick);
  }
  EXPECT_EQ(chosen, breakable);
}

TEST_F(Launcher, TheMarkerFollowsItsBrickAndMovesOnWhenTheBrickIsDestroyed) {
  SolidQuad(obj::targetNormal, 96, 96, RGB(0, 0, 200));
  const int first = AddBrick(300, 200, obj::brickRed);
  game.missileArmed = 1;
  DrawFrame();
  ASSERT_TRUE(game.targetValid);
  ASSERT_EQ(game.targetBrick, first);
  const int second = AddBrick(600, 400, obj::brickGreen);

  // The brick glides; the marker goes with it.
  BrickAt(first).x = 340;
  BrickAt(first).y = 230;
  DrawFrame();
  DrawFrame();
  EXPECT_FLOAT_EQ(game.targetX, 340);
  EXPECT_FLOAT_EQ(game.targetY, 230);
  EXPECT_GT(Blue(Colour(340, 230)), 100);
  EXPECT_EQ(Colour(300 - 40, 200 - 40), 0);

  // A ball breaks it: the marker moves on to the other brick.
  BrickAt(first).alive = 0;
  DrawFrame();
  EXPECT_TRUE(game.targetValid);
  EXPECT_EQ(game.targetBrick, second);
  DrawFrame();
  EXPECT_GT(Blue(Colour(600, 400)), 100);
  EXPECT_EQ(Colour(340, 230), 0);
}

TEST_F(Launcher, WithNoBreakableBrickTheChoiceIsRetriedEachFrame) {
  AddBrick(300, 200, obj::brickUnbreakable);
  const int last = AddBrick(500, 200, obj::brickRed);
  BrickAt(last).alive = 0;
  game.missileArmed = 1;
  for (int frame = 0; frame < 5; ++frame) DrawFrame();
  EXPECT_FALSE(game.targetValid);

  // The marker's brick goes and nothing is left to choose: it stays where it was.
  BrickAt(last).alive = 1;
  DrawFrame();
  ASSERT_TRUE(game.targetValid);
  BrickAt(last).alive = 0;
  for (int frame = 0; frame < 5; ++frame) DrawFrame();
  EXPECT_EQ(game.targetBrick, last);

  // A breakable brick turns up (a level's bricks are only ever marked dead, never removed).
  const int fresh = AddBrick(200, 300, obj::brickCyan);
  DrawFrame();
  EXPECT_EQ(game.targetBrick, fresh);
  EXPECT_FLOAT_EQ(game.targetX, 200);
}

}  // namespace
