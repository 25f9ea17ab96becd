// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard and mouse snapshots from SDL events pushed by the test, as the window would send them.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstring>

#include "media/media.h"
#include "support/sdl_events.h"

namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitSprites());
    ASSERT_TRUE(InitKeyboard());
    ASSERT_TRUE(InitMouse());
    ASSERT_TRUE(OpenWindow(0, 0, 0, 1024, 768, "Kaldov1rent", false));
    ASSERT_TRUE(OpenWindowedScreen(0, 0, 0, 1024, 768, true));
    KeyboardMode(1);
    ExamineKeyboard();
    ExamineMouse();
  }
  void TearDown() override { ShutdownMedia(); }

  static void Key(SDL_Scancode scancode, bool down) { ASSERT_TRUE(PushKey(scancode, down)); }
  static void Motion(int dx, int dy, int x, int y) { ASSERT_TRUE(PushMouseMotion(dx, dy, x, y)); }
  static void Button(Uint8 button, bool down) { ASSERT_TRUE(PushMouseButton(button, down)); }
};

TEST_F(InputTest, AReleasedKeyIsReportedOnceOnTheNextSnapshot) {
  Key(SDL_SCANCODE_P, true);
  ExamineKeyboard();
  EXPECT_TRUE(KeyboardPushed(keyP));
  EXPECT_TRUE(KeyboardPushed(-1));
  EXPECT_FALSE(KeyboardReleased(keyP));

  ExamineKeyboard();  // still held
  EXPECT_TRUE(KeyboardPushed(keyP));
  EXPECT_FALSE(KeyboardReleased(keyP));

  Key(SDL_SCANCODE_P, false);
  ExamineKeyboard();
  EXPECT_FALSE(KeyboardPushed(keyP));
  EXPECT_TRUE(KeyboardReleased(keyP));
  EXPECT_TRUE(KeyboardReleased(-1));
  EXPECT_FALSE(KeyboardReleased(keyEscape));

  ExamineKeyboard();
  EXPECT_FALSE(KeyboardReleased(keyP));
  EXPECT_FALSE(KeyboardReleased(-1));
  EXPECT_FALSE(KeyboardPushed(-1));
}

TEST_F(InputTest, ATapBetweenTwoSnapshotsIsStillSeen) {
  Key(SDL_SCANCODE_SPACE, true);
  Key(SDL_SCANCODE_SPACE, false);
  ExamineKeyboard();
  EXPECT_TRUE(KeyboardPushed(keySpace));
  EXPECT_TRUE(KeyboardReleased(keySpace));
  ExamineKeyboard();
  EXPECT_FALSE(KeyboardPushed(keySpace));
  EXPECT_FALSE(KeyboardReleased(keySpace));
}

TEST_F(InputTest, ScanCodesFollowThePcKeyboard) {
  const struct {
    SDL_Scancode scancode;
    int code;
  } keys[] = {{SDL_SCANCODE_ESCAPE, 1},  {SDL_SCANCODE_BACKSPACE, 14}, {SDL_SCANCODE_RETURN, 28},
              {SDL_SCANCODE_S, 31},      {SDL_SCANCODE_M, 50},         {SDL_SCANCODE_F1, 59},
              {SDL_SCANCODE_UP, 0xC8},   {SDL_SCANCODE_PAGEUP, 0xC9},  {SDL_SCANCODE_LEFT, 0xCB},
              {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_DOWN, 0xD0},   {SDL_SCANCODE_F12, 88}};
  for (const auto& key : keys) {
    Key(key.scancode, true);
    ExamineKeyboard();
    EXPECT_TRUE(KeyboardPushed(key.code)) << SDL_GetScancodeName(key.scancode);
    Key(key.scancode, false);
    ExamineKeyboard();
    EXPECT_FALSE(KeyboardPushed(key.code));
  }
}

TEST_F(InputTest, TypedCharactersComeOneASnapshot) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strcpy(event.text.text, "a\xC3\xA9");  // "a" and e acute in UTF-8
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  ExamineKeyboard();
  EXPECT_EQ(KeyboardTypedCharacter(), 'a');
  ExamineKeyboard();
  EXPECT_EQ(KeyboardTypedCharacter(), 0xE9);
  ExamineKeyboard();
  EXPECT_EQ(KeyboardTypedCharacter(), 0);
}

