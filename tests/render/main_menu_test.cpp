// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu driven frame by frame with pushed input, on its real pack.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "assets/objects.h"
#include "core/game_state.h"
#include "frontend/main_menu.h"
#include "media/media.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

// Pointer heights that rest on each item (START GAME, OPTIONS, HIGH SCORES, CREDITS and QUIT at
// y 380, 450, 520, 590 and 660, 44 high).
constexpr int onItem1 = 390, onItem2 = 460, onItem4 = 600, onItem5 = 670;

class MainMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ASSERT_TRUE(InitSound());
    RandomSeed(3);
    SetUpMenu();
  }
  void TearDown() override {
    SetManualClock(false);
    TearDownMenu();
    ShutdownMedia();
  }

  static MenuState& menu() { return game.menu; }

  // Moves the pointer by (dx, dy) and runs one frame.
  static int MoveAndFrame(int dx, int dy) {
    EXPECT_TRUE(PushMouseMotion(dx, dy, 0, 0));
    return MenuFrame();
  }
  static void MoveTo(int y) { MoveAndFrame(0, y - menu().pointerY); }
  // The colours of a sprite or of the screen (a sprite's alpha left out), row after row.
  static std::vector<uint32_t> Pixels(int target, int number, int width, int height) {
    std::vector<uint32_t> pixels;
    if (!StartDrawing(target, number)) return pixels;
    const uint32_t* buffer = DrawingBuffer();
    const int pitch = DrawingBufferPitch() / 4;
    for (int y = 0; buffer && y < height; ++y) {
      for (int x = 0; x < width; ++x) pixels.push_back(buffer[y * pitch + x] & 0xFFFFFFu);
    }
    StopDrawing();
    return pixels;
  }
  // Frames until the intro's letters have come to rest, and one more.
  static void RunToRest() {
    for (int i = 0; i < 1000 && menu().zoomSize > 256; ++i) MenuFrame();
    MenuFrame();
  }
  static void Tap(SDL_Scancode key) {
    ASSERT_TRUE(PushKey(key, true));
    ASSERT_TRUE(PushKey(key, false));
    MenuFrame();
  }
};

TEST_F(MainMenu, ClickingBeforeAnyItemIsHoveredDoesNothing) {
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_EQ(menu().selected, 0);
  EXPECT_FALSE(menu().sweepActive);
}

TEST_F(MainMenu, HoveringSelectsAnItemAndStartsItsSweepAndTheSelectionStaysWhenThePointerLeaves) {
  MoveTo(onItem2);
  EXPECT_EQ(menu().selected, 2);
  EXPECT_TRUE(menu().sweepActive);
  EXPECT_EQ(menu().sweepY, 451);
  MoveTo(300);
  EXPECT_EQ(menu().selected, 2);
  // The sweep crosses the screen at 15 pixels a frame from x -65, and ends beyond x 1224.
  for (int i = 0; i < 83; ++i) MenuFrame();
  EXPECT_TRUE(menu().sweepActive);
  EXPECT_EQ(menu().sweepX, 1210);
  MenuFrame();
  EXPECT_FALSE(menu().sweepActive);
  EXPECT_EQ(menu().selected, 2);
}

TEST_F(MainMenu, HoldingTheButtonOntoQuitQuitsAsSoonAsItIsSelected) {
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_EQ(MoveAndFrame(0, 0), menuStay);
  // One movement jumps onto item 5 with the button still held; no release is needed.
  EXPECT_EQ(MoveAndFrame(0, onItem5 - menu().pointerY), menuStay);
  EXPECT_EQ(menu().selected, 5);
  EXPECT_EQ(MenuFrame(), menuQuit);
}

TEST_F(MainMenu, TheFirstItemWithAClickStartsTheGame) {
  MoveTo(onItem1);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_EQ(MenuFrame(), menuStart);
}

TEST_F(MainMenu, APointerMovementThatWouldLeaveItsRangeIsDroppedWhole) {
  ASSERT_EQ(menu().pointerX, 200);
  ASSERT_EQ(menu().pointerY, 200);
  MoveAndFrame(801, -201);  // x 1001 and y -1: both dropped, not clamped
  EXPECT_EQ(menu().pointerX, 200);
  EXPECT_EQ(menu().pointerY, 200);
  MoveAndFrame(800, 544);  // exactly x 1000 and y 744: both kept
  EXPECT_EQ(menu().pointerX, 1000);
  EXPECT_EQ(menu().pointerY, 744);
  MoveAndFrame(1, -744);  // x dropped, y to 0 kept
  EXPECT_EQ(menu().pointerX, 1000);
  EXPECT_EQ(menu().pointerY, 0);
}

