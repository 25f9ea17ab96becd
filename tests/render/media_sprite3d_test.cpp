// SPDX-License-Identifier: GPL-3.0-or-later
// Sprite3D quads read back from the screen: drawn size, rotation, per-quad alpha, the blend
// factor pairs the game uses, the viewport and scrolled texture coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "media/media.h"
#include "support/headless.h"

namespace {

constexpr int red = RGB(255, 0, 0);
constexpr int green = RGB(0, 255, 0);
constexpr int blue = RGB(0, 0, 255);
constexpr int white = RGB(255, 255, 255);

class Sprite3DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitSprites());
    ASSERT_TRUE(InitSprite3D());
    ASSERT_TRUE(OpenWindow(0, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, 1024, 768, true));
    SetFrameLimiterEnabled(false);
    ClearScreen(0);
    Sprite3DBlendingMode(5, 6);
    Sprite3DQuality(0);
  }
  void TearDown() override { ShutdownMedia(); }

  // A texture sprite of 2 x 2 pixels: top-left, top-right, bottom-left, bottom-right.
  static void MakeQuad(int number, int c0, int c1, int c2, int c3) {
    ASSERT_TRUE(CreateSprite(number, 2, 2, spriteTexture));
    ASSERT_TRUE(StartDrawing(drawSprite, number));
    Plot(0, 0, c0);
    Plot(1, 0, c1);
    Plot(0, 1, c2);
    Plot(1, 1, c3);
    StopDrawing();
    ASSERT_TRUE(CreateSprite3D(number, number));
  }

  static void MakeSolidQuad(int number, int colour, int size = 4) {
    ASSERT_TRUE(CreateSprite(number, size, size, spriteTexture));
    ASSERT_TRUE(StartDrawing(drawSprite, number));
    Box(0, 0, size, size, colour);
    StopDrawing();
    ASSERT_TRUE(CreateSprite3D(number, number));
  }

  static int ScreenPoint(int x, int y) {
    EXPECT_TRUE(StartDrawing());
    int colour = Point(x, y);
    StopDrawing();
    return colour;
  }
};

TEST_F(Sprite3DTest, ZoomStretchesFromTheTopLeftCorner) {
  MakeQuad(1, red, green, blue, white);
  EXPECT_EQ(Sprite3DWidth(1), 2);
  ZoomSprite3D(1, 100, 60);
  EXPECT_EQ(Sprite3DWidth(1), 100);
  EXPECT_EQ(Sprite3DHeight(1), 60);
  ASSERT_TRUE(Start3D());
  DisplaySprite3D(1, 200, 100);
  Stop3D();
  EXPECT_EQ(ScreenPoint(225, 115), red);
  EXPECT_EQ(ScreenPoint(275, 115), green);
  EXPECT_EQ(ScreenPoint(225, 145), blue);
  EXPECT_EQ(ScreenPoint(275, 145), white);
  EXPECT_EQ(ScreenPoint(199, 115), 0);
  EXPECT_EQ(ScreenPoint(300, 115), 0);
  EXPECT_EQ(ScreenPoint(225, 160), 0);
}

TEST_F(Sprite3DTest, RotationTurnsClockwiseAboutTheCentreInWholeDegrees) {
  MakeQuad(2, red, green, blue, white);
  ZoomSprite3D(2, 100, 100);
  RotateSprite3D(2, 90, 0);
  ASSERT_TRUE(Start3D());
  DisplaySprite3D(2, 100, 100);
  Stop3D();
  // A quarter turn clockwise brings the bottom-left quarter to the top-left.
  EXPECT_EQ(ScreenPoint(125, 125), blue);
  EXPECT_EQ(ScreenPoint(175, 125), red);
  EXPECT_EQ(ScreenPoint(125, 175), white);
  EXPECT_EQ(ScreenPoint(175, 175), green);

  RotateSprite3D(2, 350, 0);
  RotateSprite3D(2, 20, 1);
  EXPECT_EQ(Sprite3DAngle(2), 10);
  RotateSprite3D(2, -90, 0);
  EXPECT_EQ(Sprite3DAngle(2), 270);
  RotateSprite3D(2, 725, 1);
  EXPECT_EQ(Sprite3DAngle(2), 275);
}

TEST_F(Sprite3DTest, CornersTurnAboutTheCentreOfTheDrawnSize) {
  MakeSolidQuad(3, white);
  ZoomSprite3D(3, 40, 20);
  RotateSprite3D(3, 180, 0);
  QuadCorners corners = Sprite3DCorners(3);
  // Half a turn swaps opposite corners: corner 0 lands where corner 3 was.
  EXPECT_NEAR(corners.x[0], 40, 1e-3);
  EXPECT_NEAR(corners.y[0], 20, 1e-3);
  EXPECT_NEAR(corners.x[3], 0, 1e-3);
  EXPECT_NEAR(corners.y[3], 0, 1e-3);
  RotateSprite3D(3, 45, 0);
  corners = Sprite3DCorners(3);
  float centreX = (corners.x[0] + corners.x[3]) / 2;
  float centreY = (corners.y[0] + corners.y[3]) / 2;
  EXPECT_NEAR(centreX, 20, 1e-3);
  EXPECT_NEAR(centreY, 10, 1e-3);
  EXPECT_NEAR(std::hypot(corners.x[1] - corners.x[0], corners.y[1] - corners.y[0]), 40, 1e-3);
}

