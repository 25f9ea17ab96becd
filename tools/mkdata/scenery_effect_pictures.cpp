// SPDX-License-Identifier: GPL-3.0-or-later
// The effect pictures of the scenery: glows, stars, bars, streaks, plates, branches, clouds,
// the water, a drop, the psyche layers and the gold star.
#include <cmath>

#include "scenery_common.h"
#include "scenery_pictures.h"

namespace scenery {

namespace {

using arena::AddStop;
using arena::NewPicture;

// A radial glow with a hot white core: alpha falls off smoothly to the edge.
void PaintGlow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  AddStop(glow, 0.0, arena::Lighten(c, 0.8), alpha);
  AddStop(glow, 0.12, arena::Lighten(c, 0.35), alpha * 0.9);
  AddStop(glow, 0.35, c, alpha * 0.45);
  AddStop(glow, 0.7, c, alpha * 0.12);
  AddStop(glow, 1.0, c, 0.0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

}  // namespace

cairo_surface_t* DrawGlow(double r, double g, double b, int ring) {
  constexpr int size = 128;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  const Rgb c{r, g, b};
  PaintGlow(cr, 64, 64, 63, c, 1.0);
  if (ring) {
    // A thin halo ring about the core.
    cairo_pattern_t* halo = cairo_pattern_create_radial(64, 64, 30, 64, 64, 50);
    AddStop(halo, 0.0, c, 0.0);
    AddStop(halo, 0.5, arena::Lighten(c, 0.3), 0.55);
    AddStop(halo, 1.0, c, 0.0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawRainbowGlow() {
  constexpr int size = 128;
  return PaintWithAlpha(size, size, [](double x, double y, double& alpha) {
    const double dx = x - 63.5, dy = y - 63.5;
    const double d = std::hypot(dx, dy) / 63.5;
    const double hue = std::fmod(std::atan2(dy, dx) / (2 * pi) * 360 + 360 + d * 120, 360);
    const Rgb c = arena::HueColour(hue, 0.8, 1.0);
    const double ring = std::exp(-std::pow((d - 0.55) / 0.16, 2));
    const double core = std::exp(-d * d * 30);
    alpha = Clamp01(ring * 0.85 + core) * Clamp01((1 - d) * 4);
    return arena::Mix(c, {1, 1, 1}, Clamp01(core * 1.2));
  });
}

cairo_surface_t* DrawStar(double r, double g, double b) {
  constexpr int size = 128;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  const Rgb c{r, g, b};
  PaintGlow(cr, 64, 64, 40, c, 0.9);
  // Six rays, the two long ones brightest.
  cairo_translate(cr, 64, 64);
  for (int i = 0; i < 6; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * pi / 3);
    const double length = i % 3 == 0 ? 62 : 40;
    cairo_scale(cr, length, 2.2);
    cairo_pattern_t* ray = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(ray, 0.0, {1, 1, 1}, 1.0);
    AddStop(ray, 0.3, arena::Lighten(c, 0.3), 0.8);
    AddStop(ray, 1.0, c, 0.0);
    cairo_set_source(cr, ray);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(ray);
    cairo_restore(cr);
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawBar() {
  return PaintWithAlpha(512, 32, [](double x, double y, double& alpha) {
    const double u = (x - 255.5) / 256, v = (y - 15.5) / 16;
    const double across = std::exp(-v * v * 6);
    const double along = 1 - u * u;
    alpha = across * along;
    return arena::Mix({0.9, 0.4, 1.0}, {1, 1, 1}, std::exp(-v * v * 40) * along);
  });
}

cairo_surface_t* DrawStreaks() {
  return PaintWithAlpha(512, 48, [](double x, double y, double& alpha) {
    const double u = (x - 255.5) / 256, v = (y - 23.5) / 24;
    const double thin = std::exp(-v * v * 120) * (1 - std::fabs(u));
    const double wide = std::exp(-v * v * 10) * std::pow(1 - std::fabs(u), 3) * 0.4;
    const double core = std::exp(-(u * u * 300 + v * v * 30));
    alpha = Clamp01(thin + wide + core);
    return arena::Mix({0.35, 0.55, 1.0}, {1, 1, 1}, Clamp01(core + thin * 0.4));
  });
}

cairo_surface_t* DrawPlate(int number) {
  constexpr int size = 128;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  const Rgb metals[] = {{0.75, 0.6, 0.3}, {0.55, 0.62, 0.7}, {0.7, 0.45, 0.35}, {0.5, 0.65, 0.55}};
  const Rgb metal = metals[(number - 1) % 4];
  arena::FillGlossyTile(cr, 8, 8, 112, 112, 14, metal);
  // An engraving: a different sign on each plate.
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_translate(cr, 64, 64);
  const int points = 2 + number;
  for (int i = 0; i <= points * 2; ++i) {
    const double a = i * pi / points - pi / 2;
    const double r = i % 2 ? 18 : 38;
    if (i == 0) cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
    else cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
  }
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 46, 0, 2 * pi);
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    arena::FillSphere(cr, (i % 2 ? 44 : -44), (i / 2 ? 44 : -44), 4, arena::Lighten(metal, 0.3));
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawBranches() {
  constexpr int size = 64;
  return PaintWithAlpha(size, size, [](double x, double y, double& alpha) {
    const double u = (x - 31.5) / 32, v = (y - 31.5) / 32;
    // Two crossed branches of light, slightly bent, over a soft core.
    const double a = u + v, b = u - v;
    const double branch1 = std::exp(-std::pow(b + 0.15 * a * a, 2) * 120) * (1 - std::fabs(a) / 2);
    const double branch2 = std::exp(-std::pow(a - 0.15 * b * b, 2) * 120) * (1 - std::fabs(b) / 2);
    const double core = std::exp(-(u * u + v * v) * 14);
    alpha = Clamp01(branch1 + branch2 + core) * Clamp01((1 - std::hypot(u, v)) * 3);
    return arena::Mix({0.4, 0.8, 1.0}, {1, 1, 1}, Clamp01(core * 1.5));
  });
}

// A puff of cloud on black: the game adds it by brightness, black adding nothing.
cairo_surface_t* DrawCloudPuff(double r, double g, double b) {
  constexpr int size = 256;
  return PaintOpaque(size, size, [=](double x, double y) {
    const double u = (x - 127.5) / 128, v = (y - 127.5) / 128;
    const double d = std::hypot(u, v * 1.3);
    const double n = Fractal(x / 40.0, y / 40.0, 5, 91);
    const double k = Clamp01((1 - d) * 1.6) * SmoothStep(0.25, 0.75, n + (0.5 - d) * 0.6);
    const double shade = 0.65 + 0.35 * Clamp01(0.5 - v);  // lighter on top
    return Rgb{r * k * shade, g * k * shade, b * k * shade};
  });
}

cairo_surface_t* DrawWaterPicture() {
  return PaintWithAlpha(240, 250, [](double x, double y, double& alpha) {
    const double n = Fractal(x / 24.0, y / 24.0, 3, 95);
    const double w = Fractal(x / 24.0 + n * 1.5, y / 24.0 + n * 1.5, 3, 96);
    const double vein = std::pow(1 - std::fabs(w - 0.5) * 2, 8);
    alpha = 0.25 + 0.6 * vein;
    return arena::Mix({0.1, 0.5, 0.6}, {0.85, 1.0, 0.95}, vein);
  });
}

cairo_surface_t* DrawDrop() {
  cairo_surface_t* surface = NewPicture(32, 64);
  cairo_t* cr = cairo_create(surface);
  // Point at the bottom: the game turns it along its path.
  cairo_move_to(cr, 16, 62);
  cairo_curve_to(cr, 28, 40, 30, 20, 16, 4);
  cairo_curve_to(cr, 2, 20, 4, 40, 16, 62);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, 4, 0, 62);
  AddStop(body, 0, {0.6, 0.8, 1.0}, 0.1);
  AddStop(body, 0.7, {0.7, 0.9, 1.0}, 0.6);
  AddStop(body, 1, {1, 1, 1}, 0.95);
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  return Finish(cr, surface);
}

cairo_surface_t* DrawPsyche(int layer) {
  constexpr int size = 256;
  return PaintWithAlpha(size, size, [layer](double x, double y, double& alpha) {
    const double u = (x - 127.5) / 128, v = (y - 127.5) / 128;
    const double r = std::hypot(u, v), a = std::atan2(v, u);
    const double arms = layer == 1 ? 5 : 3;
    const double twist = layer == 1 ? 9 : -6;
    const double s = 0.5 + 0.5 * std::sin(a * arms + r * twist);
    const double hue = std::fmod((layer == 1 ? 280 : 160) + r * 200 + s * 60, 360);
    alpha = std::pow(s, 3) * Clamp01((1 - r) * 2.5);
    return arena::HueColour(hue, 0.85, 1.0);
  });
}

cairo_surface_t* DrawGoldStar() {
  constexpr int size = 128;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  PaintGlow(cr, 64, 64, 63, {1.0, 0.8, 0.2}, 0.5);
  cairo_translate(cr, 64, 66);
  for (int i = 0; i <= 10; ++i) {
    const double a = i * pi / 5 - pi / 2;
    const double r = i % 2 ? 20 : 48;
    if (i == 0) cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
    else cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_pattern_t* gold = cairo_pattern_create_radial(-12, -16, 2, 0, 0, 50);
  AddStop(gold, 0, {1.0, 1.0, 0.8});
  AddStop(gold, 0.5, {1.0, 0.8, 0.15});
  AddStop(gold, 1, {0.7, 0.4, 0.0});
  cairo_set_source(cr, gold);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gold);
  cairo_set_source_rgba(cr, 0.45, 0.25, 0.0, 0.9);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  return Finish(cr, surface);
}

}  // namespace scenery
