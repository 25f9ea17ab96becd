// SPDX-License-Identifier: GPL-3.0-or-later
// The ending: after the last level the player's score and level over the dimmed last frame of
// play, five seconds that no click cuts short, then a click, the high scores and a new game at
// the menu. The autopilot is shown the ending too, and starts over. The player's folders are
// scratch folders of each test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/high_score_table.h"
#include "core/settings.h"
#include "frontend/ending_screen.h"
#include "levels/level_file.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/run_control.h"
#include "support/sdl_events.h"
#include "unit/player_files_support.h"

namespace {

constexpr int slideInFrames = 96;  // the bricks slide in from one screen height above, 8 px a frame

// The last of the levels play runs through, in the game's data.
int LastLevel() {
  int level = 0;
  while (level + 1 < firstSpecialLevel && FileExists(LevelFileName(level + 1))) ++level;
  return level;
}

bool RunUntilEnd(int limit) {
  for (int i = 0; i < limit; ++i) {
    if (RunFrame()) return true;
  }
  return false;
}

// The mean of red, green and blue over a rectangle of the screen, 0 to 255.
int Brightness(int left, int top, int width, int height) {
  if (!StartDrawing()) return -1;
  int64_t sum = 0;
  for (int y = top; y < top + height; y += 2) {
    for (int x = left; x < left + width; x += 2) {
      const int p = Point(x, y);
      sum += Red(p) + Green(p) + Blue(p);
    }
  }
  StopDrawing();
  return static_cast<int>(sum / (3 * (width / 2) * (height / 2)));
}

// Pixels brighter than anything the dimmed backdrop keeps: the glyphs of the texts.
int TextPixels(int left, int top, int width, int height) {
  if (!StartDrawing()) return -1;
  int count = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      const int p = Point(x, y);
      count += std::max({Red(p), Green(p), Blue(p)}) > 200;
    }
  }
  StopDrawing();
  return count;
}

class Ending : public PlayerFilesTest {
 protected:
  void SetUp() override {
    PlayerFilesTest::SetUp();
    setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    StartHeadlessGame();
  }
  void TearDown() override {
    SetFrameHook(nullptr);
    ShutdownMedia();
    PlayerFilesTest::TearDown();
  }

  // The last level cleared and left with a click, as a player leaves it.
  static void FinishTheLastLevel(int score) {
    game.levelNumber = LastLevel();
    game.score = score;
    ASSERT_FALSE(RunUntilEnd(3));
    game.levelComplete = 1;
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
    ASSERT_TRUE(RunFrame());
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
    ASSERT_EQ(EndLevel(), AfterLevel::gameFinished);
  }
  static void Click() {
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  }
};

TEST_F(Ending, ShowsTheFinalScoreAndTheLevelReachedOverTheDimmedLastFrameOfPlay) {
  ASSERT_NO_FATAL_FAILURE(FinishTheLastLevel(48250));
  // The panel on the right holds no text of the ending: only the backdrop shows there.
  const int panelBefore = Brightness(playRight + 8, 0, screenWidth - playRight - 8, screenHeight);
  const int titleBefore = TextPixels(playLeft, 180, playWidth, 64);

  OpenEnding();
  const std::vector<std::string> lines = EndingLines();
  auto shows = [&lines](const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  };
  EXPECT_TRUE(shows("48250"));
  EXPECT_TRUE(shows(std::to_string(LastLevel() + 1)));  // as the player counts levels
  // Long enough for every line to have faded in.
  for (int frame = 0; frame < frameRate * 3 / 2; ++frame) ASSERT_TRUE(EndingFrame(frame));

  const int panelAfter = Brightness(playRight + 8, 0, screenWidth - playRight - 8, screenHeight);
  EXPECT_GT(panelAfter, 0) << "the last frame of play shows through";
  EXPECT_LT(panelAfter, panelBefore / 2) << "dimmed";
  EXPECT_GT(TextPixels(playLeft, 180, playWidth, 64), titleBefore + 500) << "the congratulation";
  EXPECT_GT(TextPixels(playLeft, 384, playWidth, 64), 300) << "the score";
  CloseEnding();
  EXPECT_FALSE(IsSprite(obj::endingBackdrop));
}

