// SPDX-License-Identifier: GPL-3.0-or-later
// The sprite effect list and floating texts: placement of the letters, the standing delay, the
// split-and-fade run, the hold and the deletion of finished effects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game_state.h"
#include "gameplay/sprite_effects.h"

namespace {

class SpriteEffects : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }

  static std::vector<SpriteEffect> Effects() {
    return {game.spriteEffects.begin(), game.spriteEffects.end()};
  }
  static void Step(int frames) {
    for (int i = 0; i < frames; ++i) StepSpriteEffects();
  }
};

TEST_F(SpriteEffects, AOneCharacterTextIsCentredOnThePlayfield) {
  ShowMessage("A", 0);
  const auto effects = Effects();
  ASSERT_EQ(effects.size(), 2u);
  for (const SpriteEffect& e : effects) {
    EXPECT_FLOAT_EQ(e.x, 448);
    EXPECT_FLOAT_EQ(e.y, 375);
    EXPECT_FLOAT_EQ(e.frame, 1780 + 'A');
    EXPECT_FLOAT_EQ(e.vx, 0);
    EXPECT_FLOAT_EQ(e.frameStep, 0);
    EXPECT_FLOAT_EQ(e.alpha, 255);
    EXPECT_FLOAT_EQ(e.alphaStep, -4);
    EXPECT_EQ(e.age, 0);
    EXPECT_EQ(e.lifetime, 64);
    EXPECT_EQ(e.hold, 0);
  }
  EXPECT_FLOAT_EQ(effects[0].vy, 1);   // the lower half first
  EXPECT_FLOAT_EQ(effects[1].vy, -1);
}

TEST_F(SpriteEffects, LettersStandFortyPixelsApartAroundTheCentre) {
  ShowMessage("LEVEL 1", 150);
  const auto effects = Effects();
  const std::string text = "LEVEL 1";
  ASSERT_EQ(effects.size(), 2 * text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const float x = 448 - 3 * 40 + 40.0f * i;
    for (int half = 0; half < 2; ++half) {
      const SpriteEffect& e = effects[2 * i + half];
      EXPECT_FLOAT_EQ(e.x, x) << "letter " << i;
      EXPECT_FLOAT_EQ(e.frame, 1780 + static_cast<unsigned char>(text[i])) << "letter " << i;
      EXPECT_EQ(e.delay, 150);
    }
  }

  // An even count puts the centre between the two middle letters.
  ResetGameState();
  ShowMessage("GO", 0);
  const auto pair = Effects();
  ASSERT_EQ(pair.size(), 4u);
  EXPECT_FLOAT_EQ(pair[0].x, 428);
  EXPECT_FLOAT_EQ(pair[2].x, 468);

  // Long texts are neither wrapped nor shortened, even past the playfield.
  ResetGameState();
  ShowMessage(std::string(21, 'W'), 0);
  const auto wide = Effects();
  ASSERT_EQ(wide.size(), 42u);
  EXPECT_FLOAT_EQ(wide.front().x, 48);
  EXPECT_FLOAT_EQ(wide.back().x, 848);
}

TEST_F(SpriteEffects, TheDelayKeepsAlphaAndPositionThenTheHalvesSplit) {
  ShowMessage("A", 3);
  Step(3);
  auto effects = Effects();
  ASSERT_EQ(effects.size(), 2u);
  for (const SpriteEffect& e : effects) {
    EXPECT_FLOAT_EQ(e.alpha, 255);
    EXPECT_FLOAT_EQ(e.y, 375);
    EXPECT_FLOAT_EQ(e.x, 448);
    EXPECT_EQ(e.age, 0);
    EXPECT_EQ(e.delay, 0);
  }

  Step(1);
  effects = Effects();
  EXPECT_FLOAT_EQ(effects[0].y, 376);
  EXPECT_FLOAT_EQ(effects[1].y, 374);
  EXPECT_FLOAT_EQ(effects[0].alpha, 251);
  EXPECT_EQ(effects[0].age, 1);
}

