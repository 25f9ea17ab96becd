// SPDX-License-Identifier: GPL-3.0-or-later
// Steering and the play button by keyboard and by a game controller, in the real game with its
// input pushed as the window and a (virtual) pad send it: the same motion as the mouse's, the
// console's keys left alone, the pad's buttons and its removal, and a recording that holds it all.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "console/console.h"
#include "core/game_checksum.h"
#include "core/game_state.h"
#include "core/run_options.h"
#include "frontend/credits.h"
#include "frontend/ending_screen.h"
#include "frontend/main_menu.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"
#include "support/virtual_pad.h"

namespace {

struct ShipTrace {
  std::vector<float> x;
  std::vector<int> lean;
};

class PlayInput : public ::testing::Test {
 protected:
  void SetUp() override { StartHeadlessGame(); }
  void TearDown() override {
    pad.PullOut();
    runOptions = RunOptions{};
    ShutdownMedia();
  }

  static bool Frames(int count) {
    bool ended = false;
    for (int i = 0; i < count; ++i) ended = RunFrame();
    return ended;
  }
  // The ship's place and lean after each of count frames.
  static void Trace(int count, ShipTrace& trace) {
    for (int i = 0; i < count; ++i) {
      RunFrame();
      trace.x.push_back(game.shipX);
      trace.lean.push_back(game.shipLeanFrame);
    }
  }
  static void HoldKey(SDL_Scancode key, int frames) {
    ASSERT_TRUE(PushKey(key, true));
    Frames(frames);
    ASSERT_TRUE(PushKey(key, false));
  }
  // Down in one frame, up in the next: the console key acts on its release.
  static void TapKey(SDL_Scancode key) {
    ASSERT_TRUE(PushKey(key, true));
    Frames(1);
    ASSERT_TRUE(PushKey(key, false));
    Frames(1);
  }
  void TapButton(SDL_GameControllerButton button) {
    pad.Button(button, true);
    Frames(1);
    pad.Button(button, false);
    Frames(1);
  }

  VirtualPad pad;
};

TEST_F(PlayInput, TheKeysSteerAsFarAsTheSameMouseMotionWouldWithTheSameLean) {
  const float startX = game.shipX;
  ShipTrace keys;
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RIGHT, true));
  Trace(20, keys);
  ASSERT_TRUE(PushKey(SDL_SCANCODE_RIGHT, false));
  Trace(10, keys);
  // It gathers speed (1, 2, 3 px ...) and stops short once let go.
  EXPECT_FLOAT_EQ(keys.x[2] - startX, 1 + 2 + 3);
  EXPECT_GT(keys.x[19] - keys.x[18], 15);
  EXPECT_FLOAT_EQ(keys.x[29], keys.x[28]) << "stopped within ten frames";
  EXPECT_GT(keys.x[29] - startX, 150);
  EXPECT_EQ(keys.lean[19], 2081) << "leaning right all the way";

  // The same game again, with the same movements made by the mouse.
  ShutdownMedia();
  StartHeadlessGame();
  ASSERT_FLOAT_EQ(game.shipX, startX);
  ShipTrace mouse;
  float lastX = startX;
  for (std::size_t i = 0; i < keys.x.size(); ++i) {
    const int dx = static_cast<int>(keys.x[i] - lastX);
    ASSERT_FLOAT_EQ(static_cast<float>(dx), keys.x[i] - lastX) << "whole pixels at 100 %";
    lastX = keys.x[i];
    ASSERT_TRUE(PushMouseMotion(dx, 0, 500, 500));
    Trace(1, mouse);
  }
  EXPECT_EQ(mouse.x, keys.x);
  EXPECT_EQ(mouse.lean, keys.lean);
}

