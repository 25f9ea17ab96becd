// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game on the headless screen: started from the console and left with
// Backspace, its keys and timings frame by frame with the clock stepped by hand, its levels,
// the end of a game, and the lit background.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assets/asset_loader.h"
#include "assets/catalogue.h"
#include "assets/objects.h"
#include "console/console.h"
#include "console/tetris.h"
#include "console/tetris_board.h"
#include "console/tetris_light.h"
#include "core/game_state.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

const std::string rule54(54, '-');

std::vector<std::string> LastLines(std::size_t count) {
  const std::vector<std::string>& h = game.console.history;
  return {h.end() - static_cast<std::ptrdiff_t>(count), h.end()};
}

int BugRowsTop() {
  for (int row = 0; row < tetrisRows; ++row) {
    for (const TetrisCell& cell : game.tetris.board[row]) {
      if (cell.tile) return row;
    }
  }
  return tetrisRows;
}

// Through the real frame loop: the console opened with its key, the command typed.
class TetrisFromConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessGame();
  }
  void TearDown() override { ShutdownMedia(); }
  static void Frames(int count) {
    for (int i = 0; i < count; ++i) RunFrame();
  }
  // Types the command and presses Enter with Backspace already down, so the game leaves at its
  // first frame.
  static void RunTetrisCommand() {
    ASSERT_TRUE(PushText("tetris"));
    Frames(6);
    ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, true));
    ASSERT_TRUE(PushKey(SDL_SCANCODE_RETURN, false));
    ASSERT_TRUE(PushKey(SDL_SCANCODE_BACKSPACE, true));
    Frames(1);
    ASSERT_TRUE(PushKey(SDL_SCANCODE_BACKSPACE, false));
    Frames(1);
  }
};

TEST_F(TetrisFromConsole, RunsTheGameAndBackspaceReturnsToTheConsoleWithItsAnswer) {
  ASSERT_TRUE(PushKey(SDL_SCANCODE_GRAVE, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_GRAVE, false));
  Frames(43);
  ASSERT_EQ(game.console.motion, consoleOpen);
  RunTetrisCommand();

  const std::vector<std::string> lines = LastLines(4);
  EXPECT_EQ(lines[0], "TETRIS");
  EXPECT_EQ(lines[1], rule54);
  EXPECT_NE(lines[2].find("KALDOVIRENT TEAM"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3], rule54);
  // The game ran: its pack was read and closed, its music stopped; the game's music is back.
  EXPECT_TRUE(IsSprite3D(obj::tetrisBug));
  EXPECT_TRUE(IsImage(obj::tetrisBump));
  EXPECT_FALSE(SoundPlaying(obj::tetrisMusic));
  EXPECT_EQ(GetSoundVolume(obj::music), 50);
  EXPECT_EQ(CurrentPackName(), mainPackName);
  // The console is still open and types again.
  EXPECT_TRUE(game.console.shown);
  EXPECT_EQ(game.console.motion, consoleOpen);
  EXPECT_EQ(game.paused, 1);
  ASSERT_TRUE(PushText("x"));
  Frames(1);
  EXPECT_EQ(game.console.inputLine, "x");
}

TEST_F(TetrisFromConsole, LevelAndScoreAreKeptFromOneGameToTheNext) {
  game.console.shown = true;
  Frames(43);
  RunTetrisCommand();
  game.tetris.level = 2;
  game.tetris.score = 1234;
  RunTetrisCommand();
  EXPECT_EQ(game.tetris.level, 2);
  EXPECT_EQ(game.tetris.score, 1234);
  // Level 3's board: three rows of bugs at the bottom.
  EXPECT_GE(BugRowsTop(), 17);
  EXPECT_GT(game.tetris.bugCount, 0);
}

// One frame at a time on the bare screen, the clock stepped by hand.
class TetrisFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ASSERT_TRUE(InitSound());
    SetManualClock(true);
    RandomSeed(19);
    SetUpTetris();
    ASSERT_TRUE(Start3D());
  }
  void TearDown() override {
    Stop3D();
    SetManualClock(false);
    ShutdownMedia();
  }
  static bool Frame(int milliseconds = 0) {
    AdvanceManualClock(milliseconds);
    return TetrisFrame();
  }
  static void Press(SDL_Scancode key, bool down) { ASSERT_TRUE(PushKey(key, down)); }
  TetrisState& t = game.tetris;
};

TEST_F(TetrisFrames, SetUpStartsLevelOneWithBugsAtTheBottomAndItsMusic) {
  EXPECT_EQ(t.level, 0);
  EXPECT_EQ(BugRowsTop(), 19);
  EXPECT_GT(t.bugCount, 0);
  EXPECT_TRUE(SoundPlaying(obj::tetrisMusic));
  EXPECT_EQ(t.current.y, tetrisSpawnY);
  EXPECT_FALSE(Frame());
  EXPECT_GT(t.current.y, tetrisSpawnY);
  Press(SDL_SCANCODE_BACKSPACE, true);
  EXPECT_TRUE(Frame());
  EXPECT_FALSE(SoundPlaying(obj::tetrisMusic));
}

TEST_F(TetrisFrames, AnArrowMovesAtOnceThenEvery100MillisecondsWhileHeld) {
  const int x = t.current.x;
  Press(SDL_SCANCODE_RIGHT, true);
  Frame();
  EXPECT_EQ(t.current.x, x + 32);
  Frame(50);
  EXPECT_EQ(t.current.x, x + 32);
  Frame(50);
  EXPECT_EQ(t.current.x, x + 64);
  Press(SDL_SCANCODE_RIGHT, false);
  Frame(200);
  EXPECT_EQ(t.current.x, x + 64);
  Press(SDL_SCANCODE_LEFT, true);
  Frame();
  EXPECT_EQ(t.current.x, x + 32);
}

