// SPDX-License-Identifier: GPL-3.0-or-later
// The storm level's lightning: one picture of the whole 1024 x 768 screen, drawn at the top-left
// corner and slightly stretched at random while it flashes.
#include <cmath>
#include <vector>

#include "weapon_common.h"

namespace weapon {

namespace {

struct Point {
  double x, y;
};

// Jagged path from a to b by midpoint displacement: each middle is pushed sideways by a random
// share of the segment's length, until segments are a few pixels long.
void Jag(Rng& rng, Point a, Point b, double roughness, std::vector<Point>& path) {
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  if (length < 7) {
    path.push_back(b);
    return;
  }
  const double push = RandomBetween(rng, -roughness, roughness) * length;
  const Point middle = {(a.x + b.x) / 2 - (b.y - a.y) / length * push,
                        (a.y + b.y) / 2 + (b.x - a.x) / length * push};
  Jag(rng, a, middle, roughness, path);
  Jag(rng, middle, b, roughness, path);
}

std::vector<Point> Bolt(Rng& rng, Point from, Point to, double roughness) {
  std::vector<Point> path = {from};
  Jag(rng, from, to, roughness, path);
  return path;
}

// Glow layers from the widest and faintest to the white core; weight thins a branch.
void StrokeBolt(cairo_t* cr, const std::vector<Point>& path, double weight, int layer) {
  const double widths[] = {44, 18, 7, 2.6};
  const double colours[][4] = {{0.35, 0.45, 1, 0.05}, {0.5, 0.6, 1, 0.12}, {0.72, 0.8, 1, 0.45}, {1, 1, 1, 1}};
  cairo_new_path(cr);
  for (const Point& p : path) cairo_line_to(cr, p.x, p.y);
  cairo_set_line_width(cr, widths[layer] * weight + (layer == 3 ? 0.6 : 0));
  cairo_set_source_rgba(cr, colours[layer][0], colours[layer][1], colours[layer][2], colours[layer][3]);
  cairo_stroke(cr);
}

cairo_surface_t* DrawStrike() {
  cairo_surface_t* picture = NewPicture(1024, 768);
  cairo_t* cr = cairo_create(picture);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Rng rng = MakeRng(2094);

  // A pale flash over the sky, strongest at the top.
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 560);
  cairo_pattern_add_color_stop_rgba(sky, 0, 0.6, 0.7, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(sky, 1, 0.6, 0.7, 1, 0);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);

  struct Branch {
    std::vector<Point> path;
    double weight;
  };
  std::vector<Branch> branches;
  branches.push_back({Bolt(rng, {480, -20}, {410, 770}, 0.22), 1});
  // Forks off the trunk, and a few twigs off each fork.
  const std::vector<Point> trunk = branches[0].path;
  for (int i = 0; i < 8; ++i) {
    const Point start = trunk[trunk.size() * (i + 1) / 10];
    const double side = i % 2 == 0 ? 1 : -1;
    const double angle = pi / 2 - side * RandomBetween(rng, 0.35, 0.9);
    const double length = RandomBetween(rng, 140, 340) * (1 - i * 0.06);
    const Point end = {start.x + length * std::cos(angle), start.y + length * std::sin(angle)};
    Branch fork = {Bolt(rng, start, end, 0.25), 0.55};
    for (int k = 0; k < 2; ++k) {
      const Point twigStart = fork.path[fork.path.size() * (k + 1) / 3];
      const double twigAngle = angle + RandomBetween(rng, -0.7, 0.7);
      const double twigLength = RandomBetween(rng, 50, 130);
      branches.push_back({Bolt(rng, twigStart,
                               {twigStart.x + twigLength * std::cos(twigAngle),
                                twigStart.y + twigLength * std::sin(twigAngle)},
                               0.3),
                          0.3});
    }
    branches.push_back(fork);
  }
  for (int layer = 0; layer < 4; ++layer) {
    for (const Branch& b : branches) StrokeBolt(cr, b.path, b.weight, layer);
  }
  // Where it strikes the ground.
  AddGlow(cr, trunk.back().x, 760, 120, 0.7, 0.8, 1, 0.5);
  cairo_destroy(cr);
  return picture;
}

}  // namespace

cairo_surface_t* DrawMiscWeaponPicture(const std::string& fileName) {
  if (fileName == "gfx/strike.tif") return DrawStrike();
  return nullptr;
}

}  // namespace weapon
