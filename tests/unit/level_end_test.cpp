// SPDX-License-Identifier: GPL-3.0-or-later
// What comes after a level: next level, bonus level and back, a new game, the end of the game
// past the last level, and the level files that must be there.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/game_state.h"
#include "media/fatal_error.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "unit/level_test_support.h"

namespace {

class LevelEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SetFatalHandler(ThrowFatal);
    SetMessageBoxesSilent(true);
    // Play goes on only to levels that have a file; these tests have a level 3 as well.
    for (int level : {0, 1, 2, 3, 102}) WriteLevel(level, {});
  }
  void TearDown() override { SetFatalHandler(nullptr); }

  AfterLevel FinishLevel(int level, int letters) {
    game.levelNumber = level;
    game.letterMask = letters;
    game.levelComplete = 1;
    game.quitToMenu = 0;
    return EndLevel();
  }
  // What the fatal error of finishing the level said, or "" when there was none.
  std::string FatalOnFinishing(int level, int letters) {
    try {
      FinishLevel(level, letters);
    } catch (const FatalText& fatal) {
      return fatal.text;
    }
    return "";
  }
  ScratchDirectory scratch;
};

TEST_F(LevelEnd, FinishingALevelGoesToTheNextOne) {
  EXPECT_EQ(FinishLevel(0, 0), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 1);
  EXPECT_EQ(game.quitToMenu, 0);
}

TEST_F(LevelEnd, PlayGoesOnPastTheThirdLevelAndTheGameIsWonAfterTheLastFile) {
  EXPECT_EQ(FinishLevel(2, 0), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 3);

  EXPECT_EQ(FinishLevel(3, 0), AfterLevel::gameFinished);  // there is no level 4
  EXPECT_EQ(game.quitToMenu, 1);
  // The number past the last level is, as the player counts from 1, the last level played.
  EXPECT_EQ(game.levelNumber, 4);
}

TEST_F(LevelEnd, TheAutopilotGetsTheEndingTooButADemoGameGoesStraightBackToTheMenu) {
  runOptions.keepPlaying = true;
  const AfterLevel autopilot = FinishLevel(3, 0);
  runOptions.keepPlaying = false;
  EXPECT_EQ(autopilot, AfterLevel::gameFinished);

  game.attractDemo = true;
  EXPECT_EQ(FinishLevel(3, 0), AfterLevel::newGame);
  EXPECT_FALSE(game.attractDemo);
}

TEST_F(LevelEnd, AGapInTheLevelFilesIsTheFatalNoLevelFileNotTheEnd) {
  std::remove("level2.dat");
  EXPECT_EQ(FatalOnFinishing(1, 0), "No level file");
  // Past the gap play goes on as before, and past the last file the game is won.
  EXPECT_EQ(FinishLevel(2, 0), AfterLevel::nextLevel);
  EXPECT_EQ(FinishLevel(3, 0), AfterLevel::gameFinished);
}

TEST_F(LevelEnd, AllFiveLettersWithoutABonusLevelFileIsTheFatalNoLevelFile) {
  std::remove("level102.dat");
  EXPECT_EQ(FatalOnFinishing(1, allLetters), "No level file");
  // Even on the last level: the letters were caught, the bonus level is owed.
  EXPECT_EQ(FatalOnFinishing(3, allLetters), "No level file");
}

TEST_F(LevelEnd, TheSpecialLevelsAreReachedByJumpsAndFinishingOneWinsTheGame) {
  WriteLevel(firstSpecialLevel, {});
  // The console's jump to level 50 finishes the level before it.
  EXPECT_EQ(FinishLevel(firstSpecialLevel - 1, 0), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, firstSpecialLevel);
  // The levels 4 to 49 between the last regular level and the guardian are no gap.
  EXPECT_EQ(FinishLevel(3, 0), AfterLevel::gameFinished);
  EXPECT_EQ(FinishLevel(firstSpecialLevel, 0), AfterLevel::gameFinished);
}

TEST_F(LevelEnd, AllLettersLeadToTheBonusLevelAndBackToTheNextLevel) {
  EXPECT_EQ(FinishLevel(1, 31), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 102);
  EXPECT_EQ(game.savedLevel, 1);
  EXPECT_EQ(game.enteringBonus, 1);

  EXPECT_EQ(FinishLevel(102, 31), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 2);
  EXPECT_EQ(game.letterMask, 0);
  EXPECT_EQ(game.enteringBonus, 0);
}

TEST_F(LevelEnd, ReturningFromTheBonusLevelGoesOnOrWinsTheGameAfterTheLastLevel) {
  FinishLevel(2, 31);
  ASSERT_EQ(game.levelNumber, 102);
  EXPECT_EQ(FinishLevel(102, 31), AfterLevel::nextLevel);
  EXPECT_EQ(game.levelNumber, 3);

  FinishLevel(3, 31);
  ASSERT_EQ(game.levelNumber, 102);
  EXPECT_EQ(FinishLevel(102, 31), AfterLevel::gameFinished);
  EXPECT_EQ(game.levelNumber, 4);
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
}

TEST_F(LevelEnd, NoEndOfLevelShowsAMessageBox) {
  const int before = MessageBoxCount();
  FinishLevel(0, 0);
  FinishLevel(3, 0);
  FinishLevel(1, allLetters);
  game.gameOver = 1;
  EndLevel();
  EXPECT_EQ(MessageBoxCount(), before);
}

}  // namespace
