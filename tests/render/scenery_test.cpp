// SPDX-License-Identifier: GPL-3.0-or-later
// The level scenery drawn on the headless screen from the game's own packs: the frame, the
// numbered effects, the quad budget of every level, and the guardian scene of level 50.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "gameplay/guardian_scene.h"
#include "levels/backgrounds.h"
#include "media/media.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "support/sdl_events.h"

namespace {

constexpr int strikeFrame = 20 * frameRate;

class Scenery : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxesSilent(true);
    StartUp();
    RandomSeed(0);  // the same chances every run
    SetFrameLimiterEnabled(false);
    LoadAssets();
  }
  void TearDown() override { ShutdownMedia(); }

  static void SetUpLevel(int level) {
    game.levelNumber = level;
    ResetLevelState();
    SetUpScenery();
  }
  // One frame of scenery, as the main loop draws it; the quads the effect asked for.
  static int DrawFrame() {
    EXPECT_TRUE(Start3D());
    DrawScenery();
    Stop3D();
    ++game.frameCounter;
    return SceneryQuadsDrawn();
  }
  static BackgroundParticle& Particle(int i) { return game.backgroundParticles[i]; }
};

TEST_F(Scenery, ALevelWithoutARowShowsTheBlackBackgroundAndPanelsAndNothingMore) {
  game.maxMonsters = 9;
  SetUpLevel(20);
  EXPECT_EQ(game.backgroundStyle, "black");
  EXPECT_EQ(game.maxMonsters, 4);
  EXPECT_EQ(game.kindMask, 31);
  EXPECT_EQ(game.spawnPeriod, 20);
  EXPECT_EQ(game.launchLocked, 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(DrawFrame(), 0);
  EXPECT_EQ(SpriteWidth(obj::background), 740);
  EXPECT_EQ(SpriteHeight(obj::background), 748);
  EXPECT_EQ(SpriteWidth(obj::panelRight), 204);
  // The panels cover the screen's sides and the strip above the playfield.
  ASSERT_TRUE(StartDrawing());
  EXPECT_NE(Point(40, 400), 0);
  EXPECT_NE(Point(900, 20), 0);
  EXPECT_NE(Point(400, 10), 0);
  StopDrawing();
}

TEST_F(Scenery, EveryLevelAsksForAtMostSixtyFourQuadsAFrame) {
  for (int level : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 50, 101,
                    102}) {
    SCOPED_TRACE(level);
    SetUpLevel(level);
    int most = 0;
    for (int f = 0; f < 40; ++f) most = std::max(most, DrawFrame());
    EXPECT_LE(most, 64);
    // Every level but the storm (before its strike) and the still dead land moves something.
    if (level != 16 && level != 0) {
      EXPECT_GT(most, 0);
    }
  }
}

TEST_F(Scenery, TheLightningStrikesOnceAtTwentySecondsAndSetsTheBallsOnFire) {
  SetUpLevel(0);
  game.frameCounter = strikeFrame - 2;
  int strikeFrames = 0;
  bool soundStarted = false;
  for (int f = 0; f < 40; ++f) {
    const int frame = game.frameCounter;
    const int quads = DrawFrame();
    strikeFrames += quads;
    if (frame == strikeFrame) {
      soundStarted = SoundPlaying(obj::soundExplosion);
      EXPECT_EQ(GetSoundFrequency(obj::soundExplosion), 2500);
    }
    if (frame < strikeFrame) {
      EXPECT_EQ(game.fireMode, 0);
    }
  }
  EXPECT_TRUE(soundStarted);
  EXPECT_EQ(strikeFrames, 16);
  EXPECT_EQ(game.fireMode, 1);
  EXPECT_EQ(game.fireTimer, 15 * frameRate);
  // Later in the level: no second strike.
  game.fireMode = 0;
  game.frameCounter = strikeFrame + 100;
  for (int f = 0; f < 200; ++f) EXPECT_EQ(DrawFrame(), 0);
  EXPECT_EQ(game.fireMode, 0);
}

