// SPDX-License-Identifier: GPL-3.0-or-later
// Where the autopilot steers the ship: under the ball that comes down first, met off-centre.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/game_state.h"
#include "core/settings.h"
#include "gameplay/balls.h"
#include "levels/bricks.h"
#include "media/media.h"
#include "shell/autopilot.h"

namespace {

class Autopilot : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ResetLevelState();
    game.shipX = playCentreX;
  }
  // The point on the ship aimed at, as a share of its half width.
  static float AimShare(float landingX) { return (AutopilotTargetX() - landingX) / game.shipHalfWidth; }
};

TEST_F(Autopilot, GoesUnderTheBallThatComesDownFirstReflectedOffTheWall) {
  // A slow ball far up and a fast one that will bounce off the left wall before it lands.
  AddBall(600, 100, 0, 1, 8, 0);
  const float shipTop = game.shipY - game.shipHalfHeight / 2.0f;
  const float t = (shipTop - 8 - 300) / 10.0f;
  AddBall(playLeft + 30, 300, -4, 10, 8, 0);
  const float left = playLeft + 8;
  const float landingX = left + std::fabs(playLeft + 30 - left - 4 * t);
  EXPECT_LE(std::fabs(AimShare(landingX)), 0.71f);
}

TEST_F(Autopilot, MeetsTheBallAtFiveDifferentPointsOverTime) {
  AddBall(500, 300, 0, 5, 8, 0);
  std::set<int> shares;
  for (int period = 0; period < 5; ++period) {
    game.frameCounter = period * 4 * frameRate;
    const float share = AimShare(500);
    EXPECT_LE(std::fabs(share), 0.71f);
    shares.insert(static_cast<int>(std::lround(share * 100)));
  }
  EXPECT_EQ(shares.size(), 5u) << "a ball caught in one loop gets other angles to try";
}

TEST_F(Autopilot, ItsHandsStartFreeWithEveryGameRecord) {
  game.launchPending = 1;
  AutopilotStep();  // presses to serve, to let go on the next step
  ExamineMouse();
  ASSERT_TRUE(MouseButton(1));
  ResetGameState();
  ResetLevelState();
  ForgetInput();
  game.launchPending = 1;
  AutopilotStep();
  ExamineMouse();
  EXPECT_TRUE(MouseButton(1)) << "the fresh record serves at once, with no press of before to let go";
}

TEST_F(Autopilot, WithNoBallComingDownItWaitsUnderTheLowestOne) {
  AddBall(300, 200, 1, -4, 8, 0);
  AddBall(700, 500, -1, -4, 8, 0);
  game.frameCounter = 0;
  EXPECT_LE(std::fabs(AimShare(700)), 0.71f);
}

}  // namespace
