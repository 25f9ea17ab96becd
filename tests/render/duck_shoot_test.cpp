// SPDX-License-Identifier: GPL-3.0-or-later
// The duck shoot's frame, one at a time, on the headless screen with the gallery's pack.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <iterator>

#include "assets/objects.h"
#include "console/duck_shoot.h"
#include "core/game_state.h"
#include "media/media.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

constexpr int right = obj::duckFacingRight;
constexpr int duckFirstRail = obj::duckPlain + right;  // rides the top rail
constexpr int duckLastRail = obj::duckGolden + right;  // rides the bottom rail
constexpr int cannonTop = 768 - 80;                   // the cannon picture is 80 high

class DuckShoot : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    SetUpDuckShoot();
    // Away from the once-a-second new figure and the 30-second speed-up.
    game.frameCounter = 1;
  }
  void TearDown() override { ShutdownMedia(); }

  // A figure standing still on the middle rail.
  static void Target(float x, int picture) {
    DuckTarget& t = game.duck.targets.Append();
    t.x = x;
    t.railY = 132;
    t.speed = 0;
    t.picture = picture;
  }
  // A bullet that reaches the middle rail's figure at x on the next frame.
  static void BulletUnder(int x) {
    DuckBullet& b = game.duck.bullets.Append();
    b.x = x;
    b.y = 132 + 10;
  }
  static bool ShootAt(int picture) {
    Target(500, picture);
    BulletUnder(500);
    return DuckShootFrame();
  }
  DuckState& d = game.duck;
};

TEST_F(DuckShoot, StartsWithTenAndAnEmptyGallery) {
  d.counter = 3;
  Target(100, obj::duckHen);
  SetUpDuckShoot();
  EXPECT_EQ(d.counter, 10);
  EXPECT_TRUE(d.targets.Empty());
  EXPECT_TRUE(d.bullets.Empty());
  EXPECT_EQ(d.globalSpeed, 0);
  EXPECT_EQ(SpriteWidth(obj::duckPlain), SpriteWidth(obj::duckCalf + right));
}

TEST_F(DuckShoot, DucksRaiseTheCounterByTheirWorthWhicheverWayTheyFace) {
  const int worth[] = {1, 2, 3};
  for (int i = 0; i < 3; ++i) {
    for (int facing : {0, right}) {
      const int before = d.counter;
      EXPECT_FALSE(ShootAt(obj::duckPlain + i + facing));
      EXPECT_EQ(d.counter, before + worth[i]) << "duck " << i << " facing " << facing;
      EXPECT_TRUE(d.targets.Empty());
      EXPECT_TRUE(d.bullets.Empty());
    }
  }
}

TEST_F(DuckShoot, TrolleyCalfAndHenTakeTenDownToOneAndASnailEndsTheGame) {
  EXPECT_FALSE(ShootAt(obj::duckTrolley));
  EXPECT_EQ(d.counter, 6);
  EXPECT_FALSE(ShootAt(obj::duckCalf + right));
  EXPECT_EQ(d.counter, 3);
  EXPECT_FALSE(ShootAt(obj::duckHen));
  EXPECT_EQ(d.counter, 1);
  EXPECT_TRUE(ShootAt(obj::duckSnail + right));
  EXPECT_EQ(d.counter, 0);
}

TEST_F(DuckShoot, ABulletHitsWithinSixteenPixelsOfTheFiguresCentre) {
  Target(500.4f, obj::duckSnail);  // drawn and tested at 500
  BulletUnder(516);
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.counter, 9);
  Target(500, obj::duckSnail);
  BulletUnder(517);
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.counter, 9);
  EXPECT_EQ(d.targets.Count(), 1);
  // A bullet flies 10 pixels a frame and is gone at -10.
  EXPECT_EQ(d.bullets.begin()->y, 132);
}

TEST_F(DuckShoot, TwoBulletsOnOneFigureInOneFrameCountOnce) {
  Target(500, obj::duckPlain);
  BulletUnder(500);
  BulletUnder(502);
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.counter, 11);
  ASSERT_EQ(d.bullets.Count(), 1);
  EXPECT_EQ(d.bullets.begin()->x, 502);
  EXPECT_TRUE(d.targets.Empty());
}

TEST_F(DuckShoot, FiguresTurnAtEachEndFasterAndADuckTurnsIntoTheOneWorthMore) {
  // Past the right end of the top rail (1024 + 32).
  for (int picture : {duckFirstRail, obj::duckSnail + right}) {
    DuckTarget& t = d.targets.Append();
    t.x = 1056;
    t.railY = 32;
    t.speed = 1;
    t.picture = picture;
  }
  EXPECT_FALSE(DuckShootFrame());
  ASSERT_EQ(d.targets.Count(), 2);
  const DuckTarget& duck = *d.targets.begin();
  const DuckTarget& snail = *std::next(d.targets.begin());
  EXPECT_EQ(duck.railY, 132);
  EXPECT_EQ(duck.speed, 2);
  EXPECT_EQ(duck.picture, obj::duckBlue);
  EXPECT_EQ(snail.picture, obj::duckSnail);
  // Past the left end of the middle rail.
  for (DuckTarget& t : d.targets) t.x = -32;
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(duck.railY, 232);
  EXPECT_EQ(duck.speed, 3);
  EXPECT_EQ(duck.picture, duckLastRail);
  EXPECT_EQ(snail.picture, obj::duckSnail + right);
  EXPECT_FLOAT_EQ(duck.x, -32 - 2);  // moved at the old speed, then turned
}

