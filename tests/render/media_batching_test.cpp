// SPDX-License-Identifier: GPL-3.0-or-later
// Batched Sprite3D quads: a frame drawn with batching must hold exactly the pixels of the same
// frame drawn quad by quad, whatever happens between the quads, and the quads that can share a
// geometry call do.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "media/media.h"
#include "media/media_diagnostics.h"
#include "support/headless.h"

namespace {

constexpr int width = 320;
constexpr int height = 240;

// Sprites and quads of the scenes: a soft disc (alpha), an opaque striped tile, a glow.
enum { discQuad = 1, tileQuad = 2, glowQuad = 3, canvasSprite = 10, canvasQuad = 10 };

class BatchingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenMediaScreen(width, height);
    MakeTexture(discQuad, 16, [](int x, int y) {
      int dx = x - 8, dy = y - 8;
      int a = dx * dx + dy * dy < 64 ? 255 - (dx * dx + dy * dy) * 3 : 0;
      return static_cast<uint32_t>(a) << 24 | 0xFF8020u;
    });
    MakeTexture(tileQuad, 8, [](int x, int y) {
      return 0xFF000000u | ((x + y) % 3 == 0 ? 0x20C040u : 0x4040FFu);
    });
    MakeTexture(glowQuad, 32, [](int x, int y) {
      int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
      uint32_t level = d < 256 ? static_cast<uint32_t>(255 - d) : 0;
      return 0xFF000000u | level << 16 | (level / 2) << 8 | level / 4;
    });
    ASSERT_TRUE(CreateSprite(canvasSprite, 24, 24, spriteTexture | spriteAlpha));
    ASSERT_TRUE(CreateSprite3D(canvasQuad, canvasSprite));
  }
  void TearDown() override {
    SetQuadBatching(true);
    ShutdownMedia();
  }

  // A texture sprite drawn pixel by pixel, and its quad.
  static void MakeTexture(int number, int side, const std::function<uint32_t(int, int)>& pixel) {
    PaintSprite(number, side, side, spriteTexture | spriteAlpha, pixel);
    ASSERT_TRUE(CreateSprite3D(number, number));
  }

  static std::vector<uint32_t> Screen() { return ScreenPixels(width, height); }

  // Draws the scene with batching on and off and compares every pixel of the screen.
  static void ExpectSameBothWays(const std::function<void()>& scene) {
    std::vector<uint32_t> frames[2];
    for (bool batched : {false, true}) {
      SetQuadBatching(batched);
      ClearScreen(RGB(10, 20, 30));
      Set3DViewport(0, 0, width, height);
      Sprite3DBlendingMode(5, 6);
      Sprite3DQuality(1);
      scene();
      frames[batched] = Screen();
    }
    ASSERT_EQ(frames[0].size(), static_cast<std::size_t>(width * height));
    ASSERT_EQ(frames[0].size(), frames[1].size());
    int differing = 0;
    for (std::size_t i = 0; i < frames[0].size(); ++i) differing += frames[0][i] != frames[1][i];
    EXPECT_EQ(differing, 0);
    // The scene must have drawn something, or the comparison proves nothing.
    int drawn = 0;
    for (uint32_t p : frames[1]) drawn += p != 0x0A141Eu;
    EXPECT_GT(drawn, 500);
  }

  // A row of overlapping, turned and faded quads of one texture.
  static void Row(int quad, int y, int count) {
    for (int i = 0; i < count; ++i) {
      ZoomSprite3D(quad, 20 + i % 5, 20 + i % 3);
      RotateSprite3D(quad, i * 17, 0);
      DisplaySprite3D(quad, 5 + i * 13, y, 90 + i * 11 % 165);
    }
  }
};

TEST_F(BatchingTest, OverlappingQuadsOfOneTextureAndTextureSwitches) {
  ExpectSameBothWays([] {
    Start3D();
    Row(discQuad, 10, 20);
    Row(tileQuad, 20, 20);
    for (int i = 0; i < 15; ++i) {
      DisplaySprite3D(i % 2 ? discQuad : tileQuad, 10 + i * 9, 60 + i % 4, 200);
    }
    Stop3D();
  });
}

