// SPDX-License-Identifier: GPL-3.0-or-later
// Brick tiles, 64 x 20, 16 frames each: glossy colour tiles with a sweeping shine, the riveted
// steel of the unbreakable brick, the cracked multi-hit bricks and the teleporter's swirl.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "arena_common.h"
#include "arena_families.h"

namespace arena {
namespace {

constexpr int brickWidth = 64, brickHeight = 20;

// The shine crosses the tile once per loop, entering on the left as it leaves on the right.
double ShineX(int frame) { return -12.0 + 96.0 * LoopPhase(frame, 16); }

void DrawColourBrick(cairo_t* cr, Rgb base, bool dark, int frame) {
  // A gentle pulse of the body colour so the still part of the tile breathes too.
  const double pulse = 0.06 * std::sin(2 * pi * LoopPhase(frame, 16));
  const Rgb body = pulse > 0 ? Lighten(base, pulse) : Darken(base, -pulse);
  FillGlossyTile(cr, 0, 0, brickWidth, brickHeight, 3, body);
  if (dark) {
    // A black tile vanishes against dark scenery without a lit rim.
    RoundedRectPath(cr, 0.75, 0.75, brickWidth - 1.5, brickHeight - 1.5, 3);
    cairo_set_line_width(cr, 1.5);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 0, brickWidth, brickHeight);
    cairo_pattern_add_color_stop_rgba(rim, 0.0, 0.75, 0.82, 0.95, 1.0);
    cairo_pattern_add_color_stop_rgba(rim, 1.0, 0.35, 0.4, 0.55, 1.0);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
  }
  RoundedRectPath(cr, 1, 1, brickWidth - 2, brickHeight - 2, 2.5);
  cairo_clip(cr);
  SweepShine(cr, ShineX(frame), 9, dark ? 0.35 : 0.5);
  cairo_reset_clip(cr);
}

// glint 0..1: a spark of light on the rivet's head.
void DrawRivet(cairo_t* cr, double x, double y, double glint = 0) {
  cairo_arc(cr, x + 0.5, y + 0.7, 2.4, 0, 2 * pi);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_fill(cr);
  FillSphere(cr, x, y, 2.2, {0.62, 0.64, 0.68});
  if (glint > 0) FillSoftGlow(cr, x - 0.6, y - 0.8, 3.5, {1, 1, 1}, glint);
}

void DrawSteelBrick(cairo_t* cr, int frame) {
  RoundedRectPath(cr, 0, 0, brickWidth, brickHeight, 2);
  cairo_set_source_rgb(cr, 0.16, 0.17, 0.19);
  cairo_fill(cr);
  // Brushed steel: banded vertical gradient.
  RoundedRectPath(cr, 1, 1, brickWidth - 2, brickHeight - 2, 1.5);
  cairo_pattern_t* steel = cairo_pattern_create_linear(0, 1, 0, brickHeight - 1);
  cairo_pattern_add_color_stop_rgb(steel, 0.0, 0.86, 0.88, 0.9);
  cairo_pattern_add_color_stop_rgb(steel, 0.3, 0.6, 0.62, 0.66);
  cairo_pattern_add_color_stop_rgb(steel, 0.55, 0.72, 0.74, 0.77);
  cairo_pattern_add_color_stop_rgb(steel, 1.0, 0.38, 0.4, 0.44);
  cairo_set_source(cr, steel);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(steel);
  cairo_clip(cr);
  // Brush marks: fixed streaks from a small formula, the same in every frame.
  cairo_set_line_width(cr, 0.6);
  for (int i = 0; i < 14; ++i) {
    const double y = 2.5 + i * 1.15;
    const double x0 = std::fmod(i * 23.7, 30.0);
    const double length = 18 + std::fmod(i * 17.3, 26.0);
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x0 + length, y);
    cairo_set_source_rgba(cr, i % 2 ? 1 : 0, i % 2 ? 1 : 0, i % 2 ? 1 : 0, 0.12);
    cairo_stroke(cr);
  }
  // Inset plate edge.
  cairo_set_line_width(cr, 1.0);
  RoundedRectPath(cr, 8.5, 3.5, brickWidth - 17, brickHeight - 7, 1.5);
  cairo_set_source_rgba(cr, 0.2, 0.22, 0.26, 0.55);
  cairo_stroke(cr);
  RoundedRectPath(cr, 9.5, 4.5, brickWidth - 17, brickHeight - 7, 1.5);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
  cairo_stroke(cr);
  SweepShine(cr, ShineX(frame), 6, 0.55);
  cairo_reset_clip(cr);
  // Bevel.
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, 1.5, brickHeight - 2);
  cairo_line_to(cr, 1.5, 1.5);
  cairo_line_to(cr, brickWidth - 2, 1.5);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
  cairo_stroke(cr);
  // The rivets catch the light in turn, clockwise, so the tile lives even between shines.
  const double corners[4][2] = {{4.5, 4.5},
                                {brickWidth - 4.5, 4.5},
                                {brickWidth - 4.5, brickHeight - 4.5},
                                {4.5, brickHeight - 4.5}};
  for (int i = 0; i < 4; ++i) {
    const double distance = std::fabs(std::fmod(frame / 4.0 - i + 4.0, 4.0) - 0.5);
    DrawRivet(cr, corners[i][0], corners[i][1], std::max(0.0, 0.9 - distance * 0.6));
  }
}