TEST_F(PlayInput, HoldingRightOrDMovesTheShipRightAndLeftOrALeftAsTheSpeedMirrorAndConsoleAllow) {
  const float startX = game.shipX;
  // Half the keyboard's speed goes half as far.
  runOptions.keyboardSpeed = 50;
  HoldKey(SDL_SCANCODE_LEFT, 6);  // 1 + 2 + ... + 6 = 21 px at full speed
  EXPECT_FLOAT_EQ(startX - game.shipX, 10.5f);
  Frames(10);
  runOptions.keyboardSpeed = 100;

  HoldKey(SDL_SCANCODE_RIGHT, frameRate);  // one second
  EXPECT_GT(game.shipX, startX + 250);
  HoldKey(SDL_SCANCODE_A, frameRate);
  EXPECT_LT(game.shipX, startX - 250);
  Frames(10);
  float before = game.shipX;
  HoldKey(SDL_SCANCODE_D, 10);
  EXPECT_GT(game.shipX, before + 40);
  Frames(10);

  // The mirror malus turns the keys round as it turns the mouse.
  game.malus = malusMirror;
  game.malusTimer = 10 * frameRate;
  before = game.shipX;
  HoldKey(SDL_SCANCODE_LEFT, 10);
  EXPECT_GT(game.shipX, before + 40);
  Frames(10);
  game.malus = malusNone;

  // While the console is shown the arrows and letters are its own.
  TapKey(SDL_SCANCODE_GRAVE);
  ASSERT_TRUE(game.console.shown);
  before = game.shipX;
  HoldKey(SDL_SCANCODE_RIGHT, 20);
  HoldKey(SDL_SCANCODE_D, 20);
  Frames(5);
  EXPECT_FLOAT_EQ(game.shipX, before);
}

TEST_F(PlayInput, SpaceOrCtrlIsTheLeftButtonButNotWhileTheConsoleIsShown) {
  ASSERT_EQ(game.launchPending, 1);
  TapKey(SDL_SCANCODE_GRAVE);
  ASSERT_TRUE(game.console.shown);
  HoldKey(SDL_SCANCODE_SPACE, 3);
  EXPECT_EQ(game.launchPending, 1) << "Space typed into the console";
  for (int i = 0; i < 200 && game.console.motion != consoleOpen; ++i) Frames(1);
  TapKey(SDL_SCANCODE_GRAVE);
  for (int i = 0; i < 200 && game.console.shown; ++i) Frames(1);
  ASSERT_FALSE(game.console.shown);

  HoldKey(SDL_SCANCODE_SPACE, 1);
  EXPECT_EQ(game.launchPending, 0) << "Space launched the ball";

  // A missile loaded goes with Ctrl.
  Frames(2);
  game.missileArmed = 1;
  HoldKey(SDL_SCANCODE_RCTRL, 1);
  EXPECT_EQ(game.missileArmed, 0);
}

