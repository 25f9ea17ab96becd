// SPDX-License-Identifier: GPL-3.0-or-later
// The shooting gallery's pictures: tin figures on wooden pegs (three ducks, a shopping
// trolley, a snail, a hen and a calf), the cannon and its bullet. Each figure is drawn facing
// the way it rides the outer rails, rightwards ("_f" names); the middle rail's pictures, which
// ride leftwards, are the same figures mirrored.
#include <cmath>
#include <string>
#include <string_view>

#include "generators.h"
#include "side_common.h"

namespace {

using arena::Darken;
using arena::Lighten;
using arena::pi;
using arena::Rgb;
using arena::SetColour;
using side::PaintInked;

constexpr int figureSize = 64;  // every figure stands on its rail line at the picture's foot
constexpr double badgeX = 28, badgeY = 47;  // the duck's worth, on its body
const Rgb ink{0.08, 0.06, 0.1};
const Rgb wood = arena::RgbFromHex(0x9a6532);

// The peg that clips the figure to its rail.
void DrawPeg(cairo_t* cr) {
  cairo_rectangle(cr, 28, 52, 8, 12);
  PaintInked(cr, wood, 52, 64, 1.2);
  cairo_rectangle(cr, 20, 59, 24, 5);
  PaintInked(cr, Darken(wood, 0.2), 59, 64, 1.2);
}

void DrawEye(cairo_t* cr, double x, double y, double r) {
  cairo_arc(cr, x, y, r, 0, 2 * pi);
  SetColour(cr, {1, 1, 1});
  cairo_fill(cr);
  cairo_arc(cr, x + r * 0.25, y, r * 0.6, 0, 2 * pi);
  SetColour(cr, ink);
  cairo_fill(cr);
  cairo_arc(cr, x + r * 0.05, y - r * 0.3, r * 0.22, 0, 2 * pi);
  SetColour(cr, {1, 1, 1});
  cairo_fill(cr);
}

// A white disc with the figure's worth, so the player reads a duck's value as it rides.
void DrawBadge(cairo_t* cr, double x, double y, const char* text, Rgb colour) {
  cairo_arc(cr, x, y, 7.5, 0, 2 * pi);
  PaintInked(cr, {0.98, 0.96, 0.9}, y - 7, y + 7, 1.2);
  arena::CentredTextPath(cr, text, x, y, 11);
  SetColour(cr, colour);
  cairo_fill(cr);
}

const Rgb duckBodies[] = {arena::RgbFromHex(0xf7d21e), arena::RgbFromHex(0x3aa7e8),
                          arena::RgbFromHex(0xf0a81a)};

void DrawDuck(cairo_t* cr, int worth) {
  const Rgb body = duckBodies[worth - 1];
  DrawPeg(cr);
  // Body with its tail, then the head; one outline each.
  cairo_move_to(cr, 6, 30);
  cairo_curve_to(cr, 12, 34, 16, 30, 24, 30);
  cairo_curve_to(cr, 36, 29, 46, 32, 50, 40);
  cairo_curve_to(cr, 52, 50, 40, 56, 28, 56);
  cairo_curve_to(cr, 14, 56, 6, 48, 6, 30);
  cairo_close_path(cr);
  PaintInked(cr, body, 28, 56);
  cairo_arc(cr, 44, 22, 10, 0, 2 * pi);
  PaintInked(cr, body, 12, 32);
  // Beak.
  cairo_move_to(cr, 51, 19);
  cairo_curve_to(cr, 58, 18, 62, 21, 62, 24);
  cairo_curve_to(cr, 58, 27, 54, 27, 51, 26);
  cairo_close_path(cr);
  PaintInked(cr, arena::RgbFromHex(0xff7a1a), 18, 27, 1.2);
  DrawEye(cr, 46, 19, 2.8);
  // Wing, with three feather lines.
  cairo_move_to(cr, 14, 38);
  cairo_curve_to(cr, 22, 34, 34, 36, 38, 42);
  cairo_curve_to(cr, 32, 50, 20, 50, 14, 38);
  cairo_close_path(cr);
  PaintInked(cr, Darken(body, 0.18), 34, 50, 1.2);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Darken(body, 0.5));
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 18 + 5 * i, 41 + i);
    cairo_line_to(cr, 24 + 5 * i, 45 + i);
    cairo_stroke(cr);
  }
  if (worth == 3) {
    // The golden duck glints.
    arena::FillSoftGlow(cr, 40, 16, 6, {1, 1, 0.85}, 0.9);
  }
}

