// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontend/credits_raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// x where an edge crosses the row at y; the edge is always taken from its upper end, so the
// two triangles that share it find the same x.
float EdgeX(const RasterVertex& p, const RasterVertex& q, float y) {
  const RasterVertex& top = p.y <= q.y ? p : q;
  const RasterVertex& bottom = p.y <= q.y ? q : p;
  return top.x + (y - top.y) * (bottom.x - top.x) / (bottom.y - top.y);
}

// Colour channels as 16.16 fixed point along a span, kept within 0..255 at both ends (and so
// everywhere between them): a pixel centre just outside the corners' hull must not wrap.
struct Channel {
  int32_t value, step;
};

Channel SpanChannel(float start, float perPixel, int pixels, float perStep) {
  float first = start, last = start + perPixel * (pixels - 1);
  float step = perPixel;
  if (first < 0 || first > 255 || last < 0 || last > 255) {
    first = std::clamp(first, 0.0f, 255.0f);
    last = std::clamp(last, 0.0f, 255.0f);
    step = (last - first) * perStep;
  }
  return Channel{static_cast<int32_t>(first * 65536.0f), static_cast<int32_t>(step * 65536.0f)};
}

}  // namespace

void FillTriangle(const RasterTarget& target, RasterVertex a, RasterVertex b, RasterVertex c) {
  const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (std::fabs(area) < 1e-6f) return;
  // The colour is a plane over the screen: its change per pixel across and down.
  const float drdx = ((b.r - a.r) * (c.y - a.y) - (c.r - a.r) * (b.y - a.y)) / area;
  const float dgdx = ((b.g - a.g) * (c.y - a.y) - (c.g - a.g) * (b.y - a.y)) / area;
  const float dbdx = ((b.b - a.b) * (c.y - a.y) - (c.b - a.b) * (b.y - a.y)) / area;
  const float drdy = ((c.r - a.r) * (b.x - a.x) - (b.r - a.r) * (c.x - a.x)) / area;
  const float dgdy = ((c.g - a.g) * (b.x - a.x) - (b.g - a.g) * (c.x - a.x)) / area;
  const float dbdy = ((c.b - a.b) * (b.x - a.x) - (b.b - a.b) * (c.x - a.x)) / area;
  const RasterVertex origin = a;

  if (b.y < a.y) std::swap(a, b);
  if (c.y < a.y) std::swap(a, c);
  if (c.y < b.y) std::swap(b, c);
  const int firstRow = std::max(0, static_cast<int>(std::ceil(a.y - 0.5f)));
  const int endRow = std::min(target.height, static_cast<int>(std::ceil(c.y - 0.5f)));
  for (int row = firstRow; row < endRow; ++row) {
    const float y = row + 0.5f;
    const float longX = EdgeX(a, c, y);
    const float shortX = y < b.y ? EdgeX(a, b, y) : EdgeX(b, c, y);
    const float left = std::min(longX, shortX), right = std::max(longX, shortX);
    const int first = std::max(0, static_cast<int>(std::ceil(left - 0.5f)));
    const int end = std::min(target.width, static_cast<int>(std::ceil(right - 0.5f)));
    if (first >= end) continue;
    const float dx = first + 0.5f - origin.x, dy = y - origin.y;
    const int count = end - first;
    const float perStep = count > 1 ? 1.0f / (count - 1) : 0.0f;
    Channel r = SpanChannel(origin.r + drdx * dx + drdy * dy, drdx, count, perStep);
    Channel g = SpanChannel(origin.g + dgdx * dx + dgdy * dy, dgdx, count, perStep);
    Channel bl = SpanChannel(origin.b + dbdx * dx + dbdy * dy, dbdx, count, perStep);
    uint32_t* out = target.pixels + static_cast<std::size_t>(row) * target.pitchPixels + first;
    for (int i = 0; i < count; ++i) {
      out[i] = static_cast<uint32_t>(r.value >> 16) << 16 | static_cast<uint32_t>(g.value >> 16) << 8 |
               static_cast<uint32_t>(bl.value >> 16);
      r.value += r.step;
      g.value += g.step;
      bl.value += bl.step;
    }
  }
}