TEST_F(Scenery, AFallingStarPastTheBottomComesBackAboveTheTopWithWhatItOvershot) {
  SetUpLevel(1);
  Particle(0).y = playHeight + 250;
  Particle(0).vy = 10;
  Particle(1).y = 100;
  Particle(1).vy = 2;
  EXPECT_EQ(DrawFrame(), 50);
  EXPECT_FLOAT_EQ(Particle(0).y, 4);  // 1008 - (748 + 256)
  EXPECT_FLOAT_EQ(Particle(1).y, 102);
}

TEST_F(Scenery, TheFountainDrawsThirtyOfItsFiftyGlows) {
  SetUpLevel(2);
  // All fifty were set up and run ahead: none is left at its starting growth of zero.
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Particle(i).sprite, obj::glowQuad);
  const BackgroundParticle before = Particle(40);
  EXPECT_EQ(DrawFrame(), 30);
  EXPECT_FLOAT_EQ(Particle(40).y, before.y);  // the last twenty never move again
  EXPECT_FLOAT_EQ(Particle(40).x, before.x);
  const float growth = Particle(0).growth;
  DrawFrame();
  EXPECT_TRUE(Particle(0).growth == growth + 3 || Particle(0).growth == 19);  // 16 + 3 on respawn
}

TEST_F(Scenery, CloudsAreDrawnFarToNear) {
  SetUpLevel(7);
  for (int i = 0; i < 60; ++i) Particle(i).z = static_cast<float>(2000 + (i * 37) % 60 * 150);
  EXPECT_EQ(DrawFrame(), 60);
  for (int i = 1; i < 60; ++i) EXPECT_GE(Particle(i - 1).z, Particle(i).z) << i;
  EXPECT_FLOAT_EQ(Particle(0).z, 2000 + 59 * 150 - 50);
}

// The pixels of a sprite, or of the playfield on the screen (number -1).
std::vector<uint32_t> Pixels(int sprite) {
  std::vector<uint32_t> out;
  const bool screen = sprite < 0;
  if (!(screen ? StartDrawing() : StartDrawing(drawSprite, sprite))) return out;
  const uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  const int left = screen ? playLeft : 0, top = screen ? playClipTop : 0;
  const int width = screen ? playWidth : SpriteWidth(sprite);
  const int height = screen ? playClipHeight : SpriteHeight(sprite);
  for (int y = top; pixels && y < top + height; y += screen ? 4 : 1) {
    for (int x = left; x < left + width; x += screen ? 4 : 1) out.push_back(pixels[y * pitch + x]);
  }
  StopDrawing();
  return out;
}

TEST_F(Scenery, EveryEffectLevelMovesFromFrameToFrame) {
  for (int level : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 101, 102}) {
    SCOPED_TRACE(level);
    SetUpLevel(level);
    DrawFrame();
    const std::vector<uint32_t> before = Pixels(-1);
    for (int f = 0; f < 6; ++f) DrawFrame();
    EXPECT_NE(Pixels(-1), before);
  }
}

TEST_F(Scenery, TheWaterIsRippledFromThePixelsOfItsPicture) {
  SetUpLevel(15);
  const std::vector<uint32_t> picture = Pixels(obj::waterRipple);
  ASSERT_FALSE(picture.empty());
  const std::set<uint32_t> colours(picture.begin(), picture.end());
  game.frameCounter = 40;
  DrawFrame();
  const std::vector<uint32_t> rippled = Pixels(obj::waterRipple);
  ASSERT_EQ(rippled.size(), picture.size());
  EXPECT_NE(rippled, picture);
  int foreign = 0;
  for (uint32_t p : rippled) foreign += colours.count(p) == 0;
  EXPECT_EQ(foreign, 0);  // moved about, never repainted
}

TEST_F(Scenery, LevelEighteenDrawsItsEffectIntoItsOwnSprite) {
  SetUpLevel(18);
  EXPECT_EQ(SpriteWidth(obj::layerQuad), 128);
  EXPECT_EQ(SpriteHeight(obj::layerQuad), 128);
  EXPECT_TRUE(IsSprite3D(obj::layerQuad));
  DrawFrame();
  const std::vector<uint32_t> first = Pixels(obj::layerQuad);
  DrawFrame();
  EXPECT_NE(Pixels(obj::layerQuad), first);
  // The next level frees it with the level's other pictures.
  ReleaseLevelResources();
  EXPECT_FALSE(IsSprite(obj::layerQuad));
}