TEST_F(MainMenu, ASparkLeavingTheScreenIsRebornAtTheSweepHead) {
  MoveTo(onItem1);
  MenuSpark& gone = menu().sparks[0];
  gone.x = 1100;
  gone.y = 400;
  MenuSpark& low = menu().sparks[1];
  low.y = 779;
  low.speedY = 3;
  MenuSpark& staying = menu().sparks[2];
  staying.x = 500;
  staying.y = 400;
  staying.speedX = 1;
  staying.speedY = 0;
  staying.alpha = 100;
  MenuFrame();
  for (const MenuSpark* spark : {&gone, &low}) {
    EXPECT_EQ(spark->x, menu().sweepX);
    EXPECT_EQ(spark->y, menu().sweepY);
    EXPECT_EQ(spark->alpha, 130);
    EXPECT_FLOAT_EQ(spark->drag, 0.2f);
  }
  // One on the screen moves left by its speed, which grows by 0.35 - 0.2, and fades by 2.
  EXPECT_FLOAT_EQ(staying.x, 500 - 1.15f);
  EXPECT_EQ(staying.alpha, 98);
}

TEST_F(MainMenu, SparksStandStillWhileNoSweepRuns) {
  const MenuSpark before = menu().sparks[5];
  for (int i = 0; i < 3; ++i) MenuFrame();
  EXPECT_EQ(menu().sparks[5].x, before.x);
  EXPECT_EQ(menu().sparks[5].alpha, before.alpha);
}

TEST_F(MainMenu, TheIntroSlidesZoomsAndFlashesOnce) {
  for (int i = 0; i < 131; ++i) MenuFrame();
  EXPECT_EQ(menu().titleX, -3);
  EXPECT_EQ(menu().zoomX, 598);
  EXPECT_EQ(menu().zoomY, 62);
  EXPECT_EQ(menu().zoomSize, 256);
  EXPECT_TRUE(menu().flashStarted);
  EXPECT_LT(menu().flashAlpha, 255);
}

// The background once scrolled by copying its picture into itself every frame: its top row to
// the bottom, then the rest a row up. Drawn in pieces from a picture that stays as loaded, the
// screen shows the very same frames, round the whole cycle and after a reload.
TEST_F(MainMenu, TheBackgroundScrollsUpARowAFrameExactlyAsCopyingThePictureIntoItselfDid) {
  const int width = SpriteWidth(obj::menuBackground);
  const int height = SpriteHeight(obj::menuBackground);
  ASSERT_EQ(width, 1024);
  ASSERT_EQ(height, 768);
  std::vector<uint32_t> copied = Pixels(drawSprite, obj::menuBackground, width, height);
  ASSERT_EQ(copied.size(), static_cast<std::size_t>(width) * height);
  const std::vector<uint32_t> loaded = copied;
  auto row = [width](auto& p, int y) { return p.begin() + static_cast<std::ptrdiff_t>(y) * width; };
  // The old scroll, on a copy of the pixels: the top row to the bottom, then the rest a row up.
  auto copyScroll = [&] {
    std::copy(row(copied, 0), row(copied, 1), row(copied, height - 1));
    const std::vector<uint32_t> before = copied;
    std::copy(row(before, 1), row(before, height), row(copied, 0));
  };
  const std::vector<int> checked{0, 1, 2, 3, 400, 765, 766, 767, 768, 769, 1533, 1534, 1535};
  for (int frame = 0; frame <= checked.back(); ++frame) {
    ClearScreen(0);
    ScrollMenuBackground();
    if (std::find(checked.begin(), checked.end(), frame) != checked.end()) {
      const std::vector<uint32_t> shown = Pixels(drawScreen, 0, width, height);
      int wrongRows = 0;
      for (int y = 0; y < height; ++y) {
        if (!std::equal(row(copied, y), row(copied, y + 1), shown.begin() + static_cast<std::ptrdiff_t>(y) * width)) ++wrongRows;
      }
      EXPECT_EQ(wrongRows, 0) << "frame " << frame;
    }
    copyScroll();
  }
  EXPECT_TRUE(Pixels(drawSprite, obj::menuBackground, width, height) == loaded);
  // Pictures reloaded (after a focus loss) start the scroll over from the picture as loaded.
  ReloadMenuPictures();
  ClearScreen(0);
  ScrollMenuBackground();
  EXPECT_TRUE(Pixels(drawScreen, 0, width, height) == loaded);
}

TEST_F(MainMenu, AfterTheCreditsTheMenuStartsOverWithItsIntroAndNothingSelected) {
  for (int i = 0; i < 20; ++i) MenuFrame();
  MoveTo(onItem4);
  ASSERT_LT(menu().titleX, 900);
  ASSERT_EQ(menu().selected, 4);
  // The credits run until Escape: held down with the click, it ends them at once.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  EXPECT_EQ(MenuFrame(), menuStay);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  EXPECT_EQ(menu().selected, 0);
  EXPECT_GT(menu().titleX, 1000);
  EXPECT_EQ(menu().zoomSize, 498);
  EXPECT_EQ(menu().pointerX, 200);
  EXPECT_EQ(menu().pointerY, 200);
  EXPECT_TRUE(IsSprite(obj::menuTitle));
  // Still held, the button does nothing until an item is hovered again.
  EXPECT_EQ(MenuFrame(), menuStay);
}

