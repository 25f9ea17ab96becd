// SPDX-License-Identifier: GPL-3.0-or-later
// What a caught capsule does, kind by kind.
#include <cmath>
#include <iterator>
#include <numbers>

#include "actors/missiles.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "gameplay/balls.h"
#include "gameplay/capsules.h"
#include "gameplay/ship_steering.h"
#include "gameplay/sprite_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int shieldFrequency = 20000;
constexpr int enlargedSize = 10;           // the size counter of the widest ship
constexpr int fireFrames = 15 * frameRate;
constexpr int malusFrames = 10 * frameRate;
constexpr int chaingunShots = 10;
constexpr int chaingunGaugeStates = 5;
constexpr int filFadeIn = -255;
constexpr int maxLives = 9;
constexpr int allLettersBonus = 1000;
constexpr float companionTurn = 2.09f;    // radians between a ball and each of its companions

struct Bonus {
  int kind;
  const char* word;
  int score;
};

// Letters and the malus have no word of their own here.
constexpr Bonus bonuses[] = {
    {obj::capsuleTriple, "TRIPLE", 50},      {obj::capsuleEnlarge, "ENLARGE", 20},
    {obj::capsuleFire, "FIRE", 200},         {obj::capsuleLaser, "LASER", 30},
    {obj::capsuleGlue, "GLUE", 20},          {obj::capsuleMissile, "MISSILE", 100},
    {obj::capsuleDoor, "DOOR IS OPEN", 50},  {obj::capsuleRow, "ROW", 40},
    {obj::capsuleBigger, "BIGGER", 50},      {obj::capsuleChaingun, "CHAINGUN", 300},
    {obj::capsuleExtraLife, "EXTRA LIFE!", 1000}};

struct Letter {
  int kind;
  int bit;
};
constexpr Letter letters[] = {{obj::letterB, 16}, {obj::letterO, 8}, {obj::letterN, 4},
                              {obj::letterU, 2},  {obj::letterS, 1}};
constexpr int letterScore = 100;

struct SizeClass {
  int sprite;
  int radius;
};
// From the smallest ball to the largest; the largest stays as it is.
constexpr SizeClass sizeClasses[] = {
    {obj::ball8, 4}, {obj::ball16, 8}, {obj::ball32, 16}, {obj::ball80, 40}, {obj::ball160, 80}};

constexpr const char* malusWords[] = {"LUCKY MAN!", "MIRROR", "REVERSE", "MICROBALL"};

const Bonus* FindBonus(int kind) {
  for (const Bonus& b : bonuses) {
    if (b.kind == kind) return &b;
  }
  return nullptr;
}

int LetterBit(int kind) {
  for (const Letter& l : letters) {
    if (l.kind == kind) return l.bit;
  }
  return 0;
}

void Announce(const Bonus& bonus) {
  game.score += bonus.score;
  ShowMessage(bonus.word, 0);
}

// Every capsule but a letter ends the laser, the glue and (unless it enlarges) the enlargement.
void CommonEffect(int kind) {
  game.laserOn = 0;
  if (game.glueMode == 1) {
    game.glueTimer = 0;
    for (Ball& ball : game.balls) ball.glued = 0;
    game.glueMode = 0;
  }
  if (kind != obj::capsuleEnlarge) game.sizeHold = 0;
}

// Each ball present before the catch gets two companions a third of a turn either side of its
// own direction; the companions are added behind it and not visited by this walk.
void Triple() {
  List<Ball>& balls = game.balls;
  balls.Reset();
  while (balls.Next()) {
    const Ball ball = balls.Current();
    float s = std::sqrt(ball.vx * ball.vx + ball.vy * ball.vy);
    if (s == 0) s = 0.001f;
    const float ux = ball.vx / s;
    float d = ball.vy / s;
    if (d > -0.1f && d < 0.1f) d = 1;
    float theta = std::acos(d);
    if (ux < 0) theta = 2 * std::numbers::pi_v<float> - theta;
    const int r = Nearest(ball.radius);
    for (int i = 0; i < 2; ++i) {
      theta += companionTurn;
      const float sinT = std::sin(theta);
      const float cosT = std::cos(theta);
      AddBall(ball.x + 2 * r * sinT, ball.y + 2 * r * cosT, s * sinT, s * cosT, r, ball.sprite);
    }
  }
}

void Enlarge() {
  if (game.sizeHold != 0) return;
  PlayEffect(obj::soundShield, 0, 100, shieldFrequency);
  game.sizeHold = 1;
  // Setting the counter alone leaves the narrow body until the steering reaches the next row,
  // eight frames on; the widest row applied here makes the ship wide in the frame of the catch.
  SetShipSize(enlargedSize);
}