TEST_F(Scenery, TheHeartIsWholeAndMirrored) {
  SetUpLevel(101);
  std::set<std::pair<long, long>> points;
  for (int i = 0; i < 64; ++i) {
    const BackgroundParticle& p = Particle(i);
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << i;
    EXPECT_LE(std::fabs(p.x), 1.0f);
    points.insert({std::lround(p.x * 1000), std::lround(p.y * 1000)});
  }
  EXPECT_EQ(points.size(), 64u);  // no two glows on one spot
  for (const auto& [x, y] : points) EXPECT_EQ(points.count({-x, y}), 1u) << x << "," << y;
  // The dip between the lobes sits above the point at the bottom.
  float top = -10, bottom = 10;
  for (int i = 0; i < 64; ++i) {
    top = std::max(top, Particle(i).y);
    bottom = std::min(bottom, Particle(i).y);
  }
  EXPECT_GT(top, 1.2f);
  EXPECT_LT(bottom, -0.85f);
}

TEST_F(Scenery, TheStartLevelOptionSkipsToItsLevelForTheFirstNewGameOnly) {
  SetStartLevel(7);
  ASSERT_TRUE(NewGame());  // no menu on the way
  EXPECT_EQ(game.levelNumber, 7);
  ASSERT_TRUE(PushMenuStartKeys());  // the next game is chosen at the menu again
  ASSERT_TRUE(NewGame());
  EXPECT_EQ(game.levelNumber, 0);
}

class Guardian : public Scenery {
 protected:
  void SetUp() override {
    Scenery::SetUp();
    SetUpLevel(guardianLevel);
  }
  // Frames until the scene reaches the state, at most limit.
  static bool RunUntil(int state, int limit) {
    for (int f = 0; f < limit && game.guardian.state != state; ++f) DrawFrame();
    return game.guardian.state == state;
  }
  // Straight into a state of the fight, without the rising and the words before it.
  static void Enter(int state) {
    game.guardian.state = state;
    game.guardian.timer = 0;
    game.guardian.y = 190;
  }
  static void AimBallAtGuardian() {
    Ball ball{};
    ball.x = game.guardian.x;
    ball.y = game.guardian.y + guardianHitRadius + 4;
    ball.vx = 0;
    ball.vy = -5;
    ball.radius = 8;
    game.balls.Clear();
    game.balls.Append() = ball;
  }
};

TEST_F(Guardian, LocksTheLaunchAndCallsTheHunters) {
  EXPECT_EQ(game.backgroundStyle, "temple");
  EXPECT_EQ(game.launchLocked, 1);
  EXPECT_EQ(game.maxMonsters, 10);
  EXPECT_EQ(game.kindMask, 12);
  EXPECT_EQ(game.spawnPeriod, 5);
  EXPECT_EQ(game.enteringBonus, 1);  // no bricks-cleared ending here
  // After its words the guardian lets the balls go and the fight begins.
  ASSERT_TRUE(RunUntil(9, 1000));
  EXPECT_EQ(game.glueTimer, 1);
}

TEST_F(Guardian, BallsThatStrikeItBounceBackAndTwelveHitsBeatIt) {
  Enter(9);
  for (int hit = 1; hit <= 12; ++hit) {
    AimBallAtGuardian();
    DrawFrame();
    ASSERT_EQ(game.guardian.health, 12 - hit);
    if (hit < 12) {
      EXPECT_GT(game.balls.begin()->vy, 0);  // sent back down
      // Hurt, it cannot be hit again until the flash is over.
      AimBallAtGuardian();
      DrawFrame();
      EXPECT_EQ(game.guardian.health, 12 - hit);
      game.guardian.hurtFlash = 0;
      game.guardian.state = 9;
    }
  }
  EXPECT_EQ(game.guardian.state, 19);
  EXPECT_TRUE(game.balls.Empty());
  ASSERT_TRUE(RunUntil(21, 1000));
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.enteringBonus, 0);
  EXPECT_EQ(game.gameOver, 0);
}

