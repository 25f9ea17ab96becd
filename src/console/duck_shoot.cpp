// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/duck_shoot.h"

#include <cmath>

#include "assets/objects.h"
#include "assets/side_game_catalogue.h"
#include "console/side_games.h"
#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int startCounter = 10;
constexpr int railTop = 32, railMiddle = 132, railBottom = 232;  // centre lines of the figures
constexpr int railLineBelow = 32;          // each rail's line is drawn this far below its centre
constexpr float turnSpeedUp = 1;           // a figure speeds up at each turn
constexpr float globalSpeedUp = 0.1f;      // every 30 s
constexpr int speedUpPeriod = 30 * frameRate;
constexpr float newTargetSpeed = 1;
constexpr int escapedDuckCost = 5;
constexpr int bulletStep = 10;             // pixels a frame, upwards
constexpr int bulletGone = -10;
constexpr int bulletStartBelowCannon = 10;
constexpr int hitReach = 16;               // half the side of a target's hit square
constexpr int shotCooldown = frameRate / 8;  // 9 frames between shots
constexpr double rockPeriod = 8;           // pixels of travel per radian of rocking
constexpr double rockDegrees = 10;
constexpr int galleryBlue = RGB(0, 0, 85);
constexpr int railGrey = RGB(170, 170, 170);

// The duck that rides the first rail facing the way it goes; it turns into the duck worth 2 on
// the middle rail and into the one worth 3 on the last.
constexpr int duckFirstRail = obj::duckPlain + obj::duckFacingRight;   // 2237
constexpr int duckMiddleRail = obj::duckBlue;                         // 2231
constexpr int duckLastRail = obj::duckGolden + obj::duckFacingRight;   // 2239
constexpr int firstFigureFacingRight = obj::duckTrolley + obj::duckFacingRight;  // 2240

int FigureWidth() { return SpriteWidth(obj::duckPlain); }
int FigureHeight() { return SpriteHeight(obj::duckPlain); }

// Either facing gives the same kind.
int Kind(int picture) {
  return picture >= obj::duckPlain + obj::duckFacingRight ? picture - obj::duckFacingRight : picture;
}

struct HitEffect {
  int counterChange;
  SideTone tone;
};

HitEffect HitOn(int picture) {
  switch (Kind(picture)) {
    case obj::duckPlain: return {1, toneDuckHit};
    case obj::duckBlue: return {2, toneDuckHit};
    case obj::duckGolden: return {3, toneDuckHit};
    case obj::duckTrolley: return {-4, toneTrolleyHit};
    case obj::duckSnail: return {-1, toneSnailHit};
    case obj::duckHen: return {-2, toneHenHit};
    default: return {-3, toneCalfHit};
  }
}

// Returns false when the figure left the gallery at the end of the last rail.
bool RideRail(DuckTarget& t, DuckState& d) {
  const float step = t.speed + d.globalSpeed;
  const float rightExit = screenWidth + FigureWidth() / 2.0f;
  switch (t.railY) {
    case railTop:
      t.x += step;
      if (t.x > rightExit) {
        t.railY = railMiddle;
        t.speed += turnSpeedUp;
        t.picture = t.picture == duckFirstRail ? duckMiddleRail : t.picture - obj::duckFacingRight;
      }
      return true;
    case railMiddle:
      t.x -= step;
      if (t.x < -SpriteWidth(t.picture) / 2.0f) {
        t.railY = railBottom;
        t.speed += turnSpeedUp;
        t.picture = t.picture == duckMiddleRail ? duckLastRail : t.picture + obj::duckFacingRight;
      }
      return true;
    default:
      t.x += step;
      if (t.x <= rightExit) return true;
      if (t.picture == duckLastRail) {
        d.counter -= escapedDuckCost;
        PlaySideTone(toneDuckEscaped);
      }
      return false;
  }
}

void MoveTargets() {
  DuckState& d = game.duck;
  d.targets.Reset();
  while (d.targets.Next()) {
    if (!RideRail(d.targets.Current(), d)) d.targets.Delete();
  }
}

// Half ducks, half the other four figures.
void AddTarget() {
  DuckTarget& t = game.duck.targets.Append();
  t.x = static_cast<float>(-SpriteWidth(duckFirstRail));
  t.railY = railTop;
  t.speed = newTargetSpeed;
  t.picture = Random(10) < 5 ? duckFirstRail : firstFigureFacingRight + Random(3);
}

