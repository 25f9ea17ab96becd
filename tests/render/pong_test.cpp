// SPDX-License-Identifier: GPL-3.0-or-later
// Pong's frame, one at a time, on the headless screen with the clock stepped by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/pong.h"
#include "core/game_state.h"
#include "media/media.h"
#include "support/headless.h"
#include "support/sdl_events.h"

namespace {

constexpr int centredPaddle = 768 / 2 - 96 / 2;  // 336
constexpr int lowestPaddle = 768 - 96;           // 672
constexpr int centredBallX = 1024 / 2 - 8;       // 504

class Pong : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessGame();
    SetManualClock(true);
    SetUpConsole();
    NewPongServe();
    NewPongMatch();
    AdvanceManualClock(1000);  // past the serve's wait
  }
  void TearDown() override {
    SetManualClock(false);
    ShutdownMedia();
  }
  // The ball at (x, y) flying in direction d at speed s, the paddles far from it unless moved.
  static void Ball(int x, int y, int d, int s) {
    PongState& p = game.pong;
    p.ballX = x;
    p.ballY = y;
    p.direction = d;
    p.speed = s;
  }
  static std::vector<std::string> LastLines(std::size_t count) {
    const std::vector<std::string>& h = game.console.history;
    return {h.end() - static_cast<std::ptrdiff_t>(count), h.end()};
  }
  PongState& p = game.pong;
};

TEST_F(Pong, EachGoalScoresOnePointForOneSideAndServesFromTheMiddle) {
  p.humanY = 0;
  p.cpuY = 600;
  // Moving left at 6 a frame from x 6: on the line first, past it the frame after.
  Ball(6, 400, 1, 6);
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.ballX, 0);
  EXPECT_EQ(p.cpuScore, 0);
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.cpuScore, 1);
  EXPECT_EQ(p.humanScore, 0);
  EXPECT_EQ(p.ballX, centredBallX);
  EXPECT_EQ(p.speed, 6);
  EXPECT_EQ(p.humanY, centredPaddle);
  EXPECT_EQ(p.cpuY, centredPaddle);

  AdvanceManualClock(1000);
  p.cpuY = 600;
  Ball(1005, 100, 3, 6);
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.humanScore, 1);
  EXPECT_EQ(p.cpuScore, 1);
  EXPECT_EQ(p.cpuY, centredPaddle);
}

TEST_F(Pong, PaddlesReturnTheBallAtTheirFaceAndOnlyTheComputersSpeedsItUp) {
  p.humanY = 300;
  Ball(15, 320, 1, 2);  // to 13: not yet
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.direction, 1);
  ASSERT_FALSE(PongFrame());  // to 11
  EXPECT_EQ(p.direction, 0);
  EXPECT_EQ(p.speed, 2);

  // Beside the paddle, not level with it: no return.
  p.humanY = 300;
  Ball(14, 282, 2, 2);  // up-left to y 280: its bottom edge is at 296, above the paddle
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.direction, 2);

  // The computer returns the ball from x 996 (1024 - 16 - 12) on: 995 is not yet.
  p.cpuY = 300;
  Ball(989, 320, 3, 6);  // to 995
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.direction, 3);
  EXPECT_EQ(p.speed, 6);
  p.cpuY = 300;
  Ball(990, 320, 3, 6);  // to 996
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.direction, 2);
  EXPECT_EQ(p.speed, 7);
  p.cpuY = 300;
  Ball(986, 320, 0, 10);  // to 996 at full speed
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.direction, 1);
  EXPECT_EQ(p.speed, 10);  // 11, held at 10
}

TEST_F(Pong, TheMouseMovesThePlayersPaddleAsFarAsTheEdges) {
  Ball(500, 300, 0, 1);
  ASSERT_TRUE(PushMouseMotion(0, 50, 0, 0));
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.humanY, centredPaddle + 50);
  ASSERT_TRUE(PushMouseMotion(0, 5000, 0, 0));
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.humanY, lowestPaddle);
  ASSERT_TRUE(PushMouseMotion(0, -5000, 0, 0));
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.humanY, 0);
}

TEST_F(Pong, AWinIsShownForFourSecondsThenReportedWinnerFirst) {
  const std::size_t before = game.console.history.size();
  p.humanScore = 9;
  p.cpuScore = 3;
  p.cpuY = 600;
  Ball(1005, 100, 0, 6);
  ASSERT_FALSE(PongFrame());
  ASSERT_EQ(p.humanScore, 10);
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(p.speed, 0);
  EXPECT_EQ(game.console.history.back(), "YOU WIN! 10-3");
  AdvanceManualClock(4000);
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(game.console.history.size(), before + 1);  // the result only once
  AdvanceManualClock(1);
  ASSERT_TRUE(PongFrame());
  EXPECT_EQ(LastLines(3), (std::vector<std::string>{"YOU WIN! 10-3", "Pong finished.", ""}));

  NewPongServe();
  NewPongMatch();
  AdvanceManualClock(1000);
  p.cpuScore = 9;
  p.humanScore = 4;
  p.humanY = 0;
  Ball(3, 400, 2, 6);
  ASSERT_FALSE(PongFrame());
  ASSERT_FALSE(PongFrame());
  EXPECT_EQ(game.console.history.back(), "YOU LOSE! 10-4");
  AdvanceManualClock(4001);
  ASSERT_TRUE(PongFrame());
  EXPECT_EQ(LastLines(3), (std::vector<std::string>{"YOU LOSE! 10-4", "Pong finished.", ""}));
}

}  // namespace