TEST_F(Guardian, ThreeBoltsOnTheShipLoseTheGameAndAShipThatMovesAwayIsSpared) {
  // The ship stays under the aim: hit.
  Enter(10);
  ASSERT_TRUE(RunUntil(11, 200));
  DrawFrame();
  EXPECT_EQ(game.guardian.shield, 2);
  // Next time the ship leaves once the aim holds still: spared.
  Enter(10);
  while (game.guardian.timer <= 60) DrawFrame();
  game.shipX = game.guardian.strikeX + 200.0f;
  ASSERT_TRUE(RunUntil(11, 200));
  DrawFrame();
  EXPECT_EQ(game.guardian.shield, 2);
  // Two more hits end it.
  for (int bolt = 0; bolt < 2; ++bolt) {
    Enter(10);
    ASSERT_TRUE(RunUntil(11, 200));
    DrawFrame();
  }
  EXPECT_EQ(game.guardian.shield, 0);
  EXPECT_EQ(game.guardian.state, 22);
  ASSERT_TRUE(RunUntil(23, 500));
  EXPECT_EQ(game.gameOver, 1);
  EXPECT_EQ(game.levelComplete, 0);
}

TEST_F(Guardian, StandsStillWhileTheGameIsPaused) {
  Enter(10);
  for (int f = 0; f < 20; ++f) DrawFrame();
  const GuardianScene aiming = game.guardian;
  game.paused = 1;  // the P key, or the console open
  game.shipX += 150;
  for (int f = 0; f < 300; ++f) DrawFrame();
  EXPECT_EQ(game.guardian.state, 10);
  EXPECT_EQ(game.guardian.timer, aiming.timer);
  EXPECT_EQ(game.guardian.strikeX, aiming.strikeX);
  EXPECT_EQ(game.guardian.x, aiming.x);
  AimBallAtGuardian();
  DrawFrame();
  EXPECT_EQ(game.guardian.health, 12);

  // A bolt that has struck once does not strike again, nor end, while the game stands still.
  game.paused = 0;
  game.balls.Clear();
  ASSERT_TRUE(RunUntil(11, 200));
  DrawFrame();
  game.paused = 1;
  for (int f = 0; f < 100; ++f) DrawFrame();
  EXPECT_EQ(game.guardian.state, 11);
  EXPECT_EQ(game.guardian.strikeCount, 1);
  game.paused = 0;
  ASSERT_TRUE(RunUntil(9, 100));
  EXPECT_EQ(game.guardian.strikeCount, 1);
}

// The screen rebuilt after a focus-loss pause sets the scenery up again; the fight goes on.
TEST_F(Guardian, ARebuiltScreenResumesTheFightAndANewStartBeginsItAgain) {
  Enter(10);
  for (int f = 0; f < 30; ++f) DrawFrame();
  game.guardian.health = 7;
  game.guardian.shield = 2;
  const GuardianScene fighting = game.guardian;
  RebuildGameScreen();
  EXPECT_EQ(game.guardian.state, 10);
  EXPECT_EQ(game.guardian.timer, fighting.timer);
  EXPECT_EQ(game.guardian.health, 7);
  EXPECT_EQ(game.guardian.shield, 2);
  EXPECT_EQ(game.guardian.x, fighting.x);
  EXPECT_EQ(game.launchLocked, 1);
  EXPECT_EQ(game.maxMonsters, 10);
  DrawFrame();
  EXPECT_EQ(game.guardian.timer, fighting.timer + 1);

  // Won, then rebuilt: the next level still starts with its banner.
  Enter(21);
  game.enteringBonus = 0;
  RebuildGameScreen();
  EXPECT_EQ(game.guardian.state, 21);
  EXPECT_EQ(game.enteringBonus, 0);

  // The level started anew (a life lost, or reached again) is a new fight.
  SetUpLevel(guardianLevel);
  EXPECT_EQ(game.guardian.state, 0);
  EXPECT_EQ(game.guardian.health, 12);
  EXPECT_EQ(game.guardian.shield, 3);
}

}  // namespace