// The duck's worth on its body, drawn after any mirroring so that the number reads right.
void DrawDuckBadge(cairo_t* cr, int worth, bool facingRight) {
  const char* numbers[] = {"1", "2", "3"};
  DrawBadge(cr, facingRight ? badgeX : figureSize - badgeX, badgeY, numbers[worth - 1],
            Darken(duckBodies[worth - 1], 0.55));
}

void DrawTrolley(cairo_t* cr) {
  const Rgb metal = arena::RgbFromHex(0xb8c6d8);
  DrawPeg(cr);
  // Wheels first: the frame covers their tops.
  for (double x : {16.0, 46.0}) {
    cairo_arc(cr, x, 52, 4.5, 0, 2 * pi);
    PaintInked(cr, {0.2, 0.2, 0.22}, 47, 57, 1.2);
  }
  cairo_move_to(cr, 12, 47);
  cairo_line_to(cr, 52, 47);
  cairo_set_line_width(cr, 3);
  SetColour(cr, Darken(metal, 0.4));
  cairo_stroke(cr);
  // The basket, a wire mesh over a tinted back.
  cairo_move_to(cr, 8, 16);
  cairo_line_to(cr, 60, 16);
  cairo_line_to(cr, 52, 42);
  cairo_line_to(cr, 14, 42);
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  SetColour(cr, Lighten(metal, 0.2), 0.45);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Darken(metal, 0.35));
  for (int x = 10; x < 62; x += 6) {
    cairo_move_to(cr, x, 16);
    cairo_line_to(cr, x + 2, 42);
  }
  for (int y = 22; y < 42; y += 6) {
    cairo_move_to(cr, 6, y);
    cairo_line_to(cr, 62, y);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_set_line_width(cr, 2.2);
  SetColour(cr, Darken(metal, 0.5));
  cairo_stroke(cr);
  // Handle at the back, in red plastic.
  cairo_move_to(cr, 8, 16);
  cairo_line_to(cr, 3, 8);
  cairo_set_line_width(cr, 2.5);
  SetColour(cr, Darken(metal, 0.5));
  cairo_stroke(cr);
  arena::RoundedRectPath(cr, 0, 5, 9, 5, 2);
  PaintInked(cr, arena::RgbFromHex(0xe0302a), 5, 10, 1);
}

void DrawSnail(cairo_t* cr) {
  const Rgb skin = arena::RgbFromHex(0x9fcf6a);
  const Rgb shell = arena::RgbFromHex(0xc8742c);
  DrawPeg(cr);
  // The foot, with the head raised at the front and two eye stalks.
  cairo_move_to(cr, 4, 56);
  cairo_curve_to(cr, 20, 50, 40, 50, 48, 44);
  cairo_curve_to(cr, 50, 34, 58, 32, 60, 40);
  cairo_curve_to(cr, 62, 48, 58, 56, 48, 56);
  cairo_close_path(cr);
  PaintInked(cr, skin, 32, 56);
  for (double tip : {50.0, 58.0}) {
    cairo_move_to(cr, tip - 2, 36);
    cairo_line_to(cr, tip, 24);
    cairo_set_line_width(cr, 2);
    SetColour(cr, Darken(skin, 0.4));
    cairo_stroke(cr);
    cairo_arc(cr, tip, 23, 2.6, 0, 2 * pi);
    PaintInked(cr, skin, 20, 26, 1);
  }
  DrawEye(cr, 55, 40, 2.2);
  // The shell and its spiral.
  cairo_arc(cr, 26, 36, 17, 0, 2 * pi);
  PaintInked(cr, shell, 19, 53);
  cairo_set_line_width(cr, 2);
  SetColour(cr, Darken(shell, 0.5));
  for (double a = 0; a < 5.5 * pi; a += 0.1) {
    const double r = 14 - a * 0.8;
    const double x = 26 + r * std::cos(a), y = 36 + r * std::sin(a);
    if (a == 0) cairo_move_to(cr, x, y); else cairo_line_to(cr, x, y);
  }
  cairo_stroke(cr);
  arena::FillSoftGlow(cr, 20, 28, 6, {1, 0.95, 0.8}, 0.6);
}