TEST_F(PlayInput, APadPluggedInDuringPlaySteersLaunchesPausesAndPullingItOutPauses) {
  ASSERT_FALSE(GamepadConnected());
  ASSERT_NO_FATAL_FAILURE(pad.PlugIn());
  Frames(1);
  ASSERT_TRUE(GamepadConnected());

  // The stick inside its dead zone leaves the ship alone; tilted, it steers.
  const float startX = game.shipX;
  pad.StickX(5000);
  Frames(10);
  EXPECT_FLOAT_EQ(game.shipX, startX);
  pad.StickX(32767);
  Frames(20);
  pad.StickX(0);
  Frames(10);
  EXPECT_GT(game.shipX, startX + 150);
  const float right = game.shipX;
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  Frames(20);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  Frames(10);
  EXPECT_LT(game.shipX, right - 150);

  ASSERT_EQ(game.launchPending, 1);
  TapButton(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(game.launchPending, 0);

  TapButton(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(game.paused, 1);
  TapButton(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(game.paused, 0);

  pad.PullOut();
  Frames(1);
  EXPECT_EQ(game.paused, 1);
  EXPECT_FALSE(GamepadConnected());
  Frames(3);
  EXPECT_EQ(game.paused, 1) << "paused until the player goes on";

  // Another pad, and Back gives the game up for the menu.
  ASSERT_NO_FATAL_FAILURE(pad.PlugIn());
  Frames(1);
  pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
  EXPECT_TRUE(RunFrame());
  pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);
  EXPECT_EQ(EndLevel(), AfterLevel::newGame);
}

TEST_F(PlayInput, AtTheEndingSpaceOrThePadsAGoesBackToTheMenu) {
  ASSERT_NO_FATAL_FAILURE(pad.PlugIn());
  OpenEnding();
  int frame = 0;
  for (; frame < endingHoldFrames; ++frame) ASSERT_TRUE(EndingFrame(frame));
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_FALSE(EndingFrame(frame++));
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_TRUE(EndingFrame(frame++)) << "letting go is no new press";
  ASSERT_TRUE(PushKey(SDL_SCANCODE_SPACE, true));
  EXPECT_TRUE(EndingFrame(frame++)) << "Space acts on its release";
  ASSERT_TRUE(PushKey(SDL_SCANCODE_SPACE, false));
  EXPECT_FALSE(EndingFrame(frame++));
  CloseEnding();
}

TEST(PadRecording, AGameRecordedWithAPadReplaysToTheSameEndWithoutOne) {
  const std::string file = ::testing::TempDir() + "pad_game.rec";
  const int playFrames = 150;
  uint32_t recorded = 0;
  float recordedX = 0;
  {
    ASSERT_TRUE(StartRecording(file));
    StartHeadlessGame();
    VirtualPad pad;
    ASSERT_NO_FATAL_FAILURE(pad.PlugIn());
    for (int frame = 0; frame < playFrames; ++frame) {
      if (frame == 5) pad.StickX(-30000);
      if (frame == 30) pad.StickX(0);
      if (frame == 40) pad.Button(SDL_CONTROLLER_BUTTON_A, true);
      if (frame == 41) pad.Button(SDL_CONTROLLER_BUTTON_A, false);
      if (frame == 60) pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
      if (frame == 100) pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
      RunFrame();
    }
    recorded = GameChecksum();
    recordedX = game.shipX;
    ASSERT_TRUE(FinishRecording());
    pad.PullOut();
    ShutdownMedia();
  }
  ASSERT_EQ(game.launchPending, 0) << "the pad's A launched the ball";

  std::string error;
  ASSERT_TRUE(StartReplay(file, error)) << error;
  StartHeadlessGame();
  for (int frame = 0; frame < playFrames; ++frame) RunFrame();
  StopReplay();
  EXPECT_EQ(GameChecksum(), recorded);
  EXPECT_FLOAT_EQ(game.shipX, recordedX);
  EXPECT_EQ(game.launchPending, 0);
  ShutdownMedia();
}

class PadScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ASSERT_TRUE(InitSound());
    ASSERT_TRUE(InitGamepad());
    ASSERT_NO_FATAL_FAILURE(pad.PlugIn());
  }
  void TearDown() override {
    pad.PullOut();
    ShutdownMedia();
  }
  VirtualPad pad;
};

TEST_F(PadScreens, TheDpadMovesTheMenuSelectionAndAChoosesIt) {
  SetUpMenu();
  MenuFrame();
  auto tap = [this](SDL_GameControllerButton button) {
    pad.Button(button, true);
    const int first = MenuFrame();
    pad.Button(button, false);
    const int second = MenuFrame();
    return first != menuStay ? first : second;
  };
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN), menuStay);
  EXPECT_EQ(game.menu.selected, 1);
  // Up from the first item goes round to the last of the five, QUIT.
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_DPAD_UP), menuStay);
  EXPECT_EQ(game.menu.selected, 5);
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN), menuStay);
  EXPECT_EQ(game.menu.selected, 1);
  EXPECT_EQ(tap(SDL_CONTROLLER_BUTTON_A), menuStart);
  TearDownMenu();
}

TEST_F(PadScreens, APadsAOrBackLeavesTheCredits) {
  ASSERT_TRUE(RegisterFontFile(designerBlockFile));
  for (SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_BACK}) {
    OpenCredits();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(CreditsFrame());
    ASSERT_FALSE(game.credits.leaving);
    pad.Button(button, true);
    CreditsFrame();
    pad.Button(button, false);
    EXPECT_TRUE(game.credits.leaving);
    CloseCredits();
  }
}

}  // namespace
