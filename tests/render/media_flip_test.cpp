// SPDX-License-Identifier: GPL-3.0-or-later
// The flip: a frame that draws nothing presents nothing (the window still shows the last one),
// anything drawn or written into the screen, or a window event, presents again; and the window
// of the screen's own size shows the back buffer pixel for pixel, whether the renderer presents it
// or, on a software rasteriser, the window's surface is given it.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <time.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "support/headless.h"

namespace {

class Flip : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    FlipBuffers();  // the window events of the opening are behind us
  }
  void TearDown() override {
    KeepPresentedPictures(false);
    AllowSurfaceFlips(true);
    ShutdownMedia();
  }
  // Whether this flip presented a picture.
  static bool FlipPresents() {
    const uint64_t skipped = FlipsSkipped();
    FlipBuffers();
    return FlipsSkipped() == skipped;
  }
  // The tests run on llvmpipe (CI has no graphics card): there the surface must be used.
  static bool SoftwareRasteriser() { return RendererDescription().find("llvmpipe") != std::string::npos; }
  // A plain screen, flipped with the window's picture kept: the screen's pixels.
  static std::vector<uint32_t> PlainScreenShown(int& width, int& height) {
    KeepPresentedPictures(true);
    ClearScreen(RGB(10, 20, 30));
    FlipBuffers();
    std::vector<uint32_t> pixels;
    EXPECT_TRUE(FullScreenPicture(pixels, width, height));
    return pixels;
  }
  // A flip after a limited frame: the window is given the limited parts alone, and ends with the
  // back buffer's picture all the same.
  static void FlipGivesTheWindowItsPartsAlone(const std::vector<uint32_t>& backBuffer) {
    const uint64_t parts = PartSurfaceFlipCount();
    FlipBuffers();
    EXPECT_EQ(PartSurfaceFlipCount() - parts, SoftwareRasteriser() ? 1u : 0u);
    std::vector<uint32_t> window;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(PresentedPicture(window, width, height));
    EXPECT_TRUE(window == backBuffer);
  }
};

TEST_F(Flip, OnlyAFrameWithSomethingDrawnIsPresented) {
  ClearScreen(RGB(10, 20, 30));
  EXPECT_TRUE(FlipPresents());
  EXPECT_FALSE(FlipPresents());
  EXPECT_FALSE(FlipPresents());
  Box(5, 5, 10, 10, RGB(200, 0, 0));
  EXPECT_TRUE(FlipPresents());
  EXPECT_FALSE(FlipPresents());
  // Pixels written through the screen's drawing buffer count as drawing; reading does not.
  ASSERT_TRUE(StartDrawing());
  EXPECT_EQ(Point(7, 7), RGB(200, 0, 0));
  StopDrawing();
  EXPECT_FALSE(FlipPresents());
  ASSERT_TRUE(StartDrawing());
  DrawingBuffer()[0] = 0x00FF00;
  StopDrawing();
  EXPECT_TRUE(FlipPresents());
  EXPECT_FALSE(FlipPresents());
  // A quad counts too.
  ASSERT_TRUE(Start3D());
  SolidQuad(7, 16, 16, RGB(0, 0, 255));
  DisplaySprite3D(7, 100, 100);
  Stop3D();
  EXPECT_TRUE(FlipPresents());
}

TEST_F(Flip, AWindowEventPresentsTheUnchangedPictureAgain) {
  ClearScreen(RGB(10, 20, 30));
  FlipBuffers();
  SDL_Event exposed{};
  exposed.type = SDL_WINDOWEVENT;
  exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
  ASSERT_EQ(SDL_PushEvent(&exposed), 1);
  EXPECT_TRUE(FlipPresents());
  EXPECT_FALSE(FlipPresents());
}

