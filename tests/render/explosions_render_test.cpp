// SPDX-License-Identifier: GPL-3.0-or-later
// Explosions on the real screen: where and how big each frame lands, the fireball's added
// brightness and the blending left behind, and the fireballs of a ship that was lost.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "actors/explosions.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

class ExplosionsOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
  }
  void TearDown() override { ShutdownMedia(); }

  // An opaque quad of one colour (black would be the colour key).
  static void DrawFrame(int background) {
    ClearScreen(background);
    ASSERT_TRUE(Start3D());
    StepExplosions();
  }

  static int Pixel(int x, int y) {
    if (!StartDrawing()) return -1;
    const int colour = Point(x, y);
    StopDrawing();
    return colour;
  }

  // A colour of its own for burst frame k.
  static int BurstColour(int k) { return RGB(20 + 7 * k, 240 - 7 * k, 90); }
};

#define EXPECT_CHANNEL_NEAR(actual, expected) EXPECT_NEAR((actual), (expected), 2)

TEST_F(ExplosionsOnScreen, AFireballIsDrawnAtItsSizeCentredOnItsPosition) {
  for (int k = 0; k < 24; ++k) SolidQuad(obj::fireball + k, 128, 128, RGB(100, 50, 10 + k));
  AddFireball(300, 400, 64);
  DrawFrame(RGB(40, 40, 40));
  Stop3D();

  // 64 x 64 from (268, 368): its brightness is added to the grey behind it.
  const int inside[][2] = {{300, 400}, {268, 368}, {331, 368}, {268, 431}, {331, 431}};
  for (const auto& p : inside) {
    const int c = Pixel(p[0], p[1]);
    EXPECT_CHANNEL_NEAR(Red(c), 140) << p[0] << "," << p[1];
    EXPECT_CHANNEL_NEAR(Green(c), 90) << p[0] << "," << p[1];
    EXPECT_CHANNEL_NEAR(Blue(c), 50) << p[0] << "," << p[1];
  }
  const int outside[][2] = {{267, 400}, {332, 400}, {300, 367}, {300, 432}};
  for (const auto& p : outside) EXPECT_EQ(Pixel(p[0], p[1]), RGB(40, 40, 40)) << p[0] << "," << p[1];

  // The next frame shows the next picture, at another size when the fireball has one.
  game.fireballs.begin()->size = 33;
  DrawFrame(0);
  Stop3D();
  EXPECT_CHANNEL_NEAR(Blue(Pixel(300, 400)), 11);
  EXPECT_NE(Pixel(284, 384), 0);  // 33 x 33 from (283.5, 383.5), to the nearest pixel
  EXPECT_NE(Pixel(315, 415), 0);
  EXPECT_EQ(Pixel(283, 400), 0);
  EXPECT_EQ(Pixel(317, 400), 0);
}

TEST_F(ExplosionsOnScreen, FireballsLeaveOrdinaryBlendingBehindThem) {
  SolidQuad(obj::fireball, 128, 128, RGB(200, 200, 200));
  SolidQuad(500, 8, 8, RGB(255, 255, 255));
  AddFireball(200, 200, 128);
  DrawFrame(RGB(0, 0, 100));
  // Half-transparent white drawn afterwards blends with the blue, it does not add to it.
  DisplaySprite3D(500, 600, 600, 128);
  Stop3D();
  const int c = Pixel(603, 603);
  EXPECT_CHANNEL_NEAR(Red(c), 128);
  EXPECT_CHANNEL_NEAR(Blue(c), 177);  // 100 / 2 + 255 / 2
  EXPECT_CHANNEL_NEAR(Blue(Pixel(200, 200)), 255);  // 100 + 200, saturated
}

TEST_F(ExplosionsOnScreen, ABurstShowsItsThirtyOnePicturesInOneBoxThenNothing) {
  for (int k = 0; k < 30; ++k) SolidQuad(obj::explosionTiles + k, 96, 96, BurstColour(k));
  // The last burst picture is the fireball's first, a bigger one.
  SolidQuad(obj::explosionTiles + 30, 128, 128, BurstColour(30));
  AddExplosion(400.4f, 300);

  for (int k = 0; k < 31; ++k) {
    DrawFrame(0);
    Stop3D();
    // 96 x 96 from (352, 252).
    EXPECT_EQ(Pixel(400, 300), BurstColour(k)) << "frame " << k;
    EXPECT_EQ(Pixel(352, 252), BurstColour(k)) << "frame " << k;
    EXPECT_EQ(Pixel(447, 347), BurstColour(k)) << "frame " << k;
    EXPECT_EQ(Pixel(351, 300), 0) << "frame " << k;
    EXPECT_EQ(Pixel(448, 300), 0) << "frame " << k;
    EXPECT_EQ(Pixel(400, 348), 0) << "frame " << k;
  }
  DrawFrame(0);
  Stop3D();
  EXPECT_EQ(Pixel(400, 300), 0);
  EXPECT_TRUE(game.brickExplosions.Empty());
}

// The whole game with its packs: while the life is lost the ship keeps blowing up.
class LostShip : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessGame();
  }
  void TearDown() override { ShutdownMedia(); }
};

TEST_F(LostShip, AFireballOf128PixelsJoinsEveryFourthFrameNearTheShip) {
  RandomSeed(7);
  game.lifeLost = 1;
  int added = 0;
  // 24 frames: the first fireball is still alive at the end, so the count only grows.
  for (int i = 0; i < 24; ++i) {
    const int counter = game.frameCounter;
    const int before = game.fireballs.Count();
    const float shipX = game.shipX, shipY = game.shipY;
    ASSERT_FALSE(RunFrame());
    const int joined = game.fireballs.Count() - before;
    EXPECT_EQ(joined, counter % 4 == 1 ? 1 : 0) << "frame " << counter;
    if (joined == 1) {
      const Fireball& f = *std::prev(game.fireballs.end());
      EXPECT_EQ(f.size, 128);
      EXPECT_EQ(f.frame, 0);
      EXPECT_EQ(f.picture, obj::fireball);
      EXPECT_LE(std::fabs(f.x - shipX), 64);
      EXPECT_LE(std::fabs(f.y - shipY), 64);
      ++added;
    }
  }
  EXPECT_EQ(added, 6);
  // Joined in frame 1 and stepped in each of frames 2 to 23.
  EXPECT_EQ(game.fireballs.begin()->frame, 22);
}

}  // namespace
