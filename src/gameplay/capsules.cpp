// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameplay/capsules.h"

#include <cmath>

#include "core/game_state.h"
#include "gameplay/sprite_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float fallSpeed = 1;                   // pixels per frame
constexpr int catchPictureLifetime = frameRate / 2;
constexpr float catchPictureRise = -0.5f;        // pixels per frame
constexpr float catchPictureFade = -255.0f / catchPictureLifetime;

bool Running() { return !game.paused && !game.levelComplete; }

void CountDownMalus() {
  if (!Running()) return;
  if (game.malusTimer > 0) {
    --game.malusTimer;
  } else {
    game.malus = malusNone;
  }
}

struct CatchBox {
  int left, top, right, bottom;
};

// The ship's bottom is never tested: a capsule that has fallen past the ship's top is still
// caught while one of its sides is over the ship.
bool Caught(const CatchBox& c) {
  const int shipLeft = Nearest(game.shipX - game.shipHalfWidth);
  const int shipRight = Nearest(game.shipX + game.shipHalfWidth);
  const int shipTop = Nearest(game.shipY - game.shipHalfHeight);
  if (c.bottom < shipTop) return false;
  const bool leftOver = c.left >= shipLeft && c.left <= shipRight;
  const bool rightOver = c.right >= shipLeft && c.right <= shipRight;
  return leftOver || rightOver;
}

void Draw(const Capsule& c) {
  const int quad = c.kind + c.frame;
  const float left = c.x - Sprite3DWidth(quad) / 2.0f;
  const float top = c.y - Sprite3DHeight(quad) / 2.0f;
  DisplaySprite3D(quad, Nearest(left), Nearest(top));
}

}  // namespace

void CapsuleStep() {
  CountDownMalus();
  List<Capsule>& capsules = game.capsules;
  capsules.Reset();
  while (capsules.Next()) {
    Capsule& c = capsules.Current();
    // The box is taken before the capsule falls this frame.
    const CatchBox box{Nearest(c.x - capsuleWidth / 2), Nearest(c.y - capsuleHeight / 2),
                  Nearest(c.x + capsuleWidth / 2), Nearest(c.y + capsuleHeight / 2)};
    Draw(c);
    if ((game.secondTick & 7) == 1) c.frame = (c.frame + 1) & (capsuleFrames - 1);
    if (Running()) c.y += fallSpeed;
    if (c.y > playBottom) {  // missed
      capsules.Delete();
      continue;
    }
    if (!Caught(box)) continue;
    const Capsule caught = c;
    CatchCapsule(caught.kind);
    AddSpriteEffect(caught.x, caught.y, 0, catchPictureRise, caught.kind + caught.frame, 0, 0,
                    catchPictureLifetime, 255, catchPictureFade, 0, 0);
    capsules.Delete();
  }
}
