// SPDX-License-Identifier: GPL-3.0-or-later
// The real start-up, level start and frame loop, run in-process with input pushed as events.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/run_options.h"
#include "core/settings.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/game.h"
#include "shell/run_control.h"
#include "support/sdl_events.h"

namespace {

namespace fs = std::filesystem;

class FrameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessGame();
  }
  void TearDown() override {
    SetManualClockStepPerRead(0);
    SetManualClock(false);
    ShutdownMedia();
  }

  bool Frames(int count) {
    bool ended = false;
    for (int i = 0; i < count; ++i) ended = RunFrame();
    return ended;
  }
  // Down in one frame, up in the next: the key acts on its release.
  void Press(SDL_Scancode key) {
    ASSERT_TRUE(PushKey(key, true));
    Frames(1);
    ASSERT_TRUE(PushKey(key, false));
    Frames(1);
  }
  static int WhitePixelsIn(int left, int top, int width, int height) {
    int count = 0;
    if (!StartDrawing()) return -1;
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) count += Point(x, y) == RGB(255, 255, 255);
    }
    StopDrawing();
    return count;
  }
};

// The tests' game began with its bricks in place; a player's level start slides them in.
TEST_F(FrameLoop, ALevelStartsWithItsBricksSlidingInForNinetySixFrames) {
  EXPECT_EQ(game.frameCounter, 0);
  EXPECT_EQ(game.slideOffset, 0);
  ASSERT_FALSE(runOptions.bricksInPlace);
  StartLevel();
  const int slideInFrames = 96;  // the bricks slide in from one screen height above, 8 px a frame
  EXPECT_EQ(game.frameCounter, slideInFrames);
  EXPECT_EQ(game.slideOffset, 0);
  EXPECT_FALSE(RunFrame());
  EXPECT_EQ(game.frameCounter, slideInFrames + 1);
}

TEST_F(FrameLoop, RunsHundredsOfFramesWithTheMouseMovingAndTheKeysToggling) {
  ASSERT_EQ(game.frameCounter, 0);  // no frame yet: the bricks began in place
  for (int i = 0; i < 300; ++i) {
    if (i % 10 == 0) {
      ASSERT_TRUE(PushMouseMotion(i % 20 == 0 ? 7 : -5, 0, 500, 500));
    }
    ASSERT_FALSE(RunFrame());
  }
  EXPECT_EQ(game.frameCounter, 300);

  Press(SDL_SCANCODE_F1);
  EXPECT_EQ(game.showFps, 1);
  Press(SDL_SCANCODE_P);
  EXPECT_EQ(game.paused, 1);
  Press(SDL_SCANCODE_P);
  EXPECT_EQ(game.paused, 0);

  ASSERT_TRUE(SoundPlaying(obj::music));
  Press(SDL_SCANCODE_M);
  EXPECT_EQ(game.musicOn, 0);
  EXPECT_FALSE(SoundPlaying(obj::music));
  Press(SDL_SCANCODE_M);
  EXPECT_EQ(game.musicOn, 1);
  EXPECT_TRUE(SoundPlaying(obj::music));
}

TEST_F(FrameLoop, TheFrameRateShowsOnlyFromTheSecondFrame) {
  game.bricks.Clear();  // nothing else is drawn where the rate goes
  SetManualClock(true);
  SetManualClockStepPerRead(5);
  Press(SDL_SCANCODE_F1);
  ASSERT_EQ(game.showFps, 1);
  EXPECT_EQ(WhitePixelsIn(100, 100, 160, 40), 0);
  Frames(1);
  EXPECT_GT(WhitePixelsIn(100, 100, 160, 40), 20);
}

