// SPDX-License-Identifier: GPL-3.0-or-later
// Explosions: the 31-frame burst shown where a brick or a monster dies, and the 24 frames of the
// big fireball, which the game adds by brightness over the scene (so it is opaque on black and
// must fade to black by its last frame).
#include <algorithm>
#include <cmath>

#include "weapon_common.h"

namespace weapon {

namespace {

struct Colour {
  double r, g, b;
};

// Black body-ish ramp: black, deep red, orange, yellow, white-hot.
Colour FireRamp(double heat) {
  const double stops[][4] = {{0, 0, 0, 0},          {0.2, 0.35, 0.03, 0},  {0.45, 0.85, 0.25, 0.02},
                             {0.7, 1, 0.62, 0.12},  {0.88, 1, 0.9, 0.5},   {1, 1, 1, 0.88}};
  heat = Clamp01(heat);
  for (int i = 1; i < 6; ++i) {
    if (heat <= stops[i][0]) {
      const double t = (heat - stops[i - 1][0]) / (stops[i][0] - stops[i - 1][0]);
      return {Mix(stops[i - 1][1], stops[i][1], t), Mix(stops[i - 1][2], stops[i][2], t),
              Mix(stops[i - 1][3], stops[i][3], t)};
    }
  }
  return {1, 1, 0.88};
}

// The burst, 96 x 96: a flash, a noisy fire core that swells and cools, a shock ring, sparks
// flung outwards and a puff of smoke that thins away; the last frame is almost empty.
cairo_surface_t* DrawBurst(int frame) {
  constexpr int size = 96;
  constexpr double centre = size / 2.0;
  cairo_surface_t* picture = NewPicture(size, size);
  const double t = frame / 30.0;
  const double radius = 8 + 30 * (1 - std::pow(1 - t, 2.5));
  const double heat = std::pow(1 - t, 1.6);
  const double smokeAmount = SmoothStep(0.1, 0.45, t) * (1 - SmoothStep(0.55, 1, t));
  cairo_surface_flush(picture);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
      const double d = std::hypot(dx, dy) / radius;
      const double n = Fractal3(dx / 11, dy / 11, t * 3, 4200, 4);
      const double shape = SmoothStep(1, 0.4, d + (n - 0.5) * (0.8 + 0.9 * t));
      const double fire = Clamp01(shape * heat * (0.6 + 0.8 * n) * (1.3 - 0.6 * d) * 1.5);
      const double smokeShape = SmoothStep(1.15, 0.5, d * 0.95 + (0.5 - n) * 0.6);
      const double smoke = smokeShape * smokeAmount * 0.75 * (1 - fire);
      const double alpha = Clamp01(fire + smoke);
      if (alpha <= 0) continue;
      const Colour hot = FireRamp(0.25 + 0.75 * fire);
      const double grey = 0.22 + 0.15 * n;
      PutPixel(picture, x, y, (hot.r * fire + grey * smoke) / alpha, (hot.g * fire + grey * 0.95 * smoke) / alpha,
               (hot.b * fire + grey * 0.9 * smoke) / alpha, alpha);
    }
  }
  cairo_surface_mark_dirty(picture);

  cairo_t* cr = cairo_create(picture);
  if (t < 0.3) AddGlow(cr, centre, centre, 16 + 50 * t, 1, 0.95, 0.75, 1 - t / 0.3);
  // Shock ring, quick and gone before the smoke comes.
  if (t < 0.4) {
    const double fade = 1 - t / 0.4;
    cairo_arc(cr, centre, centre, 12 + 80 * t, 0, 2 * pi);
    cairo_set_line_width(cr, 2 + 6 * t);
    cairo_set_source_rgba(cr, 1, 0.85, 0.5, 0.75 * fade * fade);
    cairo_stroke(cr);
  }
  // Sparks: the same twenty in every frame, each further out, shorter and dimmer.
  Rng rng = MakeRng(4300);
  const double travel = 1 - std::pow(1 - t, 2.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 20; ++i) {
    const double a = RandomBetween(rng, 0, 2 * pi), speed = RandomBetween(rng, 0.5, 1);
    const double reach = 6 + 40 * speed * travel, tail = std::max(0.0, reach - 12 * speed * (1 - t));
    cairo_move_to(cr, centre + tail * std::cos(a), centre + tail * std::sin(a));
    cairo_line_to(cr, centre + reach * std::cos(a), centre + reach * std::sin(a));
    cairo_set_line_width(cr, 1.6);
    cairo_set_source_rgba(cr, 1, 0.9, 0.55, std::pow(1 - t, 1.2));
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return picture;
}

// The fireball, 128 x 128, opaque: billows that swell with the ball, white-hot at first, then
// orange, red and finally black. Corners stay black in every frame.
cairo_surface_t* DrawFireball(int frame) {
  constexpr int size = 128;
  constexpr double centre = size / 2.0;
  cairo_surface_t* picture = NewPicture(size, size);
  const double t = frame / 23.0;
  const double radius = 20 + 38 * (1 - (1 - t) * (1 - t));
  const double heat = 1.25 * std::pow(1 - t, 1.35);
  cairo_surface_flush(picture);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = (x + 0.5 - centre) / radius, dy = (y + 0.5 - centre) / radius;
      const double d = std::hypot(dx, dy);
      const double n = Fractal3(dx * 2.4, dy * 2.4, t * 2.5, 5100, 4);
      const double shape = SmoothStep(1, 0.5, d + (n - 0.5) * 0.9);
      const double temperature = shape * heat * (0.2 + 1.25 * n) * (1.2 - 0.55 * d);
      const Colour c = FireRamp(temperature);
      PutPixel(picture, x, y, c.r, c.g, c.b, 1);
    }
  }
  cairo_surface_mark_dirty(picture);
  return picture;
}

}  // namespace

cairo_surface_t* DrawExplosionPicture(const std::string& fileName) {
  int frame = 0;
  if (MatchFrame(fileName, "gfx/explosion/tiles_explosion", ".png", 31, frame)) return DrawBurst(frame);
  if (MatchFrame(fileName, "gfx/explosion/Explosion", ".jpg", 24, frame)) return DrawFireball(frame);
  return nullptr;
}

}  // namespace weapon
