// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenery_common.h"

#include "generators.h"

#include <algorithm>
#include <cmath>

namespace scenery {

namespace {

uint32_t Mix32(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}

double Lattice(int x, int y, uint32_t seed) {
  const uint32_t h = Mix32(static_cast<uint32_t>(x) * 0x9E3779B1U ^ Mix32(static_cast<uint32_t>(y) + seed * 0x85EBCA77U));
  return (h & 0xFFFFFF) / double(0xFFFFFF);
}

uint8_t Byte(double v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255)); }

}  // namespace

double Noise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  const double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fractal(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, weight = 0.5, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += Noise(x, y, seed + static_cast<uint32_t>(i) * 101) * weight;
    total += weight;
    x *= 2.03;
    y *= 2.03;
    weight *= 0.5;
  }
  return sum / total;
}

double Hash(int x, int y, uint32_t seed) { return Lattice(x, y, seed ^ 0xA5A5A5A5U); }

int NormalPixel(double v) { return static_cast<int>(std::floor(v + 0.5)); }

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

double SmoothStep(double edge0, double edge1, double v) {
  const double t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

// At a picture detail above 1 the colour is asked for every pixel of the larger picture, at its
// centre in the picture's own coordinates: (0, 0) is the centre of the normal picture's first pixel,
// and its four smaller pixels sit at -0.25 and +0.25 each way. So noise and gradients are drawn
// finer, not doubled, and the four average to about the normal pixel.
double DetailedCentre(int pixel, int detail) { return (pixel + 0.5) / detail - 0.5; }

cairo_surface_t* PaintOpaque(int logicalWidth, int logicalHeight, const std::function<Rgb(double, double)>& colour) {
  const int detail = ::PictureDetail();
  const int width = logicalWidth * detail, height = logicalHeight * detail;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_set_device_scale(surface, detail, detail);
  cairo_surface_flush(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(DetailedCentre(x, detail), DetailedCentre(y, detail));
      row[x] = 0xFF000000u | uint32_t(Byte(c.r)) << 16 | uint32_t(Byte(c.g)) << 8 | Byte(c.b);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

cairo_surface_t* PaintWithAlpha(int logicalWidth, int logicalHeight,
                                const std::function<Rgb(double, double, double&)>& colour) {
  const int detail = ::PictureDetail();
  const int width = logicalWidth * detail, height = logicalHeight * detail;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_set_device_scale(surface, detail, detail);
  cairo_surface_flush(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      double alpha = 1;
      const Rgb c = colour(DetailedCentre(x, detail), DetailedCentre(y, detail), alpha);
      alpha = Clamp01(alpha);
      // Cairo keeps colours premultiplied by alpha.
      row[x] = uint32_t(Byte(alpha)) << 24 | uint32_t(Byte(c.r * alpha)) << 16 |
               uint32_t(Byte(c.g * alpha)) << 8 | Byte(c.b * alpha);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

cairo_surface_t* Finish(cairo_t* cr, cairo_surface_t* surface) {
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace scenery
