// Full screen and the window: the game opens either way, and Alt+Enter switches between them in
// whatever loop reads events, without the game ever seeing that Enter.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "media/media.h"
#include "shell/command_line.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

class WindowMode : public ::testing::Test {
 protected:
  void TearDown() override {
    runOptions = RunOptions();
    ShutdownMedia();
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
