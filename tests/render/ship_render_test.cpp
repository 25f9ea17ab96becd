// SPDX-License-Identifier: GPL-3.0-or-later
// The ship and the floating texts on the real screen: what DrawShip and StepSpriteEffects put
// into the back buffer, the door sound, and steering from mouse events.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "actors/ship_drawing.h"
#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "gameplay/ship_steering.h"
#include "gameplay/sprite_effects.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"

namespace {

class ShipOnScreen : public ::testing::Test {
 protected:
  // The game's screen as start-up opens it; sound only where a test needs it.
  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
    ExamineMouse();  // start from an empty movement
  }
  void TearDown() override { ShutdownMedia(); }

  // A plain quad of one colour, usable as any of the game's pictures.
  static void BeginFrame() {
    ClearScreen(0);
    ASSERT_TRUE(Start3D());
  }

  static int Pixel(int x, int y) {
    if (!StartDrawing()) return -1;
    const int colour = Point(x, y);
    StopDrawing();
    return colour;
  }
};

// Channels come back from the GPU within a step or two of the exact blend.
#define EXPECT_CHANNEL_NEAR(actual, expected) EXPECT_NEAR((actual), (expected), 2)

TEST_F(ShipOnScreen, GlowAtFrameZeroIsTwoLayersOf128PixelsAtAlpha60) {
  SolidQuad(obj::shipEnergy, 16, 16, RGB(255, 255, 255));
  game.frameCounter = 0;
  BeginFrame();
  DrawShip();
  Stop3D();

  // Centred on (448, 720): x 384..511 and y 656 down past the screen's bottom.
  EXPECT_CHANNEL_NEAR(Red(Pixel(448, 700)), 120);  // 60 + 60, added
  EXPECT_CHANNEL_NEAR(Red(Pixel(384, 700)), 120);
  EXPECT_CHANNEL_NEAR(Red(Pixel(511, 700)), 120);
  EXPECT_CHANNEL_NEAR(Red(Pixel(448, 656)), 120);
  EXPECT_EQ(Pixel(383, 700), 0);
  EXPECT_EQ(Pixel(512, 700), 0);
  EXPECT_EQ(Pixel(448, 655), 0);
}

TEST_F(ShipOnScreen, GlowLayersBreatheOutOfStep) {
  SolidQuad(obj::shipEnergy, 16, 16, RGB(255, 255, 255));
  // Frame 13: sin(13/8) = 0.9985 and sin(13/4) = -0.108: the first layer is 143 pixels at
  // alpha 120, the second 113 pixels at alpha 66.
  game.frameCounter = 13;
  BeginFrame();
  DrawShip();
  Stop3D();

  EXPECT_CHANNEL_NEAR(Red(Pixel(448, 720)), 186);  // both layers
  EXPECT_CHANNEL_NEAR(Red(Pixel(384, 720)), 120);  // the first alone
  EXPECT_CHANNEL_NEAR(Red(Pixel(448, 655)), 120);
  EXPECT_EQ(Pixel(370, 720), 0);
  EXPECT_EQ(Pixel(448, 645), 0);
}

TEST_F(ShipOnScreen, CraftBodyAndGlowAreLayeredAndBlendingIsRestored) {
  SolidQuad(obj::shipUpright, 128, 64, RGB(255, 0, 0));
  SolidQuad(obj::shipBody, 80, 110, RGB(0, 255, 0));
  SolidQuad(obj::shipEnergy, 16, 16, RGB(0, 0, 255));
  SolidQuad(500, 4, 4, RGB(255, 255, 255));
  BeginFrame();
  DrawShip();
  // An ordinary half-transparent quad drawn afterwards must blend, not add.
  DisplaySprite3D(500, 600, 600, 128);
  DisplaySprite3D(500, 440, 710, 128);
  Stop3D();

  // Craft: x 384..511, y 696..759. Body: x 408..487 from y 632. Glow: x 384..511 from y 656.
  EXPECT_EQ(Red(Pixel(390, 700)), 255);
  EXPECT_EQ(Green(Pixel(390, 700)), 0);
  EXPECT_CHANNEL_NEAR(Blue(Pixel(390, 700)), 120);
  EXPECT_EQ(Pixel(420, 640), RGB(0, 255, 0));  // body above the glow
  EXPECT_EQ(Red(Pixel(420, 700)), 0);          // body drawn over the craft
  EXPECT_EQ(Green(Pixel(420, 741)), 255);      // the body's last row
  EXPECT_EQ(Red(Pixel(420, 742)), 255);        // the craft below it
  EXPECT_EQ(Pixel(383, 720), 0);
  EXPECT_EQ(Pixel(407, 640), 0);

  EXPECT_CHANNEL_NEAR(Red(Pixel(601, 601)), 128);
  // Over the body and the glow (0, 255, 120): half of each plus half of white.
  const int mixed = Pixel(441, 711);
  EXPECT_CHANNEL_NEAR(Red(mixed), 128);
  EXPECT_CHANNEL_NEAR(Green(mixed), 255);
  EXPECT_CHANNEL_NEAR(Blue(mixed), 188);
}

