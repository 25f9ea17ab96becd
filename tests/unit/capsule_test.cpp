// SPDX-License-Identifier: GPL-3.0-or-later
// Capsules: falling, the catch box, what every kind does when the ship catches it, the maluses
// and the five letters.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets/glyph_tables.h"
#include "gameplay/capsules.h"
#include "gameplay/level_won.h"
#include "gameplay/ship_steering.h"
#include "levels/level_file.h"
#include "unit/ball_test_support.h"

namespace {

class Capsules : public BallTest {
 protected:
  // A capsule whose box already reaches the ship's top, over the ship's middle.
  static void DropOnShip(int kind) { AddCapsule(game.shipX, game.shipY - 40, kind); }

  static void Catch(int kind) {
    DropOnShip(kind);
    CapsuleStep();
  }

  // The floating words in the sprite effect list, rebuilt from their gold glyphs: every
  // character is a pair of effects, 40 pixels right of the one before.
  static std::vector<std::string> Words() {
    std::vector<std::string> words;
    float lastX = -1000;
    bool secondOfPair = false;
    for (const SpriteEffect& e : game.spriteEffects) {
      const int frame = static_cast<int>(std::lrint(e.frame));
      if (frame < goldGlyphBase) continue;  // a catch picture
      if (secondOfPair) {
        secondOfPair = false;
        continue;
      }
      secondOfPair = true;
      if (words.empty() || e.x != lastX + 40) words.emplace_back();
      words.back() += static_cast<char>(frame - goldGlyphBase);
      lastX = e.x;
    }
    return words;
  }
};

// ---------------------------------------------------------------- falling and catching

TEST_F(Capsules, FallOnePixelAFrameAndAnimateOnEveryEighthTick) {
  AddCapsule(300, 100, obj::capsuleGlue);
  game.secondTick = 1;
  CapsuleStep();
  const Capsule& c = *game.capsules.begin();
  EXPECT_FLOAT_EQ(c.y, 101);
  EXPECT_EQ(c.frame, 1);
  for (int tick : {2, 3, 5, 8}) {
    game.secondTick = tick;
    CapsuleStep();
    EXPECT_EQ(c.frame, 1) << "tick " << tick;
  }
  game.secondTick = 9;
  CapsuleStep();
  EXPECT_EQ(c.frame, 2);
  EXPECT_FLOAT_EQ(c.y, 106);

  game.capsules.begin()->frame = 15;
  game.secondTick = 17;
  CapsuleStep();
  EXPECT_EQ(c.frame, 0);

  // Paused or with the level complete they stand still.
  game.paused = 1;
  CapsuleStep();
  game.paused = 0;
  game.levelComplete = 1;
  CapsuleStep();
  EXPECT_FLOAT_EQ(c.y, 107);
}

TEST_F(Capsules, AreCaughtOnTheFrameTheirBottomReachesTheShipsTop) {
  // Ship top 688; the box is taken before the capsule falls, so y 672 is the first catch.
  AddCapsule(game.shipX, 660, obj::capsuleLaser);
  int frames = 0;
  while (!game.capsules.Empty() && frames < 100) {
    CapsuleStep();
    ++frames;
  }
  EXPECT_EQ(frames, 13);
  EXPECT_EQ(game.laserOn, 1);
  EXPECT_EQ(game.score, 30);
}

TEST_F(Capsules, CatchBoxTakesEitherEdgeOverTheShipBothEndsIncluded) {
  // Ship from 408 to 488: a capsule reaches it from x 392 (right edge on 408) to x 504 (left
  // edge on 488).
  struct Case {
    float x;
    bool caught;
  };
  for (const Case& c : {Case{391, false}, Case{392, true}, Case{448, true}, Case{504, true},
                        Case{505, false}}) {
    game.capsules.Clear();
    AddCapsule(c.x, 700, obj::capsuleDoor);
    CapsuleStep();
    EXPECT_EQ(game.capsules.Empty(), c.caught) << "x " << c.x;
  }
  // A wider ship catches further out.
  game.shipHalfWidth = 65;
  game.capsules.Clear();
  AddCapsule(505, 700, obj::capsuleDoor);
  CapsuleStep();
  EXPECT_TRUE(game.capsules.Empty());
}

TEST_F(Capsules, BelowTheShipsTopAreStillCaughtButPastTheBottomAreMissed) {
  AddCapsule(game.shipX, 760, obj::capsuleDoor);  // under the ship: its bottom is not tested
  CapsuleStep();
  EXPECT_EQ(game.doorOpen, 1);

  game.doorOpen = 0;
  AddCapsule(game.shipX, 768, obj::capsuleDoor);  // falls to 769: gone before the catch test
  CapsuleStep();
  EXPECT_TRUE(game.capsules.Empty());
  EXPECT_EQ(game.doorOpen, 0);
  EXPECT_EQ(game.score, 50);
}

TEST_F(Capsules, ACatchLeavesARisingFadingPictureOfTheCapsule) {
  DropOnShip(obj::letterU);
  game.capsules.begin()->frame = 6;
  CapsuleStep();
  ASSERT_EQ(game.spriteEffects.Count(), 1);  // letters have no word
  const SpriteEffect& e = *game.spriteEffects.begin();
  EXPECT_FLOAT_EQ(e.frame, obj::letterU + 6);
  EXPECT_FLOAT_EQ(e.x, game.shipX);
  EXPECT_FLOAT_EQ(e.y, game.shipY - 40 + 1);
  EXPECT_FLOAT_EQ(e.vy, -0.5f);
  EXPECT_EQ(e.lifetime, 37);
  EXPECT_FLOAT_EQ(e.alpha, 255);
  // Faded out by the end of its life.
  EXPECT_NEAR(e.alpha + e.alphaStep * e.lifetime, 0, 0.5);
}

TEST_F(Capsules, ABrokenBrickDropsItsCapsuleAtItsCentre) {
  const int brick = AddBrick(300, 200, obj::brickRed, obj::capsuleFire);
  PlaceBall(300, 214, 0, -3);
  Frame();
  ASSERT_EQ(BrickAt(brick).alive, 0);
  ASSERT_EQ(game.capsules.Count(), 1);
  const Capsule& c = *game.capsules.begin();
  EXPECT_EQ(c.kind, obj::capsuleFire);
  EXPECT_EQ(c.frame, 0);
  EXPECT_FLOAT_EQ(c.x, 300);
  EXPECT_FLOAT_EQ(c.y, 200);
}

// ---------------------------------------------------------------- the kinds

TEST_F(Capsules, EveryBonusScoresShowsItsWordAndSwitchesItsStateOn) {
  struct Case {
    int kind;
    const char* word;
    int score;
    const int* state;  // the flag it sets, if any
  };
  const Case cases[] = {
      {obj::capsuleTriple, "TRIPLE", 50, nullptr},
      {obj::capsuleEnlarge, "ENLARGE", 20, &game.sizeHold},
      {obj::capsuleFire, "FIRE", 200, &game.fireMode},
      {obj::capsuleLaser, "LASER", 30, &game.laserOn},
      {obj::capsuleGlue, "GLUE", 20, &game.glueMode},
      {obj::capsuleMissile, "MISSILE", 100, &game.missileArmed},
      {obj::capsuleDoor, "DOOR IS OPEN", 50, &game.doorOpen},
      {obj::capsuleRow, "ROW", 40, &game.filBarrierOn},
      {obj::capsuleBigger, "BIGGER", 50, nullptr},
      {obj::capsuleChaingun, "CHAINGUN", 300, &game.gunState},
      {obj::capsuleExtraLife, "EXTRA LIFE!", 1000, nullptr}};
  for (const Case& c : cases) {
    ResetLevelState();
    game.score = 0;
    Catch(c.kind);
    EXPECT_EQ(game.score, c.score) << c.word;
    EXPECT_EQ(Words(), std::vector<std::string>{c.word});
    if (c.state) {
      EXPECT_EQ(*c.state, 1) << c.word;
    }
  }
  // The timers and counters the weapons and the halo take over.
  ResetLevelState();
  Catch(obj::capsuleFire);
  Catch(obj::capsuleRow);
  Catch(obj::capsuleMissile);
  EXPECT_EQ(game.fireTimer, 15 * frameRate);
  EXPECT_EQ(game.filTimer, -255);
  EXPECT_EQ(game.missileCountdown, 150);
  ResetLevelState();
  Catch(obj::capsuleChaingun);
  EXPECT_EQ(game.ammo, 10);
  EXPECT_EQ(game.ammoMax, 10);
  EXPECT_EQ(game.ammoStep, 2);
}

TEST_F(Capsules, AnyOtherCapsuleEndsLaserGlueAndEnlargementButALetterDoesNot) {
  PlaceBall(game.shipX + 20, game.shipY - 48, 0, 0);
  game.balls.begin()->glued = 1;
  game.laserOn = 1;
  game.glueMode = 1;
  game.glueTimer = 300;
  game.sizeHold = 1;
  Catch(obj::letterN);
  EXPECT_EQ(game.laserOn, 1);
  EXPECT_EQ(game.glueMode, 1);
  EXPECT_EQ(game.sizeHold, 1);
  EXPECT_EQ(game.balls.begin()->glued, 1);

  Catch(obj::capsuleDoor);
  EXPECT_EQ(game.laserOn, 0);
  EXPECT_EQ(game.glueMode, 0);
  EXPECT_EQ(game.glueTimer, 0);
  EXPECT_EQ(game.sizeHold, 0);
  EXPECT_EQ(game.balls.begin()->glued, 0);
}

TEST_F(Capsules, EnlargeWidensTheShipAtTheCatchOnlyWhenItIsNotHeldWide) {
  Catch(obj::capsuleEnlarge);
  EXPECT_EQ(game.sizeHold, 1);
  EXPECT_EQ(game.sizeCounter, 10);
  // Wide in the very frame of the catch: the widest body, half-width 65.
  EXPECT_EQ(game.shipBodySprite, obj::shipBody + 5);
  EXPECT_EQ(game.shipHalfWidth, 65);
  // So a capsule just past the narrow ship's edge is caught at the very next step.
  AddCapsule(game.shipX + 40 + 16 + 20, game.shipY - 40, obj::letterB);
  CapsuleStep();
  EXPECT_EQ(game.letterMask, 16);
  // The steering then cycles the full-width pictures, never narrower than at the catch.
  for (int i = 1; i <= 48; ++i) {
    SteerShip(0, 0);
    ASSERT_EQ(game.shipHalfWidth, 65) << "frame " << i;
    ASSERT_GE(game.shipBodySprite, obj::shipBody + 5) << "frame " << i;
  }

  // Caught again while held: the cycle goes on where it was.
  game.sizeCounter = 30;
  const int body = game.shipBodySprite;
  Catch(obj::capsuleEnlarge);
  EXPECT_EQ(game.sizeHold, 1);
  EXPECT_EQ(game.sizeCounter, 30);
  EXPECT_EQ(game.shipBodySprite, body);
  EXPECT_EQ(game.score, 20 + 100 + 20);

  // Let go, the ship shrinks back to half-width 40.
  Catch(obj::capsuleGlue);
  EXPECT_EQ(game.sizeHold, 0);
  for (int i = 0; i < 30; ++i) SteerShip(0, 0);
  EXPECT_EQ(game.shipHalfWidth, 40);
}

TEST_F(Capsules, MissileWhileTheChaingunIsActiveOnlyEndsLaserGlueAndEnlargement) {
  game.gunState = 2;
  game.laserOn = 1;
  game.glueMode = 1;
  game.sizeHold = 1;
  Catch(obj::capsuleMissile);
  EXPECT_EQ(game.score, 0);
  EXPECT_TRUE(Words().empty());
  EXPECT_EQ(game.missileArmed, 0);
  EXPECT_EQ(game.laserOn, 0);
  EXPECT_EQ(game.glueMode, 0);
  EXPECT_EQ(game.sizeHold, 0);
}

TEST_F(Capsules, MissileAndChaingunExcludeEachOther) {
  Catch(obj::capsuleMissile);
  ASSERT_EQ(game.missileArmed, 1);
  game.missileCountdown = 20;
  // A second missile scores but the launcher holds one, still loading where it was.
  Catch(obj::capsuleMissile);
  EXPECT_EQ(game.score, 200);
  EXPECT_EQ(game.missileCountdown, 20);
  // No gun while a missile waits: no score, no word.
  game.spriteEffects.Clear();
  Catch(obj::capsuleChaingun);
  EXPECT_EQ(game.gunState, 0);
  EXPECT_EQ(game.score, 200);
  EXPECT_TRUE(Words().empty());
}

TEST_F(Capsules, ExtraLifeGivesOneMoreLifeUpToNine) {
  game.lives = 8;
  Catch(obj::capsuleExtraLife);
  EXPECT_EQ(game.lives, 9);
  Catch(obj::capsuleExtraLife);
  EXPECT_EQ(game.lives, 9);
  EXPECT_EQ(game.score, 2000);
}

TEST_F(Capsules, TripleGivesEveryBallTwoCompanionsAThirdOfATurnApart) {
  PlaceBall(200, 300, 0, -4);
  PlaceBall(400, 300, 3, 0);
  PlaceBall(600, 300, -2, 2, 16, obj::ball32);
  Catch(obj::capsuleTriple);
  ASSERT_EQ(game.balls.Count(), 9);

  // Each original is followed by its two companions, two radii from it, at its speed.
  const float speeds[] = {4, 3, std::sqrt(8.0f)};
  for (int i = 0; i < 3; ++i) {
    const Ball& own = BallAt(3 * i);
    for (int k = 1; k <= 2; ++k) {
      const Ball& c = BallAt(3 * i + k);
      EXPECT_NEAR(std::hypot(c.x - own.x, c.y - own.y), 2 * own.radius, 1e-3);
      EXPECT_NEAR(Speed(c), speeds[i], 1e-4);
      EXPECT_EQ(c.sprite, own.sprite);
      EXPECT_FLOAT_EQ(c.radius, own.radius);
    }
  }
  // Straight up is half a turn from +y: companions at pi + 2.09 and pi + 4.18.
  EXPECT_NEAR(BallAt(1).vx, 4 * std::sin(3.14159265f + 2.09f), 1e-4);
  EXPECT_NEAR(BallAt(2).vy, 4 * std::cos(3.14159265f + 4.18f), 1e-4);
  // A flat direction counts as straight down (angle 0).
  EXPECT_NEAR(BallAt(4).vx, 3 * std::sin(2.09f), 1e-4);
  EXPECT_NEAR(BallAt(4).y, 300 + 16 * std::cos(2.09f), 1e-3);
}

TEST_F(Capsules, BiggerGrowsEveryBallOneClassAndKeepsItsMass) {
  const int sprites[] = {obj::ball8, obj::ball16, obj::ball32, obj::ball80, obj::ball160};
  const int radii[] = {4, 8, 16, 40, 80};
  for (int i = 0; i < 4; ++i) PlaceBall(200 + 120 * i, 400, 1, -1, radii[i], sprites[i]);
  // The largest, against the left wall and the top: it only moves inside and redraws flares.
  PlaceBall(100, 50, 1.5f, 2.5f, 80, obj::ball160);
  std::vector<Ball> before(game.balls.begin(), game.balls.end());
  Catch(obj::capsuleBigger);
  for (int i = 0; i < 5; ++i) {
    const Ball& b = BallAt(i);
    const int grown = i < 4 ? i + 1 : 4;
    EXPECT_EQ(b.sprite, sprites[grown]);
    EXPECT_FLOAT_EQ(b.radius, radii[grown]);
    EXPECT_FLOAT_EQ(b.mass, before[i].mass);
    EXPECT_FLOAT_EQ(b.vx, before[i].vx);
    EXPECT_EQ(b.flares[0].sprite, before[i].flares[0].sprite);
    // Three radii for the core flares now, four at birth.
    EXPECT_GE(b.flares[0].distance, radii[grown] * 3);
    EXPECT_LE(b.flares[0].distance, radii[grown] * 3 + 8);
    EXPECT_GE(b.flares[9].distance, radii[grown] * 7);
    EXPECT_LE(b.flares[9].distance, radii[grown] * 7 + 16);
  }
  EXPECT_FLOAT_EQ(BallAt(4).x, playLeft + 80);
  EXPECT_FLOAT_EQ(BallAt(4).y, playTop + 80);
  BallAt(4).x = 790;
  Catch(obj::capsuleBigger);
  EXPECT_FLOAT_EQ(BallAt(4).x, playRight - 80);
}

TEST_F(Capsules, BiggerClearsTheColourBricksUnderTheGrownBallWithoutDrops) {
  const int colour = AddBrick(300, 330, obj::brickGreen, obj::capsuleExtraLife);
  const int wall = AddBrick(300, 270, obj::brickUnbreakable);
  PlaceBall(300, 300, 0, 0, 16, obj::ball32);
  Catch(obj::capsuleBigger);
  EXPECT_EQ(BrickAt(colour).alive, 0);
  EXPECT_EQ(BrickAt(wall).alive, 1);
  EXPECT_TRUE(game.capsules.Empty());
  EXPECT_EQ(game.score, 50);
}

// ---------------------------------------------------------------- maluses

TEST_F(Capsules, AMalusCapsuleStartsOneOfTheFourMalusesForTenSeconds) {
  const char* words[] = {"LUCKY MAN!", "MIRROR", "REVERSE", "MICROBALL"};
  bool seen[4] = {};
  for (int i = 0; i < 40; ++i) {
    game.spriteEffects.Clear();
    Catch(obj::capsuleMalus);
    ASSERT_GE(game.malus, 0);
    ASSERT_LE(game.malus, 3);
    seen[game.malus] = true;
    EXPECT_EQ(game.malusTimer, 10 * frameRate);
    EXPECT_EQ(Words(), std::vector<std::string>{words[game.malus]});
  }
  EXPECT_EQ(game.score, 0);
  for (bool s : seen) EXPECT_TRUE(s);
}

TEST_F(Capsules, EveryMalusEndsTheFilAndFireAndBringsTheBallsBackToNormalSize) {
  for (int which = 0; which < 4; ++which) {
    game.balls.Clear();
    PlaceBall(300, 300, 2, -3, 40, obj::ball80);
    game.filBarrierOn = 1;
    game.fireMode = 1;
    StartMalus(which);
    EXPECT_EQ(game.filBarrierOn, 0);
    EXPECT_EQ(game.fireMode, 0);
    const Ball& b = BallAt(0);
    if (which == 3) {
      EXPECT_EQ(b.sprite, obj::ball8);
      EXPECT_FLOAT_EQ(b.radius, 4);
    } else {
      EXPECT_EQ(b.sprite, obj::ball16);
      EXPECT_FLOAT_EQ(b.radius, 8);
    }
    const float sign = which == 2 ? -1 : 1;  // REVERSE turns every ball round once
    EXPECT_FLOAT_EQ(b.vx, 2 * sign);
    EXPECT_FLOAT_EQ(b.vy, -3 * sign);
  }
}

TEST_F(Capsules, MicroballKeepsTheMassEachBallWasBornWith) {
  Ball& heavy = PlaceBall(300, 300, 2, 0);
  const float bornMass = heavy.mass;
  StartMalus(3);
  EXPECT_FLOAT_EQ(heavy.mass, bornMass);
  // Against a ball born small, the shrunk ball still pushes through like a normal one: with
  // equal masses it would stop dead.
  PlaceBall(309, 300, 0, 0, 4, obj::ball8);
  Frame();
  EXPECT_NEAR(BallAt(0).vx, 2.0f * 7 / 9, 1e-3);
  EXPECT_NEAR(BallAt(1).vx, 2.0f * 16 / 9, 1e-3);
}

TEST_F(Capsules, AMalusOutlastsOtherCatchesAndEndsWithItsTimer) {
  game.malus = 1;  // the mirror
  game.malusTimer = 3;
  Catch(obj::capsuleLaser);
  Catch(obj::capsuleExtraLife);
  EXPECT_EQ(game.malus, 1);
  EXPECT_EQ(game.malusTimer, 1);
  const float x = game.shipX;
  SteerShip(5, 0);
  EXPECT_FLOAT_EQ(game.shipX, x - 5);
  game.paused = 1;
  for (int i = 0; i < 5; ++i) CapsuleStep();  // the pause stops the clock
  game.paused = 0;
  CapsuleStep();  // 0 left: still on
  EXPECT_EQ(game.malus, 1);
  CapsuleStep();
  EXPECT_EQ(game.malus, 0);
  SteerShip(5, 0);
  EXPECT_FLOAT_EQ(game.shipX, x);
}

// ---------------------------------------------------------------- letters

TEST_F(Capsules, TheFifthLetterScoresTheBonusAndEveryLaterCatchScoresItAgain) {
  const int kinds[] = {obj::letterB, obj::letterO, obj::letterN, obj::letterU};
  int mask = 0;
  for (int i = 0; i < 4; ++i) {
    Catch(kinds[i]);
    mask |= 16 >> i;
    EXPECT_EQ(game.letterMask, mask);
  }
  EXPECT_EQ(game.score, 400);
  EXPECT_TRUE(Words().empty());  // letters have no word
  DropOnShip(obj::letterS);
  DropOnShip(obj::capsuleRow);
  CapsuleStep();
  EXPECT_EQ(game.letterMask, 31);
  EXPECT_EQ(game.score, 400 + 100 + 1000 + 40 + 1000);
  EXPECT_EQ(Words(), (std::vector<std::string>{"BONUS!", "ROW", "BONUS!"}));
}

TEST_F(Capsules, TheFifthLetterEndsTheLevelWithBricksLeft) {
  AddBrick(300, 200, obj::brickRed);
  PlaceBall(300, 400, 1, -2);
  game.letterMask = 23;  // all but O
  Catch(obj::letterO);
  CheckLevelCleared();
  EXPECT_EQ(game.levelComplete, 1);
  EXPECT_EQ(game.paused, 1);
  EXPECT_EQ(game.effectPicture, obj::bonusPicture);
  EXPECT_TRUE(game.balls.Empty());
}

}  // namespace
