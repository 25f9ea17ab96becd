// SPDX-License-Identifier: GPL-3.0-or-later
// Sprites on the back buffer: clipping at the screen edges, ClipSprite, colour keys, drawing into
// a sprite, grabbing and saving. Pixels are read back from the screen.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "media/media.h"
#include "media/media_diagnostics.h"

namespace {

constexpr int red = RGB(255, 0, 0);
constexpr int green = RGB(0, 255, 0);
constexpr int blue = RGB(0, 0, 255);
constexpr int white = RGB(255, 255, 255);
constexpr int magenta = RGB(255, 0, 255);

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitSprites());
    ASSERT_TRUE(InitSprite3D());
    ASSERT_TRUE(OpenWindow(0, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, 1024, 768, true));
    SetFrameLimiterEnabled(false);
    ClearScreen(0);
  }
  void TearDown() override { ShutdownMedia(); }

  // A sprite painted column by column with the given colours, two rows high.
  static void MakeStripes(int sprite, const std::vector<int>& columns, int flags = 0) {
    ASSERT_TRUE(CreateSprite(sprite, static_cast<int>(columns.size()), 2, flags));
    ASSERT_TRUE(StartDrawing(drawSprite, sprite));
    for (std::size_t x = 0; x < columns.size(); ++x) Box(static_cast<int>(x), 0, 1, 2, columns[x]);
    StopDrawing();
  }

  static int ScreenPoint(int x, int y) {
    EXPECT_TRUE(StartDrawing());
    int colour = Point(x, y);
    StopDrawing();
    return colour;
  }
};

TEST_F(SpriteTest, NegativeXStartsInsideTheSpriteAndTheRightEdgeCuts) {
  MakeStripes(1, {red, green, blue, white});
  DisplaySprite(1, -2, 10);
  EXPECT_EQ(ScreenPoint(0, 10), blue);
  EXPECT_EQ(ScreenPoint(1, 10), white);
  EXPECT_EQ(ScreenPoint(2, 10), 0);

  DisplaySprite(1, 1022, 20);
  EXPECT_EQ(ScreenPoint(1022, 20), red);
  EXPECT_EQ(ScreenPoint(1023, 20), green);

  DisplaySprite(1, 5, -1);  // only the second row shows, at the top
  EXPECT_EQ(ScreenPoint(5, 0), red);
  EXPECT_EQ(ScreenPoint(5, 1), 0);

  // Wholly off screen: nothing drawn anywhere near.
  DisplaySprite(1, -4, 40);
  DisplaySprite(1, 1024, 40);
  EXPECT_EQ(ScreenPoint(0, 40), 0);
  EXPECT_EQ(ScreenPoint(1023, 40), 0);
}

TEST_F(SpriteTest, ClipSpriteShowsOnlyItsRectangleUntilRestored) {
  MakeStripes(2, {red, green, blue, white});
  ClipSprite(2, 1, 0, 2, 2);
  DisplaySprite(2, 100, 100);
  EXPECT_EQ(ScreenPoint(100, 100), green);
  EXPECT_EQ(ScreenPoint(101, 100), blue);
  EXPECT_EQ(ScreenPoint(102, 100), 0);
  // The clip rectangle stays for later displays, and combines with the screen edge.
  DisplaySprite(2, -1, 200);
  EXPECT_EQ(ScreenPoint(0, 200), blue);
  EXPECT_EQ(ScreenPoint(1, 200), 0);
  ClipSprite(2, -1, -1, -1, -1);
  DisplaySprite(2, 300, 300);
  EXPECT_EQ(ScreenPoint(300, 300), red);
  EXPECT_EQ(ScreenPoint(303, 300), white);
}

TEST_F(SpriteTest, TransparentDisplayLeavesOutTheColourKey) {
  MakeStripes(3, {0, red, 0, blue});
  ClearScreen(green);
  DisplayTransparentSprite(3, 10, 10);
  EXPECT_EQ(ScreenPoint(10, 10), green);  // black is the default key
  EXPECT_EQ(ScreenPoint(11, 10), red);
  EXPECT_EQ(ScreenPoint(13, 10), blue);

  // The plain display copies the key colour like any other.
  DisplaySprite(3, 10, 20);
  EXPECT_EQ(ScreenPoint(10, 20), 0);

  TransparentSpriteColor(3, red);
  DisplayTransparentSprite(3, 10, 30);
  EXPECT_EQ(ScreenPoint(10, 30), 0);
  EXPECT_EQ(ScreenPoint(11, 30), green);
}