TEST_F(ShipOnScreen, LeaningPictureFollowsTheShip) {
  SolidQuad(obj::shipLeanRightMost, 20, 10, RGB(255, 0, 0));
  game.shipLeanFrame = obj::shipLeanRightMost;
  game.shipX = 300.5f;  // 290.5 goes to the even 290
  BeginFrame();
  DrawShip();
  Stop3D();
  EXPECT_EQ(Pixel(290, 723), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(309, 732), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(289, 728), 0);
  EXPECT_EQ(Pixel(310, 728), 0);
  EXPECT_EQ(Pixel(300, 722), 0);
}

TEST_F(ShipOnScreen, FloatingLetterIsDrawnCentredThenSplits) {
  SolidQuad(goldGlyphBase + 'A', 36, 36, RGB(255, 255, 255));
  ShowMessage("A", 1);
  BeginFrame();
  StepSpriteEffects();
  Stop3D();
  // Centre (448, 375): x 430..465, y 357..392.
  EXPECT_EQ(Pixel(430, 357), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(465, 392), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(429, 375), 0);
  EXPECT_EQ(Pixel(448, 393), 0);

  for (int frame = 0; frame < 10; ++frame) {
    BeginFrame();
    StepSpriteEffects();
    Stop3D();
  }
  // After the standing frame and nine running ones the halves sit 9 pixels up and down, at
  // alpha 255 - 36 = 219 each.
  EXPECT_CHANNEL_NEAR(Red(Pixel(448, 348)), 219);   // the upper half alone
  EXPECT_CHANNEL_NEAR(Red(Pixel(448, 400)), 219);   // the lower half alone
  EXPECT_EQ(Pixel(448, 347), 0);
  EXPECT_EQ(Pixel(448, 402), 0);
}

TEST_F(ShipOnScreen, AFinishedEffectIsDeletedWithoutBeingDrawnAndAHeldOneIsDrawn) {
  SolidQuad(600, 10, 10, RGB(255, 255, 255));
  AddSpriteEffect(200, 200, 0, 0, 600, 0, 0, 0, 255, 0, 0, 0);
  BeginFrame();
  StepSpriteEffects();
  Stop3D();
  EXPECT_EQ(Pixel(200, 200), 0);
  EXPECT_EQ(game.spriteEffects.Count(), 0);

  AddSpriteEffect(200, 200, 0, 0, 600, 0, 0, 0, 255, 0, 0, 1);
  BeginFrame();
  StepSpriteEffects();
  Stop3D();
  EXPECT_EQ(Pixel(200, 200), RGB(255, 255, 255));
  BeginFrame();
  StepSpriteEffects();
  Stop3D();
  EXPECT_EQ(Pixel(200, 200), 0);
  EXPECT_EQ(game.spriteEffects.Count(), 0);
}

TEST_F(ShipOnScreen, LeavingThroughTheDoorSoundsTheDoor) {
  ASSERT_TRUE(InitSound());
  const std::string wav = SquareWaveWav(44100);
  ASSERT_TRUE(CatchSound(obj::soundDoor, wav.data(), wav.size()));
  game.doorOpen = 1;
  SteerShip(100, 0);
  EXPECT_FALSE(SoundPlaying(obj::soundDoor));  // not at the wall yet
  SteerShip(1000, 0);
  EXPECT_TRUE(SoundPlaying(obj::soundDoor));
  EXPECT_EQ(game.levelComplete, 1);

  StopSound(-1);
  ResetLevelState();
  game.effectsOn = 0;
  game.doorOpen = 1;
  SteerShip(1000, 0);
  EXPECT_FALSE(SoundPlaying(obj::soundDoor));
  EXPECT_EQ(game.levelComplete, 1);
}

TEST_F(ShipOnScreen, StepShipTakesTheMouseMovementOfTheSnapshot) {
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.xrel = 7;
  motion.motion.yrel = -3;
  ASSERT_EQ(SDL_PushEvent(&motion), 1);
  ExamineMouse();
  StepShip();
  EXPECT_FLOAT_EQ(game.shipX, 455);
  EXPECT_FLOAT_EQ(game.shipDY, -3);
  EXPECT_EQ(game.shipLeanFrame, 2077);

  ExamineMouse();  // no movement since the last snapshot
  StepShip();
  EXPECT_FLOAT_EQ(game.shipX, 455);
  EXPECT_FLOAT_EQ(game.shipDX, 0);
}

}  // namespace
