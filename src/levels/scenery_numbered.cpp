// SPDX-License-Identifier: GPL-3.0-or-later
// The effects whose every number is fixed: the storm's lightning (0), the falling stars (1),
// the fountain of glows (2), the clouds (7) and the star fountain of the bonus level.
#include <cstddef>
#include <cmath>

#include "assets/objects.h"
#include "core/sound_effects.h"
#include "levels/scenery_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float width = playWidth;
constexpr float height = playHeight;

constexpr int strikeFrame = 20 * frameRate;  // twenty seconds into the level
constexpr int strikeFrames = 15;             // drawn on 16 frames: strikeFrame..+15
constexpr int strikeFrequency = 2500;
constexpr int fireFrames = 15 * frameRate;

constexpr int starCount = 50;
constexpr int fountainCount = 50;
constexpr int fountainDrawn = 30;
constexpr int fountainPreRun = 1001;
constexpr float fountainGravity = 0.2f;
constexpr int cloudCount = 60;

float FountainLaunchSpeed() { return -(Random(10000) / 2000.0f) - 5; }

// One step of the fountain; true when the particle fell out and started again at the spout.
bool FountainStep(BackgroundParticle& p) {
  p.x += p.vx;
  p.y += p.vy;
  p.vy += fountainGravity;
  if (p.y < height) return false;
  p.x = width / 2;
  p.y = height / 3;
  p.vy = FountainLaunchSpeed();
  return true;
}

// The whole array, largest depth first. An insertion sort: the order barely changes from one
// frame to the next, and it sorts in place without a buffer.
void SortParticlesByDepth() {
  auto& particles = game.backgroundParticles;
  for (size_t i = 1; i < particles.size(); ++i) {
    const BackgroundParticle moving = particles[i];
    size_t j = i;
    for (; j > 0 && particles[j - 1].z < moving.z; --j) particles[j] = particles[j - 1];
    particles[j] = moving;
  }
}

}  // namespace

void SetUpLightning() { ClearScreen(0); }

void DrawLightning() {
  const int frame = game.frameCounter;
  if (frame == strikeFrame) PlayEffect(obj::soundExplosion, 0, 100, strikeFrequency);
  if (frame < strikeFrame || frame > strikeFrame + strikeFrames) return;
  const int zoomWidth = SpriteWidth(obj::strike) + Random(100);
  const int zoomHeight = SpriteHeight(obj::strike) + Random(100);
  ZoomSprite3D(obj::strike, zoomWidth, zoomHeight);
  DrawSceneryQuad(obj::strike, 0, 0);
  // The strike sets the balls on fire, as the FIRE capsule does.
  game.fireMode = 1;
  game.fireTimer = fireFrames;
}

void SetUpFallingStars() {
  for (int i = 0; i < starCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = static_cast<float>(Random(playWidth));
    p.y = static_cast<float>(Random(playHeight + 512) - 256);
    p.vy = Random(10000) / 2000.0f + 1;
    p.growth = static_cast<float>(Random(360));
    p.sprite = obj::starQuad;
  }
}

void DrawFallingStars() {
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  for (int i = 0; i < starCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.y += p.vy;
    // What it overshot is kept, so the stars never fall in step.
    if (p.y >= height + 256) p.y -= height + 256;
    p.growth += 1;
    RotateSprite3D(p.sprite, static_cast<int>(p.growth), 0);
    DrawSceneryQuad(p.sprite, Nearest(playLeft + p.x - 128), Nearest(playTop + p.y - 128));
  }
  Sprite3DBlendingMode(blendTransparent);
}

void SetUpFountain(int sprite, bool spinning) {
  for (int i = 0; i < fountainCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = width / 2 + RandomDifference(50);
    p.y = height / 3 + RandomDifference(50);
    p.vx = Random(8000) / 1000.0f - 4;
    p.vy = FountainLaunchSpeed();
    p.growth = spinning ? static_cast<float>(Random(360)) : 16;
    p.sprite = sprite;
  }
  // Run ahead, so the fountain is in full flow from the first frame.
  for (int step = 0; step < fountainPreRun; ++step) {
    for (int i = 0; i < fountainCount; ++i) FountainStep(Particles()[i]);
  }
}

void DrawFountain() {
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  for (int i = 0; i < fountainDrawn; ++i) {
    BackgroundParticle& p = Particles()[i];
    if (FountainStep(p)) p.growth = 16;
    p.growth += 3;
    DrawCentredQuad(p.sprite, p.x, p.y, Nearest(p.growth));
  }
  Sprite3DBlendingMode(blendTransparent);
}

void DrawStarFountain() {
  for (int i = 0; i < fountainDrawn; ++i) {
    BackgroundParticle& p = Particles()[i];
    if (FountainStep(p)) p.growth = static_cast<float>(Random(360));
    p.growth += 3;
    RotateSprite3D(p.sprite, static_cast<int>(p.growth * p.vx / 10), 0);
    DrawCentredQuad(p.sprite, p.x, p.y, Nearest(p.growth * 0.2f));
  }
}

void SetUpClouds() {
  for (int i = 0; i < cloudCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x = static_cast<float>(Random(9120000) - 4560000);
    p.y = static_cast<float>(Random(200) + 1800);
    p.z = static_cast<float>(Random(12000));
    p.growth = static_cast<float>(Random(50));
    p.sprite = obj::cloudQuad;
  }
}

void DrawClouds() {
  Sprite3DQuality(1);
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  // Far to near, so a near cloud covers the ones behind it.
  SortParticlesByDepth();
  for (int i = 0; i < cloudCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.z -= 50;
    if (p.z <= 1200) p.z = 12000;
    const float k = 1 - p.z / 12000;
    const float size = k * 250 + p.growth;
    const int alpha = Nearest(200 - (p.z - 1200) * 200 / 10800);
    ZoomSprite3D(p.sprite, Nearest(size), Nearest(size));
    const float x = playLeft + width / 2 + p.x / (p.z + 5000) - size / 2;
    const float y = playTop + p.y * 600 / (p.z + 1000) - size / 2 + 400;
    DrawSceneryQuad(p.sprite, Nearest(x), Nearest(y), alpha);
  }
  Sprite3DBlendingMode(blendTransparent);
  Sprite3DQuality(0);
}
