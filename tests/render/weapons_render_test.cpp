// The weapons on the real screen with the mouse: the chaingun's rate of fire on a stepped clock,
// its barrels and its turn towards the pointer, and the laser against monsters.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "actors/chaingun.h"
#include "actors/laser.h"
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
  }
  void TearDown() override {
    SetManualClock(false);
    ShutdownMedia();
  }

  static void PointAt(int x, int y) { ASSERT_TRUE(PushMouseMotion(0, 0, x, y)); }

  // The gun picture stand-in: one white barrel pointing up from the mount at (64, 96).
  static void BarrelPicture() {
    ASSERT_TRUE(CreateSprite(obj::chaingun, 128, 128, spriteTexture));
    ASSERT_TRUE(StartDrawing(drawSprite, obj::chaingun));
    Box(0, 0, 128, 128, RGB(0, 0, 0));
    Box(58, 4, 12, 92, RGB(255, 255, 255));
    StopDrawing();
    ASSERT_TRUE(CreateSprite3D(obj::chaingun, obj::chaingun));
    ChaingunRotation() = RotationRecord{Sprite3DCorners(obj::chaingun), 64, 96};
  }

  static bool White(int x, int y) {
    if (!StartDrawing()) return false;
    const bool white = Point(x, y) == RGB(255, 255, 255);
    StopDrawing();
    return white;
  }

  static void DrawGunFrame() {
    ClearScreen(0);
    ASSERT_TRUE(Start3D());
    ExamineMouse();
    StepChaingun();
    Stop3D();
  }
};

TEST_F(WeaponsOnScreen, WithTheButtonHeldTheGunFiresEvery250MsAlternatingBarrelsThenGoes) {
  game.gunState = 1;
  game.ammoStep = 2;
  // The button event carries no pointer position of its own here: the pointer moves after it.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  PointAt(448, 200);  // straight up from the ship
  std::vector<int64_t> shotTimes;
  std::vector<float> bulletX;
  int framesAfterLastShot = 0;
  for (int64_t t = 0; t < 4000 && game.gunState != 0; t += 10) {
    const int before = game.bullets.Count();
    ExamineMouse();
    StepChaingun();
    if (game.bullets.Count() > before) {
      shotTimes.push_back(t);
      bulletX.push_back(std::prev(game.bullets.end())->x);
    }
    if (shotTimes.size() == 10) ++framesAfterLastShot;
    AdvanceManualClock(10);
  }
  ASSERT_EQ(shotTimes.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(shotTimes[i], 250 * i) << "shot " << i;
  // The barrels take turns, 20 degrees either side of the aim from 94 pixels out.
  const float side = 94 * std::sin(20 * std::numbers::pi_v<float> / 180);
  for (int i = 0; i < 10; ++i) {
    EXPECT_NEAR(bulletX[i], game.shipX + (i % 2 == 0 ? side : -side), 0.01) << "shot " << i;
  }
  EXPECT_EQ(game.muzzleFlashes.Count(), 10);
  // The gun shows its empty gauge for one more frame, then it is gone.
  EXPECT_EQ(framesAfterLastShot, 2);
  EXPECT_EQ(game.gaugeIndex, 5);
  EXPECT_EQ(game.ammo, 0);
}

TEST_F(WeaponsOnScreen, TheGunWaitsForTheButton) {
  game.gunState = 1;
  game.ammoStep = 2;
  PointAt(448, 200);
  for (int i = 0; i < 50; ++i) {
    ExamineMouse();
    StepChaingun();
    AdvanceManualClock(100);
  }
  EXPECT_EQ(game.ammo, 10);
  EXPECT_TRUE(game.bullets.Empty());
}

TEST_F(WeaponsOnScreen, TheGunTurnsAboutItsMountTowardsThePointer) {
  BarrelPicture();
  game.shipX = 448;
  game.shipY = 500;
  game.gunState = 2;
  game.ammo = 10;
  game.ammoMax = 10;
  game.ammoStep = 2;

  PointAt(900, 500);  // to the right: the barrel lies along the ship's row
  DrawGunFrame();
  EXPECT_FLOAT_EQ(game.gunAngle, 0);
  EXPECT_TRUE(White(448 + 60, 500));
  EXPECT_FALSE(White(448, 500 - 60));
  EXPECT_FALSE(White(448 - 60, 500));

  PointAt(448, 100);  // above: the picture as it was drawn
  DrawGunFrame();
  EXPECT_FLOAT_EQ(game.gunAngle, 90);
  EXPECT_TRUE(White(448, 500 - 60));
  EXPECT_FALSE(White(448 + 60, 500));

  PointAt(248, 300);  // up and to the left, 45 degrees
  DrawGunFrame();
  EXPECT_NEAR(game.gunAngle, 135, 1e-3);
  EXPECT_TRUE(White(448 - 42, 500 - 42));
  EXPECT_FALSE(White(448 + 42, 500 - 42));
}

TEST_F(WeaponsOnScreen, ALaserShotKillsTheMonsterItMeetsUnlessABrickStopsIt) {
  SolidQuad(obj::monster02, 40, 40, RGB(0, 255, 0));
  game.monsters.Append() = Monster{300, 300, 0, 0, 0, 0, obj::monster02, 0};
  LaserShot& shot = game.laserShots.Append();
  shot = LaserShot{300, 330};
  StepLaserShots();  // at y 320: just below the monster's box
  ASSERT_EQ(game.monsters.Count(), 1);
  StepLaserShots();
  EXPECT_TRUE(game.monsters.Empty());
  EXPECT_TRUE(game.laserShots.Empty());
  ASSERT_EQ(game.monsterExplosions.Count(), 1);
  EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->x, 300);
  EXPECT_FLOAT_EQ(game.monsterExplosions.begin()->y, 300);
  EXPECT_EQ(game.monsterExplosions.begin()->picture, obj::explosionTiles);

  // An unbreakable brick in front of a monster takes the shot.
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
  EXPECT_EQ(game.monsterExplosions.Count(), 1);
}

}  // namespace