TEST_F(Flip, TheWindowShowsTheBackBufferExactlyAndAStillFrameStaysOnIt) {
  for (const bool throughSurface : {true, false}) {
    SCOPED_TRACE(throughSurface ? "through the window's surface" : "presented by the renderer");
    AllowSurfaceFlips(throughSurface);
    // A pattern of single pixels: filtering or an offset of the copy would blur or move it.
    ClearScreen(0);
    for (int y = 0; y < screenHeight; y += 3) {
      for (int x = (y / 3) % 5; x < screenWidth; x += 5) Plot(x, y, RGB(x % 256, y % 256, throughSurface ? 200 : 90));
    }
    std::vector<uint32_t> screen;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(FullScreenPicture(screen, width, height));
    ASSERT_EQ(width, screenWidth);
    KeepPresentedPictures(true);
    const uint64_t surfaceFlips = SurfaceFlipCount();
    FlipBuffers();
    EXPECT_EQ(SurfaceFlipCount() - surfaceFlips, throughSurface && SoftwareRasteriser() ? 1u : 0u);
    std::vector<uint32_t> window;
    int windowWidth = 0;
    int windowHeight = 0;
    ASSERT_TRUE(PresentedPicture(window, windowWidth, windowHeight));
    ASSERT_EQ(windowWidth, screenWidth);
    ASSERT_EQ(windowHeight, screenHeight);
    EXPECT_TRUE(window == screen);
    // Kept pictures are presented every frame, and the back buffer holds the frame after it.
    EXPECT_TRUE(FlipPresents());
    KeepPresentedPictures(false);
    EXPECT_FALSE(FlipPresents());
    std::vector<uint32_t> after;
    ASSERT_TRUE(FullScreenPicture(after, width, height));
    EXPECT_TRUE(after == screen);
  }
}

// A window of another size than the back buffer: the renderer scales the frame and presents it.
TEST_F(Flip, ALetterboxedWindowIsPresentedByTheRenderer) {
  SetFullScreen(false);
  ASSERT_TRUE(SimulateWindowResize(screenWidth * 3 / 2, screenHeight * 5 / 4));
  ScreenActive();  // a look at the events
  Box(5, 5, 10, 10, RGB(200, 0, 0));
  const uint64_t surfaceFlips = SurfaceFlipCount();
  KeepPresentedPictures(true);
  FlipBuffers();
  EXPECT_EQ(SurfaceFlipCount(), surfaceFlips);
  std::vector<uint32_t> window;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(PresentedPicture(window, width, height));
  EXPECT_EQ(width, screenWidth * 3 / 2);
  EXPECT_EQ(height, screenHeight * 5 / 4);
}

// The tests' own runs nobody watches: the frame stays in the back buffer and the window is not
// given its copy, unless a test keeps the presented pictures.
TEST_F(Flip, AnUnwatchedWindowIsNotGivenTheFrameThatTheBackBufferHolds) {
  for (const bool unwatched : {true, false}) {
    SCOPED_TRACE(unwatched ? "unwatched" : "watched");
    SetWindowUnwatched(unwatched);
    Box(5, 5, 10, 10, RGB(200, 0, 0));
    ResetRendererCalls();
    const uint64_t surfaceFlips = SurfaceFlipCount();
    FlipBuffers();
    // The window's copy of the frame: the renderer's, or the one given to its surface.
    EXPECT_EQ(RendererCalls().other + (SurfaceFlipCount() - surfaceFlips), unwatched ? 0u : 1u);
    EXPECT_EQ(ScreenPixel(7, 7), RGB(200, 0, 0));
    EXPECT_FALSE(FlipPresents());
  }
  SetWindowUnwatched(true);
}

