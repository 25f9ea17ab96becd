// SPDX-License-Identifier: GPL-3.0-or-later
// The eight background pictures of the level styles, each 740 x 748 (from x 80 to the right
// panel at 820, from y 20 to the bottom), and the three panels that frame the playfield.
#include <cmath>
#include <string>

#include "scenery_common.h"
#include "scenery_pictures.h"

namespace scenery {

namespace {

using arena::AddStop;
using arena::Darken;
using arena::Lighten;
using arena::Mix;
using arena::SetColour;

constexpr int width = 740, height = 748;

Rgb Scale(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Rgb Add(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// A storm sky: heavy clouds whose lower edges are lit from below by a fire on the horizon.
Rgb StormPixel(double x, double y) {
  const double v = static_cast<double>(y) / height;
  Rgb sky = Mix({0.02, 0.02, 0.06}, {0.16, 0.07, 0.14}, std::pow(v, 1.6));
  const double fx = x / 210.0, fy = y / 120.0;
  const double d = Fractal(fx, fy, 6, 11);
  const double below = Fractal(fx, fy + 0.07, 6, 11);
  const double density = SmoothStep(0.42, 0.70, d);
  const double rim = Clamp01((d - below) * 9) * (0.35 + 0.65 * v);
  Rgb cloud = Mix({0.07, 0.07, 0.11}, {0.20, 0.18, 0.26}, Fractal(fx * 2, fy * 2, 3, 12));
  cloud = Add(cloud, Scale({1.0, 0.55, 0.35}, rim * 0.9));
  Rgb c = Mix(sky, cloud, density);
  // Distant sheet lightning behind the clouds.
  const double flash = std::exp(-std::pow((x - 520.0) / 160, 2) - std::pow((y - 180.0) / 120, 2));
  c = Add(c, Scale({0.35, 0.35, 0.55}, flash * (1 - density) * 0.6));
  return c;
}

// Near black with a fine grain and the faintest nebula, so the glows have something to sit on.
Rgb BlackPixel(double x, double y) {
  const int px = NormalPixel(x), py = NormalPixel(y);
  const double grain = (Hash(px, py, 3) - 0.5) * 0.035;
  const double haze = std::pow(Fractal(x / 260.0, y / 260.0, 4, 4), 3) * 0.09;
  const double star = Hash(px, py, 5) > 0.9985 ? 0.25 * Hash(py, px, 6) : 0;
  return {0.018 + grain + haze * 0.6 + star, 0.016 + grain + haze * 0.3 + star,
          0.028 + grain + haze + star};
}

// A sky over a sea of clouds that reaches to a bright horizon; the clouds flying at the viewer
// rise out of it.
constexpr int cloudHorizon = 470;
Rgb CloudsPixel(double x, double y) {
  if (y < cloudHorizon) {
    const double v = static_cast<double>(y) / cloudHorizon;
    Rgb c = Mix({0.05, 0.12, 0.35}, {0.62, 0.74, 0.92}, std::pow(v, 2.2));
    const double wisp = SmoothStep(0.55, 0.8, Fractal(x / 300.0, y / 40.0, 5, 21));
    return Mix(c, {0.85, 0.88, 0.95}, wisp * 0.5 * v);
  }
  const double depth = (y - cloudHorizon + 8.0) / (height - cloudHorizon);  // 0 far, 1 near
  const double fx = (x - width / 2.0) / (60 + 500 * depth), fy = 12.0 / depth;
  const double d = Fractal(fx, fy, 5, 22);
  const double light = Clamp01(0.55 + (d - Fractal(fx, fy - 0.15, 5, 22)) * 4);
  Rgb c = Mix({0.45, 0.52, 0.68}, {0.96, 0.96, 1.0}, light);
  c = Mix(c, {0.80, 0.85, 0.95}, std::exp(-depth * 6));  // haze at the horizon
  return Scale(c, 0.92 - 0.25 * depth);
}

// A deep blue with shafts of light falling from above.
Rgb BluePixel(double x, double y) {
  const double v = static_cast<double>(y) / height;
  Rgb c = Mix({0.02, 0.10, 0.30}, {0.0, 0.02, 0.08}, v);
  const double shaft = std::pow(0.5 + 0.5 * std::sin((x + y * 0.35) / 38.0 + 2 * Noise(x / 90.0, 0, 31)), 6);
  c = Add(c, Scale({0.10, 0.22, 0.40}, shaft * (1 - v) * 0.5));
  c = Add(c, Scale({0.0, 0.04, 0.08}, Fractal(x / 120.0, y / 120.0, 4, 32)));
  return c;
}

// Caustics: bright veins of light wandering over a turquoise floor.
double Caustic(double x, double y, uint32_t seed) {
  const double wx = x + 1.4 * Fractal(x * 0.7, y * 0.7, 3, seed);
  const double wy = y + 1.4 * Fractal(x * 0.7 + 5, y * 0.7 + 5, 3, seed);
  const double n = Fractal(wx, wy, 3, seed + 7);
  return std::pow(1 - std::fabs(n - 0.5) * 2, 10);
}
Rgb WaterPixel(double x, double y) {
  const double v = static_cast<double>(y) / height;
  Rgb c = Mix({0.02, 0.30, 0.38}, {0.0, 0.10, 0.18}, v);
  const double k = Caustic(x / 95.0, y / 95.0, 41) + 0.6 * Caustic(x / 55.0, y / 55.0, 43);
  return Add(c, Scale({0.45, 0.85, 0.80}, k * (0.55 - 0.35 * v)));
}

// A dead land: a sky red with smoke over a cracked plain.
constexpr int deathHorizon = 520;
Rgb DeathPixel(double x, double y) {
  if (y < deathHorizon) {
    const double v = static_cast<double>(y) / deathHorizon;
    Rgb c = Mix({0.04, 0.01, 0.01}, {0.42, 0.10, 0.03}, std::pow(v, 2.5));
    const double smoke = Fractal(x / 180.0, y / 70.0, 5, 51);
    return Mix(c, {0.10, 0.06, 0.05}, SmoothStep(0.45, 0.75, smoke) * 0.85);
  }
  const double depth = (y - deathHorizon + 4.0) / (height - deathHorizon);
  const double fx = (x - width / 2.0) / (40 + 300 * depth), fy = 8.0 / depth;
  const double ground = Fractal(fx, fy, 5, 52);
  const double crack = std::pow(1 - std::fabs(Fractal(fx * 0.8, fy * 0.8, 3, 53) - 0.5) * 2, 24);
  Rgb c = Mix({0.10, 0.06, 0.04}, {0.24, 0.15, 0.09}, ground);
  c = Mix(c, {0.55, 0.12, 0.02}, crack * 0.8);  // embers glowing in the cracks
  return Scale(c, 0.5 + 0.5 * depth);
}

void DrawDeadTree(cairo_t* cr, double x, double y, double length, double angle, int depth) {
  if (depth == 0 || length < 3) return;
  const double ex = x + length * std::sin(angle), ey = y - length * std::cos(angle);
  cairo_set_line_width(cr, depth * 1.3);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, ex, ey);
  cairo_stroke(cr);
  DrawDeadTree(cr, ex, ey, length * 0.72, angle - 0.45 + 0.1 * (depth % 3), depth - 1);
  DrawDeadTree(cr, ex, ey, length * 0.65, angle + 0.5, depth - 1);
}

void DrawRuins(cairo_t* cr) {
  cairo_set_source_rgb(cr, 0.03, 0.015, 0.01);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  DrawDeadTree(cr, 110, 560, 70, -0.1, 6);
  DrawDeadTree(cr, 640, 590, 90, 0.15, 7);
  // Broken columns on the horizon.
  const double columns[][3] = {{300, 120, 0}, {360, 70, 1}, {420, 140, 0}, {480, 50, 1}};
  for (const auto& col : columns) {
    const double cx = col[0], h = col[1];
    cairo_rectangle(cr, cx - 12, deathHorizon + 6 - h, 24, h);
    cairo_fill(cr);
    if (col[2] == 0) {
      cairo_rectangle(cr, cx - 18, deathHorizon + 6 - h - 8, 36, 9);
      cairo_fill(cr);
    } else {
      cairo_move_to(cr, cx - 12, deathHorizon + 6 - h);
      cairo_line_to(cr, cx, deathHorizon - h - 10);
      cairo_line_to(cr, cx + 12, deathHorizon + 6 - h + 6);
      cairo_fill(cr);
    }
  }
  cairo_rectangle(cr, 290, deathHorizon + 2, 200, 8);
  cairo_fill(cr);
}

// A sea under a low sun: the sky turns from violet to gold, the sun's path glitters on the waves.
constexpr int seaHorizon = 330;
Rgb SeaPixel(double x, double y) {
  const double sunX = 470, sunY = seaHorizon - 40;
  if (y < seaHorizon) {
    const double v = static_cast<double>(y) / seaHorizon;
    Rgb c = Mix({0.10, 0.06, 0.25}, {0.95, 0.55, 0.25}, std::pow(v, 1.8));
    const double sun = std::hypot(x - sunX, y - sunY);
    c = Add(c, Scale({1.0, 0.75, 0.4}, std::exp(-sun / 70) * 0.8));
    if (sun < 34) c = Mix(c, {1.0, 0.93, 0.75}, SmoothStep(34, 30, sun));
    const double band = SmoothStep(0.6, 0.8, Fractal(x / 260.0, y / 18.0, 4, 61));
    return Mix(c, {0.45, 0.20, 0.30}, band * 0.6 * v);
  }
  const double depth = (y - seaHorizon + 3.0) / (height - seaHorizon);
  Rgb c = Mix({0.30, 0.20, 0.35}, {0.02, 0.06, 0.14}, std::pow(depth, 0.5));
  const double wave = Fractal(x / (8 + 90 * depth), (y - seaHorizon) / (2 + 20 * depth), 4, 62);
  const double path = std::exp(-std::pow((x - sunX) / (40 + 200 * depth), 2));
  const double glitter = SmoothStep(0.6, 0.75, wave) * path;
  c = Add(c, Scale({1.0, 0.7, 0.4}, glitter * (1.1 - depth)));
  return Add(c, Scale({0.05, 0.08, 0.12}, wave - 0.5));
}

// A temple hall: stone walls, a row of columns each side, a great arch over the altar and
// braziers; the guardian rises in the arch.
Rgb TemplePixel(double x, double y) {
  const double stone = Fractal(x / 40.0, y / 40.0, 5, 71);
  const double v = static_cast<double>(y) / height;
  Rgb c = Mix({0.10, 0.08, 0.07}, {0.22, 0.17, 0.13}, stone);
  // Courses of masonry.
  // The joints cover whole pixels of the normal picture: from half a pixel before their first.
  const double top = y + 0.5;
  const int row = static_cast<int>(std::floor(top / 46));
  const double jointX = std::fmod(x + 0.5 + (row % 2) * 40, 80);
  if (std::fmod(top, 46) < 2 || jointX < 2) c = Darken(c, 0.5);
  // Warm light from the braziers below, darkness high up.
  return Scale(c, 0.35 + 0.75 * v);
}

void DrawTempleHall(cairo_t* cr) {
  // The arch over the altar, lit from inside.
  cairo_pattern_t* inside = cairo_pattern_create_radial(370, 230, 10, 370, 230, 260);
  AddStop(inside, 0, {0.35, 0.12, 0.30}, 1);
  AddStop(inside, 1, {0.02, 0.0, 0.04}, 1);
  cairo_move_to(cr, 230, 460);
  cairo_line_to(cr, 230, 220);
  cairo_arc(cr, 370, 220, 140, pi, 2 * pi);
  cairo_line_to(cr, 510, 460);
  cairo_close_path(cr);
  cairo_set_source(cr, inside);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(inside);
  cairo_set_line_width(cr, 18);
  cairo_set_source_rgb(cr, 0.30, 0.23, 0.16);
  cairo_stroke(cr);
  // Columns, lit on the side that faces the middle.
  for (int i = 0; i < 2; ++i) {
    for (int side = 0; side < 2; ++side) {
      const double x = side == 0 ? 40 + i * 110 : width - 40 - i * 110 - 56;
      cairo_pattern_t* shade = cairo_pattern_create_linear(x, 0, x + 56, 0);
      const Rgb lit{0.52, 0.40, 0.28}, dark{0.12, 0.09, 0.07};
      AddStop(shade, 0, side == 0 ? dark : lit);
      AddStop(shade, 1, side == 0 ? lit : dark);
      cairo_rectangle(cr, x, 40, 56, 560);
      cairo_set_source(cr, shade);
      cairo_fill(cr);
      cairo_pattern_destroy(shade);
      cairo_set_source_rgb(cr, 0.28, 0.21, 0.15);
      cairo_rectangle(cr, x - 8, 24, 72, 18);
      cairo_rectangle(cr, x - 8, 596, 72, 22);
      cairo_fill(cr);
      for (int f = 1; f < 5; ++f) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
        cairo_rectangle(cr, x + f * 11, 44, 2, 552);
        cairo_fill(cr);
      }
    }
  }
  // The floor in perspective.
  cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.35);
  cairo_set_line_width(cr, 2);
  for (int i = -8; i <= 8; ++i) {
    cairo_move_to(cr, 370 + i * 30, 620);
    cairo_line_to(cr, 370 + i * 110, height);
  }
  for (double y = 626; y < height; y += (y - 600) * 0.35) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, width, y);
  }
  cairo_stroke(cr);
  // Braziers at the foot of the arch.
  for (double x : {200.0, 540.0}) {
    cairo_set_source_rgb(cr, 0.15, 0.11, 0.08);
    cairo_rectangle(cr, x - 14, 520, 28, 80);
    cairo_fill(cr);
    arena::FillSoftGlow(cr, x, 505, 80, {1.0, 0.55, 0.15}, 0.55);
    arena::FillSoftGlow(cr, x, 510, 26, {1.0, 0.85, 0.4}, 0.9);
  }
}

