// SPDX-License-Identifier: GPL-3.0-or-later
// Monsters on the real screen with 64 x 64 pictures, one colour per frame: spawning under the
// level's settings, the glide in, hunting and wandering, the frame each kind shows, and what a
// ball does to a monster it hits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "actors/monsters.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "gameplay/balls.h"
#include "media/media.h"
#include "support/headless.h"

namespace {

constexpr int firstPicture = obj::monster02;
constexpr int lastPicture = obj::monster05 + 31;
constexpr int wanderers[] = {obj::monster02, obj::monster03, obj::monster06};
// The kind of each spawn slot, whose kindMask bit is 1 << slot.
constexpr int allKinds[] = {obj::monster02, obj::monster03, obj::monster04, obj::monster05,
                            obj::monster06};

class Monsters : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
    RandomSeed(13);
    for (int p = firstPicture; p <= lastPicture; ++p) SolidQuad(p, 64, 64, FrameColour(p));
  }
  void TearDown() override { ShutdownMedia(); }

  static int FrameColour(int picture) { return RGB(20 + 2 * (picture - firstPicture), 200, 90); }

  // The picture drawn at (x, y) this frame, or 0 where none is.
  static int PictureAt(int x, int y) {
    if (!StartDrawing()) return -1;
    const int colour = Point(x, y);
    StopDrawing();
    return colour == 0 ? 0 : firstPicture + (Red(colour) - 20) / 2;
  }

  static Monster& Place(int kind, float x, float y, float vx, float vy) {
    Monster& m = game.monsters.Append();
    m.kind = kind;
    m.x = x;
    m.y = y;
    m.vx = vx;
    m.vy = vy;
    m.wanderTimer = 100;
    return m;
  }

  // Frames as the main loop runs them; any four in a row hold exactly one move.
  static void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      StepMonsters();
      if (++game.frameCounter % 4096 == 0) FlipBuffers();  // keeps the draw queue short
    }
  }
  static void Moves(int count) { Frames(4 * count); }
};

TEST_F(Monsters, NewcomersGlideInFromBothSidesForTheirWidthPlusForty) {
  game.maxMonsters = 0;
  for (int i = 0; i < 12; ++i) SpawnMonster(obj::monster02, 1, 1.25f);
  std::set<float> startXs;
  for (const Monster& m : game.monsters) {
    startXs.insert(m.x);
    EXPECT_FLOAT_EQ(m.vx, m.x > playRight ? -1 : 1);
    EXPECT_FLOAT_EQ(m.y, 62);  // its top edge 30 below the screen's top
  }
  EXPECT_EQ(startXs, (std::set<float>{74, 840}));

  Moves(104);
  for (const Monster& m : game.monsters) {
    EXPECT_FLOAT_EQ(m.x, m.vx > 0 ? 74 + 104 : 840 - 104);
    EXPECT_FLOAT_EQ(m.y, 62);
  }
  Moves(1);  // now it wanders
  for (const Monster& m : game.monsters) EXPECT_FLOAT_EQ(m.y, 63.25f);
}

TEST_F(Monsters, HuntersHeadForTheirPreyAndKeepTheirVelocityOnTopOfIt) {
  game.maxMonsters = 0;
  Monster& shipHunter = Place(obj::monster04, 200, 100, 1, 1);
  Moves(1);
  EXPECT_NEAR(std::hypot(shipHunter.vx, shipHunter.vy), 2, 0.01);
  EXPECT_NEAR(std::atan2(shipHunter.vy, shipHunter.vx),
              std::atan2(game.shipY - 101, game.shipX - 201), 1e-4);
  Moves(1500);  // it sinks to 100 above the ship, then follows it sideways
  EXPECT_NEAR(shipHunter.x, game.shipX, 2);
  EXPECT_NEAR(shipHunter.y, game.shipY - 100, 2);

  // Reaching the prey exactly leaves no direction: the last velocity stays, finite.
  game.monsters.Clear();
  Monster& onShip = Place(obj::monster04, game.shipX - 1.5f, game.shipY, 1.5f, 0.5f);
  Monster& onBall = Place(obj::monster05, 297, 296, 3, 4);
  Ball& prey = game.balls.Append();
  prey.x = 300;
  prey.y = 300;
  Moves(1);
  EXPECT_FLOAT_EQ(onShip.x, game.shipX);
  EXPECT_FLOAT_EQ(onShip.vx, 1.5f);
  EXPECT_FLOAT_EQ(onShip.vy, 0.5f);
  EXPECT_FLOAT_EQ(onBall.x, 300);
  EXPECT_FLOAT_EQ(onBall.vx, 3);
  EXPECT_FLOAT_EQ(onBall.vy, 4);
  Moves(1);  // past it now, it turns back at full speed
  EXPECT_FLOAT_EQ(onBall.vx, -2.4f);
  EXPECT_FLOAT_EQ(onBall.vy, -3.2f);

  // The ball hunter follows the first ball, and with none it goes straight on.
  Ball& second = game.balls.Append();
  second.x = 100;
  Moves(1);
  EXPECT_LT(std::abs(std::atan2(onBall.vy, onBall.vx) -
                     std::atan2(prey.y - onBall.y, prey.x - onBall.x)), 1e-4);
  game.balls.Clear();
  const float vx = onBall.vx, vy = onBall.vy, x = onBall.x;
  Moves(3);
  EXPECT_FLOAT_EQ(onBall.vx, vx);
  EXPECT_FLOAT_EQ(onBall.vy, vy);
  EXPECT_NEAR(onBall.x, x + 3 * vx, 1e-4);
}

