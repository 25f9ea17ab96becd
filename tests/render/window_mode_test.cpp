// SPDX-License-Identifier: GPL-3.0-or-later
// Full screen and the window: the game opens either way, and Alt+Enter switches between them in
// whatever loop reads events, without the game ever seeing that Enter.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

#include "core/settings.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/command_line.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

class WindowMode : public ::testing::Test {
 protected:
  void TearDown() override {
    runOptions = RunOptions();
    KeepPresentedPictures(false);
    ShutdownMedia();
  }
};

// A picture as the window presented it, read by window pixel.
struct Presented {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  int At(int x, int y) const { return static_cast<int>(pixels[static_cast<std::size_t>(y) * width + x]); }
  // 0x00RRGGBB as a game colour.
  int Colour(int x, int y) const {
    const int pixel = At(x, y);
    return RGB((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255);
  }
};

}  // namespace

TEST_F(WindowMode, TheGameOpensFullScreenUnlessAWindowIsAskedFor) {
  OpenHeadlessGame();
  EXPECT_TRUE(FullScreen());
  ShutdownMedia();

  runOptions.windowed = true;
  OpenHeadlessGame();
  EXPECT_FALSE(FullScreen());
  SetFullScreen(true);
  EXPECT_TRUE(FullScreen());
  SetFullScreen(false);
  EXPECT_FALSE(FullScreen());
}

TEST_F(WindowMode, AltEnterSwitchesBothWaysAndItsEnterNeverReachesTheGame) {
  OpenHeadlessGame();
  ExamineKeyboard();
  ASSERT_TRUE(PushAltEnter());
  ExamineKeyboard();
  EXPECT_FALSE(FullScreen());
  EXPECT_FALSE(KeyboardPushed(keyReturn));
  EXPECT_FALSE(KeyboardReleased(keyReturn));
  ExamineKeyboard();
  EXPECT_FALSE(KeyboardReleased(keyReturn));

  // Any loop that flips the screen reads the events: the menu's, the pause's, the side games'.
  ASSERT_TRUE(PushAltEnter());
  FlipBuffers();
  EXPECT_TRUE(FullScreen());
  ExamineKeyboard();
  EXPECT_FALSE(KeyboardReleased(keyReturn));

  // Enter on its own is the game's, as before.
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, false));
  ExamineKeyboard();
  EXPECT_TRUE(KeyboardReleased(keyReturn));
  EXPECT_TRUE(FullScreen());
}

TEST_F(WindowMode, TheDrawingScreenKeepsItsSizeWhenTheWindowChanges) {
  OpenHeadlessGame();
  ClearScreen(RGB(0, 0, 255));
  ASSERT_TRUE(PushAltEnter());
  FlipBuffers();
  ASSERT_FALSE(FullScreen());
  // The back buffer is the game's 1024 x 768 screen whatever the window: its far corner is
  // still there and keeps what was drawn.
  ASSERT_TRUE(StartDrawing());
  EXPECT_EQ(Point(1023, 767), RGB(0, 0, 255));
  StopDrawing();
}

// The desktop's own keys stay with the game while it holds the mouse full screen; in a window,
// and whenever the mouse is given back, the keyboard is the desktop's.
TEST_F(WindowMode, TheKeyboardIsHeldWithTheMouseInFullScreenOnly) {
  OpenHeadlessGame();  // full screen, the mouse captured
  ASSERT_TRUE(FullScreen());
  EXPECT_TRUE(KeyboardGrabbed());
  ReleaseMouse(true);
  EXPECT_FALSE(KeyboardGrabbed());
  ReleaseMouse(false);
  EXPECT_TRUE(KeyboardGrabbed());

  // Alt+Enter to a window lets the keyboard go, and back to full screen takes it again.
  ASSERT_TRUE(PushAltEnter());
  FlipBuffers();
  ASSERT_FALSE(FullScreen());
  EXPECT_FALSE(KeyboardGrabbed());
  ASSERT_TRUE(PushAltEnter());
  FlipBuffers();
  ASSERT_TRUE(FullScreen());
  EXPECT_TRUE(KeyboardGrabbed());

  // Full screen with the mouse given back (the screen lost): the keyboard stays free.
  ReleaseMouse(true);
  ASSERT_TRUE(PushAltEnter());
  FlipBuffers();
  ASSERT_TRUE(PushAltEnter());
  FlipBuffers();
  ASSERT_TRUE(FullScreen());
  EXPECT_FALSE(KeyboardGrabbed());
  ShutdownMedia();

  runOptions.windowed = true;
  OpenHeadlessGame();
  EXPECT_FALSE(KeyboardGrabbed());
}

