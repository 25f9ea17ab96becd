// SPDX-License-Identifier: GPL-3.0-or-later
// The focus-loss pause, driven headless: the focus is taken away through the media layer, and
// the player's keys and clicks are pushed while the pause waits (its Delay calls the hook).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "assets/objects.h"
#include "core/game_state.h"
#include "frontend/pause_screen.h"
#include "media/media.h"
#include "media/media_diagnostics.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace fs = std::filesystem;

namespace {

// What the player does during the n-th wait of the pause (counted from 1).
std::map<int, std::function<void()>> script;
int waits = 0;
constexpr int giveUpAfter = 500;  // a pause that never ends would hang the test: click at last

void FollowScript() {
  ++waits;
  const auto step = script.find(waits);
  if (step != script.end()) step->second();
  if (waits == giveUpAfter) PushMouseButton(SDL_BUTTON_LEFT, true);
}

void ClickInTheWindow() {
  SimulateFocusChange(true);
  PushMouseButton(SDL_BUTTON_LEFT, true);
  PushMouseButton(SDL_BUTTON_LEFT, false);
}

void CloseTheWindow() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

int ImagePixel(int image, int x, int y) {
  if (!StartDrawing(drawImage, image)) return -1;
  const int colour = Point(x, y);
  StopDrawing();
  return colour;
}

// The game's screen in a scratch working directory of its own, holding the pause picture.
class Pause : public ::testing::Test {
 protected:
  void SetUp() override {
    gameDir_ = fs::current_path();
    scratch_ = fs::temp_directory_path() / ("kaldo_pause_" + std::to_string(::getpid()));
    fs::remove_all(scratch_);
    fs::create_directories(scratch_ / "gfx");
    fs::copy_file(gameDir_ / "gfx" / "gamepaused.png", scratch_ / "gfx" / "gamepaused.png");
    fs::current_path(scratch_);
    script.clear();
    waits = 0;
    SetDelayHook(FollowScript);
    SetManualClock(true);
    OpenHeadlessGame();
  }
  void TearDown() override {
    SetDelayHook(nullptr);
    SetManualClock(false);
    ShutdownMedia();
    fs::current_path(gameDir_);
    fs::remove_all(scratch_);
  }
  // A screen of one colour loses the focus; the pause runs until the script ends it.
  static int PauseOver(int colour) {
    ClearScreen(colour);
    EXPECT_TRUE(SimulateFocusChange(false));
    return FocusCheck();
  }

  fs::path gameDir_;
  fs::path scratch_;
};

constexpr int amber = RGB(200, 100, 50);
constexpr int teal = RGB(20, 160, 150);

TEST_F(Pause, WithTheFocusKeptPlayGoesOnAtOnce) {
  ClearScreen(amber);
  EXPECT_EQ(FocusCheck(), 1);
  EXPECT_EQ(waits, 0);
  EXPECT_FALSE(fs::exists("paused.bmp"));
}

TEST_F(Pause, AKeyDoesNotEndThePauseAClickInTheWindowDoesAndTheCallerRebuilds) {
  script[1] = [] {
    PushKey(SDL_SCANCODE_SPACE, true);
    PushKey(SDL_SCANCODE_SPACE, false);
    PushKey(SDL_SCANCODE_RETURN, true);
  };
  script[4] = ClickInTheWindow;
  EXPECT_EQ(PauseOver(amber), 0);
  EXPECT_EQ(waits, 4);
  // The pictures of the pause are freed, and nothing the player did meanwhile is passed on.
  EXPECT_FALSE(IsImage(obj::pauseSnapshot));
  EXPECT_FALSE(IsImage(obj::pausePicture));
  EXPECT_FALSE(IsImage(obj::pauseResult));
  ExamineKeyboard();
  ExamineMouse();
  EXPECT_FALSE(KeyboardPushed(-1));
  EXPECT_FALSE(MouseButton(1));
}

TEST_F(Pause, AButtonHeldFromBeforeThePauseDoesNotEndIt) {
  PushMouseButton(SDL_BUTTON_LEFT, true);
  ExamineMouse();
  script[3] = ClickInTheWindow;
  EXPECT_EQ(PauseOver(amber), 0);
  EXPECT_EQ(waits, 3);
}

TEST_F(Pause, ThePauseShowsTheBlurredScreenWithThePausePictureCentred) {
  int corner = -1, centre = -1;
  script[2] = [&] {
    corner = ScreenPixel(100, 100);
    centre = ScreenPixel(512, 384);
    ClickInTheWindow();
  };
  PauseOver(amber);
  // A screen of one colour stays that colour under the blur.
  EXPECT_EQ(corner, amber);
  EXPECT_NE(centre, amber);
  EXPECT_NE(centre, -1);
}

TEST_F(Pause, InAWindowThePauseIsTheSameAndAltEnterSwitchesWhileItWaits) {
  SetFullScreen(false);
  int corner = -1;
  script[1] = [] { PushAltEnter(); };
  script[3] = [&] {
    corner = ScreenPixel(100, 100);
    ClickInTheWindow();
  };
  EXPECT_EQ(PauseOver(teal), 0);
  EXPECT_EQ(waits, 3);
  EXPECT_EQ(corner, teal);
  EXPECT_TRUE(fs::exists("paused.bmp"));
  EXPECT_TRUE(FullScreen());
}

TEST_F(Pause, ThePictureIsPresentedOnceAndTheWaitingFlipsPresentNothingUntilTheWindowAsks) {
  int corner = -1;
  uint64_t skippedBeforeExposed = 0;
  uint64_t skippedAfterExposed = 0;
  script[3] = [&] {
    skippedBeforeExposed = FlipsSkipped();
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&exposed);
  };
  script[4] = [&] { skippedAfterExposed = FlipsSkipped(); };
  script[6] = [&] {
    corner = ScreenPixel(100, 100);
    ClickInTheWindow();
  };
  const uint64_t skipped = FlipsSkipped();
  EXPECT_EQ(PauseOver(amber), 0);
  EXPECT_EQ(waits, 6);
  // The first flip shows the picture (after the window events of the focus loss), the second
  // presents nothing; the exposed window is shown it again by the third, the fourth and fifth
  // present nothing, and the sixth comes with the focus back (a window event too).
  EXPECT_GE(skippedBeforeExposed - skipped, 1u);
  EXPECT_EQ(skippedAfterExposed, skippedBeforeExposed);
  EXPECT_EQ(FlipsSkipped() - skippedAfterExposed, 2u);
  EXPECT_EQ(corner, amber);  // the picture is still there to be shown
}

