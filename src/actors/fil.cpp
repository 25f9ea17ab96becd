// SPDX-License-Identifier: GPL-3.0-or-later
// The fil, and the frame step it shares with the laser (declared in weapons.h).
#include "actors/fil.h"

#include "actors/laser.h"
#include "actors/weapons.h"
#include "assets/objects.h"
#include "core/game_state.h"
#include "media/media.h"

namespace {

constexpr int fadeInStep = 10;        // alpha per frame: 10, 20, ... 250, then full
constexpr int fadeInOffset = 265;     // alpha = fade value + 265 while fading in
constexpr int fullAlpha = 255;
constexpr int segmentSpacing = 24;    // the segment picture's width: 31 of them from 88 to 808
constexpr int sparkFrames = 22;
constexpr float sparkStep = 0.5f;     // the spark shows each of its pictures for two frames

// The fade value is negative while the wire fades in and counts the lit frames down after.
void Fade() {
  if (game.filTimer < 0) {
    game.filAlpha = game.filTimer + fadeInOffset;
    game.filTimer += fadeInStep;
    if (game.filTimer >= 0) {
      game.filAlpha = fullAlpha;
      game.filTimer = filFrames;
    }
    return;
  }
  --game.filTimer;
  if (game.filTimer <= fullAlpha) game.filAlpha = game.filTimer;
  if (game.filTimer <= 0) game.filBarrierOn = 0;
}

void Draw(int sparkPicture) {
  for (int x = playLeft; x <= playRight; x += segmentSpacing) {
    DisplaySprite3D(obj::filSegment, x, filTop, game.filAlpha);
  }
  DisplaySprite3D(sparkPicture, playLeft, filTop, game.filAlpha);
}

}  // namespace

void StepFil() {
  if (!game.filBarrierOn) return;
  game.filPhase += sparkStep;
  const int spark = obj::filSpark + static_cast<int>(game.filPhase) % sparkFrames;
  Fade();
  Draw(spark);
}

void StepFilAndLaser() {
  StepFil();
  StepLaserShots();
}
