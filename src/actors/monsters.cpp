// SPDX-License-Identifier: GPL-3.0-or-later
#include "actors/monsters.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int shipHunter = obj::monster04;  // chases the ship
constexpr int ballHunter = obj::monster05;  // chases the first ball
constexpr int leaner = obj::monster02;      // its picture leans with its horizontal speed
constexpr int flapper = obj::monster03;     // a looping wing beat
constexpr int blinker = obj::monster06;     // mostly still, with a short burst now and then

constexpr int moveEvery = 4;           // monsters move on frames whose counter mod 4 is 1
constexpr float shipHunterSpeed = 2;   // pixels per move
constexpr float ballHunterSpeed = 4;
constexpr float shipHunterCeiling = 100;  // the ship hunter sinks no lower than this above the ship
constexpr int wanderMaxMoves = 1000;   // a new wander lasts 1 to 1001 moves
constexpr int bounceDelay = 100;       // moves a bounce adds before the next new wander
constexpr float sideMargin = 40;       // wanderers turn this far inside the side walls
constexpr int entryGlideExtra = 40;    // the glide in lasts the picture's width plus this moves
constexpr float entryTop = 30;         // a newcomer's top edge sits this far below y 0
constexpr float leftEntryX = 42;       // a newcomer from the left has its left edge here
constexpr int killVolume = 30;
constexpr int killFrequency = 40000;   // Hz

// A fraction from 0 to 1 in ten-thousandths, drawn afresh at each use.
float RandomFraction() { return Random(10000) / 10000.0f; }

// From -1 to 1 in thousandths, as the difference of two draws taken in a fixed order.
float RandomWanderSpeed() {
  const int first = Random(1000);
  const int second = Random(1000);
  return (first - second) / 1000.0f;
}

// ---------------------------------------------------------------------------- moving

// Heads for (targetX, targetY) at the given speed. The distance is taken to the nearest whole
// pixel; on top of the prey (under half a pixel) there is no direction to take, so the last
// velocity stays instead of a division by zero.
void HeadFor(Monster& m, float targetX, float targetY, float speed) {
  const float dx = targetX - m.x;
  const float dy = targetY - m.y;
  const int d = Nearest(std::hypot(dx, dy));
  if (d < 1) return;
  m.vx = dx / d * speed;
  m.vy = dy / d * speed;
}

void Wander(Monster& m) {
  m.x += m.vx;
  m.y += m.vy;
  if (m.wanderTimer < 1) {
    m.wanderTimer = Random(wanderMaxMoves) + 1;
    m.vx = RandomWanderSpeed();
    m.vy = RandomWanderSpeed();
  }
  --m.wanderTimer;

  // Each bounce steps a pixel back inside and puts off the next new wander.
  const int picture = m.kind + m.frameOffset;
  const float halfWidth = Sprite3DWidth(picture) / 2.0f;
  const float halfHeight = Sprite3DHeight(picture) / 2.0f;
  if (m.x - halfWidth <= playLeft + sideMargin) {
    m.x += 1;
    m.vx = -m.vx;
    m.wanderTimer += bounceDelay;
  }
  if (m.x + halfWidth >= playRight - sideMargin) {
    m.x -= 1;
    m.vx = -m.vx;
    m.wanderTimer += bounceDelay;
  }
  if (m.y - halfHeight <= playTop) {
    m.y += 1;
    m.vy = -m.vy;
    m.wanderTimer += bounceDelay;
  }
  if (m.y + halfHeight >= playBottom) {
    m.y -= 1;
    m.vy = -m.vy;
    m.wanderTimer += bounceDelay;
  }
}

void Move(Monster& m) {
  if (m.entryTimer >= 1) {
    m.x += m.vx;
    --m.entryTimer;
    return;
  }
  if (m.kind == shipHunter) {
    // It comes down to a row above the ship, then only follows it sideways.
    m.x += m.vx;
    if (m.y < game.shipY - shipHunterCeiling) m.y += m.vy;
    HeadFor(m, game.shipX, game.shipY, shipHunterSpeed);
  } else if (m.kind == ballHunter) {
    m.x += m.vx;
    m.y += m.vy;
    // With no ball in play it keeps going the way it went.
    if (!game.balls.Empty()) {
      const Ball& prey = *game.balls.begin();
      HeadFor(m, prey.x, prey.y, ballHunterSpeed);
    }
  } else {
    Wander(m);
  }
}