TEST_F(TetrisFrames, UpTurnsOnReleaseSpaceFallsFastAndPPauses) {
  Press(SDL_SCANCODE_UP, true);
  Frame();
  EXPECT_EQ(t.current.rotation, 0);
  Press(SDL_SCANCODE_UP, false);
  Frame();
  EXPECT_EQ(t.current.rotation, 1);
  Press(SDL_SCANCODE_DOWN, true);
  Press(SDL_SCANCODE_DOWN, false);
  Frame();
  EXPECT_EQ(t.current.rotation, 0);

  Press(SDL_SCANCODE_SPACE, true);
  Frame();
  int y = t.current.y;
  Frame();
  EXPECT_EQ(t.current.y, y + 8);
  Press(SDL_SCANCODE_SPACE, false);
  Frame();
  y = t.current.y;
  Frame();
  EXPECT_EQ(t.current.y, y + 1);

  Press(SDL_SCANCODE_P, true);
  Press(SDL_SCANCODE_P, false);
  Frame();
  EXPECT_TRUE(t.paused);
  y = t.current.y;
  Frame(1000);
  EXPECT_EQ(t.current.y, y);
  Press(SDL_SCANCODE_P, true);
  Press(SDL_SCANCODE_P, false);
  Frame();
  EXPECT_FALSE(t.paused);
}

TEST_F(TetrisFrames, ALevelWithNoBugsIsWonAtOnceAndTheNextStartsTwoSecondsLater) {
  for (auto& row : t.board) {
    for (TetrisCell& cell : row) cell = TetrisCell{};
  }
  t.bugCount = 0;
  Frame();
  EXPECT_EQ(t.levelWon, tetrisShowingNextLevel);
  const int y = t.current.y;
  Frame(2000);
  EXPECT_EQ(t.levelWon, tetrisShowingNextLevel);
  EXPECT_EQ(t.current.y, y);  // the piece waits meanwhile
  Frame(1);
  EXPECT_EQ(t.levelWon, tetrisPlaying);
  EXPECT_EQ(t.level, 1);
  EXPECT_EQ(BugRowsTop(), 18);
}

TEST_F(TetrisFrames, AFullBoardEndsTheGameWhichWaitsForBackspace) {
  for (int row = 0; row < tetrisRows; ++row) {
    for (int column = 0; column < tetrisColumns - 1; ++column) t.board[row][column].tile = obj::tetrisTileFirst;
  }
  EXPECT_FALSE(Frame());
  EXPECT_TRUE(t.gameOver);
  const TetrisPiece piece = t.current;
  const int score = t.score;
  Press(SDL_SCANCODE_RIGHT, true);
  for (int i = 0; i < 100; ++i) EXPECT_FALSE(Frame(20));
  EXPECT_EQ(t.current.x, piece.x);
  EXPECT_EQ(t.current.y, piece.y);
  EXPECT_EQ(t.score, score);
  Press(SDL_SCANCODE_BACKSPACE, true);
  EXPECT_TRUE(Frame());
}

TEST_F(TetrisFrames, AFullRowFlashesAndIsGone) {
  for (int column = 0; column < tetrisColumns; ++column) t.board[19][column].tile = obj::tetrisTileFirst;
  Frame();
  EXPECT_EQ(t.score, 2000);
  ASSERT_EQ(t.flashes.size(), 1u);
  Frame(300);
  EXPECT_EQ(t.flashes.size(), 1u);
  Frame(300);
  EXPECT_TRUE(t.flashes.empty());
}

double Brightness(int x, int y) {
  const int c = Point(x, y);
  return Red(c) + Green(c) + Blue(c);
}

// The mean brightness of the 9 x 9 texels round a point of the lit texture.
double Around(float cx, float cy) {
  double sum = 0;
  for (int dy = -4; dy <= 4; ++dy) {
    for (int dx = -4; dx <= 4; ++dx) {
      sum += Brightness(std::clamp(static_cast<int>(cx) + dx, 0, litSize - 1),
                        std::clamp(static_cast<int>(cy) + dy, 0, litSize - 1));
    }
  }
  return sum / 81;
}

TEST_F(TetrisFrames, TheReliefIsBrightestWhereTheLightIsAndTheLightMoves) {
  std::vector<double> shifts;
  for (int64_t time : {0, 4000, 9000}) {
    RelightBackground(time);
    const LightPlace light = LightAt(time);
    ASSERT_TRUE(StartDrawing(drawSprite, obj::tetrisLitBackground));
    const double near = Around(light.x, light.y);
    const double far = Around(std::fmod(light.x + 64, litSize), std::fmod(light.y + 64, litSize));
    EXPECT_GT(near, far * 1.3) << "at " << time << " ms";
    // Not flat: the relief shows in neighbouring texels.
    double ripple = 0;
    for (int x = 1; x < litSize; ++x) ripple += std::fabs(Brightness(x, 64) - Brightness(x - 1, 64));
    EXPECT_GT(ripple, 200.0);
    StopDrawing();
  }
  const LightPlace a = LightAt(0), b = LightAt(50);
  EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y), 1.0f);  // slowly: under a texel a tick
  const LightPlace c = LightAt(4000);
  EXPECT_GT(std::hypot(a.x - c.x, a.y - c.y), 20.0f);
}

}  // namespace