TEST_F(Sprite3DTest, SetCornersDrawsTheQuadWhereTheyAre) {
  MakeSolidQuad(4, green);
  QuadCorners corners{{0, 10, 0, 10}, {0, 0, 10, 10}};
  SetSprite3DCorners(4, corners);
  ASSERT_TRUE(Start3D());
  DisplaySprite3D(4, 50, 50);
  Stop3D();
  EXPECT_EQ(ScreenPoint(55, 55), green);
  EXPECT_EQ(ScreenPoint(61, 55), 0);
}

TEST_F(Sprite3DTest, AlphaMultipliesThePicture) {
  MakeSolidQuad(5, white);
  ZoomSprite3D(5, 10, 10);
  ASSERT_TRUE(Start3D());
  DisplaySprite3D(5, 0, 0, 128);
  Stop3D();
  EXPECT_NEAR(Red(ScreenPoint(5, 5)), 128, 2);
  EXPECT_NEAR(Blue(ScreenPoint(5, 5)), 128, 2);
}

TEST_F(Sprite3DTest, BlendFactorPairsMixAsTheirNumbersSay) {
  constexpr int base = RGB(100, 0, 0);
  MakeSolidQuad(6, RGB(100, 0, 0));
  ZoomSprite3D(6, 10, 10);
  // Copying a sprite whose pixels are all its colour key must leave the screen's alpha alone:
  // destination-alpha blending below reads it as 1.
  ASSERT_TRUE(CreateSprite(7, 100, 10, 0));
  ASSERT_TRUE(StartDrawing(drawSprite, 7));
  Box(0, 0, 100, 10, base);
  StopDrawing();
  TransparentSpriteColor(7, base);
  DisplaySprite(7, 0, 0);
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(5, 6);
  DisplaySprite3D(6, 0, 0, 64);
  Sprite3DBlendingMode(5, 2);
  DisplaySprite3D(6, 20, 0, 64);
  Sprite3DBlendingMode(7, 2);
  DisplaySprite3D(6, 40, 0, 64);
  Sprite3DBlendingMode(5, 7);
  DisplaySprite3D(6, 60, 0, 64);
  Sprite3DBlendingMode(5, 6);
  Stop3D();
  EXPECT_NEAR(Red(ScreenPoint(5, 5)), 100, 2);         // 100 a + 100 (1 - a)
  EXPECT_NEAR(Red(ScreenPoint(25, 5)), 125, 2);        // 100 a + 100
  EXPECT_NEAR(Red(ScreenPoint(45, 5)), 200, 2);        // 100 + 100, the quad's alpha unused
  EXPECT_NEAR(Red(ScreenPoint(65, 5)), 125, 2);        // 100 a + 100 × 1
  EXPECT_EQ(Green(ScreenPoint(25, 5)), 0);
}

TEST_F(Sprite3DTest, AdditiveBlendingSaturates) {
  MakeSolidQuad(8, RGB(200, 200, 0));
  ClearScreen(RGB(100, 0, 0));
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(5, 2);
  DisplaySprite3D(8, 0, 0);
  Stop3D();
  EXPECT_EQ(ScreenPoint(1, 1), RGB(255, 200, 0));
}

TEST_F(Sprite3DTest, TheViewportClipsQuadsButNotSprites) {
  MakeSolidQuad(9, white);
  ZoomSprite3D(9, 100, 100);
  ASSERT_TRUE(CreateSprite(10, 100, 100, 0));
  ASSERT_TRUE(StartDrawing(drawSprite, 10));
  Box(0, 0, 100, 100, red);
  StopDrawing();
  ASSERT_TRUE(Start3D());
  Set3DViewport(10, 10, 20, 20);
  DisplaySprite3D(9, 0, 0);
  DisplaySprite(10, 200, 0);
  Set3DViewport(0, 0, 1024, 768);
  DisplaySprite3D(9, 400, 0);
  Stop3D();
  EXPECT_EQ(ScreenPoint(5, 5), 0);
  EXPECT_EQ(ScreenPoint(15, 15), white);
  EXPECT_EQ(ScreenPoint(29, 29), white);
  EXPECT_EQ(ScreenPoint(30, 30), 0);
  EXPECT_EQ(ScreenPoint(250, 50), red);
  EXPECT_EQ(ScreenPoint(450, 50), white);
}