cairo_surface_t* WithDrawing(cairo_surface_t* surface, void (*draw)(cairo_t*)) {
  cairo_t* cr = cairo_create(surface);
  draw(cr);
  return Finish(cr, surface);
}

// ---------------------------------------------------------------- the panels

// Dark blued steel with a brushed grain, a bevel, rivets and a glowing seam on the inner edge.
cairo_surface_t* DrawPanel(int w, int h, int seamSide, uint32_t seed) {
  cairo_surface_t* surface = PaintOpaque(w, h, [&](double x, double y) {
    const double brush = Fractal(x / 60.0, y / 1.5, 3, seed) * 0.06 + (Hash(NormalPixel(x), NormalPixel(y), seed) - 0.5) * 0.02;
    const double v = static_cast<double>(y) / h;
    Rgb c = Mix({0.10, 0.11, 0.16}, {0.05, 0.05, 0.09}, v);
    return Rgb{c.r + brush, c.g + brush, c.b + brush * 1.3};
  });
  cairo_t* cr = cairo_create(surface);
  // Bevel: light along the top and left, shadow along the bottom and right.
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 0.6, 0.65, 0.8, 0.35);
  cairo_move_to(cr, 1, h - 1);
  cairo_line_to(cr, 1, 1);
  cairo_line_to(cr, w - 1, 1);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_move_to(cr, w - 1, 1);
  cairo_line_to(cr, w - 1, h - 1);
  cairo_line_to(cr, 1, h - 1);
  cairo_stroke(cr);
  // The seam along the playfield: a thin cyan light.
  const Rgb seam{0.3, 0.8, 1.0};
  for (int i = 0; i < 3; ++i) {
    const double a = i == 0 ? 0.9 : 0.25 / i;
    SetColour(cr, seam, a);
    cairo_set_line_width(cr, i == 0 ? 1.5 : 2.0 * i + 1);
    if (seamSide == 0) {  // bottom edge
      cairo_move_to(cr, 0, h - 2.5 - i);
      cairo_line_to(cr, w, h - 2.5 - i);
    } else if (seamSide == 1) {  // right edge
      cairo_move_to(cr, w - 3.5 - i, 0);
      cairo_line_to(cr, w - 3.5 - i, h);
    } else {  // left edge
      cairo_move_to(cr, 3.5 + i, 0);
      cairo_line_to(cr, 3.5 + i, h);
    }
    cairo_stroke(cr);
  }
  return Finish(cr, surface);
}