void DrawHen(cairo_t* cr) {
  const Rgb feathers = arena::RgbFromHex(0xf4efe6);
  const Rgb red = arena::RgbFromHex(0xe02a24);
  DrawPeg(cr);
  // Legs.
  cairo_set_line_width(cr, 2);
  SetColour(cr, arena::RgbFromHex(0xe8a21c));
  for (double x : {26.0, 34.0}) {
    cairo_move_to(cr, x, 48);
    cairo_line_to(cr, x, 57);
    cairo_line_to(cr, x + 4, 57);
  }
  cairo_stroke(cr);
  // Tail feathers, then the body and the head.
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 14, 38);
    cairo_curve_to(cr, 4, 30 - 4 * i, 2 + 2 * i, 20 - 3 * i, 8 + 2 * i, 14 - 2 * i);
    cairo_curve_to(cr, 14, 22, 18, 30, 18, 36);
    cairo_close_path(cr);
    PaintInked(cr, Darken(feathers, 0.08 * i + 0.05), 10, 38, 1.2);
  }
  cairo_save(cr);
  cairo_translate(cr, 30, 38);
  cairo_scale(cr, 19, 14);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_restore(cr);
  PaintInked(cr, feathers, 24, 52);
  cairo_arc(cr, 46, 22, 9, 0, 2 * pi);
  PaintInked(cr, feathers, 13, 31);
  // Comb of three scallops, wattle and beak.
  for (int i = 0; i < 3; ++i) {
    cairo_arc(cr, 41 + 4.5 * i, 13.5 - (i == 1 ? 1.5 : 0), 3.2, 0, 2 * pi);
    PaintInked(cr, red, 10, 17, 1);
  }
  cairo_move_to(cr, 53, 26);
  cairo_curve_to(cr, 56, 28, 56, 34, 52, 33);
  cairo_curve_to(cr, 50, 31, 50, 28, 53, 26);
  PaintInked(cr, red, 26, 34, 1);
  cairo_move_to(cr, 54, 19);
  cairo_line_to(cr, 61, 22);
  cairo_line_to(cr, 54, 25);
  cairo_close_path(cr);
  PaintInked(cr, arena::RgbFromHex(0xf2b82a), 19, 25, 1);
  DrawEye(cr, 48, 20, 2.4);
  // Wing.
  cairo_move_to(cr, 18, 36);
  cairo_curve_to(cr, 26, 30, 38, 32, 40, 40);
  cairo_curve_to(cr, 34, 48, 22, 46, 18, 36);
  PaintInked(cr, Darken(feathers, 0.15), 30, 48, 1.2);
}

void DrawCalf(cairo_t* cr) {
  const Rgb hide = arena::RgbFromHex(0xc98a52);
  const Rgb white = {0.97, 0.95, 0.9};
  DrawPeg(cr);
  // Legs with dark hooves.
  for (double x : {12.0, 20.0, 36.0, 44.0}) {
    cairo_rectangle(cr, x, 40, 5, 16);
    PaintInked(cr, hide, 40, 56, 1.2);
    cairo_rectangle(cr, x, 54, 5, 3);
    SetColour(cr, ink);
    cairo_fill(cr);
  }
  // Tail.
  cairo_move_to(cr, 8, 28);
  cairo_curve_to(cr, 2, 30, 2, 40, 4, 44);
  cairo_set_line_width(cr, 2);
  SetColour(cr, Darken(hide, 0.4));
  cairo_stroke(cr);
  // Body with white patches.
  arena::RoundedRectPath(cr, 6, 24, 44, 22, 10);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  PaintInked(cr, hide, 24, 46);
  cairo_arc(cr, 22, 36, 7, 0, 2 * pi);
  cairo_arc(cr, 40, 30, 5, 0, 2 * pi);
  SetColour(cr, white, 0.9);
  cairo_fill(cr);
  cairo_restore(cr);
  arena::RoundedRectPath(cr, 6, 24, 44, 22, 10);
  cairo_set_line_width(cr, 1.6);
  SetColour(cr, Darken(hide, 0.75));
  cairo_stroke(cr);
  // Head: ears, nub horns, face and a pink muzzle.
  cairo_move_to(cr, 42, 14);
  cairo_line_to(cr, 34, 10);
  cairo_line_to(cr, 40, 18);
  cairo_close_path(cr);
  PaintInked(cr, hide, 10, 18, 1);
  for (double x : {46.0, 53.0}) {
    cairo_move_to(cr, x, 11);
    cairo_line_to(cr, x + 1.5, 5);
    cairo_line_to(cr, x + 3, 11);
    cairo_close_path(cr);
    PaintInked(cr, {0.95, 0.92, 0.8}, 5, 11, 1);
  }
  arena::RoundedRectPath(cr, 42, 10, 18, 22, 7);
  PaintInked(cr, hide, 10, 32);
  arena::RoundedRectPath(cr, 48, 24, 14, 9, 4);
  PaintInked(cr, arena::RgbFromHex(0xf4a6b0), 24, 33, 1.2);
  for (double x : {53.0, 58.0}) {
    cairo_arc(cr, x, 28.5, 1.2, 0, 2 * pi);
    SetColour(cr, Darken(hide, 0.6));
    cairo_fill(cr);
  }
  DrawEye(cr, 53, 17, 2.6);
}

bool IsFigure(std::string_view stem) {
  for (const char* known : {"canard0", "canard1", "canard2", "caddie", "escargot", "poule", "veau"}) {
    if (stem == known) return true;
  }
  return false;
}

