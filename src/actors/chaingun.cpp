// SPDX-License-Identifier: GPL-3.0-or-later
// The chaingun and its bullets and flashes; StepChaingun is declared in weapons.h.
#include "actors/chaingun.h"

#include <cmath>
#include <numbers>

#include "actors/weapon_hits.h"
#include "actors/weapons.h"
#include "assets/asset_loader.h"
#include "core/game_state.h"
#include "core/play_buttons.h"
#include "core/sound_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int shots = 10;
constexpr int emptyGauge = 5;           // the gauge picture with every bar out
constexpr float gunLeft = 64;           // the gun picture's mount sits on the ship:
constexpr float gunAbove = 96;          //   its top-left corner is this far left and above
constexpr float muzzleDistance = 94;    // from the ship to each muzzle
constexpr float leftMuzzleTurn = 160;   // degrees; the muzzles are 20 degrees either side
constexpr float rightMuzzleTurn = 200;  //   of the aim, seen from the ship
constexpr int crossHalf = 64;           // the aiming cross is centred on the pointer
constexpr int gaugeHalf = 128;          // the gauge is centred on the ship
constexpr int gaugeAlpha = 64;          // the gauge pulses about this alpha...
constexpr int gaugePulse = 48;          //   ... this far either way,
constexpr double gaugePeriod = 100;     //   with cos(t / 100), t in ms
constexpr float firstBulletSpeed = 3;
constexpr float bulletTopSpeed = 8;
constexpr int bulletHalf = 32;          // the bullet picture is drawn centred, 64 x 64
constexpr int bulletBox = 4;            // half the side of the box that meets bricks
constexpr int bulletScore = 50;
constexpr int firstFlashSize = 4;
constexpr int flashGrowth = 8;          // pixels a frame
constexpr int flashFade = 8;            // alpha a frame: 32 frames from 255

constexpr float degrees = std::numbers::pi_v<float> / 180;

// The gauge shows one bar fewer for every ammoStep shots spent; with no shot left the gun goes
// after this frame.
void UpdateGauge() {
  for (int k = 0; k < emptyGauge; ++k) {
    if (game.ammoMax - (k + 1) * game.ammoStep <= game.ammo &&
        game.ammo <= game.ammoMax - k * game.ammoStep) {
      game.gaugeIndex = k;
      break;
    }
  }
  if (game.ammo < 1) {
    game.gaugeIndex = emptyGauge;
    game.ammo = 0;
    game.gunState = 0;
  }
}

// The gun sits on the ship and points at the pointer; gunAngle counts with y up, so 90 is
// straight up the screen.
void Aim() {
  game.gunX = game.shipX - gunLeft;
  game.gunY = game.shipY - gunAbove;
  game.gunAngle = std::atan2(game.shipY - game.pointerY, game.pointerX - game.shipX) / degrees;
  const float left = (-game.gunAngle + leftMuzzleTurn) * degrees;
  const float right = (-game.gunAngle + rightMuzzleTurn) * degrees;
  game.leftMuzzleX = game.shipX - muzzleDistance * std::cos(left);
  game.leftMuzzleY = game.shipY - muzzleDistance * std::sin(left);
  game.rightMuzzleX = game.shipX - muzzleDistance * std::cos(right);
  game.rightMuzzleY = game.shipY - muzzleDistance * std::sin(right);
}

void Fire(int64_t now) {
  game.nextShot = now + shotInterval;
  game.rightBarrel = !game.rightBarrel;
  --game.ammo;
  PlayEffect(obj::soundChaingun, -1, -1, -1);
  const float x = game.rightBarrel ? game.rightMuzzleX : game.leftMuzzleX;
  const float y = game.rightBarrel ? game.rightMuzzleY : game.leftMuzzleY;
  Bullet& bullet = game.bullets.Append();
  bullet.x = x;
  bullet.y = y;
  bullet.speed = firstBulletSpeed;
  bullet.heading = -game.gunAngle * degrees;
  MuzzleFlash& flash = game.muzzleFlashes.Append();
  flash.x = x;
  flash.y = y;
  flash.alpha = 255;
  flash.size = firstFlashSize;
}