TEST_F(SpriteTest, TheDefaultKeyAppliesToSpritesLoadedLater) {
  MakeStripes(4, {magenta, red});
  TransparentSpriteColor(-1, magenta);
  MakeStripes(5, {magenta, red});
  ClearScreen(green);
  DisplayTransparentSprite(4, 0, 0);
  DisplayTransparentSprite(5, 0, 10);
  EXPECT_EQ(ScreenPoint(0, 0), magenta);  // made before the change: black stays its key
  EXPECT_EQ(ScreenPoint(0, 10), green);
  EXPECT_EQ(ScreenPoint(1, 10), red);
}

TEST_F(SpriteTest, DrawIntoSpriteRedirectsDisplayUntilDrawIntoScreen) {
  MakeStripes(6, {red, blue});
  ASSERT_TRUE(CreateSprite(7, 8, 8, spriteTexture));
  DrawIntoSprite(7);
  DisplaySprite(6, 3, 3);
  DrawIntoScreen();
  EXPECT_EQ(ScreenPoint(3, 3), 0);  // the screen did not get it
  DisplaySprite(7, 100, 50);
  EXPECT_EQ(ScreenPoint(103, 53), red);
  EXPECT_EQ(ScreenPoint(104, 54), blue);
  EXPECT_EQ(ScreenPoint(100, 50), 0);
}

TEST_F(SpriteTest, GrabbedSpritesSaveAsBitmapsThatLoadBack) {
  MakeStripes(8, {red, green, blue});
  DisplaySprite(8, 1021, 766);
  ASSERT_TRUE(GrabSprite(9, 1020, 765, 4, 4));  // runs past the corner: the rest is black
  EXPECT_EQ(SpriteWidth(9), 4);
  EXPECT_EQ(SpriteHeight(9), 4);
  std::string path = ::testing::TempDir() + "grab.bmp";
  ASSERT_TRUE(SaveSprite(9, path));

  ASSERT_TRUE(LoadImage(1, path));
  ASSERT_TRUE(StartDrawing(drawImage, 1));
  EXPECT_EQ(Point(0, 1), 0);
  EXPECT_EQ(Point(1, 1), red);
  EXPECT_EQ(Point(2, 2), green);
  EXPECT_EQ(Point(3, 1), blue);
  EXPECT_EQ(Point(1, 3), 0);
  StopDrawing();
}

TEST_F(SpriteTest, ANameEndingInPngSavesAPngThatLoadsBack) {
  MakeStripes(8, {red, green, blue, white});
  std::string path = ::testing::TempDir() + "stripes.png";
  ASSERT_TRUE(SaveSprite(8, path));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

  ASSERT_TRUE(LoadImage(1, path));
  EXPECT_EQ(ImageWidth(1), 4);
  EXPECT_EQ(ImageHeight(1), 2);
  ASSERT_TRUE(StartDrawing(drawImage, 1));
  EXPECT_EQ(Point(0, 0), red);
  EXPECT_EQ(Point(1, 1), green);
  EXPECT_EQ(Point(2, 0), blue);
  EXPECT_EQ(Point(3, 1), white);
  StopDrawing();
  EXPECT_FALSE(SaveSprite(8, ::testing::TempDir() + "no/such/folder/stripes.png"));
}

TEST_F(SpriteTest, SavingASpriteDrawnIntoKeepsTheDrawing) {
  ASSERT_TRUE(CreateSprite(10, 3, 3, 0));
  DrawIntoSprite(10);
  MakeStripes(11, {white});
  DisplaySprite(11, 1, 1);
  DrawIntoScreen();
  std::string path = ::testing::TempDir() + "drawn.bmp";
  ASSERT_TRUE(SaveSprite(10, path));
  ASSERT_TRUE(LoadImage(2, path));
  ASSERT_TRUE(StartDrawing(drawImage, 2));
  EXPECT_EQ(Point(1, 1), white);
  EXPECT_EQ(Point(0, 0), 0);
  StopDrawing();
}