// A crack: a polyline in tile coordinates.
struct Crack {
  int count;
  double points[6][2];
};

// The cracks, listed so that a weaker brick shows all of the sturdier one's cracks and more.
const Crack cracks[] = {
    {4, {{22, 0}, {25, 6}, {23, 11}, {28, 15}}},
    {5, {{44, 20}, {41, 14}, {45, 9}, {42, 5}, {46, 2}}},
    {4, {{0, 11}, {6, 9}, {11, 12}, {16, 10}}},
    {4, {{25, 6}, {31, 5}, {36, 8}, {41, 14}}},
    {4, {{64, 7}, {58, 9}, {54, 6}, {49, 8}}},
    {2, {{28, 15}, {33, 20}}},
    {3, {{11, 12}, {13, 17}, {10, 20}}},
    {4, {{54, 6}, {55, 12}, {60, 15}, {64, 14}}},
};

void CrackPath(cairo_t* cr, const Crack& crack, double dx, double dy) {
  const int n = crack.count;
  cairo_move_to(cr, crack.points[0][0] + dx, crack.points[0][1] + dy);
  for (int i = 1; i < n; ++i) cairo_line_to(cr, crack.points[i][0] + dx, crack.points[i][1] + dy);
}

// hitsLeft 3, 2 or 1: fewer hits left means a paler, thinner, more cracked tile.
void DrawCrackedBrick(cairo_t* cr, int hitsLeft, int frame) {
  const Rgb stone[] = {{0.62, 0.5, 0.4}, {0.5, 0.42, 0.38}, {0.38, 0.36, 0.42}};
  const Rgb base = stone[hitsLeft - 1];
  FillGlossyTile(cr, 0, 0, brickWidth, brickHeight, 2, base);
  if (hitsLeft == 3) {
    // Reinforced frame with corner plates: the sturdiest look.
    cairo_set_line_width(cr, 2.0);
    RoundedRectPath(cr, 2, 2, brickWidth - 4, brickHeight - 4, 1.5);
    cairo_set_source_rgba(cr, 0.15, 0.16, 0.2, 0.85);
    cairo_stroke(cr);
    for (double x : {5.0, brickWidth - 5.0}) {
      for (double y : {5.0, brickHeight - 5.0}) DrawRivet(cr, x, y);
    }
  } else if (hitsLeft == 2) {
    cairo_set_line_width(cr, 1.0);
    RoundedRectPath(cr, 2.5, 2.5, brickWidth - 5, brickHeight - 5, 1.5);
    cairo_set_source_rgba(cr, 0.15, 0.16, 0.2, 0.6);
    cairo_stroke(cr);
  }

  const int crackCount = hitsLeft == 3 ? 1 : hitsLeft == 2 ? 4 : 8;
  // Heat glowing in the cracks, pulsing over the loop.
  const double pulse = 0.5 + 0.5 * std::sin(2 * pi * LoopPhase(frame, 16));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < crackCount; ++i) {
    CrackPath(cr, cracks[i], 0, 0);
    cairo_set_line_width(cr, 3.5);
    cairo_set_source_rgba(cr, 1.0, 0.55, 0.1, 0.15 + 0.35 * pulse);
    cairo_stroke(cr);
    CrackPath(cr, cracks[i], 0, 1);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_stroke(cr);
    CrackPath(cr, cracks[i], 0, 0);
    cairo_set_line_width(cr, hitsLeft == 1 ? 1.6 : 1.2);
    cairo_set_source_rgba(cr, 0.08, 0.05, 0.04, 0.95);
    cairo_stroke(cr);
    CrackPath(cr, cracks[i], 0, 0);
    cairo_set_line_width(cr, 0.5);
    cairo_set_source_rgba(cr, 1.0, 0.75, 0.3, 0.2 + 0.6 * pulse);
    cairo_stroke(cr);
  }
  if (hitsLeft == 1) {
    // Chipped corners: knocked out of the picture altogether.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 7, 0);
    cairo_line_to(cr, 3, 3);
    cairo_line_to(cr, 0, 5);
    cairo_close_path(cr);
    cairo_move_to(cr, brickWidth, brickHeight);
    cairo_line_to(cr, brickWidth - 9, brickHeight);
    cairo_line_to(cr, brickWidth - 5, brickHeight - 3);
    cairo_line_to(cr, brickWidth, brickHeight - 6);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  }
}

