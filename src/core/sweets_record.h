// SPDX-License-Identifier: GPL-3.0-or-later
// The sweets game's record: program-wide like the console's, set afresh at every start.
#pragma once

#include "media/list.h"

enum BalloonState : int { balloonCarrying = 1, balloonEmpty = 2, sweetFalling = 3 };

struct SweetBalloon {
  float x = 0;          // balloon's centre; while falling, the sweet's
  int y = 0;            // top of the string; while falling, the sweet's centre
  float vx = 0;         // 0.5 or -0.5, before the speed factor
  int balloonSprite = 0;
  int sweetSprite = 0;
  int state = balloonCarrying;
};

struct SweetsState {
  List<SweetBalloon> balloons;
  int score = 0;               // may go below 0
  float speedFactor = 1.0f;    // grows every 30 s
  float launcherAngle = 0;     // degrees; 0 points straight up
  float shotX = 0, shotY = 0;  // centre
  float shotVX = 0, shotVY = 0;
  bool shotInFlight = false;
  bool clickLatch = false;     // set by a shot, cleared when the button is let go
  int flashX = 0, flashY = 0;  // centre
  int flashTimer = 0;          // frames the flash still shows
  int skyOffset = 0;           // 0..127, the stars' drift
  bool quit = false;
};