TEST_F(MainMenu, UpDownAndEnterWorkTheMenuAndTheRestingPointerDoesNotTakeTheSelectionBack) {
  MoveTo(onItem1);
  Tap(SDL_SCANCODE_DOWN);
  EXPECT_EQ(menu().selected, 2);
  EXPECT_TRUE(menu().sweepActive);
  EXPECT_EQ(menu().sweepY, 451);
  // The pointer still rests on item 1.
  for (int i = 0; i < 3; ++i) MenuFrame();
  EXPECT_EQ(menu().selected, 2);
  Tap(SDL_SCANCODE_DOWN);
  Tap(SDL_SCANCODE_DOWN);
  Tap(SDL_SCANCODE_DOWN);
  EXPECT_EQ(menu().selected, 5);
  Tap(SDL_SCANCODE_DOWN);
  EXPECT_EQ(menu().selected, 1);
  Tap(SDL_SCANCODE_UP);
  EXPECT_EQ(menu().selected, 5);
  // Moving the pointer gives it the selection back.
  MoveAndFrame(1, 0);
  EXPECT_EQ(menu().selected, 1);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_SPACE, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_SPACE, false));
  EXPECT_EQ(MenuFrame(), menuStart);
}

TEST_F(MainMenu, EnterWithNothingSelectedDoesNothing) {
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, false));
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_EQ(MenuFrame(), menuStay);
}

TEST_F(MainMenu, UntouchedTheMenuShowsTheHighScoresForTenSecondsThenTheDemoAndAnyTouchPutsItOff) {
  SetManualClock(true);
  // Frames alone do not make the time: a slow machine waits the same ten seconds.
  for (int i = 0; i < 200; ++i) ASSERT_EQ(MenuFrame(), menuStay);
  AdvanceManualClock(9990);
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_EQ(MoveAndFrame(2, 0), menuStay);
  AdvanceManualClock(9990);
  EXPECT_EQ(MenuFrame(), menuStay);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_RIGHT, true));
  EXPECT_EQ(MenuFrame(), menuStay);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_RIGHT, false));
  AdvanceManualClock(9990);
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_FALSE(menu().highScores.open);
  AdvanceManualClock(10);
  EXPECT_EQ(MenuFrame(), menuStay);
  ASSERT_TRUE(menu().highScores.open);
  EXPECT_TRUE(menu().highScores.attract);

  // A key on the table goes back to the menu, which waits its full ten seconds again.
  ASSERT_TRUE(PushKey(SDL_SCANCODE_LSHIFT, true));
  EXPECT_EQ(MenuFrame(), menuStay);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_LSHIFT, false));
  EXPECT_FALSE(menu().highScores.open);
  EXPECT_EQ(MenuFrame(), menuStay);
  AdvanceManualClock(9990);
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_FALSE(menu().highScores.open);
  AdvanceManualClock(10);
  EXPECT_EQ(MenuFrame(), menuStay);
  ASSERT_TRUE(menu().highScores.open);

  // Left alone, the table stands ten seconds and the demo follows.
  AdvanceManualClock(9990);
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_TRUE(menu().highScores.open);
  AdvanceManualClock(10);
  EXPECT_EQ(MenuFrame(), menuDemo);
  EXPECT_FALSE(menu().highScores.open);
}

TEST_F(MainMenu, TeardownFreesEveryPictureQuadAndSound) {
  RunToRest();
  ASSERT_TRUE(IsSprite3D(obj::menuLettersAtRest));
  TearDownMenu();
  for (int picture = obj::menuTitle; picture <= obj::menuLettersAtRest; ++picture) {
    EXPECT_FALSE(IsSprite(picture)) << picture;
    EXPECT_FALSE(IsSprite3D(picture)) << picture;
  }
  EXPECT_FALSE(IsSound(obj::menuIntroSound));
}

// At rest the three letters reach the screen as one picture the menu added them into: on any
// backdrop it gives the very pixels of the three letters added one by one.
TEST_F(MainMenu, TheLettersAtRestShowAsOnePictureWithThePixelsOfTheThree) {
  RunToRest();
  ASSERT_TRUE(IsSprite3D(obj::menuLettersAtRest));
  const int x = menu().zoomX;
  const int y = menu().zoomY;
  const int backdrop = RGB(24, 15, 54);
  const int letterGap = 60;
  const int letterAlpha = 150;
  ClearScreen(backdrop);
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  for (int i = 0; i < 3; ++i) DisplaySprite3D(obj::menuIntroLetters, x + letterGap * i, y, letterAlpha);
  Stop3D();
  const std::vector<uint32_t> oneByOne = Pixels(drawScreen, 0, 1024, 768);
  ClearScreen(backdrop);
  ASSERT_TRUE(Start3D());
  Sprite3DBlendingMode(BlendPair{blendOne, blendDestinationAlpha});
  DisplaySprite3D(obj::menuLettersAtRest, x, y);
  Stop3D();
  const std::vector<uint32_t> together = Pixels(drawScreen, 0, 1024, 768);
  ASSERT_EQ(together.size(), oneByOne.size());
  int differing = 0;
  for (std::size_t i = 0; i < together.size(); ++i) differing += together[i] != oneByOne[i];
  EXPECT_EQ(differing, 0);
  EXPECT_NE(together[(y + 128) * 1024 + x + 128 + letterGap], static_cast<uint32_t>(backdrop));
}

}  // namespace
