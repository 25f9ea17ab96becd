// SPDX-License-Identifier: GPL-3.0-or-later
// The balls on the real screen: the two-layer halo breathing between 3 and 5 radii, fire mode
// without a halo, the half-transparent glued ball, and the fading sizzle of fire mode.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>

#include "actors/ball_drawing.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "gameplay/balls.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"

namespace {

class BallsOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
    RandomSeed(3);
  }
  void TearDown() override { ShutdownMedia(); }

  static void SolidQuad(int number, int size, int colour) { ::SolidQuad(number, size, size, colour); }

  static void DrawFrame() {
    ClearScreen(0);
    ASSERT_TRUE(Start3D());
    DrawBalls();
    Stop3D();
  }

  static int Grey(int x, int y) {
    if (!StartDrawing()) return -1;
    const int colour = Point(x, y);
    StopDrawing();
    return Red(colour);
  }

  // The first and last columns of the row through y whose grey is at least the threshold.
  static std::pair<int, int> LitSpan(int y, int threshold) {
    int first = -1, last = -1;
    if (!StartDrawing()) return {first, last};
    for (int x = 150; x < 450; ++x) {
      if (Red(Point(x, y)) >= threshold) {
        if (first < 0) first = x;
        last = x;
      }
    }
    StopDrawing();
    return {first, last};
  }
};

#define EXPECT_CHANNEL_NEAR(actual, expected) EXPECT_NEAR((actual), (expected), 2)

TEST_F(BallsOnScreen, TheHaloBreathesBetweenThreeAndFiveRadii) {
  SolidQuad(obj::halo, 16, RGB(100, 100, 100));  // each layer adds 100
  AddBall(300, 300, 1, 1, 8, obj::ball16);        // no ball picture: only the halo shows

  // Frame 0: both layers at 4 radii, 32 pixels from x 284.
  game.frameCounter = 0;
  DrawFrame();
  EXPECT_EQ(LitSpan(300, 150), std::make_pair(284, 315));
  EXPECT_EQ(LitSpan(300, 50), std::make_pair(284, 315));

  // Frame 360 (unturned again): sin(36) = -0.992, so one layer is 3 radii (24) and the other
  // 5 radii (40): a bright core inside a fainter ring.
  game.frameCounter = 360;
  DrawFrame();
  EXPECT_EQ(LitSpan(300, 150), std::make_pair(288, 311));
  EXPECT_EQ(LitSpan(300, 50), std::make_pair(280, 319));
  EXPECT_CHANNEL_NEAR(Grey(300, 300), 200);
  EXPECT_CHANNEL_NEAR(Grey(284, 300), 100);

  // Twice the radius, twice the halo: 48 and 80 pixels.
  game.balls.Clear();
  AddBall(300, 300, 1, 1, 16, obj::ball32);
  DrawFrame();
  EXPECT_EQ(LitSpan(300, 150), std::make_pair(276, 323));
  EXPECT_EQ(LitSpan(300, 50), std::make_pair(260, 339));
}

TEST_F(BallsOnScreen, FireModeDrawsNoHaloAndAGluedBallIsHalfSeeThrough) {
  SolidQuad(obj::halo, 16, RGB(100, 100, 100));
  SolidQuad(obj::ball16, 16, RGB(255, 255, 255));
  AddBall(300, 300, 1, 1, 8, obj::ball16);
  AddBall(400, 300, 1, 1, 8, obj::ball16);
  game.balls.begin()->glued = 1;
  game.fireMode = 1;
  game.fireTimer = fireModeFrames;
  DrawFrame();
  EXPECT_CHANNEL_NEAR(Grey(300, 300), 128);  // glued: alpha 128
  EXPECT_EQ(Grey(400, 300), 255);
  EXPECT_EQ(Grey(313, 300), 0);              // no halo around either
  EXPECT_EQ(Grey(413, 300), 0);
  EXPECT_EQ(Grey(386, 300), 0);
}

TEST_F(BallsOnScreen, AMonsterHitByABallDiesAndTurnsTheBall) {
  SolidQuad(obj::monster04, 40, RGB(255, 0, 0));  // the ship hunter sends the ball back
  SolidQuad(obj::monster02, 40, RGB(0, 255, 0));  // a wanderer sends it anywhere
  game.monsters.Add() = Monster{300, 300, 0, 0, 0, 0, obj::monster04, 0};
  game.monsters.Add() = Monster{600, 300, 0, 0, 0, 0, obj::monster02, 0};
  AddBall(300, 326, 1, -4, 8, obj::ball16);   // its top edge reaches into the hunter's box
  AddBall(600, 200, 2, 3, 8, obj::ball16);    // too far from the wanderer for now
  BallPass();
  ASSERT_EQ(game.monsters.Count(), 1);
  EXPECT_EQ(game.monsters.begin()->kind, obj::monster02);
  EXPECT_EQ(game.score, 5);
  EXPECT_EQ(game.monsterExplosions.Count(), 1);
  const Ball& back = *game.balls.begin();
  EXPECT_FLOAT_EQ(back.vx, -1);
  EXPECT_GT(back.vy, 3.9f);

  Ball& other = *std::next(game.balls.begin());
  other.y = 275;
  BallPass();
  EXPECT_TRUE(game.monsters.Empty());
  EXPECT_EQ(game.score, 10);
  EXPECT_NEAR(std::hypot(other.vx, other.vy), std::hypot(2.0f, 3.0f), 0.01f);  // speed kept
}

TEST_F(BallsOnScreen, TheSizzleFadesInAndOutOverAHundredFrames) {
  ASSERT_TRUE(InitSound());
  const std::string wav = SquareWaveWav(22050);
  ASSERT_TRUE(CatchSound(obj::soundOnFire, wav.data(), wav.size()));
  AddBall(300, 300, 1, 1, 8, obj::ball16);
  game.fireMode = 1;
  game.fireTimer = fireModeFrames;
  game.frameCounter = 0;  // a multiple of 150: the sizzle starts
  DrawFrame();
  EXPECT_TRUE(SoundPlaying(obj::soundOnFire));
  EXPECT_EQ(GetSoundVolume(obj::soundOnFire), 0);
  for (int i = 0; i < 40; ++i) {
    ++game.frameCounter;
    DrawFrame();
  }
  EXPECT_EQ(GetSoundVolume(obj::soundOnFire), 40);

  // In the middle of fire mode the volume is the one the last start chose, 50 to 100.
  game.fireTimer = 600;
  game.frameCounter = 150;
  DrawFrame();
  EXPECT_GE(GetSoundVolume(obj::soundOnFire), 50);
  EXPECT_LE(GetSoundVolume(obj::soundOnFire), 100);

  game.fireTimer = 60;
  DrawFrame();
  EXPECT_EQ(GetSoundVolume(obj::soundOnFire), 60);
  StopSound(-1);
}

}  // namespace
