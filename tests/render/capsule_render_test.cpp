// SPDX-License-Identifier: GPL-3.0-or-later
// Capsules on the real screen and through the sound device: the falling capsule is drawn
// centred on its position with its animation frame, and the bonuses ring.
#include <gtest/gtest.h>

#include <string>

#include "assets/objects.h"
#include "core/game_state.h"
#include "gameplay/capsules.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"

namespace {

class CapsulesOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
  }
  void TearDown() override { ShutdownMedia(); }

  static void SolidQuad(int number, int size, int colour) { ::SolidQuad(number, size, size, colour); }

  static void DrawFrame() {
    ClearScreen(0);
    ASSERT_TRUE(Start3D());
    CapsuleStep();
    Stop3D();
  }

  static int Colour(int x, int y) {
    if (!StartDrawing()) return -1;
    const int colour = Point(x, y);
    StopDrawing();
    return colour;
  }

};

TEST_F(CapsulesOnScreen, AFallingCapsuleIsDrawnCentredOnItsPositionWithItsFrame) {
  SolidQuad(obj::capsuleGlue + 3, 32, RGB(255, 0, 0));
  SolidQuad(obj::capsuleGlue + 4, 32, RGB(0, 255, 0));
  AddCapsule(300, 200, obj::capsuleGlue);
  game.capsules.begin()->frame = 3;
  DrawFrame();  // drawn at y 200, then falls to 201
  EXPECT_EQ(Colour(284, 184), RGB(255, 0, 0));
  EXPECT_EQ(Colour(315, 215), RGB(255, 0, 0));
  EXPECT_EQ(Colour(283, 200), 0);
  EXPECT_EQ(Colour(300, 216), 0);

  game.secondTick = 1;  // drawn with frame 3 once more, then the animation steps on
  DrawFrame();
  EXPECT_EQ(Colour(300, 216), RGB(255, 0, 0));
  game.secondTick = 2;
  DrawFrame();  // frame 4 at y 202
  EXPECT_EQ(Colour(300, 217), RGB(0, 255, 0));
  EXPECT_EQ(Colour(300, 185), 0);
}

TEST_F(CapsulesOnScreen, BonusesPlayTheirSounds) {
  ASSERT_TRUE(InitSound());
  const std::string wav = SquareWaveWav(22050);
  for (int sound : {obj::soundHappyBell, obj::soundMissileLoading, obj::soundShield}) {
    ASSERT_TRUE(CatchSound(sound, wav.data(), wav.size()));
  }
  // EXTRA LIFE! at nine lives still rings and scores.
  game.lives = 9;
  AddCapsule(game.shipX, 700, obj::capsuleExtraLife);
  DrawFrame();
  EXPECT_TRUE(SoundPlaying(obj::soundHappyBell));
  EXPECT_EQ(GetSoundFrequency(obj::soundHappyBell), 20000);
  EXPECT_EQ(game.lives, 9);
  EXPECT_EQ(game.score, 1000);

  AddCapsule(game.shipX, 700, obj::capsuleMissile);
  DrawFrame();
  EXPECT_TRUE(SoundPlaying(obj::soundMissileLoading));
  EXPECT_EQ(GetSoundFrequency(obj::soundMissileLoading), 10000);

  // An enlargement already held does not ring again.
  game.sizeHold = 1;
  AddCapsule(game.shipX, 700, obj::capsuleEnlarge);
  DrawFrame();
  EXPECT_FALSE(SoundPlaying(obj::soundShield));
  StopSound(-1);
}

}  // namespace
