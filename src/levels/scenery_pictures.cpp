// SPDX-License-Identifier: GPL-3.0-or-later
// The picture effects: the rippling water (15), the drops over the sea (17), the sprite drawn
// into every frame (18) and the two psyche layers (19).
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "levels/scenery_effects.h"
#include "media/maths.h"
#include "media/media.h"

namespace {

constexpr float width = playWidth;
constexpr float height = playHeight;

float Time() { return static_cast<float>(game.frameCounter); }

// The water picture as it was loaded, one 0xAARRGGBB word a pixel; the sprite shows it rippled.
std::vector<uint32_t> waterTable;
int waterWidth = 0, waterHeight = 0;
constexpr int waterAlpha = 150;

constexpr int dropCount = 48;

constexpr int drawnSize = 128;
constexpr int sineSteps = 256;
float sineTable[sineSteps];

float TableSine(int step) { return sineTable[step & (sineSteps - 1)]; }

}  // namespace

void SetUpWater() {
  waterWidth = SpriteWidth(obj::waterRipple);
  waterHeight = SpriteHeight(obj::waterRipple);
  waterTable.assign(static_cast<size_t>(waterWidth) * waterHeight, 0);
  if (!StartDrawing(drawSprite, obj::waterRipple)) return;
  const uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  for (int y = 0; pixels && y < waterHeight; ++y) {
    for (int x = 0; x < waterWidth; ++x) {
      waterTable[static_cast<size_t>(y) * waterWidth + x] = pixels[static_cast<size_t>(y) * pitch + x];
    }
  }
  StopDrawing();
}

void ReleaseWater() { waterTable = std::vector<uint32_t>{}; }

void DrawWater() {
  if (waterTable.empty() || !StartDrawing(drawSprite, obj::waterRipple)) return;
  uint32_t* pixels = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  const float t = Time();
  for (int y = 0; pixels && y < waterHeight; ++y) {
    // Each row slides sideways on two waves, and takes its picture from a row nearby.
    const int shift = Nearest(3 * std::sin(y / 7.0f + t / 9) + 2 * std::sin(y / 13.0f - t / 17));
    int from = y + Nearest(2 * std::sin(y / 5.0f + t / 11));
    from = from < 0 ? 0 : (from >= waterHeight ? waterHeight - 1 : from);
    const uint32_t* row = &waterTable[static_cast<size_t>(from) * waterWidth];
    uint32_t* out = pixels + static_cast<size_t>(y) * pitch;
    for (int x = 0; x < waterWidth; ++x) {
      int source = x + shift;
      source = source < 0 ? source + waterWidth : (source >= waterWidth ? source - waterWidth : source);
      out[x] = row[source];
    }
  }
  StopDrawing();
  ZoomSprite3D(obj::waterRipple, playWidth, playHeight);
  Sprite3DBlendingMode(blendTransparent);
  DrawSceneryQuad(obj::waterRipple, playLeft, playTop, waterAlpha);
}

void SetUpDrops() {
  for (int i = 0; i < dropCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.z = 0.3f + Random(70) / 100.0f;  // nearness: near drops are big, fast and bright
    p.x = static_cast<float>(Random(playWidth + 200) - 100);
    p.y = static_cast<float>(Random(playHeight));
    p.vx = 1.2f + 2.0f * p.z;
    p.vy = 3.0f + 8.0f * p.z;
  }
}

void DrawDrops() {
  Sprite3DBlendingMode(blendTransparent);
  const int quad = obj::dropQuad;
  for (int i = 0; i < dropCount; ++i) {
    BackgroundParticle& p = Particles()[i];
    p.x += p.vx;
    p.y += p.vy;
    if (p.y > height + 40) {
      p.y = -40;
      p.x = static_cast<float>(Random(playWidth + 200) - 200);
    }
    // The drop's point leads, turned along its path.
    const int angle = Nearest(std::atan2(p.vx, p.vy) * -180 / pi);
    RotateSprite3D(quad, angle, 0);
    const int size = Nearest(14 + 30 * p.z);
    ZoomSprite3D(quad, size / 2, size);
    DrawSceneryQuad(quad, Nearest(playLeft + p.x - size / 4.0f), Nearest(playTop + p.y - size / 2.0f),
                    Nearest(90 + 150 * p.z));
  }
}

void SetUpDrawnSprite() {
  for (int i = 0; i < sineSteps; ++i) sineTable[i] = std::sin(i * 2 * pi / sineSteps);
  if (!CreateSprite(obj::layerQuad, drawnSize, drawnSize, spriteTexture | spriteAlpha)) return;
  CreateSprite3D(obj::layerQuad, obj::layerQuad);
  AddLevelResource(obj::resourceQuadSprite, obj::layerQuad);
}

void DrawDrawnSprite() {
  // A plasma of sea colours drawn into the sprite, its waves running with the clock.
  if (StartDrawing(drawSprite, obj::layerQuad)) {
    uint32_t* pixels = DrawingBuffer();
    const int pitch = DrawingBufferPitch() / 4;
    const int t = game.frameCounter;
    for (int y = 0; pixels && y < drawnSize; ++y) {
      for (int x = 0; x < drawnSize; ++x) {
        const float v = TableSine(x * 2 + t) + TableSine(y * 3 - t * 2) +
                        TableSine((x + y) + t * 3 / 2) + TableSine(x * 4 - y * 2 - t);
        const float k = 0.5f + 0.125f * v;  // 0..1
        const int r = Nearest(40 * k * k);
        const int g = Nearest(90 + 120 * k);
        const int b = Nearest(140 + 110 * k);
        const int a = Nearest(255 * k);
        pixels[static_cast<size_t>(y) * pitch + x] =
            static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
            static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
      }
    }
    StopDrawing();
  }
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  const float t = Time();
  const int quad = obj::layerQuad;
  RotateSprite3D(quad, Nearest(t / 6), 0);
  DrawCentredQuad(quad, width / 2, height / 2, 1060, 150);
  RotateSprite3D(quad, Nearest(-t / 4 + 45), 0);
  DrawCentredQuad(quad, width / 2, height / 2, Nearest(700 + 80 * std::sin(t / 90)), 110);
  Sprite3DBlendingMode(blendTransparent);
}

void SetUpPsyche() {}

void DrawPsyche() {
  Sprite3DBlendingMode(blendAlphaWeightedSum);
  const float t = Time();
  RotateSprite3D(obj::layerQuad, Nearest(t * 0.3f), 0);
  DrawCentredQuad(obj::layerQuad, width / 2, height / 2.4f, Nearest(980 + 140 * std::sin(t / 110)),
                  120);
  RotateSprite3D(obj::layerQuad2, Nearest(-t * 0.5f), 0);
  DrawCentredQuad(obj::layerQuad2, width / 2, height / 2.4f, Nearest(720 + 200 * std::sin(t / 70 + 1)),
                  110);
  Sprite3DBlendingMode(blendTransparent);
}