// ---------------------------------------------------------------------------- drawing

int DrawnPicture(const Monster& m) {
  const int frame = game.frameCounter;
  switch (m.kind) {
    case leaner: {
      // Speeds run from -1 to 1, so frames 0 to 15; anything faster leans no further.
      const int lean = static_cast<int>(m.kind + m.vx * 7.5f + 7.5f);
      return std::clamp(lean, m.kind, m.kind + 15);
    }
    case flapper:
      return m.kind + frame % 16;
    case blinker:
      // A 16-frame burst at the start of every other 256 frames; frame 0 the rest of the time.
      return (frame & 256) && (frame & 255) < 16 ? m.kind + frame % 16 : m.kind;
    case shipHunter:
    case ballHunter:
      return m.kind + frame % 32;
    default:
      return m.kind;
  }
}

void Draw(const Monster& m) {
  const int picture = DrawnPicture(m);
  const float halfWidth = Sprite3DWidth(picture) / 2.0f;
  const float halfHeight = Sprite3DHeight(picture) / 2.0f;
  DisplaySprite3D(picture, Nearest(m.x - halfWidth), Nearest(m.y - halfHeight));
}

// ---------------------------------------------------------------------------- spawning

// The kind a spawn draw picks by its slot (kindMask bit 1 << slot), with its speeds: each
// speed is its base plus, where marked, a fresh random fraction.
struct SpawnSlot {
  int kind;
  float vxBase;
  bool vxRandom;
  float vyBase;  // always with a random fraction
};

constexpr SpawnSlot spawnSlots[] = {
    {leaner, 1, false, 1},
    {flapper, 2, true, 1},
    {shipHunter, 1, true, 1},
    {ballHunter, 2, true, 2},
    {blinker, 1, true, 1},
};
constexpr int lastSlot = static_cast<int>(std::size(spawnSlots)) - 1;

void TrySpawn() {
  if (game.monsters.Count() >= game.maxMonsters) return;
  if (Random(10) != 1) return;
  // A period below 1 (no scenery sets one) spawns nothing rather than dividing by zero.
  if (game.spawnPeriod < 1 || game.frameCounter % game.spawnPeriod != 1) return;
  const int slot = Random(lastSlot);
  if ((game.kindMask & (1 << slot)) == 0) return;
  const SpawnSlot& s = spawnSlots[slot];
  const float vx = s.vxBase + (s.vxRandom ? RandomFraction() : 0.0f);
  const float vy = s.vyBase + RandomFraction();
  SpawnMonster(s.kind, vx, vy);
}

}  // namespace

void StepMonsters() {
  const bool moving = game.frameCounter % moveEvery == 1 && !game.paused &&
                      !game.levelComplete && !game.gameOver;
  List<Monster>& monsters = game.monsters;
  monsters.Reset();
  while (monsters.Next()) {
    Monster& m = monsters.Current();
    if (moving) Move(m);
    Draw(m);
  }
  TrySpawn();
}

void SpawnMonster(int kind, float vx, float vy) {
  const int width = Sprite3DWidth(kind);
  const int height = Sprite3DHeight(kind);
  Monster& m = game.monsters.Append();
  m.kind = kind;
  m.frameOffset = 0;
  m.y = height / 2.0f + entryTop;
  m.vx = vx;
  m.vy = vy;
  m.entryTimer = width + entryGlideExtra;
  m.wanderTimer = width;
  if (Random(1) == 0) {
    // From the right, just outside the playfield, gliding left.
    m.x = width / 2.0f + playRight;
    m.vx = -vx;
  } else {
    m.x = width / 2.0f + leftEntryX;
  }
}

void KillMonster(float x, float y) {
  Explosion& burst = game.monsterExplosions.Append();
  burst.x = x;
  burst.y = y;
  burst.picture = obj::explosionTiles;
  burst.frame = 0;
  PlayEffect(obj::soundZap, 0, killVolume, killFrequency);
}
