// SPDX-License-Identifier: GPL-3.0-or-later
// The sharp display: the game drawn at scale 2 (an offscreen window of 2048 x 1536) and brought
// down to 1024 x 768 looks like the game drawn at scale 1; sizes, positions and pixel reads stay
// the screen's; the choice between sharp and classic; fonts opened at the scale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/run_options.h"
#include "core/screen.h"
#include "core/settings.h"
#include "frontend/main_menu.h"
#include "frontend/pause_screen.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

constexpr int doubleWidth = 2 * screenWidth;    // 2048
constexpr int doubleHeight = 2 * screenHeight;  // 1536

// How far a frame drawn at scale 2 and brought down may stray from the same frame at scale 1:
// the mean difference of a colour channel (0 to 255), and the share of pixels with a channel more
// than farApart away. Edges drawn sharp differ from edges drawn at 1024 x 768 by a part of a
// pixel's colour; what must not happen is a picture moved, missing, or drawn at another size.
constexpr double meanTolerance = 2.0;   // measured: level 1 0.53, HUD 0.44, menu 0.46, pause 0.32
constexpr int farApart = 96;
constexpr double farShareTolerance = 0.01;  // measured: 0 in each
// Text alone: the larger face is hinted on its own grid, so a glyph's edges land up to a pixel
// away from the smaller face's. A line drawn a few pixels too long (measured 17.9 and 8.4 %)
// or moved fails.
constexpr double textMeanTolerance = 10.0;
constexpr double textFarShareTolerance = 0.05;

struct Likeness {
  double mean = 0;       // mean absolute difference of a channel
  double farShare = 0;   // share of pixels with a channel more than farApart away
};

// The screen's pixels as the game reads them (a scaled screen brought down to the screen's).
std::vector<uint32_t> ScreenPixels(int left = 0, int top = 0, int width = screenWidth, int height = screenHeight) {
  std::vector<uint32_t> pixels;
  if (!StartDrawing()) return pixels;
  const uint32_t* buffer = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  if (buffer) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) pixels.push_back(buffer[static_cast<std::size_t>(y) * pitch + x] & 0xFFFFFFu);
    }
  }
  StopDrawing();
  return pixels;
}

// The whole back buffer, at the display's scale, with its pixels read by position.
struct BackBuffer {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

BackBuffer WholeBackBuffer() {
  BackBuffer back;
  if (!FullScreenPicture(back.pixels, back.width, back.height)) back = BackBuffer{};
  return back;
}

Likeness Compare(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  Likeness likeness;
  if (a.size() != b.size() || a.empty()) return Likeness{255, 1};
  double total = 0;
  std::size_t far = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    int most = 0;
    for (int shift : {0, 8, 16}) {
      const int d = std::abs(static_cast<int>((a[i] >> shift) & 255) - static_cast<int>((b[i] >> shift) & 255));
      total += d;
      most = std::max(most, d);
    }
    if (most > farApart) ++far;
  }
  likeness.mean = total / (3.0 * static_cast<double>(a.size()));
  likeness.farShare = static_cast<double>(far) / static_cast<double>(a.size());
  return likeness;
}

// Pixels that are not black: a frame that drew nothing would match another that drew nothing.
std::size_t LitPixels(const std::vector<uint32_t>& pixels) {
  std::size_t lit = 0;
  for (uint32_t p : pixels) lit += (p & 0xFFFFFFu) != 0;
  return lit;
}

void ExpectAlike(const std::vector<uint32_t>& classic, const std::vector<uint32_t>& sharp, const char* what,
                 double meanLimit = meanTolerance, double farShareLimit = farShareTolerance) {
  ASSERT_FALSE(classic.empty()) << what;
  EXPECT_GT(LitPixels(classic), classic.size() / 20) << what << ": the frame drew next to nothing";
  const Likeness likeness = Compare(classic, sharp);
  EXPECT_LT(likeness.mean, meanLimit) << what;
  EXPECT_LT(likeness.farShare, farShareLimit) << what;
  std::printf("%s: mean difference %.2f, pixels far apart %.3f %%\n", what, likeness.mean, 100 * likeness.farShare);
}

// The columns and rows holding bright ink (blue above half) in an area of the given width.
struct InkBox {
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};
InkBox InkOf(const std::vector<uint32_t>& pixels, int width) {
  InkBox box;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if ((pixels[i] & 255) <= 128) continue;
    const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
    box.left = std::min(box.left, x);
    box.right = std::max(box.right, x);
    box.top = std::min(box.top, y);
    box.bottom = std::max(box.bottom, y);
  }
  return box;
}
constexpr int textAreaWidth = 420, textAreaHeight = 60;

