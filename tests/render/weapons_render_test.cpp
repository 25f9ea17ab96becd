// SPDX-License-Identifier: GPL-3.0-or-later
// The weapons on the screen with the mouse: the chaingun's rate of fire on a stepped clock, its
// turn towards the pointer, and laser shots and other projectiles against monsters.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "actors/laser.h"
#include "actors/weapon_hits.h"
#include "actors/weapons.h"
#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "media/media.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

class WeaponsOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    ResetLevelState();
    SetManualClock(true);
    game.gunState = 1;  // as the capsule leaves it
    game.ammoStep = 2;
  }
  void TearDown() override {
    SetManualClock(false);
    ShutdownMedia();
  }

  static void PointAt(int x, int y) { ASSERT_TRUE(PushMouseMotion(0, 0, x, y)); }
  static void GunFrame() {
    ExamineMouse();
    StepChaingun();
  }
};

TEST_F(WeaponsOnScreen, WithTheButtonHeldTheGunFiresEvery250MsAlternatingBarrelsThenGoes) {
  PointAt(448, 200);  // straight up from the ship
  for (int i = 0; i < 30; ++i, AdvanceManualClock(10)) GunFrame();
  ASSERT_TRUE(game.bullets.Empty());  // not without the button

  // The button event carries no pointer position of its own here: the pointer moves after it.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  PointAt(448, 200);
  SetManualClock(false);
  SetManualClock(true);  // back to 0
  std::vector<int64_t> shotTimes;
  std::vector<float> bulletX;
  for (int64_t t = 0; t < 4000 && game.gunState != 0; t += 10, AdvanceManualClock(10)) {
    const int before = game.bullets.Count();
    GunFrame();
    if (game.bullets.Count() == before) continue;
    shotTimes.push_back(t);
    bulletX.push_back(std::prev(game.bullets.end())->x);
  }
  ASSERT_EQ(shotTimes.size(), 10u);
  // The barrels take turns, 20 degrees either side of the aim and 94 pixels out.
  const float side = 94 * std::sin(20 * std::numbers::pi_v<float> / 180);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(shotTimes[i], 250 * i) << "shot " << i;
    EXPECT_NEAR(bulletX[i], game.shipX + (i % 2 == 0 ? side : -side), 0.01) << "shot " << i;
  }
  EXPECT_EQ(game.muzzleFlashes.Count(), 10);
  // The gun shows its empty gauge for one more frame after the last shot, then it is gone.
  EXPECT_EQ(game.gunState, 0);
  EXPECT_EQ(game.gaugeIndex, 5);
}

TEST_F(WeaponsOnScreen, TheGunTurnsAboutItsMountTowardsThePointer) {
  // The gun picture's stand-in: one white barrel pointing up from the mount at (64, 96).
  ASSERT_TRUE(CreateSprite(obj::chaingun, 128, 128, spriteTexture));
  ASSERT_TRUE(StartDrawing(drawSprite, obj::chaingun));
  Box(58, 4, 12, 92, RGB(255, 255, 255));
  StopDrawing();
  ASSERT_TRUE(CreateSprite3D(obj::chaingun, obj::chaingun));
  ChaingunRotation() = RotationRecord{Sprite3DCorners(obj::chaingun), 64, 96};
  game.shipY = 500;
  const int hubX = static_cast<int>(game.shipX);
  auto white = [](int x, int y) {
    if (!StartDrawing()) return false;
    const bool lit = Point(x, y) == RGB(255, 255, 255);
    StopDrawing();
    return lit;
  };

  struct Aim {
    int pointerX, pointerY;
    float angle;
    int barrelX, barrelY;  // a point on the barrel, from the mount
  };
  for (const Aim& aim : {Aim{900, 500, 0, 60, 0}, Aim{hubX, 100, 90, 0, -60},
                         Aim{hubX - 200, 300, 135, -42, -42}}) {
    PointAt(aim.pointerX, aim.pointerY);
    ClearScreen(0);
    ASSERT_TRUE(Start3D());
    GunFrame();
    Stop3D();
    EXPECT_NEAR(game.gunAngle, aim.angle, 1e-3);
    EXPECT_TRUE(white(hubX + aim.barrelX, 500 + aim.barrelY)) << aim.angle;
    EXPECT_FALSE(white(hubX - aim.barrelX, 500 - aim.barrelY)) << aim.angle;
  }
}

TEST_F(WeaponsOnScreen, ALaserShotKillsTheMonsterItMeetsUnlessABrickStopsIt) {
  SolidQuad(obj::monster02, 40, 40, RGB(0, 255, 0));
  game.monsters.Append() = Monster{300, 300, 0, 0, 0, 0, obj::monster02, 0};
  game.laserShots.Append() = LaserShot{300, 330};
  StepLaserShots();  // at y 320: just below the monster's box
  ASSERT_EQ(game.monsters.Count(), 1);
  StepLaserShots();
  EXPECT_TRUE(game.monsters.Empty());
  EXPECT_TRUE(game.laserShots.Empty());
  ASSERT_EQ(game.monsterExplosions.Count(), 1);
  EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->x, 300);
  EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->y, 300);

  // An unbreakable brick in front of the monster takes the shot.
  game.monsters.Append() = Monster{300, 300, 0, 0, 0, 0, obj::monster02, 0};
  Brick& wall = game.bricks.Append();
  wall.x = 300;
  wall.y = 310;
  wall.kind = obj::brickUnbreakable;
  wall.alive = 1;
  game.laserShots.Append() = LaserShot{300, 325};
  StepLaserShots();
  EXPECT_TRUE(game.laserShots.Empty());
  EXPECT_EQ(game.monsters.Count(), 1);
}

// The picture box every weapon tests a monster against: left and top edges inside, right and
// bottom outside, at the exact half size even when the picture's size is odd.
TEST_F(WeaponsOnScreen, AProjectileKillsOnlyTheFirstMonsterWhosePictureBoxHoldsItsPoint) {
  SolidQuad(obj::monster02, 41, 41, RGB(0, 255, 0));
  // Its box: x from 280 to 321, y from 279.5 to 320.5.
  const Monster monster{300.5f, 300, 0, 0, 0, 0, obj::monster02, 0};
  struct Probe {
    float x, y;
    bool kills;
  };
  const Probe probes[] = {{280, 300, true},    {279.9f, 300, false}, {320.9f, 300, true},
                          {321, 300, false},   {300, 279.5f, true},  {300, 279.4f, false},
                          {300, 320.4f, true}, {300, 320.5f, false}};
  for (const Probe& p : probes) {
    game.monsters.Clear();
    game.monsterExplosions.Clear();
    game.monsters.Append() = monster;
    EXPECT_EQ(KillMonsterAtPoint(p.x, p.y), p.kills) << p.x << ", " << p.y;
    EXPECT_EQ(game.monsters.Empty(), p.kills) << p.x << ", " << p.y;
    EXPECT_EQ(game.monsterExplosions.Count(), p.kills ? 1 : 0) << p.x << ", " << p.y;
  }

  // Two monsters over one point: the first in the list dies, the other stays.
  game.monsters.Clear();
  game.monsters.Append() = Monster{300, 300, 0, 0, 0, 0, obj::monster02, 0};
  game.monsters.Append() = Monster{310, 300, 0, 0, 0, 0, obj::monster02, 0};
  EXPECT_TRUE(KillMonsterAtPoint(305, 300));
  ASSERT_EQ(game.monsters.Count(), 1);
  EXPECT_FLOAT_EQ(game.monsters.begin()->x, 310);
}

}  // namespace
