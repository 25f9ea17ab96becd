// SPDX-License-Identifier: GPL-3.0-or-later
// The sweets game's frame, one at a time, on the headless screen with the sky's pack; and both
// side games started from the console and left with Escape.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets/glyph_tables.h"
#include "assets/objects.h"
#include "console/console.h"
#include "console/side_games.h"
#include "console/sweets.h"
#include "core/game_state.h"
#include "media/media.h"
#include "shell/game.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

// Where a balloon neither bobs nor swings: its centre is its string top, its sweet hangs
// straight below.
const float stillX = static_cast<float>(64 * 3.14159265358979323846);  // 201.06
constexpr int stillCentreX = 201;
constexpr int stringLength = 60;

class Sweets : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    SetUpSweets();
    game.frameCounter = 1;  // away from the 4-second balloon and the 30-second speed-up
  }
  void TearDown() override { ShutdownMedia(); }

  static SweetBalloon& Balloon(int state, float x, int y) {
    SweetBalloon& b = game.sweets.balloons.Append();
    b.x = x;
    b.y = y;
    b.vx = 0;
    b.balloonSprite = obj::sugarBalloon;
    b.sweetSprite = obj::sugarSweet + 3;
    b.state = state;
    return b;
  }
  // A shot held still in the air at (x, y).
  static void ShotAt(float x, float y) {
    SweetsState& s = game.sweets;
    s.shotInFlight = true;
    s.shotX = x;
    s.shotY = y;
    s.shotVX = s.shotVY = 0;
  }
  SweetsState& s = game.sweets;
};

TEST_F(Sweets, APoppedBalloonsSweetFallsAndScoresTenAtTheBottom) {
  Balloon(balloonCarrying, stillX, 200);
  ShotAt(stillCentreX, 200);
  EXPECT_FALSE(SweetsFrame());
  ASSERT_EQ(s.balloons.Count(), 1);
  const SweetBalloon& sweet = *s.balloons.begin();
  EXPECT_EQ(sweet.state, sweetFalling);
  EXPECT_EQ(sweet.x, stillCentreX);
  EXPECT_EQ(sweet.y, 200 + stringLength);
  EXPECT_FALSE(s.shotInFlight);
  EXPECT_EQ(s.score, 0);  // nothing at once
  EXPECT_EQ(s.flashX, stillCentreX);
  EXPECT_EQ(s.flashTimer, 4);  // five frames, this one included

  int frames = 0;
  while (!s.balloons.Empty() && frames < 300) {
    EXPECT_FALSE(SweetsFrame());
    ++frames;
  }
  EXPECT_TRUE(s.balloons.Empty());
  EXPECT_EQ(s.score, 10);
  EXPECT_GT(frames, 100);  // 1% faster a frame from y 260 takes about 110 frames
}

TEST_F(Sweets, ShootingAFallingSweetCostsFive) {
  Balloon(sweetFalling, 300, 400);
  ShotAt(310, 420);  // 22 pixels away: y becomes 404 first
  EXPECT_FALSE(SweetsFrame());
  EXPECT_TRUE(s.balloons.Empty());
  EXPECT_EQ(s.score, -5);
  EXPECT_FALSE(s.shotInFlight);
}

TEST_F(Sweets, HittingACarriedSweetCostsFiveAndTheEmptyBalloonRisesAndPopsForFive) {
  Balloon(balloonCarrying, stillX, 200);
  ShotAt(stillCentreX, 200 + stringLength + 20);
  EXPECT_FALSE(SweetsFrame());
  ASSERT_EQ(s.balloons.Count(), 1);
  SweetBalloon& b = *s.balloons.begin();
  EXPECT_EQ(b.state, balloonEmpty);
  EXPECT_EQ(s.score, -5);
  EXPECT_FALSE(s.shotInFlight);

  EXPECT_FALSE(SweetsFrame());
  EXPECT_FALSE(SweetsFrame());
  EXPECT_EQ(b.y, 198);  // a pixel a frame upwards
  ShotAt(stillCentreX + 50, 197);
  EXPECT_FALSE(SweetsFrame());
  EXPECT_TRUE(s.balloons.Empty());
  EXPECT_EQ(s.score, 0);
}

TEST_F(Sweets, ABalloonOutOfReachIsLeftAlone) {
  Balloon(balloonCarrying, stillX, 200);
  ShotAt(stillCentreX + 64, 200);  // the balloon's reach is under 64
  EXPECT_FALSE(SweetsFrame());
  EXPECT_EQ(s.balloons.begin()->state, balloonCarrying);
  EXPECT_TRUE(s.shotInFlight);
}

TEST_F(Sweets, OneShotInFlightAndOnePerPress) {
  // The mouse in the middle aims straight up.
  ASSERT_TRUE(PushMouseMotion(0, 0, 512, 400));
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FLOAT_EQ(s.launcherAngle, 360);
  EXPECT_NEAR(s.shotX, 512, 0.01);
  EXPECT_NEAR(s.shotY, 705 + 48, 0.01);

  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_FALSE(SweetsFrame());
  ASSERT_TRUE(s.shotInFlight);
  EXPECT_NEAR(s.shotVX, 0, 0.001);
  EXPECT_NEAR(s.shotVY, -16, 0.001);
  // Held until the shot has ended at the top, and after: no second shot.
  for (int i = 0; i < 60 && s.shotInFlight; ++i) EXPECT_FALSE(SweetsFrame());
  ASSERT_FALSE(s.shotInFlight);
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FALSE(s.shotInFlight);

  // Let go and pressed again: a shot, aimed to the right now.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  EXPECT_FALSE(SweetsFrame());
  ASSERT_TRUE(PushMouseMotion(0, 0, 900, 400));
  EXPECT_FALSE(SweetsFrame());
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_FALSE(SweetsFrame());
  ASSERT_TRUE(s.shotInFlight);
  const float vx = s.shotVX;
  EXPECT_GT(vx, 10);
  // Let go and pressed again while it flies, aimed elsewhere: it flies on unchanged.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  EXPECT_FALSE(SweetsFrame());
  ASSERT_TRUE(PushMouseMotion(0, 0, 100, 400));
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_FALSE(SweetsFrame());
  EXPECT_TRUE(s.shotInFlight);
  EXPECT_EQ(s.shotVX, vx);
}

