// SPDX-License-Identifier: GPL-3.0-or-later
#include "weapon_common.h"

#include "generators.h"

#include <cmath>

namespace weapon {

Rng MakeRng(uint64_t seed) { return Rng{seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull}; }

uint32_t NextRandom(Rng& rng) {
  uint64_t z = (rng.state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

double RandomUnit(Rng& rng) { return NextRandom(rng) / 4294967296.0; }

double RandomBetween(Rng& rng, double low, double high) { return low + (high - low) * RandomUnit(rng); }

double Clamp01(double value) { return value < 0 ? 0 : (value > 1 ? 1 : value); }

double SmoothStep(double edge0, double edge1, double value) {
  double t = Clamp01((value - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

double Mix(double a, double b, double t) { return a + (b - a) * t; }

namespace {

// Hash of a lattice point to [0, 1].
double Lattice(int x, int y, int z, uint32_t seed) {
  uint32_t h = seed * 0x27D4EB2Du;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(z) * 0x165667B1u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777215.0;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

double Noise3(double x, double y, double z, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
  const double u = Fade(x - fx), v = Fade(y - fy), w = Fade(z - fz);
  double layer[2];
  for (int k = 0; k < 2; ++k) {
    const double a = Mix(Lattice(ix, iy, iz + k, seed), Lattice(ix + 1, iy, iz + k, seed), u);
    const double b = Mix(Lattice(ix, iy + 1, iz + k, seed), Lattice(ix + 1, iy + 1, iz + k, seed), u);
    layer[k] = Mix(a, b, v);
  }
  return Mix(layer[0], layer[1], w);
}

double Fractal3(double x, double y, double z, uint32_t seed, int octaves) {
  double sum = 0, weight = 1, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * Noise3(x, y, z, seed + i * 101);
    total += weight;
    weight *= 0.5;
    x *= 2.03;
    y *= 2.03;
    z *= 2.03;
  }
  return sum / total;
}

cairo_surface_t* NewPicture(int width, int height) {
  // A fresh image surface is already cleared to transparent black.
  const int detail = ::PictureDetail();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * detail, height * detail);
  cairo_surface_set_device_scale(surface, detail, detail);
  return surface;
}

void AddGlow(cairo_t* cr, double x, double y, double radius, double red, double green, double blue,
             double alpha) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  cairo_pattern_add_color_stop_rgba(glow, 0, red, green, blue, alpha);
  cairo_pattern_add_color_stop_rgba(glow, 0.35, red, green, blue, alpha * 0.45);
  cairo_pattern_add_color_stop_rgba(glow, 1, red, green, blue, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, x, y, radius, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

void PutPixel(cairo_surface_t* surface, int x, int y, double red, double green, double blue,
              double alpha) {
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const double a = Clamp01(alpha);
  auto channel = [a](double c) { return static_cast<uint32_t>(std::lround(Clamp01(c) * a * 255)); };
  const uint32_t pixel = (static_cast<uint32_t>(std::lround(a * 255)) << 24) | (channel(red) << 16) |
                         (channel(green) << 8) | channel(blue);
  *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = pixel;
}

void SetColour(cairo_t* cr, uint32_t rgb, double alpha) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0,
                        alpha);
}

bool MatchFrame(const std::string& fileName, const std::string& prefix, const std::string& suffix,
                int count, int& frame) {
  if (fileName.size() != prefix.size() + 4 + suffix.size()) return false;
  if (fileName.compare(0, prefix.size(), prefix) != 0) return false;
  if (fileName.compare(prefix.size() + 4, suffix.size(), suffix) != 0) return false;
  int value = 0;
  for (size_t i = prefix.size(); i < prefix.size() + 4; ++i) {
    if (fileName[i] < '0' || fileName[i] > '9') return false;
    value = value * 10 + (fileName[i] - '0');
  }
  if (value >= count) return false;
  frame = value;
  return true;
}

}  // namespace weapon