TEST_F(FrameLoop, ScreenshotsTakeTheSmallestFreeNumberAndNeverOverwrite) {
  const fs::path before = fs::current_path();
  const fs::path dir = fs::temp_directory_path() / ("kaldo_shots_" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  { std::ofstream(dir / "screenshot0.bmp") << "an earlier file"; }

  Press(SDL_SCANCODE_S);
  Press(SDL_SCANCODE_S);

  std::ifstream earlier(dir / "screenshot0.bmp");
  std::string text;
  std::getline(earlier, text);
  EXPECT_EQ(text, "an earlier file");
  for (const char* name : {"screenshot1.bmp", "screenshot2.bmp"}) {
    std::ifstream shot(dir / name, std::ios::binary);
    char magic[2] = {};
    shot.read(magic, 2);
    EXPECT_TRUE(magic[0] == 'B' && magic[1] == 'M') << name;
    EXPECT_GT(fs::file_size(dir / name), 1024u * 768u * 3u) << name;
  }
  EXPECT_FALSE(fs::exists(dir / "screenshot3.bmp"));
  fs::current_path(before);
  fs::remove_all(dir);
}

TEST_F(FrameLoop, AWorkingDirectoryThatCannotBeWrittenSendsScreenshotsToThePlayersFolder) {
  const fs::path before = fs::current_path();
  const fs::path player = fs::temp_directory_path() / ("kaldo_player_" + std::to_string(getpid()));
  fs::remove_all(player);
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string savedValue = saved ? saved : "";
  setenv("XDG_DATA_HOME", player.c_str(), 1);
  fs::current_path("/proc");  // not even the superuser makes files here

  Press(SDL_SCANCODE_S);

  fs::current_path(before);
  if (saved) {
    setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
  EXPECT_GT(fs::file_size(player / "kaldovirent/screenshot0.bmp"), 1024u * 768u * 3u);
  fs::remove_all(player);
}

TEST_F(FrameLoop, ThePanelScrollsWhilePaused) {
  game.paused = 1;
  auto column = [] {
    std::vector<int> pixels;
    if (!StartDrawing(drawImage, obj::panel2)) return pixels;
    for (int y = 0; y < ImageHeight(obj::panel2); ++y) pixels.push_back(Point(40, y));
    StopDrawing();
    return pixels;
  };
  const std::vector<int> before = column();
  ASSERT_EQ(before.size(), 98u);
  Frames(1);
  const std::vector<int> after = column();
  ASSERT_EQ(after.size(), 98u);
  // Six rows up a frame; the rows below row 90 are the top rows brought round.
  for (int y = 0; y < 90; ++y) EXPECT_EQ(after[y], before[y + 6]) << "row " << y;
  EXPECT_EQ(game.paused, 1);
}

// Paused by P, the screen stands still but for the scrolling panel: after one whole frame of the
// pause, frames draw that panel alone, and on a software rasteriser's watched window they give it
// to the window without a drawing at all; the first frame of play draws it all again.
TEST_F(FrameLoop, WhilePausedOnlyThePanelIsDrawnAgain) {
  constexpr int panelX = 864, panelY = 630, panelWidth = 124, panelHeight = 98;
  ASSERT_FALSE(Frames(3));
  Press(SDL_SCANCODE_P);
  ASSERT_EQ(game.paused, 1);
  std::vector<uint32_t> paused;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(FullScreenPicture(paused, width, height));
  ASSERT_EQ(width, screenWidth);
  ResetRendererCalls();
  ASSERT_FALSE(Frames(4));
  // The background, the panels and the scroll over the panel's 12 000 pixels, four frames.
  EXPECT_LT(RendererCalls().copyPixels, 4 * 5.0 * panelWidth * panelHeight);
  std::vector<uint32_t> later;
  ASSERT_TRUE(FullScreenPicture(later, width, height));
  int panelChanges = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      const bool panel = x >= panelX && x < panelX + panelWidth && y >= panelY && y < panelY + panelHeight;
      if (!panel) {
        ASSERT_EQ(later[i], paused[i]) << x << ", " << y;
      } else if (later[i] != paused[i]) {
        ++panelChanges;
      }
    }
  }
  EXPECT_GT(panelChanges, 100);  // it scrolled

  KeepPresentedPictures(true);
  ASSERT_FALSE(Frames(1));
  ResetRendererCalls();
  ASSERT_FALSE(Frames(4));
  if (RendererDescription().find("llvmpipe") != std::string::npos) {
    EXPECT_EQ(RendererCalls().other + RendererCalls().geometry, 0u);
    EXPECT_EQ(RendererCalls().memoryCopies, 4u);
  }
  FlipBuffers();  // a frame's flip comes at the start of the next
  std::vector<uint32_t> window;
  ASSERT_TRUE(PresentedPicture(window, width, height));
  ASSERT_TRUE(FullScreenPicture(later, width, height));
  EXPECT_TRUE(window == later);
  KeepPresentedPictures(false);
  Press(SDL_SCANCODE_P);
  ASSERT_EQ(game.paused, 0);
  ResetRendererCalls();
  Frames(1);
  // The backdrop and the three panels are copied again (where the last frame drew over them),
  // and the quads of play are drawn.
  EXPECT_GE(RendererCalls().other, 4u);
  EXPECT_GT(RendererCalls().geometry, 0u);
}