// Drawn facing right, or mirrored to face left.
cairo_surface_t* DrawFigure(std::string_view stem, bool facingRight) {
  cairo_surface_t* surface = arena::NewPicture(figureSize, figureSize);
  cairo_t* cr = cairo_create(surface);
  if (!facingRight) {
    cairo_translate(cr, figureSize, 0);
    cairo_scale(cr, -1, 1);
  }
  const char* ducks[] = {"canard0", "canard1", "canard2"};
  for (int i = 0; i < 3; ++i) {
    if (stem == ducks[i]) DrawDuck(cr, i + 1);
  }
  if (stem == "caddie") DrawTrolley(cr);
  if (stem == "escargot") DrawSnail(cr);
  if (stem == "poule") DrawHen(cr);
  if (stem == "veau") DrawCalf(cr);
  cairo_identity_matrix(cr);
  for (int i = 0; i < 3; ++i) {
    if (stem == ducks[i]) DrawDuckBadge(cr, i + 1, facingRight);
  }
  return side::Finished(cr, surface);
}

// A bronze barrel pointing up on a red wooden carriage; the muzzle is at the top edge.
cairo_surface_t* DrawCannon() {
  cairo_surface_t* surface = arena::NewPicture(48, 80);
  cairo_t* cr = cairo_create(surface);
  const Rgb bronze = arena::RgbFromHex(0xc9913a);
  const Rgb carriage = arena::RgbFromHex(0xb8322a);
  cairo_move_to(cr, 4, 54);
  cairo_line_to(cr, 44, 54);
  cairo_line_to(cr, 40, 79);
  cairo_line_to(cr, 8, 79);
  cairo_close_path(cr);
  PaintInked(cr, carriage, 54, 79);
  // The barrel: lit from the left, as a cylinder.
  cairo_move_to(cr, 15, 6);
  cairo_line_to(cr, 33, 6);
  cairo_line_to(cr, 36, 60);
  cairo_line_to(cr, 12, 60);
  cairo_close_path(cr);
  cairo_pattern_t* metal = cairo_pattern_create_linear(12, 0, 36, 0);
  arena::AddStop(metal, 0.0, Darken(bronze, 0.3));
  arena::AddStop(metal, 0.3, Lighten(bronze, 0.6));
  arena::AddStop(metal, 0.6, bronze);
  arena::AddStop(metal, 1.0, Darken(bronze, 0.55));
  cairo_set_source(cr, metal);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  SetColour(cr, Darken(bronze, 0.75));
  cairo_stroke(cr);
  for (double y : {20.0, 44.0}) {
    arena::RoundedRectPath(cr, 12.5 - y / 30, y, 23 + y / 15, 5, 2);
    PaintInked(cr, Darken(bronze, 0.15), y, y + 5, 1.2);
  }
  // The muzzle ring and the dark bore.
  arena::RoundedRectPath(cr, 11, 1, 26, 7, 3);
  PaintInked(cr, bronze, 1, 8, 1.4);
  cairo_save(cr);
  cairo_translate(cr, 24, 4.5);
  cairo_scale(cr, 8, 2.2);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_restore(cr);
  SetColour(cr, ink);
  cairo_fill(cr);
  // Wheels on the carriage.
  for (double x : {10.0, 38.0}) {
    cairo_arc(cr, x, 70, 8, 0, 2 * pi);
    PaintInked(cr, wood, 62, 78, 1.4);
    cairo_arc(cr, x, 70, 2.5, 0, 2 * pi);
    SetColour(cr, Darken(wood, 0.6));
    cairo_fill(cr);
  }
  return side::Finished(cr, surface);
}

cairo_surface_t* DrawBullet() {
  cairo_surface_t* surface = arena::NewPicture(12, 12);
  cairo_t* cr = cairo_create(surface);
  arena::FillSphere(cr, 6, 6, 5.5, arena::RgbFromHex(0xd8d8e0));
  return side::Finished(cr, surface);
}

}  // namespace

cairo_surface_t* DrawDuckPicture(const std::string& fileName) {
  const std::string_view name = side::InFolder(fileName, "MiniGames\\canards\\gfx/");
  if (name.empty() || !arena::EndsWith(name, ".png")) return nullptr;
  if (name == "canon.png") return DrawCannon();
  if (name == "balle.png") return DrawBullet();
  std::string_view stem = name.substr(0, name.size() - 4);
  const bool facingRight = arena::EndsWith(stem, "_f");
  if (facingRight) stem.remove_suffix(2);
  if (!IsFigure(stem)) return nullptr;
  return DrawFigure(stem, facingRight);
}
