// SPDX-License-Identifier: GPL-3.0-or-later
// 2D drawing on the screen, on sprites and on images: boxes, lines, points, direct pixel access
// mixed with ordinary drawing, text in system and registered fonts, and image operations.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "media/media.h"

namespace {

constexpr int red = RGB(255, 0, 0);
constexpr int green = RGB(0, 255, 0);
constexpr int blue = RGB(0, 0, 255);
constexpr int white = RGB(255, 255, 255);

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitSprites());
    ASSERT_TRUE(OpenWindow(0, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, 1024, 768, true));
    SetFrameLimiterEnabled(false);
    ClearScreen(0);
  }
  void TearDown() override { ShutdownMedia(); }

  static int ScreenPoint(int x, int y) {
    EXPECT_TRUE(StartDrawing());
    int colour = Point(x, y);
    StopDrawing();
    return colour;
  }

  // How many pixels of a rectangle have the colour.
  static int Count(int x, int y, int width, int height, int colour) {
    int n = 0;
    for (int j = y; j < y + height; ++j) {
      for (int i = x; i < x + width; ++i) n += Point(i, j) == colour;
    }
    return n;
  }
};

TEST_F(DrawingTest, BoxesLinesAndPlotsOnTheScreen) {
  ASSERT_TRUE(StartDrawing());
  DrawingMode(1);
  Box(10, 10, 5, 4, red);
  DrawingMode(4);
  Box(30, 10, 5, 4, green);
  Line(50, 10, 54, 14, blue);
  Plot(60, 10, white);
  StopDrawing();
  ASSERT_TRUE(StartDrawing());
  EXPECT_EQ(Count(10, 10, 5, 4, red), 20);
  EXPECT_EQ(Point(15, 10), 0);
  EXPECT_EQ(Count(30, 10, 5, 4, green), 14);  // the outline only
  EXPECT_EQ(Point(32, 12), 0);
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(Point(50 + i, 10 + i), blue);
  EXPECT_EQ(Point(51, 10), 0);
  EXPECT_EQ(Point(60, 10), white);
  StopDrawing();
  DrawingMode(0);
}

TEST_F(DrawingTest, PixelsWrittenThroughTheBufferReachTheScreen) {
  ASSERT_TRUE(StartDrawing());
  uint32_t* pixels = DrawingBuffer();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(DrawingBufferPitch(), 1024 * 4);
  EXPECT_EQ(DrawingBufferPixelBytes(), 4);
  pixels[10 * 1024 + 20] = 0x00FF0000;  // 0x00RRGGBB
  pixels[767 * 1024 + 1023] = 0x000000FF;
  // Drawing on after taking the buffer lands in the same picture.
  Box(100, 100, 2, 2, green);
  StopDrawing();
  FlipBuffers();
  EXPECT_EQ(ScreenPoint(20, 10), red);
  EXPECT_EQ(ScreenPoint(1023, 767), blue);
  EXPECT_EQ(ScreenPoint(101, 101), green);
}

TEST_F(DrawingTest, SpritesDisplayedWhileTheBufferIsOutAreKept) {
  ASSERT_TRUE(CreateSprite(1, 2, 2, 0));
  ASSERT_TRUE(StartDrawing(drawSprite, 1));
  Box(0, 0, 2, 2, blue);
  StopDrawing();
  ASSERT_TRUE(StartDrawing());
  uint32_t* pixels = DrawingBuffer();
  ASSERT_NE(pixels, nullptr);
  pixels[5] = 0x00FFFFFF;
  DisplaySprite(1, 200, 0);
  StopDrawing();
  EXPECT_EQ(ScreenPoint(5, 0), white);
  EXPECT_EQ(ScreenPoint(201, 1), blue);
}

TEST_F(DrawingTest, ASpriteBufferCarriesItsPicture) {
  ASSERT_TRUE(CreateSprite(2, 3, 3, 0));
  ASSERT_TRUE(StartDrawing(drawSprite, 2));
  Plot(1, 1, red);
  uint32_t* pixels = DrawingBuffer();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels[4] & 0x00FFFFFF, 0x00FF0000u);
  pixels[0] = 0xFF00FF00;
  StopDrawing();
  DisplaySprite(2, 0, 0);
  EXPECT_EQ(ScreenPoint(0, 0), green);
  EXPECT_EQ(ScreenPoint(1, 1), red);
}