TEST_F(BatchingTest, BlendModeAndFilterChangesBetweenQuads) {
  ExpectSameBothWays([] {
    Start3D();
    Row(tileQuad, 10, 10);
    Sprite3DBlendingMode(5, 2);  // additive glow over the tiles
    Row(glowQuad, 5, 12);
    Sprite3DBlendingMode(5, 6);
    Row(discQuad, 30, 12);
    Sprite3DQuality(0);
    Row(discQuad, 60, 12);
    Sprite3DBlendingMode(2, 2);
    Sprite3DQuality(1);
    Row(glowQuad, 90, 12);
    Stop3D();
  });
}

TEST_F(BatchingTest, ViewportChangesAndScrolledTexturesBetweenQuads) {
  ExpectSameBothWays([] {
    Start3D();
    Set3DViewport(20, 0, 100, 100);
    Row(discQuad, 10, 20);
    Set3DViewport(60, 20, 200, 60);
    Row(discQuad, 30, 20);
    ZoomSprite3D(tileQuad, 80, 50);
    RotateSprite3D(tileQuad, 0, 0);
    const float u[4] = {-0.5f, 2.25f, -0.5f, 2.25f};
    const float v[4] = {0.3f, 0.3f, 3.1f, 3.1f};
    for (int corner = 0; corner < 4; ++corner) SetSprite3DTexCoords(tileQuad, corner, u[corner], v[corner]);
    Set3DViewport(0, 0, width, height);
    DisplaySprite3D(tileQuad, 150, 120, 255);
    Row(discQuad, 140, 20);
    Stop3D();
  });
}

TEST_F(BatchingTest, OtherDrawingAndDrawingIntoASpriteBetweenQuads) {
  ExpectSameBothWays([] {
    Start3D();
    Row(discQuad, 10, 10);
    // The canvas is drawn into between quads, then drawn as a quad itself.
    ASSERT_TRUE(StartDrawing(drawSprite, canvasSprite));
    Box(0, 0, 24, 24, RGB(0, 0, 80));
    StopDrawing();
    DrawIntoSprite(canvasSprite);
    Row(discQuad, 0, 3);
    DrawIntoSprite(-1);
    ZoomSprite3D(canvasQuad, 48, 48);
    DisplaySprite3D(canvasQuad, 100, 100, 255);
    Row(discQuad, 110, 10);
    DisplayTransparentSprite(tileQuad, 40, 40);
    Row(discQuad, 30, 10);
    ASSERT_TRUE(StartDrawing());
    Box(200, 150, 30, 20, RGB(200, 0, 0));
    // Reading a pixel must see the quads drawn before it.
    EXPECT_NE(Point(5 + 13 * 2 + 10, 40), RGB(10, 20, 30));
    StopDrawing();
    Row(glowQuad, 150, 10);
    Stop3D();
  });
}

// A field of cells like the bricks: the textures alternate from cell to cell, nothing overlaps.
void Field(int top) {
  for (int i = 0; i < 40; ++i) {
    const int quad = i % 3 == 0 ? discQuad : i % 3 == 1 ? tileQuad : glowQuad;
    ZoomSprite3D(quad, 22, 10);
    RotateSprite3D(quad, 0, 0);
    DisplaySprite3D(quad, 4 + (i % 10) * 30, top + (i / 10) * 14, 255);
  }
}

// Sparks of three textures added onto the screen, each ball's sparks over the last one's.
void Sparks(int top) {
  for (int ball = 0; ball < 12; ++ball) {
    for (int spark = 0; spark < 6; ++spark) {
      const int quad = spark < 2 ? glowQuad : spark < 4 ? discQuad : tileQuad;
      ZoomSprite3D(quad, 18 + spark * 3, 18 + spark * 3);
      RotateSprite3D(quad, ball * 31 + spark * 47, 0);
      DisplaySprite3D(quad, 20 + ball * 21 + spark * 4, top + spark * 5, 100 + spark * 25);
    }
  }
}

