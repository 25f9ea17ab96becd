// SPDX-License-Identifier: GPL-3.0-or-later
// Where the heads-up display puts its glyphs, icons and letters, and how the side panel scrolls.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "media/media.h"
#include "shell/hud.h"
#include "support/headless.h"

namespace {

constexpr int white = RGB(255, 255, 255);

class Hud : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ASSERT_TRUE(InitSprites());
    ASSERT_TRUE(InitSprite3D());
    ASSERT_TRUE(OpenWindow(1, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(1, 0, 0, 1024, 768, true));
    ClearScreen(0);
  }
  void TearDown() override { ShutdownMedia(); }

  // A quad of one solid colour, standing in for a picture of the packs.
  static void SolidQuad(int number, int width, int height, int colour = white) {
    ASSERT_TRUE(CreateSprite(number, width, height, spriteTexture | spriteAlpha));
    ASSERT_TRUE(StartDrawing(drawSprite, number));
    Box(0, 0, width, height, colour);
    StopDrawing();
    ASSERT_TRUE(CreateSprite3D(number, number));
  }
  static void DrawHudNow(const std::string& team, int score, int letters) {
    ASSERT_TRUE(Start3D());
    DrawHud(team, score, letters);
    Stop3D();
  }
};

TEST_F(Hud, TheTeamNameAndTheScoreAreRightAlignedOnTheirEdge) {
  for (char c : std::string("TEAM0")) SolidQuad(silverGlyphBase + c, 8, 8);
  DrawHudNow("TEAM", 0, 0);
  // Four glyphs from x 914, each stretched to 36 x 36, 20 pixels apart.
  EXPECT_EQ(ScreenPixel(913, 60), 0);
  EXPECT_EQ(ScreenPixel(914, 52), white);
  EXPECT_EQ(ScreenPixel(914 + 60 + 35, 52 + 35), white);
  EXPECT_EQ(ScreenPixel(914 + 60 + 36, 60), 0);
  // The score 0 is a single glyph at x 974, y 172.
  EXPECT_EQ(ScreenPixel(973, 180), 0);
  EXPECT_EQ(ScreenPixel(974, 172), white);
  EXPECT_EQ(ScreenPixel(1009, 207), white);
}

TEST_F(Hud, CharactersWithoutAGlyphStillTakeTheirStepAndTheNameShowsInCapitals) {
  SolidQuad(silverGlyphBase + 'A', 8, 8);
  DrawHudNow("~A", 0, 0);  // '~' has no glyph; its stand-in '?' is not loaded here
  EXPECT_EQ(ScreenPixel(994 - 40 + 10, 60), 0);
  EXPECT_EQ(ScreenPixel(994 - 20, 52), white);
  ClearScreen(0);
  DrawHudNow("a", 0, 0);  // a name typed in small letters
  EXPECT_EQ(ScreenPixel(994 - 20, 52), white);
  // One stand-in per character, however many bytes it takes.
  EXPECT_EQ(SilverName("Zoë-Łu 7"), "ZO?-?U 7");
}

TEST_F(Hud, OneShipIconPerLifeAndTheShipQuadGetsItsSizeBack) {
  SolidQuad(obj::shipUpright, 64, 32);
  game.lives = 0;
  DrawHudNow("", 0, 0);
  for (int x = 830; x < 900; x += 4) EXPECT_EQ(ScreenPixel(x, 308), 0) << x;

  game.lives = 3;
  DrawHudNow("", 0, 0);
  EXPECT_EQ(ScreenPixel(839, 308), 0);
  EXPECT_EQ(ScreenPixel(840, 300), white);
  EXPECT_EQ(ScreenPixel(872 + 15, 315), white);
  EXPECT_EQ(ScreenPixel(888, 308), 0);
  EXPECT_EQ(Sprite3DWidth(obj::shipUpright), 64);
  EXPECT_EQ(Sprite3DHeight(obj::shipUpright), 32);
}

TEST_F(Hud, CollectedLettersShowInTheirPlaces) {
  const std::array<int, 5> quads = {obj::letterB, obj::letterO, obj::letterN, obj::letterU, obj::letterS};
  for (int quad : quads) SolidQuad(quad, 20, 20);
  DrawHudNow("", 0, 16 | 1);  // B and S
  EXPECT_EQ(ScreenPixel(820 + 5, 419 + 5), white);
  EXPECT_EQ(ScreenPixel(856 + 5, 419 + 5), 0);
  EXPECT_EQ(ScreenPixel(893 + 5, 419 + 5), 0);
  EXPECT_EQ(ScreenPixel(930 + 5, 419 + 5), 0);
  EXPECT_EQ(ScreenPixel(966 + 5, 419 + 5), white);
}

TEST_F(Hud, TheLowerPanelScrollsSixRowsAFrame) {
  constexpr int width = 124, height = 98;
  ASSERT_TRUE(CreateImage(obj::panel2, width, height));
  ASSERT_TRUE(StartDrawing(drawImage, obj::panel2));
  for (int y = 0; y < height; ++y) Box(0, y, width, 1, RGB(y, 255 - y, 7));
  StopDrawing();

  // Each step copies the top row to the bottom, then moves rows 1 to 97 up by one; frame after
  // frame, so the bottom rows brought round are checked too.
  std::vector<int> rows(height);
  for (int y = 0; y < height; ++y) rows[y] = RGB(y, 255 - y, 7);
  for (int frame = 0; frame < 3; ++frame) {
    const std::vector<int> shown = rows;  // the screen shows the picture from row 1, then it scrolls
    for (int step = 0; step < 6; ++step) {
      rows[height - 1] = rows[0];
      for (int y = 0; y < height - 1; ++y) rows[y] = rows[y + 1];
    }
    DrawSidePanels();
    ASSERT_TRUE(StartDrawing(drawImage, obj::panel2));
    for (int y = 0; y < height; ++y) EXPECT_EQ(Point(60, y), rows[y]) << "frame " << frame << ", row " << y;
    StopDrawing();
    for (int y = 0; y + 1 < height; ++y) {
      EXPECT_EQ(ScreenPixel(864 + 60, 630 + y), shown[y + 1]) << "frame " << frame << ", screen row " << y;
    }
  }
}

}  // namespace
