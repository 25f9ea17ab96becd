#include "gameplay/ship_steering.h"

#include <algorithm>
#include <cmath>

#include "actors/ship_drawing.h"
#include "assets/objects.h"
#include "core/game_state.h"
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

void StepShip() { SteerShip(static_cast<float>(MouseDeltaX()), static_cast<float>(MouseDeltaY())); }
