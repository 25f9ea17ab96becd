// SPDX-License-Identifier: GPL-3.0-or-later
// The ship's laser; FireLaser is declared with the other weapon actions in weapons.h.
#include "actors/laser.h"

#include <cmath>

#include "actors/weapon_hits.h"
#include "actors/weapons.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float barrelOffsetX = 25;  // each shot leaves this far left and right of the ship
constexpr float muzzleAboveShip = 72;
constexpr float riseSpeed = 10;      // pixels per frame
constexpr int laserScore = 10;
constexpr int laserVolume = 100;
constexpr int laserFrequency = 20000;

void AddShot(float x, float y) {
  LaserShot& shot = game.laserShots.Append();
  shot.x = x;
  shot.y = y;
}

// What the shot does to the brick at its point; true when the brick stops it.
bool HitBrick(const LaserShot& shot) {
  const int index =
      FindBrickAtPoint(Nearest(shot.x), Nearest(shot.y));
  if (index < 0) return false;
  Brick& b = BrickAt(index);
  if (b.hit) return false;
  if (IsColourKind(b.kind) || b.kind == obj::brick1Hit) {
    DestroyBrick(b, shot.x, laserScore);
    return true;
  }
  if (b.kind == obj::brick3Hits || b.kind == obj::brick2Hits) {
    b.kind = b.kind == obj::brick3Hits ? obj::brick2Hits : obj::brick1Hit;
    b.hit = 1;
    game.score += laserScore;
    return true;
  }
  return StopsUnbroken(b.kind);
}

}  // namespace

void FireLaser() {
  if (game.laserCooldown > 0) return;
  PlayEffect(obj::soundLaser, 0, laserVolume, laserFrequency);
  AddShot(game.shipX - barrelOffsetX, game.shipY - muzzleAboveShip);
  AddShot(game.shipX + barrelOffsetX, game.shipY - muzzleAboveShip);
  game.laserCooldown = laserCooldownFrames;
}

void StepLaserShots() {
  const int halfWidth = Sprite3DWidth(obj::shipLaser) / 2;
  List<LaserShot>& shots = game.laserShots;
  shots.Reset();
  while (shots.Next()) {
    LaserShot& shot = shots.Current();
    DisplaySprite3D(obj::shipLaser, Nearest(shot.x) - halfWidth,
                    Nearest(shot.y));
    if (!game.paused && !game.levelComplete) shot.y -= riseSpeed;
    if (shot.y < playTop || HitBrick(shot) || KillMonsterAtPoint(shot.x, shot.y)) shots.Delete();
  }
}