TEST_F(Ending, NoClickEndsItForFiveSecondsThenTheFirstClickDoes) {
  ASSERT_NO_FATAL_FAILURE(FinishTheLastLevel(1000));
  OpenEnding();
  int frame = 0;
  for (; frame < endingHoldFrames; ++frame) {
    ASSERT_NO_FATAL_FAILURE(Click());
    ASSERT_TRUE(EndingFrame(frame)) << "frame " << frame;
  }
  // Past the hold it waits for a click as long as it takes.
  for (const int until = frame + frameRate; frame < until; ++frame) ASSERT_TRUE(EndingFrame(frame));
  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_FALSE(EndingFrame(frame));
  CloseEnding();
}

// After every frame presented: the level is cleared, and a hand clicks every other frame; on the
// menu's screens (the name entry and the high scores after the ending) Enter is pressed.
int handFrames = 0;
void ClearTheLevelAndClick() {
  ++handFrames;
  if (game.menu.shown) {
    PushKey(SDL_SCANCODE_RETURN, true);
    PushKey(SDL_SCANCODE_RETURN, false);
    return;
  }
  game.levelComplete = 1;
  InjectMouseButton(1, handFrames % 2 == 0);
}

TEST_F(Ending, AGameWonEndsInTheEndingWithoutAMessageBoxAndTheNextGameBeginsAtTheMenu) {
  game.levelNumber = LastLevel();
  game.score = 777;
  const int boxes = MessageBoxCount();
  handFrames = 0;
  SetFrameHook(ClearTheLevelAndClick);
  const int64_t start = FramesPresented();
  PlayGame();  // returns: the program goes on
  SetFrameHook(nullptr);
  InjectMouseButton(1, false);

  EXPECT_GE(FramesPresented() - start, slideInFrames + endingHoldFrames);
  EXPECT_EQ(MessageBoxCount(), boxes);
  EXPECT_FALSE(SoundPlaying(obj::music));
  // The won game entered the high scores with the last level as the player counts it.
  const ::HighScores scores = LoadHighScores();
  const HighScoreTable& table = scores.Table(game.difficulty);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].score, 777);
  EXPECT_EQ(table[0].level, LastLevel() + 1);

  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  EXPECT_EQ(game.levelNumber, 0);
  EXPECT_EQ(game.score, 0);
  EXPECT_EQ(game.lives, 3);
}

TEST(EndingWithTheAutopilot, TheAutopilotIsShownTheEndingThenStartsOverFromTheMenu) {
  SetMessageBoxesSilent(true);
  StartUp();
  RandomSeed(0);
  runOptions.autopilot = true;
  runOptions.keepPlaying = true;
  ASSERT_TRUE(StartRunControl());  // the autopilot steps after every frame, as in the game
  SetFrameLimiterEnabled(false);
  ASSERT_TRUE(NewGame());  // the autopilot chooses the first item
  game.levelNumber = LastLevel();
  StartLevel();
  game.levelComplete = 1;
  EXPECT_TRUE(RunUntilEnd(10)) << "the autopilot clicks to leave the level";
  ASSERT_EQ(EndLevel(), AfterLevel::gameFinished);

  const int64_t start = FramesPresented();
  EndGame(AfterLevel::gameFinished);
  const int64_t shown = FramesPresented() - start;
  EXPECT_GE(shown, endingHoldFrames);
  EXPECT_LE(shown, endingHoldFrames + 2) << "the ending closes by itself after the hold";

  EXPECT_TRUE(NewGame());  // through the menu again
  EXPECT_EQ(game.levelNumber, 0);

  runOptions.autopilot = false;
  runOptions.keepPlaying = false;
  SetRealMouseIgnored(false);
  SetFrameHook(nullptr);
  SetQuitHook(nullptr);
  ShutdownMedia();
}

}  // namespace