TEST_F(DuckShoot, ADuckThroughAllRailsCostsFiveAndOtherFiguresNothing) {
  for (int picture : {obj::duckHen + right, obj::duckTrolley + right, duckLastRail}) {
    DuckTarget& t = d.targets.Append();
    t.x = 1056;
    t.railY = 232;
    t.speed = 1;
    t.picture = picture;
  }
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_TRUE(d.targets.Empty());
  EXPECT_EQ(d.counter, 5);
}

TEST_F(DuckShoot, ANewFigureEverySecondAndTheWholeGalleryFasterEveryThirty) {
  RandomSeed(7);
  game.frameCounter = 75;
  EXPECT_FALSE(DuckShootFrame());
  ASSERT_EQ(d.targets.Count(), 1);
  const DuckTarget& t = *d.targets.begin();
  EXPECT_EQ(t.railY, 32);
  EXPECT_EQ(t.x, -SpriteWidth(duckFirstRail));
  EXPECT_TRUE(t.picture == duckFirstRail ||
              (t.picture >= obj::duckTrolley + right && t.picture <= obj::duckCalf + right));
  EXPECT_EQ(d.globalSpeed, 0);
  for (int i = 0; i < 74; ++i) EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.targets.Count(), 1);
  EXPECT_FALSE(DuckShootFrame());  // frame 150
  EXPECT_EQ(d.targets.Count(), 2);
  game.frameCounter = 30 * 75;
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_FLOAT_EQ(d.globalSpeed, 0.1f);
  // Everything rides faster by the global speed.
  const float x = d.targets.begin()->x;
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_FLOAT_EQ(d.targets.begin()->x, x + 1.1f);
}

TEST_F(DuckShoot, OneShotPerPressAndNineFramesBetweenShots) {
  // The pushed button event carries no position: the pointer's comes after it.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  ASSERT_TRUE(PushMouseMotion(0, 0, 300, 400));
  EXPECT_FALSE(DuckShootFrame());
  ASSERT_EQ(d.bullets.Count(), 1);
  EXPECT_EQ(d.bullets.begin()->x, 300);
  EXPECT_EQ(d.bullets.begin()->y, cannonTop + 10);
  EXPECT_EQ(d.cannonX, 300);
  // Held: no second shot.
  for (int i = 0; i < 12; ++i) EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.bullets.Count(), 1);

  // Let go and pressed again at once: the cool-down holds it back for 9 frames in all.
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  EXPECT_FALSE(DuckShootFrame());
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.bullets.Count(), 2);
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, false));
  EXPECT_FALSE(DuckShootFrame());
  ASSERT_TRUE(PushMouseButton(SDL_BUTTON_LEFT, true));
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(DuckShootFrame());
  EXPECT_EQ(d.bullets.Count(), 2);
  EXPECT_FALSE(DuckShootFrame());  // the ninth frame after the shot
  EXPECT_EQ(d.bullets.Count(), 3);
}

TEST_F(DuckShoot, EachScreenshotTakesTheNextFreeNumber) {
  namespace fs = std::filesystem;
  const fs::path home = fs::current_path();
  const fs::path scratch = fs::temp_directory_path() / ("duck_shots_" + std::to_string(::getpid()));
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::current_path(scratch);
  for (int shot = 0; shot < 2; ++shot) {
    ASSERT_TRUE(PushKey(SDL_SCANCODE_S, true));
    ASSERT_TRUE(PushKey(SDL_SCANCODE_S, false));
    EXPECT_FALSE(DuckShootFrame());
  }
  EXPECT_TRUE(fs::exists("screenshot0.bmp"));
  EXPECT_TRUE(fs::exists("screenshot1.bmp"));
  fs::current_path(home);
  fs::remove_all(scratch);
}

TEST_F(DuckShoot, EscapeEndsTheGameAndTheLeaveFlagIsClearedForTheShell) {
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, true));
  EXPECT_FALSE(DuckShootFrame());
  ASSERT_TRUE(PushKey(SDL_SCANCODE_ESCAPE, false));
  EXPECT_TRUE(DuckShootFrame());
  EXPECT_EQ(game.quitToMenu, 0);
  EXPECT_EQ(d.counter, 10);
}

}  // namespace