TEST_F(FrameLoop, TheShipHoldsStillWhileTheChaingunIsUpAndSteersOnceItIsGone) {
  ASSERT_FALSE(Frames(1));
  game.gunState = 1;  // as the capsule leaves it
  game.ammoStep = 2;
  const float x = game.shipX;
  ASSERT_TRUE(PushMouseMotion(40, 0, 600, 300));
  Frames(2);
  EXPECT_EQ(game.shipX, x);
  EXPECT_EQ(game.gunState, 2);

  game.ammo = 0;  // the last shot is gone: the gun leaves after this frame
  Frames(1);
  EXPECT_EQ(game.gunState, 0);
  ASSERT_TRUE(PushMouseMotion(40, 0, 600, 300));
  Frames(1);
  EXPECT_GT(game.shipX, x);
}

// ---------------------------------------------------------------- the left button

TEST_F(FrameLoop, ALeftClickServesTheBallsWithTheLaunchSoundAt70000Hertz) {
  ASSERT_FALSE(Frames(2));
  ASSERT_EQ(game.launchPending, 1);
  ASSERT_FALSE(SoundPlaying(obj::soundBallLaunch));
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  Frames(1);
  EXPECT_EQ(game.launchPending, 0);
  EXPECT_EQ(game.glueMode, 0);
  EXPECT_TRUE(SoundPlaying(obj::soundBallLaunch));
  EXPECT_EQ(GetSoundFrequency(obj::soundBallLaunch), 70000);
  ASSERT_FALSE(game.balls.Empty());
  for (const Ball& ball : game.balls) EXPECT_EQ(ball.glued, 0);
}

TEST_F(FrameLoop, TheLaunchLockHoldsTheServeSilentlyUntilItIsLifted) {
  game.launchLocked = 1;
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  Frames(3);
  EXPECT_EQ(game.launchPending, 1);
  EXPECT_FALSE(SoundPlaying(obj::soundBallLaunch));
  for (const Ball& ball : game.balls) EXPECT_EQ(ball.glued, 1);

  game.launchLocked = 0;
  Frames(1);  // the button is still held
  EXPECT_EQ(game.launchPending, 0);
  EXPECT_TRUE(SoundPlaying(obj::soundBallLaunch));
}

TEST_F(FrameLoop, ALeftClickLetsTheGlueBonusBallGoAndTheGlueStaysForTheNextCatch) {
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  Frames(1);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  Frames(1);
  ASSERT_EQ(game.launchPending, 0);
  StopSound(obj::soundBallLaunch);
  // The glue bonus caught the ball on the ship, as the ball pass leaves it.
  game.glueMode = 1;
  game.glueTimer = 10 * frameRate;
  Ball& ball = *game.balls.begin();
  ball.glued = 1;
  ball.glueOffset = 10;

  game.launchLocked = 1;  // the lock holds a glued ball as it holds the serve
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  Frames(1);
  EXPECT_EQ(ball.glued, 1);
  EXPECT_FALSE(SoundPlaying(obj::soundBallLaunch));

  game.launchLocked = 0;
  Frames(1);
  EXPECT_EQ(ball.glued, 0);
  EXPECT_EQ(game.glueTimer, 0);
  EXPECT_EQ(game.glueMode, 1);
  EXPECT_TRUE(SoundPlaying(obj::soundBallLaunch));
  EXPECT_EQ(GetSoundFrequency(obj::soundBallLaunch), 70000);
}