TEST_F(Pause, TwoPausesInARowOverwriteThePausedPicture) {
  script[1] = ClickInTheWindow;
  PauseOver(amber);
  ASSERT_TRUE(LoadImage(1, "paused.bmp"));
  EXPECT_EQ(ImagePixel(1, 10, 10), amber);
  waits = 0;
  PauseOver(teal);
  ASSERT_TRUE(LoadImage(1, "paused.bmp"));
  EXPECT_EQ(ImagePixel(1, 10, 10), teal);
  EXPECT_EQ(ImageWidth(1), 1024);
  EXPECT_EQ(ImageHeight(1), 768);
}

TEST_F(Pause, WherePausedBmpCannotBeWrittenThePauseStillShowsTheBlurredScreen) {
  fs::create_directory("paused.bmp");  // in the way of the file, even for root
  int corner = -1;
  script[2] = [&] {
    corner = ScreenPixel(100, 100);
    ClickInTheWindow();
  };
  EXPECT_EQ(PauseOver(teal), 0);
  EXPECT_EQ(corner, teal);
}

TEST_F(Pause, ClosingTheWindowDuringThePauseEndsTheProgramWithSuccess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        script[2] = CloseTheWindow;
        PauseOver(amber);
        std::exit(3);  // the pause ended some other way
      },
      ::testing::ExitedWithCode(0), "");
}

// The filter against a plain transcription of its rule, on a picture with detail in every
// channel.
TEST(PauseFilter, MatchesAStraightforwardReference) {
  constexpr int n = pauseFilterSide;
  std::vector<uint32_t> area(static_cast<std::size_t>(n) * n, 0);
  static uint32_t reference[n][n];
  for (int x = 0; x < 768; ++x) {
    for (int y = 0; y < 768; ++y) {
      const uint32_t r = (x * 7 + y * 3) & 255, g = (x ^ y) & 255, b = (x * y / 5) & 255;
      area[static_cast<std::size_t>(x) * n + y] = r << 16 | g << 8 | b;
    }
  }
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) reference[x][y] = area[static_cast<std::size_t>(x) * n + y];
  }
  float t = 0;
  for (int x = 0; x <= 768; ++x) {
    for (int y = 0; y <= 768; ++y) {
      t += 0.00015f;
      int sx = x;
      int sy = static_cast<int>(std::lround(y + 4 * std::sin(t)));
      sx = std::clamp(sx, 1, 767);
      sy = std::clamp(sy, 1, 767);
      auto red = [&](int i, int j) { return static_cast<int>(reference[i][j] >> 16 & 255); };
      auto green = [&](int i, int j) { return static_cast<int>(reference[i][j] >> 8 & 255); };
      auto blue = [&](int i, int j) { return static_cast<int>(reference[i][j] & 255); };
      const int r = (red(sx - 1, sy - 1) + red(sx, sy) + red(sx + 1, sy + 1)) / 3;
      const int g = (green(sx + 1, sy - 1) + green(sx, sy) + green(sx - 1, sy + 1)) / 3;
      const int b = (blue(sx - 1, sy) + blue(sx, sy) + blue(sx + 1, sy)) / 3;
      reference[x][y] = static_cast<uint32_t>(r << 16 | g << 8 | b);
    }
  }
  FilterPausePicture(area);
  // Worked by hand: the first pixel averages red along the diagonal (0 + 10 + 20) / 3, green
  // along the other diagonal (2 + 0 + 2) / 3 and blue along the row (0 + 0 + 0) / 3.
  EXPECT_EQ(area[0], 0x0A0100u);
  int different = 0;
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) different += area[static_cast<std::size_t>(x) * n + y] != reference[x][y];
  }
  EXPECT_EQ(different, 0);
}