TEST_F(Sprite3DTest, ScrolledTextureCoordinatesWrapAround) {
  // One column: red on top, blue below.
  ASSERT_TRUE(CreateSprite(11, 1, 2, spriteTexture));
  ASSERT_TRUE(StartDrawing(drawSprite, 11));
  Plot(0, 0, red);
  Plot(0, 1, blue);
  StopDrawing();
  ASSERT_TRUE(CreateSprite3D(11, 11));
  ZoomSprite3D(11, 10, 40);
  const float v = 0.5f;
  SetSprite3DTexCoords(11, 0, 0, v);
  SetSprite3DTexCoords(11, 1, 1, v);
  SetSprite3DTexCoords(11, 2, 0, v + 1);
  SetSprite3DTexCoords(11, 3, 1, v + 1);
  ASSERT_TRUE(Start3D());
  DisplaySprite3D(11, 0, 0);
  Stop3D();
  EXPECT_EQ(ScreenPoint(5, 5), blue);
  EXPECT_EQ(ScreenPoint(5, 15), blue);
  EXPECT_EQ(ScreenPoint(5, 25), red);
  EXPECT_EQ(ScreenPoint(5, 35), red);
}

TEST_F(Sprite3DTest, PicturesWithAlphaKeepItAndOthersUseTheColourKey) {
  // Without spriteAlpha a black pixel is see-through through the key.
  MakeQuad(12, 0, red, red, red);
  ZoomSprite3D(12, 20, 20);
  ClearScreen(green);
  ASSERT_TRUE(Start3D());
  DisplaySprite3D(12, 0, 0);
  Stop3D();
  EXPECT_EQ(ScreenPoint(5, 5), green);
  EXPECT_EQ(ScreenPoint(15, 5), red);
}

TEST_F(Sprite3DTest, QuadsDrawnIntoASpriteShowWhenThatSpriteIsDrawn) {
  MakeSolidQuad(15, red);
  ASSERT_TRUE(CreateSprite(16, 16, 16, spriteTexture));
  ASSERT_TRUE(CreateSprite3D(16, 16));
  ASSERT_TRUE(Start3D());
  Set3DViewport(500, 500, 10, 10);  // the screen's viewport does not clip drawing into a sprite
  DrawIntoSprite(16);
  DisplaySprite3D(15, 2, 2);
  DrawIntoScreen();
  Set3DViewport(0, 0, 1024, 768);
  ClearScreen(green);
  ZoomSprite3D(16, 32, 32);
  DisplaySprite3D(16, 100, 100);
  Stop3D();
  EXPECT_EQ(ScreenPoint(106, 106), red);   // the red square, twice the size
  EXPECT_EQ(ScreenPoint(101, 101), green);  // the sprite's untouched black is its colour key
  EXPECT_EQ(ScreenPoint(114, 114), green);
}

TEST_F(Sprite3DTest, OnlyTextureSpritesMakeQuadsAndStart3DNeedsAScreen) {
  ASSERT_TRUE(CreateSprite(13, 4, 4, 0));
  EXPECT_FALSE(CreateSprite3D(13, 13));
  EXPECT_FALSE(CreateSprite3D(14, 99));
  EXPECT_FALSE(IsSprite3D(13));
  EXPECT_EQ(Sprite3DWidth(13), 0);
  CloseScreen();
  EXPECT_FALSE(Start3D());
}

// Light added through a quad is the same whether several quads are added to the screen one by
// one, or first added together into a picture that is then added to the screen once.
TEST_F(Sprite3DTest, QuadsAddedIntoAPictureThenOntoTheScreenGiveTheSamePixelsAsAddedStraightOn) {
  constexpr int size = 256;  // large enough to be drawn as its visible parts
  constexpr int step = 60;
  constexpr int wide = size + 2 * step;
  // A soft glow with a hard ring: clear corners, every alpha, sharp edges.
  PaintSprite(20, size, size, spriteTexture | spriteAlpha, [](int x, int y) {
    const double r = std::hypot(x - size / 2 + 0.5, y - size / 2 + 0.5);
    const uint32_t alpha = r > 127 ? 0 : (r > 90 && r < 100) ? 230 : static_cast<uint32_t>(200 - 1.5 * r);
    return alpha << 24 | static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | 0xC0;
  });
  ASSERT_TRUE(CreateSprite3D(20, 20));
  Sprite3DQuality(1);
  const int backdrop = RGB(60, 70, 80);
  ClearScreen(backdrop);
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  for (int i = 0; i < 3; ++i) DisplaySprite3D(20, 100 + step * i, 100, 150);
  Stop3D();
  const std::vector<uint32_t> straight = ScreenPixels(1024, 400);

  ASSERT_TRUE(CreateSprite(21, wide, size, spriteTexture | spriteAlpha));
  ASSERT_TRUE(CreateSprite3D(21, 21));
  ClearScreen(backdrop);
  ASSERT_TRUE(Start3D());
  DrawIntoSprite(21);
  Sprite3DBlendingMode(blendAdditive);
  for (int i = 0; i < 3; ++i) DisplaySprite3D(20, step * i, 0, 150);
  DrawIntoScreen();
  Sprite3DBlendingMode(BlendPair{blendOne, blendDestinationAlpha});
  DisplaySprite3D(21, 100, 100);
  Stop3D();
  const std::vector<uint32_t> added = ScreenPixels(1024, 400);
  int differing = 0;
  for (std::size_t i = 0; i < added.size(); ++i) differing += added[i] != straight[i];
  EXPECT_EQ(differing, 0);
  EXPECT_NE(added[200 * 1024 + 228], static_cast<uint32_t>(backdrop));
}

}  // namespace