TEST_F(DrawingTest, TextIsDrawnTransparentOrOverItsBackground) {
  ASSERT_TRUE(LoadFont(1, "Arial black", 20));
  ClearScreen(green);
  ASSERT_TRUE(StartDrawing());
  DrawingFont(1);
  int width = TextWidth("HI");
  int height = TextHeight("HI");
  EXPECT_GT(width, TextWidth("I"));
  EXPECT_GT(height, 20);
  DrawingMode(1);
  DrawText(10, 10, "HI", white, blue);
  DrawingMode(0);
  FrontColor(red);
  BackColor(blue);
  DrawText(10, 100, "HI");
  StopDrawing();
  ASSERT_TRUE(StartDrawing());
  EXPECT_GT(Count(10, 10, width, height, white), 20);
  EXPECT_EQ(Count(10, 10, width, height, blue), 0);
  EXPECT_EQ(Point(10, 10), green);  // the box's corner is background
  EXPECT_GT(Count(10, 100, width, height, red), 20);
  EXPECT_EQ(Point(10, 100), blue);
  EXPECT_EQ(Point(10 + width, 100), green);
  StopDrawing();
}

TEST_F(DrawingTest, TextOnImagesAndLatinOneText) {
  ASSERT_TRUE(LoadFont(1, "Arial black", 16));
  ASSERT_TRUE(CreateImage(1, 64, 32));
  ASSERT_TRUE(StartDrawing(drawImage, 1));
  DrawingFont(1);
  DrawingMode(1);
  DrawText(2, 2, "W", white, 0);
  EXPECT_GT(Count(0, 0, 64, 32, white), 10);
  EXPECT_EQ(Point(63, 31), 0);
  // A typed e acute arrives as one Latin-1 byte; it is as wide as its UTF-8 spelling.
  EXPECT_EQ(TextWidth("\xE9"), TextWidth("\xC3\xA9"));
  EXPECT_GT(TextWidth("\xE9"), 0);
  StopDrawing();
}

TEST_F(DrawingTest, ARegisteredFontFileAnswersToItsFaceName) {
  EXPECT_FALSE(RegisterFontFile(::testing::TempDir() + "missing/" + designerBlockFile));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", bytes));
  std::string path = ::testing::TempDir() + designerBlockFile;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  ASSERT_TRUE(RegisterFontFile(path));
  ASSERT_TRUE(LoadFont(2, "Designer Block", 20));
  ASSERT_TRUE(StartDrawing());
  DrawingFont(2);
  // The registered file is a monospaced face: every letter is as wide, hinting aside.
  EXPECT_NEAR(TextWidth("iiii"), TextWidth("WWWW"), 2);
  StopDrawing();
}

TEST_F(DrawingTest, ImagesResizeGrabAndDisplay) {
  ASSERT_TRUE(CreateImage(3, 2, 1));
  ASSERT_TRUE(StartDrawing(drawImage, 3));
  Plot(0, 0, red);
  Plot(1, 0, blue);
  StopDrawing();
  ASSERT_TRUE(ResizeImage(3, 8, 4));
  EXPECT_EQ(ImageWidth(3), 8);
  EXPECT_EQ(ImageHeight(3), 4);
  ASSERT_TRUE(StartDrawing(drawImage, 3));
  EXPECT_EQ(Point(0, 0), red);
  EXPECT_EQ(Point(7, 3), blue);
  int middle = Point(4, 2);  // blended between the two
  EXPECT_GT(Red(middle), 0);
  EXPECT_GT(Blue(middle), 0);
  StopDrawing();

  DisplayImage(3, 500, 400);
  EXPECT_EQ(ScreenPoint(500, 400), red);
  EXPECT_EQ(ScreenPoint(507, 403), blue);

  ASSERT_TRUE(GrabImageFromScreen(4, 499, 399, 3, 3));
  ASSERT_TRUE(StartDrawing(drawImage, 4));
  EXPECT_EQ(Point(0, 0), 0);
  EXPECT_EQ(Point(1, 1), red);
  StopDrawing();

  // An image drawn onto another image, clipped at its edge.
  ASSERT_TRUE(CreateImage(5, 4, 4));
  ASSERT_TRUE(StartDrawing(drawImage, 5));
  DrawImage(4, 2, 2);
  EXPECT_EQ(Point(3, 3), red);
  EXPECT_EQ(Point(2, 2), 0);
  StopDrawing();

  std::string path = ::testing::TempDir() + "image.bmp";
  ASSERT_TRUE(SaveImage(3, path));
  ASSERT_TRUE(LoadImage(6, path));
  EXPECT_EQ(ImageWidth(6), 8);
  FreeImage(6);
  EXPECT_FALSE(IsImage(6));
  EXPECT_FALSE(LoadImage(6, ::testing::TempDir() + "absent.bmp"));
}

TEST_F(DrawingTest, DrawingNeedsAnExistingTarget) {
  EXPECT_FALSE(StartDrawing(drawImage, 77));
  EXPECT_FALSE(StartDrawing(drawSprite, 77));
  CloseScreen();
  EXPECT_FALSE(StartDrawing());
  EXPECT_EQ(DrawingBuffer(), nullptr);
}

}  // namespace