TEST_F(Sweets, TheShotBouncesOffTheSidesAndEndsAtTheTopAndTheBottom) {
  ShotAt(10, 400);
  s.shotVX = -16;
  s.shotVY = -1;
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FLOAT_EQ(s.shotX, -6);
  EXPECT_FLOAT_EQ(s.shotVX, 16);
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FLOAT_EQ(s.shotX, 10);
  EXPECT_FLOAT_EQ(s.shotVX, 16);

  ShotAt(1015, 400);
  s.shotVX = 16;
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FLOAT_EQ(s.shotVX, -16);
  EXPECT_TRUE(s.shotInFlight);

  ShotAt(500, 10);
  s.shotVY = -16;
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FALSE(s.shotInFlight);
  ShotAt(500, 760);
  s.shotVY = 16;
  EXPECT_FALSE(SweetsFrame());
  EXPECT_FALSE(s.shotInFlight);
}

TEST_F(Sweets, ABalloonEveryFourSecondsFromEitherSideAndFasterEveryThirty) {
  RandomSeed(3);
  for (int i = 0; i < 20; ++i) {
    game.frameCounter = 300 * (i + 1);
    EXPECT_FALSE(SweetsFrame());
  }
  ASSERT_EQ(s.balloons.Count(), 20);
  bool fromLeft = false, fromRight = false;
  for (const SweetBalloon& b : s.balloons) {
    EXPECT_GE(b.y, 128);
    EXPECT_LE(b.y, 256);
    EXPECT_GE(b.balloonSprite, obj::sugarBalloon);
    EXPECT_LE(b.balloonSprite, obj::sugarBalloon + 5);
    EXPECT_GE(b.sweetSprite, obj::sugarSweet);
    EXPECT_LE(b.sweetSprite, obj::sugarSweet + 24);
    fromLeft = fromLeft || b.vx > 0;
    fromRight = fromRight || b.vx < 0;
  }
  EXPECT_TRUE(fromLeft && fromRight);
  // Frame 4500 was among them.
  EXPECT_FLOAT_EQ(s.speedFactor, 1.05f);
}

TEST_F(Sweets, EscapeEndsTheGame) {
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  EXPECT_TRUE(SweetsFrame());
  EXPECT_FALSE(s.quit);
}

// The score in silver glyphs: a stand-in quad per character, read back from the screen.
TEST_F(Sweets, ANegativeScoreIsDrawnWithItsMinusSign) {
  const int minusColour = RGB(255, 0, 0), fiveColour = RGB(0, 255, 0);
  SolidQuad(silverGlyphBase + '-', 64, 64, minusColour);
  SolidQuad(silverGlyphBase + '5', 64, 64, fiveColour);
  ClearScreen(RGB(0, 0, 0));
  ASSERT_TRUE(Start3D());
  DrawSilverScore(-5);
  Stop3D();
  ASSERT_TRUE(GrabSprite(obj::screenshotSprite, 0, 0, 1024, 768));
  ASSERT_TRUE(StartDrawing(drawSprite, obj::screenshotSprite));
  // Two glyphs 32 apart, centred on 900: the minus from 868, the five from 900 over it.
  EXPECT_EQ(Point(870, 700) & 0xFFFFFF, minusColour);
  EXPECT_EQ(Point(960, 700) & 0xFFFFFF, fiveColour);
  EXPECT_EQ(Point(866, 700) & 0xFFFFFF, 0);
  StopDrawing();
}

// Both games from the console, as the player starts them: a tap of Escape leaves at once.
class SideGamesFromTheConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessGame();
    game.console.shown = true;
    for (int i = 0; i < 43; ++i) RunFrame();
    ASSERT_EQ(game.console.motion, consoleOpen);
  }
  void TearDown() override { ShutdownMedia(); }
};

TEST_F(SideGamesFromTheConsole, EscapeReturnsToTheConsoleWithTheMusicBack) {
  for (const char* command : {"DUCK", "SUGAR"}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
    ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
    SoundVolume(obj::music, 20);
    const int frame = game.frameCounter;
    // The console runs commands inside the frame's 3D bracket.
    ASSERT_TRUE(Start3D());
    ExecuteConsoleLine(command);
    Stop3D();
    EXPECT_EQ(game.frameCounter, frame + 1);  // one frame of the side game
    EXPECT_EQ(game.console.history.back(), command);  // no answer
    EXPECT_EQ(GetSoundVolume(obj::music), 50);
    EXPECT_EQ(game.quitToMenu, 0);
    // What the shell's end test reads later in this frame.
    EXPECT_FALSE(KeyboardPushed(keyEscape));
    EXPECT_FALSE(RunFrame());  // the frame loop goes on, the console still open
    EXPECT_TRUE(game.console.shown);
  }
}

}  // namespace
