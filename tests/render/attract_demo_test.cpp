// SPDX-License-Identifier: GPL-3.0-or-later
// The attract demo never touches a real game: what the autopilot held, what the demo caught and
// a focus-loss pause in the middle of it, played through the real menu and frame loop.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "core/settings.h"
#include "frontend/main_menu.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/game.h"
#include "shell/run_control.h"
#include "support/sdl_events.h"

namespace {

constexpr int onItem1 = 390;  // a pointer height that rests on the first item

// The pause's waits, counted from 1, and the one at which the person clicks in the window.
int waits = 0;
int clickAtWait = 0;
constexpr int giveUpAfter = 300;  // a pause nobody ends would hang the test

void PersonAtThePause() {
  ++waits;
  if (waits == clickAtWait) {
    SimulateFocusChange(true);
    PushMouseButton(SDL_BUTTON_LEFT, true);
    PushMouseButton(SDL_BUTTON_LEFT, false);
  }
  // Past any real click: a hand nobody ignores, so the test ends and says how long it took.
  if (waits == giveUpAfter) {
    SimulateFocusChange(true);
    InjectMouseButton(1, true);
  }
}

// The menu left alone for twenty seconds hands over to a demo of level 1, which the autopilot
// plays after every frame as it does in the game.
class DemoGame : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxesSilent(true);
    StartUp();
    RandomSeed(0);
    ASSERT_TRUE(StartRunControl());
    SetFrameLimiterEnabled(false);
    SetManualClock(true);
    SetManualClockStepPerRead(250);  // the menu's twenty seconds pass in a few frames
    ASSERT_TRUE(NewGame());
    SetManualClockStepPerRead(20);
    ASSERT_TRUE(game.attractDemo);
    game.levelNumber = 0;  // a level whose serve is not locked
    StartLevel();
    waits = 0;
    clickAtWait = 0;
  }
  void TearDown() override {
    SetDelayHook(nullptr);
    SetFrameHook(nullptr);
    SetQuitHook(nullptr);
    SetManualClockStepPerRead(0);
    SetManualClock(false);
    ShutdownMedia();
  }

  // Frames until the loop's end test holds, at most limit; true when it held.
  static bool RunUntilEnd(int limit) {
    for (int i = 0; i < limit; ++i) {
      if (RunFrame()) return true;
    }
    return false;
  }

  // The demo plays on its own until it loses its last life, and its own click goes to the menu.
  static void LoseTheDemo() {
    ASSERT_FALSE(RunUntilEnd(20));
    game.lives = 1;
    game.launchPending = 0;
    Ball& ball = *game.balls.begin();
    ball.glued = 0;
    ball.x = playLeft + 20;  // far from the ship, on its way out of the playfield
    ball.y = playBottom - 30;
    ball.vx = 0;
    ball.vy = 9;
    ASSERT_TRUE(RunUntilEnd(200));
    ASSERT_EQ(game.lives, 0);
    ASSERT_EQ(EndLevel(), AfterLevel::newGame);
    ASSERT_FALSE(game.attractDemo);
  }
};

TEST_F(DemoGame, ADemoThatLosesLetsGoOfItsButtonSoTheMenuWaitsForAClickAndPlaysTheDemoAgain) {
  LoseTheDemo();
  SetUpMenu();
  // Hovering the first item selects it; only a click would choose it.
  ASSERT_TRUE(PushMouseMotion(0, onItem1 - game.menu.pointerY, 0, 0));
  EXPECT_EQ(MenuFrame(), menuStay);
  EXPECT_EQ(game.menu.selected, 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(MenuFrame(), menuStay);
  // Left alone again, the menu hands over to another demo.
  int result = menuStay;
  SetManualClockStepPerRead(250);
  for (int i = 0; i < 200 && result == menuStay; ++i) result = MenuFrame();
  EXPECT_EQ(result, menuDemo);
  TearDownMenu();
}

TEST_F(DemoGame, AfterADemoThatLostThePlayersFirstBallWaitsForTheirClick) {
  LoseTheDemo();
  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  ASSERT_FALSE(game.attractDemo);
  StartLevel();
  ASSERT_FALSE(RunUntilEnd(10));
  EXPECT_EQ(game.launchPending, 1);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  RunFrame();
  EXPECT_EQ(game.launchPending, 0);
}

TEST_F(DemoGame, LettersAndScoreOfTheDemoAreNotCarriedIntoThePlayersGame) {
  ASSERT_FALSE(RunUntilEnd(20));
  game.letterMask = 16 + 8 + 4;  // B, O and N caught by the demo
  game.score = 750;
  ASSERT_TRUE(PushKey(SDL_SCANCODE_LSHIFT, true));
  ASSERT_TRUE(RunUntilEnd(5));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_LSHIFT, false));
  ASSERT_EQ(EndLevel(), AfterLevel::newGame);

  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  StartLevel();
  EXPECT_EQ(game.letterMask, 0);
  EXPECT_EQ(game.score, 0);
  EXPECT_EQ(game.lives, 3);
}

TEST_F(DemoGame, APersonsClickEndsAFocusLossPauseOfTheDemoAndTheAutopilotLeavesThePauseAlone) {
  ASSERT_EQ(game.launchPending, 1);  // the serve the autopilot would click for
  SetDelayHook(PersonAtThePause);
  clickAtWait = 4;
  ASSERT_TRUE(SimulateFocusChange(false));
  // The pause waits for the person's click; that click, a person's, also ends the demo.
  EXPECT_TRUE(RunFrame());
  EXPECT_EQ(waits, 4);
  // One pause, not one after another while the window is away.
  EXPECT_TRUE(ScreenActive());
  EXPECT_EQ(EndLevel(), AfterLevel::newGame);
  EXPECT_FALSE(game.attractDemo);
}

}  // namespace