TEST_F(SpriteEffects, TextFadesOutOverSixtyFourFramesAndIsThenDeleted) {
  ShowMessage("OK", 0);
  Step(64);
  const auto effects = Effects();
  ASSERT_EQ(effects.size(), 4u);
  EXPECT_FLOAT_EQ(effects[0].y, 375 + 64);
  EXPECT_FLOAT_EQ(effects[1].y, 375 - 64);
  EXPECT_FLOAT_EQ(effects[0].alpha, -1);
  EXPECT_EQ(effects[0].age, 64);
  Step(1);
  EXPECT_EQ(game.spriteEffects.Count(), 0);
}

TEST_F(SpriteEffects, MovesAnimatesAndHoldsUnchangedAfterItsLifetime) {
  AddSpriteEffect(100, 200, 2, -3, 500, 0.5f, 0, 2, 200, -10, 0, 2);
  Step(2);
  SpriteEffect e = Effects().front();
  EXPECT_FLOAT_EQ(e.x, 104);
  EXPECT_FLOAT_EQ(e.y, 194);
  EXPECT_FLOAT_EQ(e.frame, 501);
  EXPECT_FLOAT_EQ(e.alpha, 180);

  Step(2);  // the two held frames
  ASSERT_EQ(game.spriteEffects.Count(), 1);
  e = Effects().front();
  EXPECT_FLOAT_EQ(e.x, 104);
  EXPECT_FLOAT_EQ(e.alpha, 180);
  EXPECT_EQ(e.hold, 0);

  Step(1);
  EXPECT_EQ(game.spriteEffects.Count(), 0);
}

TEST_F(SpriteEffects, AStartAgeCountsAgainstTheLifetime) {
  AddSpriteEffect(0, 0, 0, 0, 500, 0, 62, 64, 255, 0, 0, 0);
  Step(2);
  EXPECT_EQ(game.spriteEffects.Count(), 1);
  Step(1);
  EXPECT_EQ(game.spriteEffects.Count(), 0);
}

TEST_F(SpriteEffects, DeletingOneEffectStillStepsTheOnesAfterIt) {
  AddSpriteEffect(10, 0, 1, 0, 500, 0, 0, 5, 255, 0, 0, 0);
  AddSpriteEffect(20, 0, 1, 0, 500, 0, 0, 0, 255, 0, 0, 0);  // done at once
  AddSpriteEffect(30, 0, 1, 0, 500, 0, 0, 5, 255, 0, 0, 0);
  Step(1);
  const auto effects = Effects();
  ASSERT_EQ(effects.size(), 2u);
  EXPECT_FLOAT_EQ(effects[0].x, 11);
  EXPECT_FLOAT_EQ(effects[1].x, 31);
}

TEST_F(SpriteEffects, NewEffectsAlwaysGoToTheEndOfTheList) {
  AddSpriteEffect(1, 0, 0, 0, 500, 0, 0, 5, 255, 0, 0, 0);
  AddSpriteEffect(2, 0, 0, 0, 500, 0, 0, 5, 255, 0, 0, 0);
  game.spriteEffects.Select(0);  // some other walk left the cursor on the first one
  AddSpriteEffect(3, 0, 0, 0, 500, 0, 0, 5, 255, 0, 0, 0);
  game.spriteEffects.Reset();   // and here before the first
  AddSpriteEffect(4, 0, 0, 0, 500, 0, 0, 5, 255, 0, 0, 0);
  const auto effects = Effects();
  ASSERT_EQ(effects.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(effects[i].x, i + 1);
}

TEST_F(SpriteEffects, EveryLevelStartClearsTheList) {
  ShowMessage("LEVEL 2", 150);
  ResetLevelState();
  EXPECT_EQ(game.spriteEffects.Count(), 0);
}

}  // namespace