// A 1920 x 1080 window shows the whole 1024 x 768 screen scaled by 1080 / 768 = 1.40625 to
// 1440 x 1080, centred between two black bars 240 pixels wide.
TEST_F(WindowMode, AWideWindowShowsTheWholeScreenScaledAndCentredBetweenBlackBars) {
  constexpr int windowWidth = 1920;
  constexpr int windowHeight = 1080;
  constexpr int bar = 240;               // (1920 - 1440) / 2
  constexpr double scale = 1080.0 / 768;  // 1.40625
  constexpr int marker = 32;              // the screen's corner squares, 45 window pixels
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(OpenWindow(gameWindow, 0, 0, windowWidth, windowHeight, windowTitle, false));
  OpenHeadlessGame();  // the screen opens in the window already there
  KeepPresentedPictures(true);

  const int ground = RGB(40, 80, 120);
  const int corners[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
  ClearScreen(ground);
  ASSERT_TRUE(StartDrawing());
  Box(0, 0, marker, marker, corners[0]);
  Box(screenWidth - marker, 0, marker, marker, corners[1]);
  Box(0, screenHeight - marker, marker, marker, corners[2]);
  Box(screenWidth - marker, screenHeight - marker, marker, marker, corners[3]);
  StopDrawing();
  FlipBuffers();

  Presented window;
  ASSERT_TRUE(PresentedPicture(window.pixels, window.width, window.height));
  ASSERT_EQ(window.width, windowWidth);
  ASSERT_EQ(window.height, windowHeight);

  // The bars are black from top to bottom, and stop where the screen begins.
  for (int y = 0; y < windowHeight; ++y) {
    for (int x = 0; x < bar; ++x) {
      ASSERT_EQ(window.At(x, y), 0) << x << "," << y;
      ASSERT_EQ(window.At(windowWidth - 1 - x, y), 0) << windowWidth - 1 - x << "," << y;
    }
  }
  // The screen's edges are the window's: its first and last columns next to the bars, its
  // first and last rows at the window's top and bottom (no bars there).
  EXPECT_EQ(window.Colour(bar, windowHeight / 2), ground);
  EXPECT_EQ(window.Colour(windowWidth - bar - 1, windowHeight / 2), ground);
  EXPECT_EQ(window.Colour(windowWidth / 2, 0), ground);
  EXPECT_EQ(window.Colour(windowWidth / 2, windowHeight - 1), ground);

  // Each corner square is whole, in its corner, at the scaled size: its far side ends near
  // 32 x 1.40625 = 45 window pixels from the screen's corner.
  const int inside = static_cast<int>(marker * scale) - 4;   // 41
  const int outside = static_cast<int>(marker * scale) + 4;  // 49
  const int left = bar;
  const int right = windowWidth - bar - 1;
  const int bottom = windowHeight - 1;
  const struct {
    int x, y, stepX, stepY;
  } cornerPoints[4] = {{left, 0, 1, 1}, {right, 0, -1, 1}, {left, bottom, 1, -1}, {right, bottom, -1, -1}};
  for (int c = 0; c < 4; ++c) {
    const auto& p = cornerPoints[c];
    SCOPED_TRACE(c);
    EXPECT_EQ(window.Colour(p.x, p.y), corners[c]);
    EXPECT_EQ(window.Colour(p.x + p.stepX * inside, p.y + p.stepY * inside), corners[c]);
    EXPECT_EQ(window.Colour(p.x + p.stepX * outside, p.y), ground);
    EXPECT_EQ(window.Colour(p.x, p.y + p.stepY * outside), ground);
  }
}