void DrawTeleportBrick(cairo_t* cr, int frame) {
  FillGlossyTile(cr, 0, 0, brickWidth, brickHeight, 3, {0.45, 0.12, 0.6});
  // The portal well.
  RoundedRectPath(cr, 3, 3, brickWidth - 6, brickHeight - 6, 5);
  cairo_set_source_rgb(cr, 0.04, 0.0, 0.1);
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  const double cx = brickWidth / 2.0, cy = brickHeight / 2.0;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 27, 7);
  // Glow of the throat.
  cairo_pattern_t* throat = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(throat, 0.0, 0.95, 0.9, 1.0, 1.0);
  cairo_pattern_add_color_stop_rgba(throat, 0.25, 0.5, 0.75, 1.0, 0.8);
  cairo_pattern_add_color_stop_rgba(throat, 1.0, 0.6, 0.1, 0.9, 0.0);
  cairo_set_source(cr, throat);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(throat);
  // Three spiral arms turning a full circle over the loop (the swirl is three-fold, so the
  // motion reads as a steady spin).
  const double turn = 2 * pi * LoopPhase(frame, 16);
  for (int arm = 0; arm < 3; ++arm) {
    const double start = turn + arm * 2 * pi / 3;
    for (int i = 0; i < 22; ++i) {
      const double t = i / 21.0;
      const double angle = start + t * 3.2;
      const double radius = 0.12 + 0.95 * t;
      const double x = radius * std::cos(angle), y = radius * std::sin(angle);
      cairo_arc(cr, x, y, 0.09 + 0.07 * (1 - t), 0, 2 * pi);
      const Rgb c = Mix({0.55, 0.95, 1.0}, {0.95, 0.3, 1.0}, t);
      SetColour(cr, c, 0.85 * (1 - t * 0.7));
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  cairo_reset_clip(cr);
  // Lit rim of the well.
  cairo_set_line_width(cr, 1.0);
  RoundedRectPath(cr, 3.5, 3.5, brickWidth - 7, brickHeight - 7, 5);
  cairo_set_source_rgba(cr, 0.85, 0.6, 1.0, 0.8);
  cairo_stroke(cr);
}

}  // namespace

cairo_surface_t* DrawBrick(std::string_view family, int frame) {
  if (frame < 0 || frame > 15) return nullptr;
  struct Colour {
    const char* name;
    Rgb rgb;
  };
  const Colour colours[] = {{"red", {0.85, 0.1, 0.1}},     {"green", {0.15, 0.75, 0.2}},
                            {"blue", {0.15, 0.3, 0.9}},    {"yellow", {0.95, 0.8, 0.1}},
                            {"magenta", {0.85, 0.15, 0.8}}, {"cyan", {0.1, 0.8, 0.9}},
                            {"white", {0.88, 0.88, 0.9}},  {"black", {0.1, 0.1, 0.12}}};
  cairo_surface_t* surface = NewPicture(brickWidth, brickHeight);
  cairo_t* cr = cairo_create(surface);
  bool drawn = true;
  if (family == "ub") DrawSteelBrick(cr, frame);
  else if (family == "tp") DrawTeleportBrick(cr, frame);
  else if (family == "3c") DrawCrackedBrick(cr, 3, frame);
  else if (family == "2c") DrawCrackedBrick(cr, 2, frame);
  else if (family == "1c") DrawCrackedBrick(cr, 1, frame);
  else {
    drawn = false;
    for (const Colour& c : colours) {
      if (family == c.name) {
        DrawColourBrick(cr, c.rgb, family == "black", frame);
        drawn = true;
      }
    }
  }
  cairo_destroy(cr);
  if (!drawn) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace arena