// The whole game: a pause in the middle of a level resumes it as it was.
class PausedLevel : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessGame();
    script.clear();
    waits = 0;
    SetDelayHook(FollowScript);
  }
  void TearDown() override {
    SetDelayHook(nullptr);
    ShutdownMedia();
    fs::remove("paused.bmp");
  }
};

TEST_F(PausedLevel, ResumesWhereItStoppedWithTheBricksAsTheyWereAndTheMovesMadeMeanwhileDropped) {
  for (int i = 0; i < 3; ++i) RunFrame();
  ASSERT_FALSE(game.bricks.Empty());
  game.bricks.begin()->alive = 0;
  const int bricks = game.bricks.Count();
  const int frame = game.frameCounter;
  const float shipX = game.shipX;
  const float ballX = game.balls.begin()->x;
  ASSERT_FALSE(SpritePixelsHeld(obj::ball16));  // a picture only drawn keeps only its texture
  script[1] = [] { PushMouseMotion(150, 0, 0, 0); };
  script[2] = ClickInTheWindow;
  ASSERT_TRUE(SimulateFocusChange(false));
  RunFrame();
  EXPECT_EQ(waits, 2);
  EXPECT_EQ(game.frameCounter, frame + 1);
  EXPECT_EQ(game.shipX, shipX);
  EXPECT_EQ(game.balls.begin()->x, ballX);
  EXPECT_EQ(game.bricks.Count(), bricks);
  EXPECT_EQ(game.bricks.begin()->alive, 0);
  EXPECT_EQ(game.levelReloaded, 1);
  // The screen made again holds no more memory than the level's start did.
  EXPECT_FALSE(SpritePixelsHeld(obj::ball16));
  // The click that ended the pause did not launch the ball.
  EXPECT_EQ(game.launchPending, 1);
}

TEST_F(PausedLevel, AHundredPausesLoseNothingAndKeepMemoryFlat) {
  for (int i = 0; i < 3; ++i) RunFrame();
  game.score = 12345;
  struct Play {
    int score, lives, balls, bricks;
    float ballX, ballY;
    bool operator==(const Play&) const = default;
  };
  auto play = [] {
    return Play{game.score, game.lives, game.balls.Count(), game.bricks.Count(),
                game.balls.begin()->x, game.balls.begin()->y};
  };
  const Play before = play();
  MediaObjectCounts objects;
  int64_t firstHeap = 0;
  for (int cycle = 0; cycle < 100; ++cycle) {
    SCOPED_TRACE(cycle);
    script.clear();
    waits = 0;
    script[2] = ClickInTheWindow;
    ASSERT_TRUE(SimulateFocusChange(false));
    RunFrame();
    ASSERT_EQ(waits, 2);  // paused, then resumed by the click
    ASSERT_TRUE(play() == before);
    // The first pause makes what every later one reuses (the saved screen among them).
    if (cycle == 0) {
      objects = LiveMediaObjects();
      firstHeap = HeapInUseKilobytes();
    }
    ASSERT_TRUE(LiveMediaObjects() == objects);
  }
#if !defined(__SANITIZE_ADDRESS__)
  // The heap the game allocates from stays flat; the resident size is no measure here, as the
  // software renderer maps and unmaps its own memory with every new screen (it rises and falls
  // by tens of megabytes from one pause to the next). The sanitizers keep their own heap.
  EXPECT_LT(HeapInUseKilobytes(), firstHeap + firstHeap / 100);
#endif
}

}  // namespace
