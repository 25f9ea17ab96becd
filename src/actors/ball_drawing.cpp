// SPDX-License-Identifier: GPL-3.0-or-later
#include "actors/ball_drawing.h"

#include <cmath>

#include "assets/objects.h"
#include "core/game_state.h"
#include "core/sound_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int gluedAlpha = 128;
constexpr int fireSoundPeriod = 2 * frameRate;
constexpr int fireSoundFade = 100;  // frames the sizzle takes to fade in and out

void DrawCentred(int quad, float x, float y, int alpha) {
  DisplaySprite3D(quad, Nearest(x - Sprite3DWidth(quad) / 2.0), Nearest(y - Sprite3DHeight(quad) / 2.0),
                  alpha);
}

// Each spark takes the place the one before it had, frayed a little more the further it is
// from the ball.
void MoveTrail(Ball& ball) {
  for (int i = flareCount - 1; i >= 1; --i) {
    ball.flares[i].trailX = ball.flares[i - 1].trailX + static_cast<float>(RandomDifference(i));
    ball.flares[i].trailY = ball.flares[i - 1].trailY + static_cast<float>(RandomDifference(i));
  }
  ball.flares[0].trailX = ball.x;
  ball.flares[0].trailY = ball.y;
}

void DrawFireTrail(Ball& ball) {
  MoveTrail(ball);
  const int alpha = Random(64) + 180;
  if (game.frameCounter % fireSoundPeriod == 0) {
    const int pan = Random(200) - 100;
    const int volume = Random(50) + 50;
    PlayEffect(obj::soundOnFire, pan, volume, 20000);
  }
  if (game.fireTimer < fireSoundFade) SoundVolume(obj::soundOnFire, EffectVolume(game.fireTimer));
  if (game.fireTimer > fireModeFrames - fireSoundFade) {
    SoundVolume(obj::soundOnFire, EffectVolume(fireModeFrames - game.fireTimer));
  }
  Sprite3DBlendingMode(blendAdditive);
  for (const Flare& f : ball.flares) {
    const int size = Nearest(f.distance);
    ZoomSprite3D(f.sprite, size, size);
    RotateSprite3D(f.sprite, Random(360), 1);
    DrawCentred(f.sprite, f.trailX, f.trailY, alpha);
  }
  Sprite3DBlendingMode(blendTransparent);
}

// Two layers breathing in counter-phase between 3 and 5 radii, the first one turning.
void DrawHalos() {
  const double f = game.frameCounter;
  const double swing = std::sin(f / 10);
  Sprite3DBlendingMode(blendAdditive);
  for (const Ball& ball : game.balls) {
    const int size = Nearest(4 * ball.radius + ball.radius * swing);
    ZoomSprite3D(obj::halo, size, size);
    RotateSprite3D(obj::halo, game.frameCounter * 8 % 360, 0);
    DrawCentred(obj::halo, ball.x, ball.y, 255);
  }
  for (const Ball& ball : game.balls) {
    const int size = Nearest(4 * ball.radius - ball.radius * swing);
    ZoomSprite3D(obj::halo, size, size);
    DrawCentred(obj::halo, ball.x, ball.y, 255);
  }
  Sprite3DBlendingMode(blendTransparent);
}

}  // namespace

void DrawBalls() {
  for (const Ball& ball : game.balls) {
    DrawCentred(ball.sprite, ball.x, ball.y, ball.glued ? gluedAlpha : 255);
  }
  if (!game.fireMode) {
    DrawHalos();
    return;
  }
  for (Ball& ball : game.balls) DrawFireTrail(ball);
  if (!game.paused && !game.levelComplete) {
    game.fireTimer -= 1;
    if (game.fireTimer <= 0) game.fireMode = 0;
  }
}