// The game's window made ahead of start-up, of the given size: start-up then opens its screen in
// it, as in a desktop of that size.
void OpenGameWindow(int width, int height) {
  SetMessageBoxesSilent(true);
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(OpenWindow(gameWindow, 0, 0, width, height, windowTitle, false));
}

class SharpDisplay : public ::testing::Test {
 protected:
  void SetUp() override { runOptions = RunOptions{}; }
  void TearDown() override {
    runOptions = RunOptions{};
    SetManualClock(false);
    ShutdownMedia();
  }

  // Level 1 after its first frames, at the size of window given, sharp forced.
  static std::vector<uint32_t> LevelFrame(int width, int height, int left = 0, int top = 0,
                                          int areaWidth = screenWidth, int areaHeight = screenHeight) {
    std::vector<uint32_t> pixels;
    OpenGameWindow(width, height);
    runOptions.sharp = true;
    SetManualClock(true);
    StartHeadlessGame();
    for (int i = 0; i < 40; ++i) RunFrame();
    pixels = ScreenPixels(left, top, areaWidth, areaHeight);
    SetManualClock(false);
    ShutdownMedia();
    return pixels;
  }
};

TEST_F(SharpDisplay, AWindowTwiceTheScreenDrawsAtScaleTwoAndTheScreenKeepsItsSize) {
  OpenGameWindow(doubleWidth, doubleHeight);
  runOptions.sharp = true;
  StartHeadlessGame();
  EXPECT_TRUE(DrawingSharp());
  EXPECT_FLOAT_EQ(ScreenScaleX(), 2.0f);
  EXPECT_FLOAT_EQ(ScreenScaleY(), 2.0f);
  // The level's pictures, loaded one at a time, have their detail too.
  EXPECT_EQ(SpriteDetail(obj::background), 2);
  EXPECT_EQ(SpriteDetail(obj::panelRight), 2);
  // A box at screen pixels (10, 10) to (14, 14) fills back-buffer pixels (20, 20) to (29, 29).
  ClearScreen(0);
  ASSERT_TRUE(StartDrawing());
  Box(10, 10, 5, 5, RGB(255, 0, 0));
  StopDrawing();
  const BackBuffer back = WholeBackBuffer();
  ASSERT_EQ(back.width, doubleWidth);
  ASSERT_EQ(back.height, doubleHeight);
  EXPECT_EQ(back.At(20, 20), 0xFF0000u);
  EXPECT_EQ(back.At(29, 29), 0xFF0000u);
  EXPECT_EQ(back.At(19, 20), 0u);
  EXPECT_EQ(back.At(30, 29), 0u);
  // Reading and grabbing stay in the screen's pixels.
  ASSERT_TRUE(StartDrawing());
  EXPECT_EQ(Point(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(Point(14, 14), RGB(255, 0, 0));
  EXPECT_EQ(Point(15, 14), 0);
  StopDrawing();
  ASSERT_TRUE(GrabSprite(obj::screenshotSprite, 0, 0, screenWidth, screenHeight));
  EXPECT_EQ(SpriteWidth(obj::screenshotSprite), screenWidth);
  EXPECT_EQ(SpriteHeight(obj::screenshotSprite), screenHeight);
}

TEST_F(SharpDisplay, ClassicOrAWindowOfTheScreensSizeDrawsAtScaleOne) {
  OpenGameWindow(doubleWidth, doubleHeight);
  runOptions.classic = true;
  StartHeadlessGame();
  EXPECT_FALSE(DrawingSharp());
  EXPECT_FLOAT_EQ(ScreenScaleX(), 1.0f);
  EXPECT_EQ(SpriteDetail(obj::background), 1);
  ShutdownMedia();

  OpenGameWindow(screenWidth, screenHeight);
  runOptions = RunOptions{};
  runOptions.sharp = true;
  StartHeadlessGame();
  EXPECT_FALSE(DrawingSharp());
  EXPECT_FLOAT_EQ(ScreenScaleY(), 1.0f);
}

TEST_F(SharpDisplay, ASoftwareRasteriserKeepsTheClassicScreenUnlessSharpIsForced) {
  OpenGameWindow(doubleWidth, doubleHeight);
  StartHeadlessGame();  // the player's setting: sharp
  const std::string renderer = RendererDescription();
  if (renderer.find("llvmpipe") == std::string::npos && renderer.find("softpipe") == std::string::npos) {
    GTEST_SKIP() << "the renderer here draws on a graphics card: " << renderer;
  }
  EXPECT_FALSE(DrawingSharp()) << renderer;
  runOptions.sharp = true;
  OpenGameScreen();
  EXPECT_TRUE(DrawingSharp()) << renderer;
}

TEST_F(SharpDisplay, FontsAreOpenedAtTheirSizeTimesTheScaleAndMeasureAsAtScaleOne) {
  OpenGameWindow(doubleWidth, doubleHeight);
  runOptions.classic = true;
  StartHeadlessGame();
  ASSERT_TRUE(LoadFont(obj::fontText, "Arial black", 25));
  EXPECT_EQ(ScreenFontSize(obj::fontText), 25);
  DrawingFont(obj::fontText);
  const int widthAtOne = TextWidth("KALDOVIRENT 1234");
  const int heightAtOne = TextHeight("K");

  runOptions = RunOptions{};
  runOptions.sharp = true;
  OpenGameScreen();
  ASSERT_TRUE(DrawingSharp());
  EXPECT_EQ(ScreenFontSize(obj::fontText), 50);
  DrawingFont(obj::fontText);
  EXPECT_EQ(TextWidth("KALDOVIRENT 1234"), widthAtOne);
  EXPECT_EQ(TextHeight("K"), heightAtOne);

  // The text drawn at scale 2 covers, in the screen's pixels, what it covers at scale 1.
  auto drawnText = [] {
    ClearScreen(0);
    if (!StartDrawing()) return std::vector<uint32_t>{};
    DrawingFont(obj::fontText);
    DrawingMode(1);
    DrawText(100, 100, "KALDOVIRENT 1234", RGB(255, 255, 255), 0);
    StopDrawing();
    return ScreenPixels(90, 90, textAreaWidth, textAreaHeight);
  };
  const std::vector<uint32_t> sharp = drawnText();
  runOptions = RunOptions{};
  runOptions.classic = true;
  OpenGameScreen();
  const std::vector<uint32_t> classic = drawnText();
  ExpectAlike(classic, sharp, "text", textMeanTolerance, textFarShareTolerance);
  // The larger face runs a few pixels longer over the line: it is drawn in the line's box.
  const InkBox classicInk = InkOf(classic, textAreaWidth);
  const InkBox sharpInk = InkOf(sharp, textAreaWidth);
  EXPECT_NEAR(sharpInk.left, classicInk.left, 1);
  EXPECT_NEAR(sharpInk.right, classicInk.right, 1);
  EXPECT_NEAR(sharpInk.top, classicInk.top, 1);
  EXPECT_NEAR(sharpInk.bottom, classicInk.bottom, 1);
}

TEST_F(SharpDisplay, LevelOneAtScaleTwoBroughtDownMatchesScaleOne) {
  const std::vector<uint32_t> classic = LevelFrame(screenWidth, screenHeight);
  const std::vector<uint32_t> sharp = LevelFrame(doubleWidth, doubleHeight);
  ExpectAlike(classic, sharp, "level 1");
}

TEST_F(SharpDisplay, TheHudAtScaleTwoBroughtDownMatchesScaleOne) {
  // The right-hand panel: team name, score, lives, letters.
  constexpr int hudLeft = 800, hudTop = 0, hudWidth = 224, hudHeight = 768;
  const std::vector<uint32_t> classic = LevelFrame(screenWidth, screenHeight, hudLeft, hudTop, hudWidth, hudHeight);
  const std::vector<uint32_t> sharp = LevelFrame(doubleWidth, doubleHeight, hudLeft, hudTop, hudWidth, hudHeight);
  ExpectAlike(classic, sharp, "HUD");
}

TEST_F(SharpDisplay, TheMenuAtScaleTwoBroughtDownMatchesScaleOne) {
  auto menuFrame = [](int width, int height) {
    OpenGameWindow(width, height);
    runOptions.sharp = true;
    OpenHeadlessGame();
    EXPECT_TRUE(InitSound());
    RandomSeed(3);
    SetManualClock(true);
    SetUpMenu();
    for (int i = 0; i < 30; ++i) MenuFrame();
    std::vector<uint32_t> pixels = ScreenPixels();
    TearDownMenu();
    SetManualClock(false);
    ShutdownMedia();
    return pixels;
  };
  const std::vector<uint32_t> classic = menuFrame(screenWidth, screenHeight);
  const std::vector<uint32_t> sharp = menuFrame(doubleWidth, doubleHeight);
  ExpectAlike(classic, sharp, "menu");
}

TEST_F(SharpDisplay, ThePausePictureAtScaleTwoMatchesScaleOne) {
  auto pausePicture = [](int width, int height) {
    std::vector<uint32_t> pixels;
    OpenGameWindow(width, height);
    runOptions.sharp = true;
    SetManualClock(true);
    StartHeadlessGame();
    for (int i = 0; i < 40; ++i) RunFrame();
    MakePausePicture();
    ClearScreen(0);
    DisplayImage(obj::pauseResult, 0, 0);
    pixels = ScreenPixels();
    SetManualClock(false);
    ShutdownMedia();
    return pixels;
  };
  const std::vector<uint32_t> classic = pausePicture(screenWidth, screenHeight);
  const std::vector<uint32_t> sharp = pausePicture(doubleWidth, doubleHeight);
  ExpectAlike(classic, sharp, "pause picture");
}

void DrawBox(int x, int y, int colour) {
  ASSERT_TRUE(StartDrawing());
  Box(x, y, 5, 5, colour);
  StopDrawing();
}

// The window resized (by the player, or by Alt+Enter going full screen and back): the screen is
// drawn at the window's new scale from the next look at the events, with the picture it held.
TEST_F(SharpDisplay, AResizedWindowRedrawsTheScreenAtItsNewScaleKeepingThePicture) {
  constexpr int red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  OpenGameWindow(screenWidth, screenHeight);
  ChooseDisplay(DisplayChoice::sharpOnAnyRenderer);
  ASSERT_TRUE(OpenWindowedScreen(gameWindow, 0, 0, screenWidth, screenHeight, true));
  ASSERT_TRUE(LoadFont(obj::fontText, "Arial black", 25));
  EXPECT_FALSE(DrawingSharp());
  ClearScreen(0);
  DrawBox(10, 10, red);

  ASSERT_TRUE(SimulateWindowResize(doubleWidth, doubleHeight));
  ScreenActive();  // a look at the events
  EXPECT_TRUE(DrawingSharp());
  EXPECT_FLOAT_EQ(ScreenScaleX(), 2.0f);
  EXPECT_FLOAT_EQ(ScreenScaleY(), 2.0f);
  EXPECT_TRUE(WantsDetailedPictures());
  EXPECT_EQ(ScreenFontSize(obj::fontText), 50);
  // The box drawn before is still there; one drawn now lands on the back buffer's own pixels.
  EXPECT_EQ(ScreenPixel(12, 12), red);
  DrawBox(100, 100, blue);
  const BackBuffer back = WholeBackBuffer();
  ASSERT_EQ(back.width, doubleWidth);
  ASSERT_EQ(back.height, doubleHeight);
  EXPECT_EQ(back.At(24, 24), 0xFF0000u);
  EXPECT_EQ(back.At(200, 200), 0x0000FFu);
  EXPECT_EQ(back.At(209, 209), 0x0000FFu);
  EXPECT_EQ(back.At(210, 209), 0u);
  EXPECT_EQ(back.At(199, 200), 0u);
  EXPECT_EQ(ScreenPixel(102, 102), blue);

  // Back to the screen's size: scale 1 again, both boxes kept.
  ASSERT_TRUE(SimulateWindowResize(screenWidth, screenHeight));
  ScreenActive();
  EXPECT_FALSE(DrawingSharp());
  EXPECT_FALSE(WantsDetailedPictures());
  EXPECT_EQ(ScreenFontSize(obj::fontText), 25);
  EXPECT_EQ(ScreenPixel(12, 12), red);
  EXPECT_EQ(ScreenPixel(102, 102), blue);
  EXPECT_EQ(WholeBackBuffer().width, screenWidth);
}

TEST_F(SharpDisplay, AResizedWindowStaysAtScaleOneOnAClassicScreen) {
  OpenGameWindow(screenWidth, screenHeight);
  ChooseDisplay(DisplayChoice::classic);
  ASSERT_TRUE(OpenWindowedScreen(gameWindow, 0, 0, screenWidth, screenHeight, true));
  ASSERT_TRUE(SimulateWindowResize(doubleWidth, doubleHeight));
  ScreenActive();
  EXPECT_FALSE(DrawingSharp());
  EXPECT_FLOAT_EQ(ScreenScaleX(), 1.0f);
}

}  // namespace