// A screen limited to a part changes there alone, whatever is drawn, and the next flip gives the
// window that part alone: the window ends with the back buffer's picture all the same.
TEST_F(Flip, AScreenLimitedToAPartChangesAndPresentsThatPartAlone) {
  KeepPresentedPictures(true);
  ClearScreen(RGB(10, 20, 30));
  Box(0, 0, 60, 60, RGB(0, 0, 250));
  FlipBuffers();
  std::vector<uint32_t> before;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(FullScreenPicture(before, width, height));
  constexpr int partX = 100, partY = 80, partWidth = 40, partHeight = 30;
  LimitScreenChanges(partX, partY, partWidth, partHeight);
  ClearScreen(RGB(200, 0, 0));
  Box(0, 0, 120, 100, RGB(0, 200, 0));  // over the part's top left corner and far beyond it
  ASSERT_TRUE(Start3D());
  SolidQuad(7, 300, 300, RGB(0, 0, 255));
  DisplaySprite3D(7, 130, 105);  // over its bottom right corner
  DisplaySprite3D(7, 500, 400);  // nowhere near it
  Stop3D();
  EndScreenChangeLimit();
  std::vector<uint32_t> after;
  ASSERT_TRUE(FullScreenPicture(after, width, height));
  ASSERT_EQ(after.size(), before.size());
  // Pictures read back are 0x00RRGGBB.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = after[static_cast<std::size_t>(y) * width + x];
      const bool inside = x >= partX && x < partX + partWidth && y >= partY && y < partY + partHeight;
      if (!inside) {
        ASSERT_EQ(pixel, before[static_cast<std::size_t>(y) * width + x]) << x << ", " << y;
      } else if (x >= 130 && y >= 105) {
        ASSERT_EQ(pixel, 0x0000FFu) << x << ", " << y;
      } else if (x < 120 && y < 100) {
        ASSERT_EQ(pixel, 0x00C800u) << x << ", " << y;
      } else {
        ASSERT_EQ(pixel, 0xC80000u) << x << ", " << y;
      }
    }
  }
  const uint64_t parts = PartSurfaceFlipCount();
  FlipGivesTheWindowItsPartsAlone(after);
  std::vector<uint32_t> window;
  // Drawn on after the limit ended: the flip gives the window the whole picture.
  LimitScreenChanges(partX, partY, partWidth, partHeight);
  EndScreenChangeLimit();
  Box(300, 300, 5, 5, RGB(250, 250, 0));
  FlipBuffers();
  EXPECT_EQ(PartSurfaceFlipCount() - parts, SoftwareRasteriser() ? 1u : 0u);
  ASSERT_TRUE(PresentedPicture(window, width, height));
  EXPECT_EQ(window[static_cast<std::size_t>(302) * width + 302], 0xFAFA00u);  // pictures are 0x00RRGGBB
}

// A limit moved from part to part within a frame: each part changes alone, a large copy too (cut
// to its part), and the flip gives the window those parts alone; drawn on outside them before the
// first, the frame goes whole.
TEST_F(Flip, PartsLimitedOneAfterAnotherAreAllAFrameChanges) {
  PaintSprite(8, 300, 300, 0, [](int, int) { return 0xFF3060C0u; });
  int width = 0;
  int height = 0;
  const std::vector<uint32_t> before = PlainScreenShown(width, height);
  const SDL_Rect first{0, 0, 50, 40}, second{100, 60, 30, 20}, third{280, 280, 260, 260};
  LimitScreenChanges(first.x, first.y, first.w, first.h);
  ClearScreen(RGB(200, 0, 0));
  LimitScreenChanges(second.x, second.y, second.w, second.h);  // moved without an end between
  ClearScreen(RGB(0, 200, 0));
  EndScreenChangeLimit();
  LimitScreenChanges(third.x, third.y, third.w, third.h);  // nothing drawn since the last end
  const uint64_t memoryCopies = RendererCalls().memoryCopies;
  DisplaySprite(8, 250, 250);
  EndScreenChangeLimit();
  // On SDL's opengl renderer, as a copy of memory.
  if (RendererDescription().rfind("opengl (", 0) == 0) {
    EXPECT_EQ(RendererCalls().memoryCopies - memoryCopies, 1u);
  }
  std::vector<uint32_t> after;
  ASSERT_TRUE(FullScreenPicture(after, width, height));
  auto in = [](const SDL_Rect& r, int x, int y) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = after[static_cast<std::size_t>(y) * width + x];
      const uint32_t wanted = in(first, x, y)    ? 0xC80000u
                              : in(second, x, y) ? 0x00C800u
                              : in(third, x, y)  ? 0x3060C0u
                                                 : before[static_cast<std::size_t>(y) * width + x];
      ASSERT_EQ(pixel, wanted) << x << ", " << y;
    }
  }
  const uint64_t parts = PartSurfaceFlipCount();
  FlipGivesTheWindowItsPartsAlone(after);
  std::vector<uint32_t> window;

  Box(300, 200, 5, 5, RGB(250, 250, 0));
  LimitScreenChanges(first.x, first.y, first.w, first.h);
  ClearScreen(RGB(0, 0, 200));
  EndScreenChangeLimit();
  FlipBuffers();
  EXPECT_EQ(PartSurfaceFlipCount() - parts, SoftwareRasteriser() ? 1u : 0u);
  ASSERT_TRUE(PresentedPicture(window, width, height));
  EXPECT_EQ(window[static_cast<std::size_t>(202) * width + 302], 0xFAFA00u);
}

