// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/tetris_light.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/objects.h"
#include "media/media.h"

namespace {

constexpr float reliefDepth = 3.0f;        // slope scale: bump steps of 255 tilt steeply
constexpr float ambient = 0.16f;
constexpr float diffuseGain = 0.85f;
constexpr float specularGain = 0.4f;
constexpr float falloff = 110.0f;          // texels: the light halves at this distance

struct Texel {
  float nx, ny, nz;                        // unit normal of the relief
  float r, g, b;                           // diffuse colour, 0..1
};

std::vector<Texel> texels;                 // litSize * litSize, row by row

// The pixels of an image, wrapped to the texture's size (a smaller or missing image repeats or
// reads as black; nothing outside it is read).
std::vector<uint32_t> ReadImage(int image) {
  std::vector<uint32_t> pixels(litSize * litSize, 0);
  const int width = ImageWidth(image), height = ImageHeight(image);
  if (width <= 0 || height <= 0 || !StartDrawing(drawImage, image)) return pixels;
  const uint32_t* buffer = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  if (buffer) {
    for (int y = 0; y < litSize; ++y) {
      for (int x = 0; x < litSize; ++x) {
        pixels[y * litSize + x] = buffer[(y % height) * pitch + (x % width)] & 0xFFFFFF;
      }
    }
  }
  StopDrawing();
  return pixels;
}

float Height(const std::vector<uint32_t>& bump, int x, int y) {
  x = (x + litSize) % litSize;
  y = (y + litSize) % litSize;
  return static_cast<float>((bump[y * litSize + x] >> 16) & 255) / 255.0f;
}

uint32_t Channel(float value) {
  return static_cast<uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

}  // namespace

void PrepareLitBackground() {
  const std::vector<uint32_t> bump = ReadImage(obj::tetrisBump);
  const std::vector<uint32_t> diffuse = ReadImage(obj::tetrisDiffuse);
  texels.assign(litSize * litSize, Texel{});
  for (int y = 0; y < litSize; ++y) {
    for (int x = 0; x < litSize; ++x) {
      // The relief tiles: slopes at the edges are taken across to the other side.
      const float dx = (Height(bump, x + 1, y) - Height(bump, x - 1, y)) * reliefDepth;
      const float dy = (Height(bump, x, y + 1) - Height(bump, x, y - 1)) * reliefDepth;
      const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
      const uint32_t colour = diffuse[y * litSize + x];
      Texel& t = texels[y * litSize + x];
      t = {-dx / length, -dy / length, 1.0f / length, ((colour >> 16) & 255) / 255.0f,
           ((colour >> 8) & 255) / 255.0f, (colour & 255) / 255.0f};
    }
  }
  CreateSprite(obj::tetrisLitBackground, litSize, litSize, spriteTexture | spriteAlpha);
  CreateSprite3D(obj::tetrisLitBackground, obj::tetrisLitBackground);
  RelightBackground(0);
}

// Three slow waves of the clock, each 0..64: the first two steer the light across the relief
// (periods of about 16 and 6 seconds), the quicker third only breathes its strength a little.
LightPlace LightAt(int64_t t) {
  const double ms = static_cast<double>(t);
  const float a = static_cast<float>(64 + 64 * std::cos(ms / 2500)) / 2;
  const float b = static_cast<float>(64 + 64 * std::cos(ms / 500)) / 2;
  const float c = static_cast<float>(64 + 64 * std::cos(ms / 1000)) / 2;
  return LightPlace{8 + a / 64 * (litSize - 16), 8 + c / 64 * (litSize - 16), 40 + c / 4,
                    0.85f + 0.15f * b / 64};
}

void RelightBackground(int64_t t) {
  if (texels.empty() || !StartDrawing(drawSprite, obj::tetrisLitBackground)) return;
  uint32_t* buffer = DrawingBuffer();
  const int pitch = DrawingBufferPitch() / 4;
  if (!buffer) {
    StopDrawing();
    return;
  }
  const LightPlace light = LightAt(t);
  for (int y = 0; y < litSize; ++y) {
    for (int x = 0; x < litSize; ++x) {
      const Texel& n = texels[y * litSize + x];
      const float lx = light.x - x, ly = light.y - y, lz = light.height;
      const float distance = std::sqrt(lx * lx + ly * ly + lz * lz);
      const float ux = lx / distance, uy = ly / distance, uz = lz / distance;
      const float lambert = std::max(0.0f, n.nx * ux + n.ny * uy + n.nz * uz);
      // Half-way between the light and the player, who looks straight down.
      const float hz = uz + 1.0f;
      const float half = std::sqrt(ux * ux + uy * uy + hz * hz);
      const float s1 = std::max(0.0f, (n.nx * ux + n.ny * uy + n.nz * hz) / half);
      const float s2 = s1 * s1, s4 = s2 * s2, s8 = s4 * s4;
      const float shine = s8 * s8 * s8;  // a tight highlight: the power 24
      const float reach = light.strength / (1.0f + (distance / falloff) * (distance / falloff));
      const float lit = ambient + diffuseGain * lambert * reach;
      const float glint = specularGain * shine * reach;
      buffer[y * pitch + x] = 0xFF000000u | Channel(n.r * lit + glint) << 16 |
                              Channel(n.g * lit + glint * 0.95f) << 8 |
                              Channel(n.b * lit + glint * 0.85f);
    }
  }
  StopDrawing();
}
