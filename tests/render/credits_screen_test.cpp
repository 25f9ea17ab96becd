// SPDX-License-Identifier: GPL-3.0-or-later
// The credits screen on the headless game screen with the real credits pack and font: the
// scroll, the text where it is drawn, Escape and the fade of the music, and what closing frees.
#include <gtest/gtest.h>

#include "assets/objects.h"
#include "core/game_state.h"
#include "frontend/credits.h"
#include "media/media.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

class CreditsScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ASSERT_TRUE(InitSound());
    ASSERT_TRUE(RegisterFontFile(designerBlockFile));
    OpenCredits();
  }
  void TearDown() override {
    CloseCredits();
    ShutdownMedia();
  }

  // Text-coloured pixels in rows first .. last - 1 of the screen as the last frame left it.
  static int TextPixels(int first, int last) {
    if (!StartDrawing()) return -1;
    int count = 0;
    for (int y = std::max(first, 0); y < std::min(last, screenHeight); ++y) {
      for (int x = 200; x < 824; ++x) count += Point(x, y) == creditsTextColour;
    }
    StopDrawing();
    return count;
  }
};

TEST_F(CreditsScreen, TheFirstLineEntersAt768AndRisesOnePixelAFrameWithLines35Apart) {
  EXPECT_EQ(CreditsLineY(0), 768);
  ASSERT_TRUE(CreditsFrame());
  EXPECT_EQ(CreditsLineY(0), 767);
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(CreditsFrame());
  EXPECT_EQ(CreditsLineY(0), 758);
  EXPECT_EQ(CreditsLineY(1) - CreditsLineY(0), 35);
  EXPECT_EQ(CreditsLineY(137) - CreditsLineY(0), 137 * 35);

  // Up to y 600: the title line is drawn in its band, and nothing above it.
  while (CreditsLineY(0) > 600) ASSERT_TRUE(CreditsFrame());
  ASSERT_TRUE(CreditsFrame());  // draws line 0 at 600
  EXPECT_GT(TextPixels(600, 600 + 35), 20);
  EXPECT_EQ(TextPixels(200, 600), 0);
}

TEST_F(CreditsScreen, NeverEndsByItselfEvenWhenTheTextHasScrolledAway) {
  game.credits.scrollOffset = -138.0f * 35 - 200;
  const float yaw = game.credits.camera.yaw;
  for (int i = 0; i < 300; ++i) ASSERT_TRUE(CreditsFrame()) << i;
  EXPECT_TRUE(SoundPlaying(obj::creditsMusic));
  EXPECT_EQ(GetSoundVolume(obj::creditsMusic), 100);
  EXPECT_GT(game.credits.camera.yaw, yaw);  // the flight goes on
  EXPECT_EQ(TextPixels(0, 768), 0);
}

TEST_F(CreditsScreen, EscapeFadesTheMusicOneStepAFrameAndCloses100FramesLater) {
  ASSERT_TRUE(CreditsFrame());
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  for (int frame = 1; frame < 100; ++frame) {
    ASSERT_TRUE(CreditsFrame()) << frame;
    ASSERT_EQ(GetSoundVolume(obj::creditsMusic), 100 - frame);
    if (frame == 1) {
      ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
    }
  }
  EXPECT_FALSE(CreditsFrame());
  EXPECT_EQ(GetSoundVolume(obj::creditsMusic), 0);
}

TEST_F(CreditsScreen, EscapeAgainDuringTheFadeChangesNothing) {
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  ASSERT_TRUE(CreditsFrame());  // the frame that saw the key
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  for (int frame = 2; frame < 100; ++frame) {
    if (frame == 40) {
      ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
    }
    if (frame == 60) {
      ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
    }
    ASSERT_TRUE(CreditsFrame()) << frame;
    ASSERT_EQ(GetSoundVolume(obj::creditsMusic), 100 - frame);
  }
  EXPECT_FALSE(CreditsFrame());
}

TEST_F(CreditsScreen, RunCreditsReturnsAfterEscapeWithItsMusicAndPicturesGone) {
  CloseCredits();  // RunCredits opens the screen itself
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  RunCredits();
  EXPECT_FALSE(IsSound(obj::creditsMusic));
  EXPECT_FALSE(IsSprite(obj::creditsTitle));
  EXPECT_FALSE(IsSprite3D(obj::creditsTitle));
  EXPECT_FALSE(IsSprite(obj::creditsLandscape));
  EXPECT_TRUE(game.credits.lines.empty());
  // Opened again, it starts from the beginning.
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  OpenCredits();
  EXPECT_TRUE(SoundPlaying(obj::creditsMusic));
  EXPECT_EQ(CreditsLineY(0), 768);
  EXPECT_EQ(game.credits.lines.size(), 138u);
}

}  // namespace