// Fast typing on slow frames: "ab", Backspace, "c" must read as "a", "b", Backspace, "c".
TEST_F(InputTest, AKeyLetGoAfterQueuedCharactersComesWithTheLastOfThem) {
  ASSERT_TRUE(PushText("ab"));
  Key(SDL_SCANCODE_BACKSPACE, true);
  Key(SDL_SCANCODE_BACKSPACE, false);
  ASSERT_TRUE(PushText("c"));
  ExamineKeyboard();
  EXPECT_EQ(KeyboardTypedCharacter(), 'a');
  EXPECT_TRUE(KeyboardPushed(keyBackspace));  // the press itself is never held back
  EXPECT_FALSE(KeyboardReleased(keyBackspace));
  ExamineKeyboard();
  EXPECT_EQ(KeyboardTypedCharacter(), 'b');
  EXPECT_TRUE(KeyboardReleased(keyBackspace));
  ExamineKeyboard();
  EXPECT_EQ(KeyboardTypedCharacter(), 'c');
  EXPECT_FALSE(KeyboardReleased(keyBackspace));
  // With nothing queued a release is reported at once.
  Key(SDL_SCANCODE_RETURN, true);
  Key(SDL_SCANCODE_RETURN, false);
  ExamineKeyboard();
  EXPECT_TRUE(KeyboardReleased(keyReturn));
}

TEST_F(InputTest, MouseDeltasAddUpBetweenSnapshots) {
  Motion(5, -3, 100, 200);
  Motion(7, 1, 107, 201);
  ExamineMouse();
  EXPECT_EQ(MouseDeltaX(), 12);
  EXPECT_EQ(MouseDeltaY(), -2);
  EXPECT_EQ(MouseX(), 107);
  EXPECT_EQ(MouseY(), 201);
  ExamineMouse();
  EXPECT_EQ(MouseDeltaX(), 0);
  EXPECT_EQ(MouseDeltaY(), 0);
  EXPECT_EQ(MouseX(), 107);
}

TEST_F(InputTest, MouseButtonsAndWheel) {
  Button(SDL_BUTTON_LEFT, true);
  Button(SDL_BUTTON_MIDDLE, true);
  ExamineMouse();
  EXPECT_TRUE(MouseButton(1));
  EXPECT_FALSE(MouseButton(2));
  EXPECT_TRUE(MouseButton(3));
  Button(SDL_BUTTON_LEFT, false);
  ExamineMouse();
  EXPECT_FALSE(MouseButton(1));
  EXPECT_TRUE(MouseButton(3));

  // A click between two snapshots still counts once.
  Button(SDL_BUTTON_RIGHT, true);
  Button(SDL_BUTTON_RIGHT, false);
  ExamineMouse();
  EXPECT_TRUE(MouseButton(2));
  ExamineMouse();
  EXPECT_FALSE(MouseButton(2));

  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  wheel.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  ASSERT_EQ(SDL_PushEvent(&wheel), 1);
  ASSERT_EQ(SDL_PushEvent(&wheel), 1);
  ExamineMouse();
  EXPECT_EQ(MouseWheel(), 4);
  ExamineMouse();
  EXPECT_EQ(MouseWheel(), 0);
}

TEST_F(InputTest, EventsPumpedByTheFlipAreNotLost) {
  SetFrameLimiterEnabled(false);
  Key(SDL_SCANCODE_ESCAPE, true);
  Motion(3, 4, 10, 10);
  FlipBuffers();
  ExamineKeyboard();
  ExamineMouse();
  EXPECT_TRUE(KeyboardPushed(keyEscape));
  EXPECT_EQ(MouseDeltaX(), 3);
  EXPECT_EQ(MouseDeltaY(), 4);
}

// The player moved the mouse about the desktop while the game had let it go: none of that
// may steer the ship once the game takes the mouse back, however the game takes it back.
TEST_F(InputTest, MovementMadeWhileTheMouseWasReleasedIsDroppedWhenItIsCapturedAgain) {
  ReleaseMouse(false);
  ExamineMouse();
  ReleaseMouse(true);
  Motion(40, -12, 600, 300);
  FlipBuffers();  // a loop that waits for the focus reads the events meanwhile
  Motion(25, 9, 625, 309);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 3;
  ASSERT_EQ(SDL_PushEvent(&wheel), 1);
  ReleaseMouse(false);
  ExamineMouse();
  EXPECT_EQ(MouseDeltaX(), 0);
  EXPECT_EQ(MouseDeltaY(), 0);
  EXPECT_EQ(MouseWheel(), 0);
  EXPECT_EQ(MouseX(), 625);  // where the pointer is stays known

  // Movement once captured counts, and asking again for a mouse already held drops nothing.
  Motion(5, 2, 630, 311);
  ReleaseMouse(false);
  Motion(1, 0, 631, 311);
  ExamineMouse();
  EXPECT_EQ(MouseDeltaX(), 6);
  EXPECT_EQ(MouseDeltaY(), 2);
}

TEST_F(InputTest, ShutdownForgetsHeldKeys) {
  Key(SDL_SCANCODE_A, true);
  ExamineKeyboard();
  ASSERT_TRUE(KeyboardPushed(keyA));
  ShutdownMedia();
  ASSERT_TRUE(InitSprites());
  ASSERT_TRUE(InitKeyboard());
  ExamineKeyboard();
  EXPECT_FALSE(KeyboardPushed(keyA));
}

}  // namespace