// The picture turns about its mount rather than its centre: its corners are turned about the
// mount point of the rotation record. The picture points up, so an aim of 90 is no turn, and
// a positive turn is clockwise on the screen.
void DrawGun() {
  const RotationRecord& rotation = ChaingunRotation();
  const float turn = (-game.gunAngle + 90) * degrees;
  const float c = std::cos(turn);
  const float s = std::sin(turn);
  QuadCorners corners = rotation.corners;
  for (int i = 0; i < 4; ++i) {
    const float dx = rotation.corners.x[i] - rotation.pivotX;
    const float dy = rotation.corners.y[i] - rotation.pivotY;
    corners.x[i] = rotation.pivotX + dx * c - dy * s;
    corners.y[i] = rotation.pivotY + dx * s + dy * c;
  }
  SetSprite3DCorners(obj::chaingun, corners);
  DisplaySprite3D(obj::chaingun, Nearest(game.gunX), Nearest(game.gunY));
}

void DrawCrossAndGauge(int64_t now) {
  DisplaySprite3D(obj::gunTarget, game.pointerX - crossHalf, game.pointerY - crossHalf);
  const double t = static_cast<double>(now);
  const int alpha = Nearest(gaugeAlpha + gaugePulse * std::cos(t / gaugePeriod));
  DisplaySprite3D(obj::ammoGauge + game.gaugeIndex, Nearest(game.shipX - gaugeHalf),
                  Nearest(game.shipY - gaugeHalf), alpha);
}

bool OffScreen(const Bullet& b) {
  return b.x < -bulletHalf || b.x > screenWidth + bulletHalf || b.y < -bulletHalf ||
         b.y > screenHeight + bulletHalf;
}

// True when the bullet destroyed a brick. Only the first brick it touches counts: a bullet
// over an unbreakable brick, or one already hit this frame, flies on.
bool HitBrick(const Bullet& b) {
  const int index = FindBrickInBox(Nearest(b.x - bulletBox), Nearest(b.y - bulletBox),
                                   Nearest(b.x + bulletBox), Nearest(b.y + bulletBox));
  if (index < 0) return false;
  Brick& brick = BrickAt(index);
  if (brick.hit || !IsBreakableKind(brick.kind)) return false;
  DestroyBrick(brick, b.x, bulletScore);
  return true;
}

}  // namespace

void StepChaingun() {
  if (game.gunState == 0) return;
  if (game.gunState == 1) {
    game.gunState = 2;
    game.ammo = shots;
    game.ammoMax = shots;
  }
  game.pointerX = MouseX();
  game.pointerY = MouseY();
  UpdateGauge();
  Aim();
  const int64_t now = ElapsedMilliseconds();
  if (PlayButtonDown() && game.ammo >= 1 && now >= game.nextShot) Fire(now);
  DrawGun();
  DrawCrossAndGauge(now);
}

void StepBullets() {
  List<Bullet>& bullets = game.bullets;
  bullets.Reset();
  while (bullets.Next()) {
    Bullet& b = bullets.Current();
    b.x += std::cos(b.heading) * b.speed;
    b.y += std::sin(b.heading) * b.speed;
    if (b.speed < bulletTopSpeed) b.speed += 1;
    DisplaySprite3D(obj::bullet, Nearest(b.x - bulletHalf), Nearest(b.y - bulletHalf));
    // Bullets that leave the screen could never hit anything again.
    if (HitBrick(b) || OffScreen(b)) bullets.Delete();
  }
}

void StepMuzzleFlashes() {
  List<MuzzleFlash>& flashes = game.muzzleFlashes;
  flashes.Reset();
  while (flashes.Next()) {
    MuzzleFlash& f = flashes.Current();
    const int size = Nearest(f.size);
    ZoomSprite3D(obj::muzzleFlash, size, size);
    DisplaySprite3D(obj::muzzleFlash, Nearest(f.x - f.size / 2), Nearest(f.y - f.size / 2), f.alpha);
    f.size += flashGrowth;
    f.alpha -= flashFade;
    if (f.alpha < 1) flashes.Delete();
  }
}