TEST_F(SpriteTest, CollisionIsAnOverlapOfTheRectangles) {
  ASSERT_TRUE(CreateSprite(12, 10, 10, 0));
  ASSERT_TRUE(CreateSprite(13, 4, 4, 0));
  EXPECT_TRUE(SpriteCollision(12, 0, 0, 13, 9, 9));
  EXPECT_FALSE(SpriteCollision(12, 0, 0, 13, 10, 0));  // touching edges do not overlap
  EXPECT_TRUE(SpriteCollision(13, -3, -3, 12, 0, 0));
  EXPECT_FALSE(SpriteCollision(12, 0, 0, 99, 0, 0));
}

TEST_F(SpriteTest, NumbersWithoutASpriteDoNothing) {
  EXPECT_EQ(SpriteWidth(500), 0);
  EXPECT_FALSE(IsSprite(500));
  DisplaySprite(500, 0, 0);
  ClipSprite(500, 0, 0, 1, 1);
  FreeSprite(500);
  EXPECT_FALSE(SaveSprite(500, ::testing::TempDir() + "none.bmp"));
  MakeStripes(14, {red});
  FreeSprite(14);
  EXPECT_FALSE(IsSprite(14));
  DisplaySprite(14, 0, 0);
  EXPECT_EQ(ScreenPoint(0, 0), 0);
}

TEST_F(SpriteTest, SpritesSurviveAScreenRebuild) {
  MakeStripes(15, {red, green});
  CloseScreen();
  ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, 1024, 768, true));
  ClearScreen(0);
  DisplaySprite(15, 7, 7);
  EXPECT_EQ(ScreenPoint(7, 7), red);
  EXPECT_EQ(ScreenPoint(8, 7), green);
}

// A frame-like picture, clear but for a border and two lone pixels, copied over a busy screen:
// the screen shows exactly the picture where it is not clear and what was there elsewhere, however
// the copy is placed or clipped, and the clear parts are not sent to the renderer to draw.
TEST_F(SpriteTest, AMostlyClearPictureIsCopiedInItsVisiblePartsWithTheSamePixels) {
  constexpr int width = 320;
  constexpr int height = 200;
  ASSERT_TRUE(CreateSprite(1, width, height, 0));
  TransparentSpriteColor(1, 0);
  ASSERT_TRUE(StartDrawing(drawSprite, 1));
  uint32_t* sprite = DrawingBuffer();
  const int spritePitch = DrawingBufferPitch() / 4;
  std::vector<uint32_t> picture(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool border = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
      if (border) picture[y * width + x] = 0xC02010u + static_cast<uint32_t>((x + y) % 40);
    }
  }
  picture[101 * width + 161] = 0x00FF00u;  // alone in the middle of the picture
  picture[150 * width + 40] = 0x0000FFu;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) sprite[y * spritePitch + x] = picture[y * width + x];
  }
  StopDrawing();

  struct Placement {
    int x, y;
    SDL_Rect clip;  // w 0: the whole picture
  };
  const Placement placements[] = {{50, 40, {0, 0, 0, 0}},
                                  {-37, -61, {0, 0, 0, 0}},
                                  {900, 700, {0, 0, 0, 0}},
                                  {400, 300, {30, 90, 200, 100}}};
  for (const Placement& at : placements) {
    SCOPED_TRACE(testing::Message() << "at " << at.x << ", " << at.y);
    ASSERT_TRUE(StartDrawing());
    uint32_t* screen = DrawingBuffer();
    const int pitch = DrawingBufferPitch() / 4;
    for (int y = 0; y < 768; ++y) {
      for (int x = 0; x < 1024; ++x) screen[y * pitch + x] = static_cast<uint32_t>(x * 7 + y * 1031) & 0xFFFFFFu;
    }
    StopDrawing();
    const SDL_Rect clip = at.clip.w ? at.clip : SDL_Rect{0, 0, width, height};
    if (at.clip.w) ClipSprite(1, clip.x, clip.y, clip.w, clip.h);
    ResetRendererCalls();
    DisplayTransparentSprite(1, at.x, at.y);
    EXPECT_LT(RendererCalls().copyPixels, 0.4 * clip.w * clip.h);
    ClipSprite(1, -1, -1, -1, -1);

    ASSERT_TRUE(StartDrawing());
    screen = DrawingBuffer();
    int wrong = 0;
    for (int y = 0; y < 768; ++y) {
      for (int x = 0; x < 1024; ++x) {
        uint32_t expected = static_cast<uint32_t>(x * 7 + y * 1031) & 0xFFFFFFu;
        const int u = x - at.x + clip.x;
        const int v = y - at.y + clip.y;
        if (u >= clip.x && v >= clip.y && u < clip.x + clip.w && v < clip.y + clip.h &&
            picture[v * width + u] != 0) {
          expected = picture[v * width + u];
        }
        if ((screen[y * pitch + x] & 0xFFFFFFu) != expected) ++wrong;
      }
    }
    StopDrawing();
    EXPECT_EQ(wrong, 0);
  }
}

