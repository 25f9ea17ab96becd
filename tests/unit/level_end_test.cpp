// What comes after a level: next level, bonus level and back, new game, end of the demo.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "unit/level_test_support.h"

namespace {

class LevelEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SetMessageBoxesSilent(true);  // also keeps the demo's web address from opening a browser
    // Play goes on only to levels that have a file; these tests have a level 3 as well.
    for (int level : {0, 1, 2, 3, 102}) WriteLevel(level, {});
  }
  AfterLevel FinishLevel(int level, int letters) {
    game.levelNumber = level;
    game.letterMask = letters;
    game.levelComplete = 1;
    return EndLevel();
  }
  ScratchDirectory scratch;
};

TEST_F(LevelEnd, FinishingALevelGoesToTheNextOne) {
  EXPECT_EQ(FinishLevel(0, 0), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 1);
  EXPECT_EQ(game.demoEnd, 0);
}

TEST_F(LevelEnd, PlayGoesOnPastTheDemoLevelsAndEndsLikeTheDemoAfterTheLastFile) {
  EXPECT_EQ(FinishLevel(2, 0), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 3);
  EXPECT_EQ(game.demoEnd, 0);

  game.levelComplete = 0;
  EXPECT_EQ(FinishLevel(3, 0), AfterLevel::endProgram);  // there is no level 4
  EXPECT_EQ(game.demoEnd, 1);
  EXPECT_EQ(game.quitToMenu, 1);
}

TEST_F(LevelEnd, AfterTheLastFileAnAutopilotRunStartsOverFromTheMenu) {
  runOptions.keepPlaying = true;
  const AfterLevel after = FinishLevel(3, 0);
  runOptions.keepPlaying = false;
  EXPECT_EQ(after, AfterLevel::newGame);
  EXPECT_EQ(game.demoEnd, 0);
  EXPECT_EQ(game.quitToMenu, 1);
}

TEST_F(LevelEnd, AllLettersLeadToTheBonusLevelAndBackToTheNextLevel) {
  EXPECT_EQ(FinishLevel(1, 31), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 102);
  EXPECT_EQ(game.savedLevel, 1);
  EXPECT_EQ(game.enteringBonus, 1);

  game.levelComplete = 0;
  EXPECT_EQ(FinishLevel(102, 31), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 2);
  EXPECT_EQ(game.letterMask, 0);
  EXPECT_EQ(game.enteringBonus, 0);
}

TEST_F(LevelEnd, ReturningFromTheBonusLevelToLevelThreeDoesNotEndTheDemo) {
  FinishLevel(2, 31);
  ASSERT_EQ(game.levelNumber, 102);
  game.levelComplete = 0;
  EXPECT_EQ(FinishLevel(102, 31), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 3);
  EXPECT_EQ(game.demoEnd, 0);
}

TEST_F(LevelEnd, ALostLifeReplaysTheSameLevel) {
  game.levelNumber = 1;
  game.lifeLost = 1;
  game.lives = 2;
  EXPECT_EQ(EndLevel(), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 1);
}

TEST_F(LevelEnd, NoLivesLeftOrGameOverGoBackToANewGame) {
  game.lifeLost = 1;
  game.lives = 0;
  EXPECT_EQ(EndLevel(), AfterLevel::newGame);

  ResetGameState();
  game.gameOver = 1;
  EXPECT_EQ(EndLevel(), AfterLevel::newGame);
  EXPECT_EQ(game.demoEnd, 0);
}

}  // namespace
