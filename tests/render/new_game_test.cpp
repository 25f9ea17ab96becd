// SPDX-License-Identifier: GPL-3.0-or-later
// Every game starts clean: a game that ended in the guardian's temple or on the bonus level
// leaves nothing behind that changes the next one.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "assets/glyph_tables.h"
#include "core/game_state.h"
#include "core/player_options.h"
#include "core/settings.h"
#include "gameplay/guardian_scene.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/sdl_events.h"

namespace {

enum class LostOn { guardianLevel, bonusLevel };

class NewGameAfter : public ::testing::TestWithParam<LostOn> {
 protected:
  void SetUp() override { StartHeadlessGame(); }
  void TearDown() override { ShutdownMedia(); }

  static bool RunUntilEnd(int limit) {
    for (int i = 0; i < limit; ++i) {
      if (RunFrame()) return true;
    }
    return false;
  }
  // Ends the frame loop with a click, as the player leaves a finished or lost level.
  static void ClickToEnd() {
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
    ASSERT_TRUE(RunFrame());
    ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  }

  // Level 50: the guardian's bolt strikes the ship that stays under its aim, and "YOU LOOSE!".
  static void LoseToTheGuardian() {
    game.levelNumber = guardianLevel;
    StartLevel();
    ASSERT_EQ(game.enteringBonus, 1);
    game.guardian.state = 10;  // straight to its aim, the ship's last shield up
    game.guardian.timer = 0;
    game.guardian.shield = 1;
    ASSERT_FALSE(RunUntilEnd(400));
    ASSERT_EQ(game.gameOver, 1);
    ClickToEnd();
  }

  // All five letters open the bonus level, where the last life is lost.
  static void LoseOnTheBonusLevel() {
    game.letterMask = allLetters;
    game.levelComplete = 1;
    ASSERT_EQ(EndLevel(), AfterLevel::nextLevel);
    ASSERT_EQ(game.levelNumber, bonusLevel);
    StartLevel();
    ASSERT_EQ(game.enteringBonus, 1);
    game.lives = 1;
    game.launchPending = 0;
    Ball& ball = *game.balls.begin();
    ball.glued = 0;
    ball.x = playLeft + 20;
    ball.y = playBottom - 30;
    ball.vx = 0;
    ball.vy = 9;
    ASSERT_FALSE(RunUntilEnd(20));
    ASSERT_EQ(game.lives, 0);
    ClickToEnd();
  }
};

TEST_P(NewGameAfter, AGameLostOnASpecialLevelLetsTheNextGamesFirstLevelBeFinished) {
  if (GetParam() == LostOn::guardianLevel) {
    ASSERT_NO_FATAL_FAILURE(LoseToTheGuardian());
  } else {
    ASSERT_NO_FATAL_FAILURE(LoseOnTheBonusLevel());
  }
  ASSERT_EQ(EndLevel(), AfterLevel::newGame);

  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  StartLevel();
  EXPECT_EQ(game.levelNumber, 0);
  EXPECT_EQ(game.letterMask, 0);
  EXPECT_EQ(game.lives, 3);
  EXPECT_EQ(game.guardian.state, 0);
  // The player breaks the last brick: the level is cleared and the next one starts.
  for (Brick& brick : game.bricks) brick.alive = 0;
  ASSERT_FALSE(RunUntilEnd(3));
  ASSERT_EQ(game.levelComplete, 1);
  ClickToEnd();
  ASSERT_EQ(EndLevel(), AfterLevel::nextLevel);
  StartLevel();
  EXPECT_EQ(game.levelNumber, 1);
  EXPECT_FALSE(game.bricks.Empty());
  EXPECT_EQ(game.enteringBonus, 0);
}

INSTANTIATE_TEST_SUITE_P(EndedOn, NewGameAfter,
                         ::testing::Values(LostOn::guardianLevel, LostOn::bonusLevel),
                         [](const ::testing::TestParamInfo<LostOn>& info) {
                           return info.param == LostOn::guardianLevel ? "TheGuardiansLevel"
                                                                      : "TheBonusLevel";
                         });

}  // namespace

// A new game is played at the difficulty the options hold when it starts.
class NewGameAt : public ::testing::TestWithParam<Difficulty> {
 protected:
  void SetUp() override { StartHeadlessGame(); }
  void TearDown() override {
    playerSettings = PlayerSettings{};
    ShutdownMedia();
  }
};

TEST_P(NewGameAt, TheOptionsDifficultySetsTheLivesTheServeAndTheBanner) {
  const DifficultyRow& row = RowOf(GetParam());
  playerSettings.difficulty = GetParam();
  ASSERT_TRUE(PushMenuStartKeys());
  ASSERT_TRUE(NewGame());
  EXPECT_EQ(game.difficulty, GetParam());
  EXPECT_EQ(game.lives, row.startLives);
  StartLevel();
  EXPECT_EQ(game.maxBallSpeed, row.maxBallSpeed);
  const Ball& ball = *game.balls.begin();
  EXPECT_FLOAT_EQ(std::hypot(ball.vx, ball.vy), std::hypot(2.0f, 3.0f) * row.serveSpeed);
  // The banner is two sprite effects a letter, each showing the letter's gold glyph.
  std::string shown;
  bool upper = true;
  for (const SpriteEffect& effect : game.spriteEffects) {
    if (upper) shown += static_cast<char>(static_cast<int>(effect.frame) - goldGlyphBase);
    upper = !upper;
  }
  EXPECT_EQ(shown, std::string("LEVEL 1") + row.banner);
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, NewGameAt,
                         ::testing::Values(Difficulty::easy, Difficulty::normal, Difficulty::hard),
                         [](const auto& info) { return std::string(DifficultyWord(info.param)); });