// ---------------------------------------------------------------- the end of the loop

TEST_F(FrameLoop, EscapeEndsTheGameAndANewOneBeginsAtTheMenu) {
  ASSERT_FALSE(Frames(5));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  EXPECT_TRUE(RunFrame());
  EXPECT_EQ(EndLevel(), AfterLevel::newGame);
  EXPECT_EQ(game.quitToMenu, 1);
}

TEST_F(FrameLoop, ClosingTheWindowEndsTheGameWithSuccess) {
  // The child runs this test afresh rather than forking a process with GPU threads.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EXIT(
      {
        SDL_PushEvent(&quit);
        RunFrame();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoop, AnEndedLevelWaitsForAClick) {
  game.levelComplete = 1;
  EXPECT_FALSE(Frames(3));
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_RIGHT, true));
  EXPECT_TRUE(RunFrame());
}

TEST_F(FrameLoop, ALostLifeRestartsTheLevelWithTheBricksAsTheyWere) {
  ASSERT_GT(game.bricks.Count(), 10);
  const int bricks = game.bricks.Count();
  game.bricks.Select(3);
  game.bricks.Current().alive = 0;
  game.lifeLost = 1;
  game.lives = 2;
  game.showFps = 1;

  ASSERT_EQ(EndLevel(), AfterLevel::nextLevel);
  StartLevel();

  EXPECT_EQ(game.lifeLost, 0);
  EXPECT_EQ(game.showFps, 0);
  EXPECT_EQ(game.bricks.Count(), bricks);
  game.bricks.Select(3);
  EXPECT_EQ(game.bricks.Current().alive, 0);
  EXPECT_EQ(game.shipX, 448);
}

// The menu left alone: the demo game plays itself with its caption until a person clicks.
TEST(AttractDemo, AnIdleMenuPlaysADemoWithItsCaptionAndAClickBringsTheMenuBack) {
  SetMessageBoxesSilent(true);
  StartUp();
  RandomSeed(0);
  ASSERT_TRUE(StartRunControl());  // the autopilot steps after every frame, as in the game
  SetFrameLimiterEnabled(false);
  SetManualClock(true);
  SetManualClockStepPerRead(250);  // time passes with every reading of the clock
  ASSERT_TRUE(NewGame());
  SetManualClockStepPerRead(20);
  EXPECT_TRUE(game.attractDemo);
  EXPECT_LT(game.levelNumber, bonusLevel);
  StartLevel();

  constexpr int captionColour = RGB(255, 210, 64);
  auto captionPixels = [] {
    int count = 0;
    if (!StartDrawing()) return -1;
    for (int y = 55; y < 100; ++y) {
      for (int x = playCentreX - 80; x < playCentreX + 80; ++x) count += Point(x, y) == captionColour;
    }
    StopDrawing();
    return count;
  };
  float lowestX = game.shipX, highestX = game.shipX;
  int shown = 0, hidden = 1 << 30;
  for (int i = 0; i < 400; ++i) {
    ASSERT_FALSE(RunFrame()) << "frame " << i;
    lowestX = std::min(lowestX, game.shipX);
    highestX = std::max(highestX, game.shipX);
    const int pixels = captionPixels();
    shown = std::max(shown, pixels);
    hidden = std::min(hidden, pixels);
  }
  EXPECT_GT(highestX - lowestX, 20.0f) << "the autopilot steers the ship";
  EXPECT_GT(shown, 20) << "DEMO is written over the top of the playfield";
  EXPECT_EQ(hidden, 0) << "and blinks";

  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_TRUE(RunFrame());
  EXPECT_EQ(EndLevel(), AfterLevel::newGame);
  EXPECT_FALSE(game.attractDemo);
  SetFrameHook(nullptr);
  SetQuitHook(nullptr);
  SetManualClockStepPerRead(0);
  SetManualClock(false);
  ShutdownMedia();
}

}  // namespace