void Fire() {
  PlayEffect(obj::soundOnFire, 0, 100, shieldFrequency);
  game.fireMode = 1;
  game.fireTimer = fireFrames;
}

// No missile while the gun is out; the launcher holds one, so another capsule only scores.
void CatchMissile(const Bonus& bonus) {
  if (game.gunState != 0) return;
  Announce(bonus);
  LoadMissile();
}

// The gun and the missile share the mouse button: no gun while a missile waits.
void Chaingun(const Bonus& bonus) {
  if (game.missileArmed != 0) return;
  Announce(bonus);
  SwitchOnChaingun();
  game.ammo = chaingunShots;
  game.ammoMax = chaingunShots;
  game.ammoStep = chaingunShots / chaingunGaugeStates;
}

// The grown ball's flares are a little tighter than a new ball's (three radii for the core).
void SetGrownFlares(Ball& ball) {
  const float r = ball.radius;
  for (int i = 0; i < flareCount; ++i) {
    Flare& f = ball.flares[i];
    if (i < 3) {
      f.distance = r * 3 + Random(8);
    } else if (i < 6) {
      f.distance = r * 5 + Random(8);
    } else {
      f.distance = r * 7 + Random(16);
    }
  }
}

// Every ball one size up; the mass stays the one it was born with.
void Bigger() {
  for (Ball& ball : game.balls) {
    const int last = static_cast<int>(std::size(sizeClasses)) - 1;
    for (int i = 0; i < last; ++i) {
      if (sizeClasses[i].sprite == ball.sprite) {
        ball.sprite = sizeClasses[i + 1].sprite;
        ball.radius = static_cast<float>(sizeClasses[i + 1].radius);
        break;
      }
    }
    SetGrownFlares(ball);
    const float r = ball.radius;
    if (ball.x < playLeft + r) ball.x = playLeft + r;
    if (ball.x > playRight - r) ball.x = playRight - r;
    if (ball.y < playTop + r) ball.y = playTop + r;
    ClearRoom(ball.x, ball.y, r);
  }
}

void ExtraLife() {
  PlayEffect(obj::soundHappyBell, 0, 100, shieldFrequency);
  if (game.lives < maxLives) game.lives += 1;
}

void SetAllBalls(int sprite, int radius) {
  for (Ball& ball : game.balls) {
    ball.sprite = sprite;
    ball.radius = static_cast<float>(radius);
  }
}

}  // namespace

void ArmMissile() { game.missileArmed = 1; }
void SwitchOnChaingun() { game.gunState = 1; }
void SwitchOnFil() { game.filBarrierOn = 1; }
void SwitchOnLaser() { game.laserOn = 1; }
void SwitchOnGlue() { game.glueMode = 1; }

void StartMalus(int which) {
  game.filBarrierOn = 0;
  game.fireMode = 0;
  SetAllBalls(obj::ball16, 8);
  ShowMessage(malusWords[which], 0);
  if (which == malusReverse) {
    for (Ball& ball : game.balls) {
      ball.vx = -ball.vx;
      ball.vy = -ball.vy;
    }
  } else if (which == malusMicroball) {
    SetAllBalls(obj::ball8, 4);
  }
  // The mirror needs nothing here: the steering reads the malus while it lasts.
}

void CatchCapsule(int kind) {
  const int letterBit = LetterBit(kind);
  if (letterBit != 0) {
    game.letterMask |= letterBit;
    game.score += letterScore;
  } else {
    CommonEffect(kind);
    const Bonus* bonus = FindBonus(kind);
    switch (kind) {
      case obj::capsuleTriple: Triple(); break;
      case obj::capsuleEnlarge: Enlarge(); break;
      case obj::capsuleFire: Fire(); break;
      case obj::capsuleLaser: SwitchOnLaser(); break;
      case obj::capsuleGlue: SwitchOnGlue(); break;
      case obj::capsuleMissile: CatchMissile(*bonus); break;
      case obj::capsuleDoor: game.doorOpen = 1; break;
      case obj::capsuleRow:
        SwitchOnFil();
        game.filTimer = filFadeIn;
        break;
      case obj::capsuleBigger: Bigger(); break;
      case obj::capsuleChaingun: Chaingun(*bonus); break;
      case obj::capsuleExtraLife: ExtraLife(); break;
      case obj::capsuleMalus:
        game.malus = Random(3);
        game.malusTimer = malusFrames;
        StartMalus(game.malus);
        break;
      default: break;
    }
    // The missile and the gun announce themselves only when they come.
    if (bonus && kind != obj::capsuleMissile && kind != obj::capsuleChaingun) Announce(*bonus);
  }
  if (game.letterMask == allLetters) {
    game.score += allLettersBonus;
    ShowMessage("BONUS!", 0);
  }
}
