// SPDX-License-Identifier: GPL-3.0-or-later
// The smoke trail of the missiles: puffs in fixed slots that grow, drift and fade (missiles.h).
#include <cmath>
#include <numbers>

#include "actors/missile_common.h"
#include "actors/missiles.h"

using namespace missile;

namespace {

constexpr float puffBehind = 36;     // where the exhaust is, behind the missile's centre
constexpr float puffBirthSize = 40;  // pixels
constexpr float puffBirthSpeed = 2;
constexpr float puffDrag = 0.1f;     // the puff slows, stops and drifts back ...
constexpr float puffBackSpeed = -1.5f;  // ... never faster than this
constexpr int puffFade = 2;          // alpha a frame: a puff lives 128 frames
constexpr float puffGrowth = 5;      // pixels a frame ...
constexpr float puffLargest = 256;   // ... while smaller than this
constexpr int smokePictures = 5;
constexpr int pictureStep = 32;      // between two smoke pictures' numbers

}  // namespace

// The drift direction adds the heading's radians to degrees as they stand: puffs leave roughly
// backwards for any heading, spread 30 degrees either way.
void EmitSmoke(const Missile& m) {
  for (SmokePuff& puff : game.smokePuffs) {
    if (puff.active) continue;
    const float behind = -m.heading - 3 * pi / 2;
    puff.x = m.x + std::cos(behind) * puffBehind;
    puff.y = m.y + std::sin(behind) * puffBehind;
    puff.size = puffBirthSize;
    puff.alpha = 255;
    puff.speed = puffBirthSpeed;
    puff.active = true;
    puff.direction = m.heading + static_cast<float>(RandomDifference(30)) - 180;
    puff.picture = obj::smoke + pictureStep * Random(smokePictures - 1);
    return;
  }
}

void StepSmoke() {
  const int turn = Now() / 250;
  Sprite3DBlendingMode(blendTransparent);
  for (SmokePuff& puff : game.smokePuffs) {
    if (!puff.active) continue;
    const int size = Nearest(puff.size);
    ZoomSprite3D(puff.picture, size, size);
    RotateSprite3D(puff.picture, turn, 0);
    DisplaySprite3D(puff.picture, Nearest(puff.x - size / 2.0), Nearest(puff.y - size / 2.0), puff.alpha);
    const float drift = Radians(puff.direction + 270);
    puff.x += std::cos(drift) * puff.speed;
    puff.y += std::sin(drift) * puff.speed;
    puff.speed -= puffDrag;
    if (puff.speed < puffBackSpeed) puff.speed = puffBackSpeed;
    puff.alpha -= puffFade;
    if (puff.size < puffLargest) puff.size += puffGrowth;
    if (puff.alpha < 1) puff.active = false;
  }
}
