// SPDX-License-Identifier: GPL-3.0-or-later
// A picture enlarged once, with a sharp cubic filter, to the pixels a large display gives it: the
// texture then lands pixel for pixel instead of being smoothed by the renderer's linear filter
// every frame.
#include <algorithm>
#include <array>
#include <cmath>

#include "media/media_internal.h"

namespace media {

namespace {

// The Catmull-Rom cubic: sharper than linear filtering, and it passes through every source pixel.
float CubicWeight(float distance) {
  const float d = std::fabs(distance);
  if (d < 1.0f) return (1.5f * d - 2.5f) * d * d + 1.0f;
  if (d < 2.0f) return ((-0.5f * d + 2.5f) * d - 4.0f) * d + 2.0f;
  return 0.0f;
}

// For each output position along one side: the four source positions it reads, clamped to the
// picture's edge, and their weights.
struct Taps {
  std::array<int, 4> at;
  std::array<float, 4> weight;
};

std::vector<Taps> TapsFor(int sourceLength, int length) {
  std::vector<Taps> taps(static_cast<std::size_t>(length));
  const float step = static_cast<float>(sourceLength) / static_cast<float>(length);
  for (int i = 0; i < length; ++i) {
    const float centre = (static_cast<float>(i) + 0.5f) * step - 0.5f;
    const int first = static_cast<int>(std::floor(centre)) - 1;
    float sum = 0;
    for (int k = 0; k < 4; ++k) {
      taps[i].at[k] = std::clamp(first + k, 0, sourceLength - 1);
      taps[i].weight[k] = CubicWeight(centre - static_cast<float>(first + k));
      sum += taps[i].weight[k];
    }
    for (float& w : taps[i].weight) w /= sum;
  }
  return taps;
}

uint8_t Channel(float value) { return static_cast<uint8_t>(std::clamp(value + 0.5f, 0.0f, 255.0f)); }

}  // namespace

// Colours are weighted by their alpha, so a transparent pixel's colour (a colour key's, say)
// does not bleed into the edge of what is drawn.
void ResamplePicture(const std::vector<uint32_t>& source, int width, int height, int newWidth, int newHeight,
                     std::vector<uint32_t>& out) {
  out.assign(static_cast<std::size_t>(newWidth) * newHeight, 0u);
  const std::vector<Taps> across = TapsFor(width, newWidth);
  const std::vector<Taps> down = TapsFor(height, newHeight);
  // Rows enlarged across, premultiplied, four floats a pixel; only the last few source rows are
  // kept, since each output row reads four neighbouring ones.
  constexpr int kept = 4;
  std::vector<float> rows(static_cast<std::size_t>(kept) * newWidth * 4);
  std::array<int, kept> rowHeld;
  rowHeld.fill(-1);
  auto enlargedRow = [&](int y) -> const float* {
    float* row = rows.data() + static_cast<std::size_t>(y % kept) * newWidth * 4;
    if (rowHeld[y % kept] == y) return row;
    rowHeld[y % kept] = y;
    const uint32_t* line = source.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < newWidth; ++x) {
      float r = 0, g = 0, b = 0, a = 0;
      for (int k = 0; k < 4; ++k) {
        const uint32_t p = line[across[x].at[k]];
        const float weightedAlpha = across[x].weight[k] * static_cast<float>(p >> 24);
        a += weightedAlpha;
        r += weightedAlpha * static_cast<float>((p >> 16) & 0xFF);
        g += weightedAlpha * static_cast<float>((p >> 8) & 0xFF);
        b += weightedAlpha * static_cast<float>(p & 0xFF);
      }
      row[x * 4 + 0] = r;
      row[x * 4 + 1] = g;
      row[x * 4 + 2] = b;
      row[x * 4 + 3] = a;
    }
    return row;
  };
  for (int y = 0; y < newHeight; ++y) {
    std::array<const float*, 4> from;
    for (int k = 0; k < 4; ++k) from[k] = enlargedRow(down[y].at[k]);
    uint32_t* line = out.data() + static_cast<std::size_t>(y) * newWidth;
    const float sourceY = (static_cast<float>(y) + 0.5f) * static_cast<float>(height) / static_cast<float>(newHeight);
    const int nearestY = std::min(static_cast<int>(sourceY), height - 1);
    for (int x = 0; x < newWidth; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        const float w = down[y].weight[k];
        for (int c = 0; c < 4; ++c) sum[c] += w * from[k][x * 4 + c];
      }
      const float alpha = sum[3];
      uint32_t colour;
      if (alpha >= 1.0f) {
        colour = (static_cast<uint32_t>(Channel(sum[0] / alpha)) << 16) |
                 (static_cast<uint32_t>(Channel(sum[1] / alpha)) << 8) | Channel(sum[2] / alpha);
      } else {
        // Nothing opaque to weigh: the colour of the source pixel underneath.
        const float sourceX = (static_cast<float>(x) + 0.5f) * static_cast<float>(width) / static_cast<float>(newWidth);
        const int nearestX = std::min(static_cast<int>(sourceX), width - 1);
        colour = source[static_cast<std::size_t>(nearestY) * width + nearestX] & 0x00FFFFFFu;
      }
      line[x] = (static_cast<uint32_t>(Channel(alpha)) << 24) | colour;
    }
  }
}

}  // namespace media