TEST_F(Monsters, WanderersTurnWhereTheirPictureMeetsABorder) {
  game.maxMonsters = 0;
  Monster& right = Place(obj::monster03, playRight - 40 - 32 - 0.5f, 300, 1, 0.25f);
  Monster& top = Place(obj::monster06, 300, playTop + 32 + 0.5f, 0.25f, -1);
  Moves(1);
  EXPECT_FLOAT_EQ(right.x, playRight - 40 - 32 - 0.5f);  // on the line, one pixel back
  EXPECT_FLOAT_EQ(right.vx, -1);
  EXPECT_EQ(right.wanderTimer, 100 - 1 + 100);
  EXPECT_FLOAT_EQ(top.y, playTop + 32 + 0.5f);
  EXPECT_FLOAT_EQ(top.vy, 1);
}

TEST_F(Monsters, TheyStandStillWhilePausedCompleteOrOverButAreStillDrawn) {
  game.maxMonsters = 0;
  for (const int kind : allKinds) Place(kind, 300, 300, 0.5f, 0.5f);
  for (int* flag : {&game.paused, &game.levelComplete, &game.gameOver}) {
    *flag = 1;
    ClearScreen(0);
    Frames(40);
    for (const Monster& m : game.monsters) EXPECT_FLOAT_EQ(m.x, 300) << m.kind;
    EXPECT_NE(PictureAt(300, 300), 0);
    *flag = 0;
  }
  game.frameCounter = 0;
  Frames(1);
  EXPECT_FLOAT_EQ(game.monsters.begin()->x, 300);
  Frames(1);  // frame 1 of every four moves them
  EXPECT_FLOAT_EQ(game.monsters.begin()->x, 300.5f);
  Frames(3);
  EXPECT_FLOAT_EQ(game.monsters.begin()->x, 300.5f);
}

TEST_F(Monsters, EachKindShowsItsFrameCentredOnItsPosition) {
  game.paused = 1;
  game.maxMonsters = 0;
  struct Case {
    int kind;
    float vx;
    int frameCounter;
    int picture;
  };
  const Case cases[] = {
      {obj::monster02, -1, 7, obj::monster02},       {obj::monster02, 1, 7, obj::monster02 + 15},
      {obj::monster02, -0.5f, 7, obj::monster02 + 3}, {obj::monster03, 0, 37, obj::monster03 + 5},
      {obj::monster06, 0, 261, obj::monster06 + 5},  {obj::monster06, 0, 272, obj::monster06},
      {obj::monster06, 0, 5, obj::monster06},        {obj::monster06, 0, 771, obj::monster06 + 3},
      {obj::monster04, 0, 45, obj::monster04 + 13},  {obj::monster05, 0, 70, obj::monster05 + 6},
  };
  for (const Case& c : cases) {
    game.monsters.Clear();
    Place(c.kind, 300.4f, 200.6f, c.vx, 0);
    game.frameCounter = c.frameCounter;
    ClearScreen(0);
    StepMonsters();
    // 64 x 64 from (268, 169) to the nearest pixel.
    EXPECT_EQ(PictureAt(268, 169), c.picture) << c.kind << " at frame " << c.frameCounter;
    EXPECT_EQ(PictureAt(331, 232), c.picture);
    EXPECT_EQ(PictureAt(267, 200), 0);
    EXPECT_EQ(PictureAt(300, 233), 0);
  }
}

TEST_F(Monsters, ABallBurstsThemWithTheirSoundAndTheShipHunterSendsItBack) {
  ASSERT_TRUE(InitSound());
  const std::string wav = SquareWaveWav(22050);
  ASSERT_TRUE(CatchSound(obj::soundZap, wav.data(), wav.size()));
  for (const int kind : allKinds) {
    ResetLevelState();
    game.score = 0;
    StopSound(obj::soundZap);
    SoundVolume(obj::soundZap, 100);
    Place(kind, 300, 300, 0, 0);
    AddBall(300, 300, 3, -4, 8, obj::ball16);
    BallPass();
    const Ball& ball = *game.balls.begin();
    const float vy = ball.vy - ball.gravity;
    if (kind == obj::monster04) {
      EXPECT_FLOAT_EQ(ball.vx, -3);
      EXPECT_FLOAT_EQ(vy, 4);
    } else if (std::abs(ball.vx) <= 1 && std::abs(vy - 5) < 1e-4) {
      // Straight down: the pass then gives it a small sideways speed of its own.
    } else {
      EXPECT_NEAR(std::hypot(ball.vx, vy), 5, 1e-4) << kind;
      // Off at a whole number of radians, from 0 to 6.
      double angle = std::atan2(ball.vx, vy);
      if (angle < 0) angle += 2 * std::numbers::pi;
      EXPECT_NEAR(angle, std::round(angle), 1e-3) << kind;
    }
    EXPECT_TRUE(game.monsters.Empty()) << kind;
    ASSERT_EQ(game.monsterExplosions.Count(), 1);
    EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->x, 300);
    EXPECT_EQ(game.monsterExplosions.begin()->picture, obj::explosionTiles);
    EXPECT_EQ(game.score, 5);
    EXPECT_TRUE(SoundPlaying(obj::soundZap));
    EXPECT_EQ(GetSoundVolume(obj::soundZap), 30);
    EXPECT_EQ(GetSoundFrequency(obj::soundZap), 40000);
    EXPECT_EQ(GetSoundPan(obj::soundZap), 0);
  }
}

}  // namespace
