// SPDX-License-Identifier: GPL-3.0-or-later
// The end-of-level picture: the scan order, where the balls go and when they arrive.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "gameplay/picture_effect.h"
#include "media/media.h"

namespace {

constexpr int testPicture = 7001;

class PictureEffect : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    RandomSeed(5);
  }
  void TearDown() override { FreeImage(testPicture); }

  // A black picture with the given pixels white.
  void MakePicture(int width, int height, std::initializer_list<std::pair<int, int>> whitePixels) {
    ASSERT_TRUE(CreateImage(testPicture, width, height));
    ASSERT_TRUE(StartDrawing(drawImage, testPicture));
    for (auto [x, y] : whitePixels) Plot(x, y, RGB(255, 255, 255));
    StopDrawing();
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      StepPictureEffect();
      ++game.frameCounter;
    }
  }
};

TEST_F(PictureEffect, APictureWithoutWhitePixelsShowsNothing) {
  // Near-white is not white.
  MakePicture(6, 4, {});
  ASSERT_TRUE(StartDrawing(drawImage, testPicture));
  Plot(2, 2, RGB(255, 255, 254));
  StopDrawing();
  StartPictureEffect(testPicture);
  Frames(40);
  EXPECT_TRUE(game.flyingBalls.Empty());
  EXPECT_TRUE(game.settledBalls.Empty());
  EXPECT_EQ(game.pictureEffectOn, 1);
}

TEST_F(PictureEffect, ScansThreePixelsAFrameFromTheBottomRowInAlternateDirections) {
  // 4 x 3: the bottom row left to right, the middle row right to left.
  MakePicture(4, 3, {{3, 2}, {0, 1}, {2, 1}});
  StartPictureEffect(testPicture);
  Frames(1);  // scans (1,2) (2,2) (3,2)
  ASSERT_EQ(game.flyingBalls.Count(), 1);
  EXPECT_EQ(game.flyingBalls.begin()->targetX, playLeft + 30);
  Frames(1);  // (3,1) (2,1) (1,1)
  EXPECT_EQ(game.flyingBalls.Count(), 2);
  EXPECT_EQ(game.scanStep, -1);
  Frames(1);  // (0,1), then the top row from the left
  ASSERT_EQ(game.flyingBalls.Count(), 3);
  EXPECT_EQ(game.scanY, 0);
  EXPECT_EQ(game.scanStep, 1);
  // Launch order follows the scan.
  float targets[3];
  int i = 0;
  for (const FlyingBall& ball : game.flyingBalls) targets[i++] = ball.targetX;
  EXPECT_EQ(targets[1], playLeft + 20);
  EXPECT_EQ(targets[2], playLeft + 0);
}

TEST_F(PictureEffect, TheEnlargedPictureIsLeftAlignedAndCentredOnY384) {
  MakePicture(5, 5, {{1, 4}});
  StartPictureEffect(testPicture);
  Frames(1);
  ASSERT_EQ(game.flyingBalls.Count(), 1);
  const FlyingBall& ball = *game.flyingBalls.begin();
  EXPECT_EQ(ball.targetX, 88 + 10);
  EXPECT_EQ(ball.targetY, 384 - 25 + 40);  // half of an odd height is not rounded
  // It leaves from the 32 x 32 patch at the emitter, above the playfield.
  EXPECT_GE(ball.x, game.emitX);
  EXPECT_LE(ball.x, game.emitX + 32);
  EXPECT_LE(ball.y, game.emitY);
  EXPECT_GE(ball.y, game.emitY - 32);
  EXPECT_LE(game.emitY, -70);
}

TEST_F(PictureEffect, EveryBallArrivesFortyFramesAfterItsLaunch) {
  MakePicture(8, 2, {{1, 1}, {2, 1}, {7, 1}, {0, 0}});
  StartPictureEffect(testPicture);
  game.frameCounter = 1234;

  // Balls launched in frame k settle in frame k + 40, on their targets.
  std::vector<int> launched, settled;
  int seen = 0;
  for (int frame = 0; frame < 60; ++frame) {
    const int settledBefore = game.settledBalls.Count();
    Frames(1);
    const int all = game.flyingBalls.Count() + game.settledBalls.Count();
    launched.push_back(all - seen);
    seen = all;
    settled.push_back(game.settledBalls.Count() - settledBefore);
  }
  for (int frame = 0; frame < 60; ++frame) {
    EXPECT_EQ(settled[frame], frame >= 40 ? launched[frame - 40] : 0) << "frame " << frame;
  }
  EXPECT_EQ(game.settledBalls.Count(), 4);
  EXPECT_TRUE(game.flyingBalls.Empty());
  const SettledBall& first = *game.settledBalls.begin();
  EXPECT_EQ(first.x, playLeft + 10);
  EXPECT_EQ(first.y, 384 - 10 + 10);
}

}  // namespace