bool Hits(const DuckBullet& b, const DuckTarget& t) {
  const int x = RoundHalfAway(t.x);
  return b.x >= x - hitReach && b.x <= x + hitReach && b.y >= t.railY - hitReach &&
         b.y <= t.railY + hitReach;
}

// True when the bullet hit a figure; both are gone then.
bool Strike(const DuckBullet& b) {
  DuckState& d = game.duck;
  d.targets.Reset();
  while (d.targets.Next()) {
    if (!Hits(b, d.targets.Current())) continue;
    const HitEffect effect = HitOn(d.targets.Current().picture);
    d.counter += effect.counterChange;
    PlaySideTone(effect.tone);
    d.targets.Delete();
    return true;
  }
  return false;
}

// One hit a frame: the pass ends at the first, so two bullets on one figure count once.
void MoveBullets() {
  DuckState& d = game.duck;
  d.bullets.Reset();
  while (d.bullets.Next()) {
    DuckBullet& b = d.bullets.Current();
    b.y -= bulletStep;
    if (b.y <= bulletGone) {
      d.bullets.Delete();
      continue;
    }
    if (Strike(b)) {
      d.bullets.Delete();
      return;
    }
  }
}

// One bullet per press, and none until the cool-down has run out.
void Shoot() {
  DuckState& d = game.duck;
  d.cannonX = MouseX();
  d.cannonY = screenHeight - SpriteHeight(obj::duckCannon);
  const bool pressed = MouseButton(1);
  if (!pressed) d.shotLatch = false;
  if (d.shotCooldown > 0) --d.shotCooldown;
  if (pressed && !d.shotLatch && d.shotCooldown == 0) {
    DuckBullet& b = d.bullets.Append();
    b.x = d.cannonX;
    b.y = d.cannonY + bulletStartBelowCannon;
    PlaySideTone(toneShot);
    d.shotLatch = true;
    d.shotCooldown = shotCooldown;
  }
}

void DrawRails() {
  if (!StartDrawing()) return;
  for (int rail : {railTop, railMiddle, railBottom}) {
    Line(0, rail + railLineBelow, screenWidth - 1, rail + railLineBelow, railGrey);
  }
  StopDrawing();
}

void DrawGallery() {
  const DuckState& d = game.duck;
  ClearScreen(galleryBlue);
  DrawRails();
  if (!Start3D()) return;
  Sprite3DBlendingMode(blendTransparent);
  // Each figure rocks by up to 10 degrees as it rides.
  for (const DuckTarget& t : d.targets) {
    const int angle = RoundHalfAway(std::sin(t.x / rockPeriod) * rockDegrees);
    RotateSprite3D(t.picture, angle, 0);
    DisplaySprite3D(t.picture, RoundHalfAway(t.x) - FigureWidth() / 2,
                    t.railY - FigureHeight() / 2);
  }
  // Bullets and cannon stay crisp.
  Sprite3DQuality(0);
  for (const DuckBullet& b : d.bullets) {
    DisplaySprite3D(obj::duckBullet, b.x - SpriteWidth(obj::duckBullet) / 2,
                    b.y - SpriteHeight(obj::duckBullet) / 2);
  }
  DisplaySprite3D(obj::duckCannon, d.cannonX - SpriteWidth(obj::duckCannon) / 2, d.cannonY);
  Sprite3DQuality(1);
  DrawSilverScore(d.counter);
  Stop3D();
}

}  // namespace

void SetUpDuckShoot() {
  DuckState& d = game.duck;
  d.targets.Clear();
  d.bullets.Clear();
  d.counter = startCounter;
  d.globalSpeed = 0;
  LoadSideGamePack(DuckCatalogue());
}

bool DuckShootFrame() {
  DuckState& d = game.duck;
  if (ReadSideGameKeys()) game.quitToMenu = 1;
  MoveTargets();
  if (game.frameCounter % frameRate == 0) AddTarget();
  if (game.frameCounter % speedUpPeriod == 0) d.globalSpeed += globalSpeedUp;
  MoveBullets();
  Shoot();
  DrawGallery();
  EndSideGameFrame();
  RecoverSideGameFocus(DuckCatalogue());
  if (!game.quitToMenu && d.counter > 0) return false;
  game.quitToMenu = 0;
  PlaySideTone(toneGameOver);
  return true;
}

void RunDuckShoot() {
  SetUpDuckShoot();
  while (!DuckShootFrame()) {
  }
}
