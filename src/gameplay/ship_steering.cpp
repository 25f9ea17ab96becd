// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/ship_steering.h"

#include <algorithm>
#include <cmath>

#include "actors/ship_drawing.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "core/run_options.h"
#include "core/sound_effects.h"
#include "gameplay/capsules.h"
#include "gameplay/level_won.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int leanSettleFrames = frameRate / 16;  // 4: frames between steps back to upright
constexpr float leftOverhang = 15;                // the ship may hang past the playfield edges
constexpr float rightOverhang = 17;
constexpr int doorVolume = 100;
constexpr int doorFrequency = 10000;
constexpr int sizeCycleEnd = 58;    // while held, the counter runs 10..57 and starts over
constexpr int sizeCycleStart = 10;

// Keys and the pad give a speed that gathers as a brisk mouse hand does and stops short.
constexpr float steerTopSpeed = 18;     // px a frame at full tilt
constexpr float steerAcceleration = 1;  // px a frame, each frame: full speed in 18 frames (0.24 s)
constexpr float steerBraking = 3;       // px a frame, each frame: a stop from full speed in 6 frames
constexpr int fullSpeedPercent = 100;

struct SizeStep {
  int counter;
  int bodySprite;
  int halfWidth;
};

// The ship widens over the first ten counts, then cycles the full-width energy pictures.
constexpr SizeStep sizeSteps[] = {
    {0, obj::shipBody + 0, 40},  {2, obj::shipBody + 1, 45},  {4, obj::shipBody + 2, 50},
    {6, obj::shipBody + 3, 55},  {8, obj::shipBody + 4, 60},  {10, obj::shipBody + 5, 65},
    {18, obj::shipBody + 6, 65}, {26, obj::shipBody + 7, 65}, {34, obj::shipBody + 8, 65},
    {42, obj::shipBody + 9, 65}, {50, obj::shipBody + 10, 65},
};

void Lean(float dx) {
  if (dx != 0) {
    // A movement that rounds to 0 still leans right.
    if (Nearest(dx) < 0) {
      --game.shipLeanFrame;
    } else {
      ++game.shipLeanFrame;
    }
    game.shipLeanFrame = std::clamp(game.shipLeanFrame, obj::shipLeanLeftMost, obj::shipLeanRightMost);
    game.leanTimer = leanSettleFrames;
    return;
  }
  // Before the first movement of a level the timer is 0 and stays there (no settling).
  if (game.leanTimer > 0 && --game.leanTimer == 0) {
    game.leanTimer = leanSettleFrames;
    // Halfway back to upright; ties go to the even frame (2081 -> 2078 -> 2077 -> 2076).
    game.shipLeanFrame = Nearest((game.shipLeanFrame + obj::shipUpright) / 2.0);
  }
}

void LeaveThroughDoor() {
  PlayEffect(obj::soundDoor, 0, doorVolume, doorFrequency);
  game.doorOpen = 0;
  game.shipLeaving = 1;
  WinLevel();
}

void ClampToPlayfield() {
  const float halfWidth = ShipBodyWidth() / 2.0f;
  if (game.shipX - halfWidth <= playLeft - leftOverhang) {
    game.shipX = playLeft + halfWidth - leftOverhang;
  }
  if (game.shipX + halfWidth >= playRight + rightOverhang) {
    game.shipX = playRight - halfWidth + rightOverhang;
    if (game.doorOpen) LeaveThroughDoor();
  }
}

void AnimateSize() {
  int counter = game.sizeCounter;
  if (game.sizeHold) {
    if (++counter == sizeCycleEnd) counter = sizeCycleStart;
  } else if (counter > 0) {
    --counter;
  }
  SetShipSize(counter);
}

// One frame's step of speed toward target: gathering slowly, shedding (or turning) fast.
void RampToward(float& speed, float target) {
  const bool gathering = target * speed >= 0 && std::fabs(target) > std::fabs(speed);
  const float step = gathering ? steerAcceleration : steerBraking;
  speed = speed < target ? std::min(speed + step, target) : std::max(speed - step, target);
}

float Scaled(float dx, int percent) {
  // At 100 % the movement passes untouched, so the mouse's steering stays exactly as it was.
  return percent == fullSpeedPercent ? dx : dx * static_cast<float>(percent) / fullSpeedPercent;
}

// Left or A against Right or D, where the run lets keys steer; the keys belong to the console's
// command line while it shows.
float KeyboardDirection() {
  if (!runOptions.playKeys || game.console.shown) return 0;
  const bool left = KeyboardPushed(keyLeft) || KeyboardPushed(keyA);
  const bool right = KeyboardPushed(keyRight) || KeyboardPushed(keyD);
  return static_cast<float>(right) - static_cast<float>(left);
}

// The stick as far as it is tilted, else the d-pad at full tilt.
float GamepadDirection() {
  const float stick = GamepadStickX();
  if (stick != 0) return stick;
  return static_cast<float>(GamepadDown(padRight)) - static_cast<float>(GamepadDown(padLeft));
}

}  // namespace

void SetShipSize(int counter) {
  game.sizeCounter = counter;
  for (const SizeStep& step : sizeSteps) {
    if (step.counter == counter) {
      game.shipBodySprite = step.bodySprite;
      game.shipHalfWidth = step.halfWidth * RowOf(game.difficulty).shipWidthPercent / 100;
      return;
    }
  }
}

void SteerShip(float dx, float dy) {
  game.shipDX = game.malus == malusMirror ? -dx : dx;
  game.shipDY = dy;
  Lean(game.shipDX);
  game.shipX += game.shipDX;
  ClampToPlayfield();
  AnimateSize();
}

void StepShip() {
  RampToward(game.keyboardShipSpeed, KeyboardDirection() * steerTopSpeed);
  RampToward(game.gamepadShipSpeed, GamepadDirection() * steerTopSpeed);
  // The mouse's up-and-down movement only weighs the ship's hit on a ball: it is not scaled.
  const float dx = Scaled(static_cast<float>(MouseDeltaX()), runOptions.mouseSpeed) +
                   Scaled(game.keyboardShipSpeed, runOptions.keyboardSpeed) +
                   Scaled(game.gamepadShipSpeed, runOptions.gamepadSpeed);
  SteerShip(dx, static_cast<float>(MouseDeltaY()));
}
