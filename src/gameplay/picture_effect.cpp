// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/picture_effect.h"

#include <cmath>

#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr int pixelsPerFrame = 3;
constexpr int scale = 10;          // one image pixel is ten screen pixels
constexpr int pictureCentreY = 384;
constexpr int emitterSpread = 32;  // balls leave from a 32 x 32 patch about the emitter
constexpr int white = RGB(255, 255, 255);

void DrawRedBall(float x, float y) {
  DisplaySprite3D(obj::redBall, Nearest(x), Nearest(y), 255);
}

void Launch(int pixelX, int pixelY, int imageHeight) {
  FlyingBall& ball = game.flyingBalls.Add();
  ball.x = static_cast<float>(game.emitX + Random(emitterSpread));
  ball.y = static_cast<float>(game.emitY - Random(emitterSpread));
  ball.targetX = static_cast<float>(playLeft + scale * pixelX);
  ball.targetY = pictureCentreY - scale * (imageHeight / 2.0f) + static_cast<float>(scale * pixelY);
  ball.vx = (ball.targetX - ball.x) / pictureBallFlight;
  ball.vy = (ball.targetY - ball.y) / pictureBallFlight;
  ball.age = 0;
  ball.inUse = 1;
}

// Three pixels a frame, bottom row first, the rows in alternate directions; balls for the
// white ones. Once past the top row the scan goes on stepping without effect.
void ScanPixels() {
  const int width = ImageWidth(game.effectPicture);
  const int height = ImageHeight(game.effectPicture);
  const bool readable = StartDrawing(drawImage, game.effectPicture);
  for (int i = 0; i < pixelsPerFrame; ++i) {
    game.scanX += game.scanStep;
    if (game.scanX >= width) {
      game.scanX = width - 1;
      game.scanStep = -1;
      --game.scanY;
    }
    if (game.scanX < 0) {
      game.scanX = 0;
      game.scanStep = 1;
      --game.scanY;
    }
    if (readable && game.scanY >= 0 && Point(game.scanX, game.scanY) == white) {
      Launch(game.scanX, game.scanY, height);
    }
  }
  if (readable) StopDrawing();
}

}  // namespace

void StartPictureEffect(int image) {
  game.flyingBalls.Clear();
  game.settledBalls.Clear();
  game.pictureEffectOn = 1;
  game.pictureEffectStarting = 1;
  game.effectPicture = image;
}

void StepPictureEffect() {
  const double t = game.frameCounter;
  if (game.pictureEffectStarting) {
    game.scanX = 0;
    game.scanY = ImageHeight(game.effectPicture) - 1;
    game.scanStep = 1;
    game.pictureEffectStarting = 0;
  }
  game.emitX = playWidth / 2 + Nearest(400 * std::sin(t / 10));
  game.emitY = Nearest(-100 + 30 * std::cos(t / 50));

  for (const SettledBall& ball : game.settledBalls) {
    const double phase = t / 15 + ball.x / 100;
    DrawRedBall(static_cast<float>(ball.x + 10 * std::sin(phase)),
                static_cast<float>(ball.y + 10 * std::cos(phase)));
  }

  game.flyingBalls.Reset();
  while (game.flyingBalls.Next()) {
    FlyingBall& ball = game.flyingBalls.Current();
    ball.x += ball.vx;
    ball.y += ball.vy;
    if (++ball.age == pictureBallFlight) {
      // Placed on the target itself: forty float steps need not add up to it exactly.
      SettledBall& settled = game.settledBalls.Add();
      settled.x = ball.targetX;
      settled.y = ball.targetY;
      game.flyingBalls.Delete();
    }
  }
  for (const FlyingBall& ball : game.flyingBalls) DrawRedBall(ball.x, ball.y);

  ScanPixels();
}
