// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window is the player quitting, wherever the game is: the program ends at once
// with success, in the main menu, the credits and the ending as in play.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "frontend/credits.h"
#include "frontend/ending_screen.h"
#include "frontend/main_menu.h"
#include "media/media.h"
#include "support/headless.h"

namespace {

class WindowClose : public ::testing::Test {
 protected:
  void SetUp() override {
    // The child runs the test afresh rather than forking a process with GPU threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    OpenHeadlessGame();
    ASSERT_TRUE(InitSound());
  }
  void TearDown() override { ShutdownMedia(); }

  static void PushClose() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
};

TEST_F(WindowClose, InTheMainMenuEndsTheProgramWithSuccess) {
  SetUpMenu();
  EXPECT_EXIT(
      {
        PushClose();
        MenuFrame();
      },
      ::testing::ExitedWithCode(0), "");
  TearDownMenu();
}

TEST_F(WindowClose, InTheCreditsEndsTheProgramWithSuccess) {
  OpenCredits();
  EXPECT_EXIT(
      {
        PushClose();
        CreditsFrame();
      },
      ::testing::ExitedWithCode(0), "");
  CloseCredits();
}

TEST_F(WindowClose, InTheEndingEndsTheProgramWithSuccess) {
  OpenEnding();
  EXPECT_EXIT(
      {
        PushClose();
        EndingFrame(0);
      },
      ::testing::ExitedWithCode(0), "");
  CloseEnding();
}

}  // namespace