void Rivet(cairo_t* cr, double x, double y) {
  arena::FillSphere(cr, x, y, 4, {0.45, 0.48, 0.58});
}

cairo_surface_t* DrawLeftPanel() {
  cairo_surface_t* surface = DrawPanel(80, 768, 1, 81);
  cairo_t* cr = cairo_create(surface);
  // Grooves and rivets, and a row of small lamps.
  for (int y = 60; y < 768; y += 120) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_rectangle(cr, 14, y, 46, 3);
    cairo_fill(cr);
    Rivet(cr, 12, y + 30);
    Rivet(cr, 62, y + 30);
    arena::FillSoftGlow(cr, 37, y + 62, 10, {0.3, 0.8, 1.0}, 0.6);
    arena::FillSphere(cr, 37, y + 62, 3, {0.5, 0.9, 1.0});
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawRightPanel() {
  cairo_surface_t* surface = DrawPanel(204, 768, 2, 82);
  cairo_t* cr = cairo_create(surface);
  // Recessed wells where the score and the letters stand, so the silver reads on dark.
  const double wells[][2] = {{40, 90}, {160, 90}, {270, 60}, {390, 70}};
  for (const auto& well : wells) {
    arena::RoundedRectPath(cr, 14, well[0], 178, well[1], 10);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.02, 0.55);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.5, 0.6, 0.8, 0.3);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  for (int y = 20; y < 768; y += 150) {
    Rivet(cr, 196, y);
    Rivet(cr, 14, y + 75);
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawTopPanel() {
  cairo_surface_t* surface = DrawPanel(740, 20, 0, 83);
  cairo_t* cr = cairo_create(surface);
  for (int x = 20; x < 740; x += 60) Rivet(cr, x, 9);
  return Finish(cr, surface);
}

}  // namespace

cairo_surface_t* DrawBackgroundPicture(const std::string& style) {
  if (style == "storm") return PaintOpaque(width, height, StormPixel);
  if (style == "black") return PaintOpaque(width, height, BlackPixel);
  if (style == "clouds") return PaintOpaque(width, height, CloudsPixel);
  if (style == "blue") return PaintOpaque(width, height, BluePixel);
  if (style == "water") return PaintOpaque(width, height, WaterPixel);
  if (style == "death") return WithDrawing(PaintOpaque(width, height, DeathPixel), DrawRuins);
  if (style == "sea") return PaintOpaque(width, height, SeaPixel);
  if (style == "temple") return WithDrawing(PaintOpaque(width, height, TemplePixel), DrawTempleHall);
  return nullptr;
}

cairo_surface_t* DrawPanelPicture(const std::string& which) {
  if (which == "top") return DrawTopPanel();
  if (which == "left") return DrawLeftPanel();
  if (which == "right") return DrawRightPanel();
  return nullptr;
}

}  // namespace scenery