// A large opaque picture copied at its own size lands exactly where a drawing would put it,
// cut at the screen's edges and by its clip; on SDL's opengl renderer as a copy of memory.
TEST_F(SpriteTest, ALargeOpaquePictureIsCopiedExactlyWhereverItLands) {
  constexpr int width = 400;
  constexpr int height = 300;
  ASSERT_TRUE(CreateSprite(2, width, height, 0));
  ASSERT_TRUE(StartDrawing(drawSprite, 2));
  uint32_t* sprite = DrawingBuffer();
  const int spritePitch = DrawingBufferPitch() / 4;
  auto pictureAt = [](int u, int v) { return static_cast<uint32_t>(u * 97 + v * 65599 + 0x10101) & 0xFFFFFFu; };
  for (int v = 0; v < height; ++v) {
    for (int u = 0; u < width; ++u) sprite[v * spritePitch + u] = pictureAt(u, v);
  }
  StopDrawing();
  const bool memoryCopies = RendererDescription().rfind("opengl (", 0) == 0;
  struct Placement {
    int x, y;
    SDL_Rect clip;  // w 0: the whole picture
    bool large;     // a small part is drawn as before
  };
  const Placement placements[] = {{100, 50, {0, 0, 0, 0}, true},
                                  {-20, -30, {0, 0, 0, 0}, true},
                                  {800, 600, {0, 0, 0, 0}, false},
                                  {300, 200, {10, 5, 280, 250}, true}};
  for (const Placement& at : placements) {
    SCOPED_TRACE(testing::Message() << "at " << at.x << ", " << at.y);
    ClearScreen(RGB(1, 2, 3));
    const SDL_Rect clip = at.clip.w ? at.clip : SDL_Rect{0, 0, width, height};
    if (at.clip.w) ClipSprite(2, clip.x, clip.y, clip.w, clip.h);
    ResetRendererCalls();
    DisplaySprite(2, at.x, at.y);
    if (memoryCopies) EXPECT_EQ(RendererCalls().memoryCopies, at.large ? 1u : 0u);
    ClipSprite(2, -1, -1, -1, -1);
    Box(0, 0, 2, 2, RGB(9, 9, 9));  // drawing after the copy lands on top of it
    ASSERT_TRUE(StartDrawing());
    const uint32_t* screen = DrawingBuffer();
    const int pitch = DrawingBufferPitch() / 4;
    int wrong = 0;
    for (int y = 0; y < 768; ++y) {
      for (int x = 0; x < 1024; ++x) {
        uint32_t expected = x < 2 && y < 2 ? 0x090909u : 0x010203u;
        const int u = x - at.x + clip.x;
        const int v = y - at.y + clip.y;
        if ((x >= 2 || y >= 2) && u >= clip.x && v >= clip.y && u < clip.x + clip.w && v < clip.y + clip.h) {
          expected = pictureAt(u, v);
        }
        if ((screen[y * pitch + x] & 0xFFFFFFu) != expected) ++wrong;
      }
    }
    StopDrawing();
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(SpriteTest, TheBackBufferKeepsItsPictureAcrossAFlip) {
  ClearScreen(blue);
  FlipBuffers();
  EXPECT_EQ(ScreenPoint(512, 384), blue);
}

TEST_F(SpriteTest, WindowStateFollowsItsEvents) {
  EXPECT_TRUE(ScreenActive());
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&event);
  EXPECT_FALSE(ScreenActive());
  event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  SDL_PushEvent(&event);
  EXPECT_TRUE(ScreenActive());

  EXPECT_FALSE(CloseRequested());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  FlipBuffers();  // the flip keeps the window's events flowing
  EXPECT_TRUE(CloseRequested());
  EXPECT_FALSE(CloseRequested());
}

}  // namespace
