// SPDX-License-Identifier: GPL-3.0-or-later
#include "actors/ship_drawing.h"

#include <cmath>

#include "assets/objects.h"
#include "core/game_state.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float bodyTopAboveShip = 96;  // the body picture's bar sits 96 rows below its top
constexpr float glowAboveShip = 8;
constexpr double glowSize = 128;
constexpr double glowSizeSwing = 15;
constexpr double glowAlpha = 60;

void DrawCentred(int quad, float x, float y, int alpha) {
  DisplaySprite3D(quad, Nearest(x - Sprite3DWidth(quad) / 2.0), Nearest(y - Sprite3DHeight(quad) / 2.0),
                  alpha);
}

void DrawGlowLayer(int size, int alpha) {
  ZoomSprite3D(obj::shipEnergy, size, size);
  DrawCentred(obj::shipEnergy, game.shipX, game.shipY - glowAboveShip, alpha);
}

}  // namespace

int ShipBodyWidth() {
  return SpriteWidth(game.shipBodySprite) * RowOf(game.difficulty).shipWidthPercent / 100;
}

void DrawShipPictures() {
  DrawCentred(game.shipLeanFrame, game.shipX, game.shipY, 255);
  const int body = game.shipBodySprite;
  // The difficulty's width; Normal leaves the picture at its own size.
  if (Sprite3DWidth(body) != ShipBodyWidth()) {
    ZoomSprite3D(body, ShipBodyWidth(), Sprite3DHeight(body));
  }
  DisplaySprite3D(body, Nearest(game.shipX - Sprite3DWidth(body) / 2.0),
                  Nearest(game.shipY - bodyTopAboveShip), 255);
}

void DrawShip() {
  if (game.shipLeaving) game.shipX += 1;
  DrawShipPictures();

  // Two layers breathing out of step: the first grows as it brightens, the second shrinks and
  // pulses twice as fast.
  const double f = game.frameCounter;
  const double swing = std::sin(f / 8);
  Sprite3DBlendingMode(blendAdditive);
  DrawGlowLayer(Nearest(swing * glowSizeSwing + glowSize), Nearest(swing * glowAlpha + glowAlpha));
  DrawGlowLayer(Nearest(glowSize - swing * glowSizeSwing), Nearest(glowAlpha - std::sin(f / 4) * glowAlpha));
  Sprite3DBlendingMode(blendTransparent);
}
