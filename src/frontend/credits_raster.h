// SPDX-License-Identifier: GPL-3.0-or-later
// Filling shaded triangles into a 32-bit pixel buffer: the landscape's renderer.
#pragma once

#include <cstdint>

struct RasterTarget {
  uint32_t* pixels;  // 0x00RRGGBB
  int width;
  int height;
  int pitchPixels;
};

struct RasterVertex {
  float x, y;      // screen position; pixel (i, j) has its centre at (i + 0.5, j + 0.5)
  float r, g, b;   // 0..255
};

// Fills the pixels whose centres lie inside the triangle, the colour blended smoothly between
// the corners. A centre on the left or top edge belongs to the triangle, one on the right or
// bottom edge does not, so triangles that share an edge neither overlap nor leave a gap.
// Anything off the target is cut away.
void FillTriangle(const RasterTarget& target, RasterVertex a, RasterVertex b, RasterVertex c);