TEST_F(BatchingTest, QuadsPassOnlyQuadsTheyDoNotTouchUnlessBothAddLight) {
  ExpectSameBothWays([] {
    Start3D();
    Field(4);
    // Over the field: quads that overlap what came before them keep their place.
    Row(discQuad, 20, 20);
    Row(tileQuad, 24, 20);
    Sprite3DBlendingMode(5, 2);
    Sparks(70);
    Sprite3DBlendingMode(2, 2);
    Sparks(90);
    // Light added with the destination's colour does depend on the order.
    Sprite3DBlendingMode(9, 2);
    Sparks(110);
    Sprite3DBlendingMode(5, 6);
    Row(glowQuad, 80, 20);
    Sprite3DBlendingMode(5, 2);
    Sparks(150);
    Sprite3DBlendingMode(5, 6);
    Field(180);
    Stop3D();
  });
}

TEST_F(BatchingTest, AddedLightIntoASpriteKeepsItsOrder) {
  ExpectSameBothWays([] {
    // The canvas starts dark each time: the light adds onto what it held.
    ASSERT_TRUE(StartDrawing(drawSprite, canvasSprite));
    Box(0, 0, 24, 24, RGB(0, 0, 60));
    StopDrawing();
    Start3D();
    DrawIntoSprite(canvasSprite);
    Sprite3DBlendingMode(5, 2);
    for (int i = 0; i < 18; ++i) {
      const int quad = i % 3 == 0 ? glowQuad : i % 3 == 1 ? discQuad : tileQuad;
      ZoomSprite3D(quad, 10, 10);
      RotateSprite3D(quad, i * 23, 0);
      DisplaySprite3D(quad, i % 6 * 3, i / 6 * 6, 90 + i * 8);
    }
    Sprite3DBlendingMode(5, 6);
    DrawIntoSprite(-1);
    ZoomSprite3D(canvasQuad, 96, 96);
    DisplaySprite3D(canvasQuad, 60, 60, 255);
    Stop3D();
  });
}

TEST_F(BatchingTest, SeparateQuadsAndAddedLightShareACallPerTexture) {
  auto geometryCalls = [](const std::function<void()>& scene) {
    ClearScreen(0);
    Set3DViewport(0, 0, width, height);
    // Once first, so that setting each texture's filter does not count.
    Start3D();
    scene();
    Stop3D();
    ResetRendererCalls();
    Start3D();
    scene();
    Stop3D();
    return RendererCalls().geometry;
  };
  // Three textures, whatever the order they come in.
  EXPECT_EQ(geometryCalls([] { Field(10); }), 3u);
  Sprite3DBlendingMode(5, 2);
  EXPECT_EQ(geometryCalls([] { Sparks(40); }), 3u);
  // Light that reads the destination must not pass what it overlaps.
  Sprite3DBlendingMode(9, 2);
  EXPECT_GT(geometryCalls([] { Sparks(40); }), 30u);
  Sprite3DBlendingMode(5, 6);
  // Overlapping quads blended over each other keep their order: a call each time the texture
  // changes.
  EXPECT_EQ(geometryCalls([] {
              for (int i = 0; i < 10; ++i) DisplaySprite3D(i % 2 ? discQuad : tileQuad, 50 + i, 50, 200);
            }),
            10u);
}

TEST_F(BatchingTest, QuadsSharingTextureAndBlendGoInOneGeometryCall) {
  auto geometryCalls = [](bool batched) {
    SetQuadBatching(batched);
    ClearScreen(0);
    ResetRendererCalls();
    Start3D();
    Row(discQuad, 10, 30);
    Row(tileQuad, 40, 30);
    Sprite3DBlendingMode(5, 2);
    Row(tileQuad, 70, 30);
    Sprite3DBlendingMode(5, 6);
    Stop3D();
    return RendererCalls().geometry;
  };
  EXPECT_EQ(geometryCalls(false), 90u);
  EXPECT_EQ(geometryCalls(true), 3u);
  EXPECT_TRUE(QuadBatching());
}

}  // namespace
