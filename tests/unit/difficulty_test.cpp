// SPDX-License-Identifier: GPL-3.0-or-later
// The difficulty table and what each row changes in play: the ball's speed limit, the ship's
// catch width and body width, and the clamp to the playfield that follows the body.
#include <gtest/gtest.h>

#include "actors/ship_drawing.h"
#include "assets/objects.h"
#include "core/difficulty.h"
#include "core/game_state.h"
#include "gameplay/ship_steering.h"
#include "media/media.h"

namespace {

constexpr Difficulty all[] = {Difficulty::easy, Difficulty::normal, Difficulty::hard};

TEST(DifficultyTable, EasyIsKinderThanNormalInEveryValueAndHardHarder) {
  const DifficultyRow& easy = RowOf(Difficulty::easy);
  const DifficultyRow& normal = RowOf(Difficulty::normal);
  const DifficultyRow& hard = RowOf(Difficulty::hard);
  EXPECT_GT(easy.startLives, normal.startLives);
  EXPECT_GE(normal.startLives, hard.startLives);
  EXPECT_LT(easy.serveSpeed, normal.serveSpeed);
  EXPECT_LT(normal.serveSpeed, hard.serveSpeed);
  EXPECT_LT(easy.maxBallSpeed, normal.maxBallSpeed);
  EXPECT_LT(normal.maxBallSpeed, hard.maxBallSpeed);
  EXPECT_GT(easy.shipWidthPercent, normal.shipWidthPercent);
  EXPECT_GT(normal.shipWidthPercent, hard.shipWidthPercent);
  // Only Normal is the game unchanged, and only it keeps the plain level banner.
  EXPECT_EQ(normal.serveSpeed, 1.0f);
  EXPECT_EQ(normal.shipWidthPercent, 100);
  EXPECT_STREQ(normal.banner, "");
  EXPECT_STRNE(easy.banner, "");
  EXPECT_STRNE(hard.banner, "");
}

TEST(DifficultyTable, TheWordsReadBackAsTheirDifficulty) {
  for (Difficulty d : all) {
    Difficulty read = Difficulty::normal;
    ASSERT_TRUE(DifficultyFromWord(DifficultyWord(d), read));
    EXPECT_EQ(read, d);
  }
}

class DifficultyInPlay : public ::testing::TestWithParam<Difficulty> {
 protected:
  void SetUp() override {
    ResetGameState();
    game.difficulty = GetParam();
    ResetLevelState();
    for (int s = obj::shipBody; s <= obj::shipBodyLast; ++s) {
      ASSERT_TRUE(CreateSprite(s, 80 + 10 * std::min(s - obj::shipBody, 5), 110, spriteTexture));
    }
  }
  void TearDown() override { ShutdownMedia(); }
  static const DifficultyRow& Row() { return RowOf(GetParam()); }
};

TEST_P(DifficultyInPlay, ALevelStartsWithTheRowsBallLimitAndShipWidth) {
  EXPECT_EQ(game.maxBallSpeed, Row().maxBallSpeed);
  EXPECT_EQ(game.shipHalfWidth, 40 * Row().shipWidthPercent / 100);
  // A new game does not carry the last game's difficulty over.
  ResetGameForNewGame();
  EXPECT_EQ(game.difficulty, Difficulty::normal);
}

TEST_P(DifficultyInPlay, TheGrowingShipKeepsTheRowsWidthAndTheWallsFollowItsBody) {
  SetShipSize(10);
  EXPECT_EQ(game.shipHalfWidth, 65 * Row().shipWidthPercent / 100);
  EXPECT_EQ(ShipBodyWidth(), 130 * Row().shipWidthPercent / 100);
  // Pushed hard left, the ship stops with its body's edge 15 pixels past the playfield.
  for (int i = 0; i < 100; ++i) SteerShip(-30, 0);
  EXPECT_FLOAT_EQ(game.shipX, playLeft + ShipBodyWidth() / 2.0f - 15);
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, DifficultyInPlay, ::testing::ValuesIn(all),
                         [](const auto& info) { return std::string(DifficultyWord(info.param)); });

}  // namespace