// An image shown on a limited screen: on a software rasteriser it goes to the window at the flip
// without a drawing into the back buffer, and the screen holds it all the same for every reader
// and for drawing over it later.
TEST_F(Flip, AnImageShownOnALimitedScreenReachesTheWindowAndTheScreenHoldsIt) {
  constexpr int image = 9;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> wanted = PlainScreenShown(width, height);
  const SDL_Rect part{100, 120, 60, 40};
  // The image's picture in a shade of red, into its pixels or where the screen should show it.
  auto shade = [&part](int red, uint32_t* pixels, int pitch) {
    for (int y = 0; y < part.h; ++y) {
      for (int x = 0; x < part.w; ++x) pixels[y * pitch + x] = static_cast<uint32_t>(red << 16 | x * 4 << 8 | y * 6);
    }
  };
  auto paint = [&](int red) {
    ASSERT_TRUE(StartDrawing(drawImage, image));
    shade(red, DrawingBuffer(), part.w);
    StopDrawing();
  };
  auto wantedWith = [&](int red) {
    shade(red, wanted.data() + static_cast<std::size_t>(part.y) * width + part.x, width);
  };
  ASSERT_TRUE(CreateImage(image, part.w, part.h));
  paint(200);
  const uint64_t drawCalls = RendererCalls().other;
  LimitScreenChanges(part.x, part.y, part.w, part.h);
  DisplayImage(image, part.x, part.y);
  EndScreenChangeLimit();
  if (SoftwareRasteriser()) {
    EXPECT_EQ(RendererCalls().other, drawCalls);
  }
  paint(90);  // after the show: the window is given the image as it was shown
  wantedWith(200);
  FlipGivesTheWindowItsPartsAlone(wanted);
  std::vector<uint32_t> screen;
  ASSERT_TRUE(FullScreenPicture(screen, width, height));
  EXPECT_TRUE(screen == wanted);

  // Shown again, then drawn over in part by a frame that is not limited.
  LimitScreenChanges(part.x, part.y, part.w, part.h);
  DisplayImage(image, part.x, part.y);
  EndScreenChangeLimit();
  FlipBuffers();
  Box(part.x + 20, part.y + 10, 8, 8, RGB(250, 250, 0));
  wantedWith(90);
  for (int y = 10; y < 18; ++y) {
    for (int x = 20; x < 28; ++x) wanted[static_cast<std::size_t>(part.y + y) * width + part.x + x] = 0xFAFA00u;
  }
  FlipBuffers();
  std::vector<uint32_t> window;
  ASSERT_TRUE(PresentedPicture(window, width, height));
  EXPECT_TRUE(window == wanted);
  ASSERT_TRUE(FullScreenPicture(screen, width, height));
  EXPECT_TRUE(screen == wanted);
  FreeImage(image);
}

// The limiter keeps the frame period by sleeping: only the wait's last moment is polled, so a game
// standing still costs next to no CPU (polling the last millisecond of each frame cost a tenth of
// a core).
TEST_F(Flip, TheFrameLimiterKeepsThePeriodAsleep) {
  constexpr int frameRate = 75;
  constexpr int frames = 38;
  SetFrameRate(frameRate);
  SetFrameLimiterEnabled(true);
  FlipBuffers();
  auto threadSeconds = [] {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
  };
  const auto start = std::chrono::steady_clock::now();
  const double cpuBefore = threadSeconds();
  for (int i = 0; i < frames; ++i) FlipBuffers();
  const double cpu = threadSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  SetFrameLimiterEnabled(false);
  EXPECT_GE(wall, frames / (frameRate + 1.0) - 0.002);
  EXPECT_LT(cpu, wall * 0.05) << cpu * 1000 << " ms of CPU in " << wall * 1000 << " ms";
}

}  // namespace
