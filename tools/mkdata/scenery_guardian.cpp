// SPDX-License-Identifier: GPL-3.0-or-later
// The temple's guardian: a horned stone mask with burning eyes and a crystal in its jaws,
// eight frames of its breathing; the shattered mask when it is beaten, the mask laughing in
// red when it wins, and the glow of its outline.
#include <cmath>

#include "scenery_common.h"
#include "scenery_pictures.h"

namespace scenery {

namespace {

using arena::AddStop;
using arena::NewPicture;

constexpr int size = 256;
enum class Mood { fighting, beaten, winning };

void MaskPath(cairo_t* cr) {
  // The face: a broad brow narrowing to the chin.
  cairo_move_to(cr, -78, -40);
  cairo_curve_to(cr, -80, -95, 80, -95, 78, -40);
  cairo_curve_to(cr, 76, 20, 50, 80, 0, 96);
  cairo_curve_to(cr, -50, 80, -76, 20, -78, -40);
  cairo_close_path(cr);
}

void HornPath(cairo_t* cr, double side) {
  cairo_move_to(cr, side * 55, -70);
  cairo_curve_to(cr, side * 95, -100, side * 110, -115, side * 100, -124);
  cairo_curve_to(cr, side * 96, -100, side * 80, -80, side * 70, -50);
  cairo_close_path(cr);
}

void DrawFace(cairo_t* cr, double phase, Mood mood) {
  const Rgb stone = mood == Mood::winning ? Rgb{0.45, 0.20, 0.16} : Rgb{0.42, 0.38, 0.34};
  const Rgb eye = mood == Mood::winning ? Rgb{1.0, 0.15, 0.05} : Rgb{1.0, 0.55, 0.1};
  const double glow = 0.6 + 0.4 * std::sin(phase * 2 * pi);
  for (double side : {-1.0, 1.0}) {
    HornPath(cr, side);
    cairo_pattern_t* horn = cairo_pattern_create_linear(0, -124, 0, -50);
    AddStop(horn, 0, {0.9, 0.85, 0.7});
    AddStop(horn, 1, arena::Darken(stone, 0.3));
    cairo_set_source(cr, horn);
    cairo_fill(cr);
    cairo_pattern_destroy(horn);
  }
  MaskPath(cr);
  cairo_pattern_t* face = cairo_pattern_create_radial(-20, -40, 10, 0, 0, 110);
  AddStop(face, 0, arena::Lighten(stone, 0.35));
  AddStop(face, 0.7, stone);
  AddStop(face, 1, arena::Darken(stone, 0.6));
  cairo_set_source(cr, face);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(face);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  // Brow ridge and cheek lines.
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_move_to(cr, -60, -30);
  cairo_curve_to(cr, -30, -50, -10, -40, 0, -28);
  cairo_curve_to(cr, 10, -40, 30, -50, 60, -30);
  cairo_stroke(cr);
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, side * 58, 0);
    cairo_curve_to(cr, side * 50, 30, side * 34, 50, side * 24, 58);
    cairo_stroke(cr);
  }
  // Eyes: slits that burn brighter and dimmer as it breathes.
  for (double side : {-1.0, 1.0}) {
    arena::FillSoftGlow(cr, side * 32, -14, 26 + 8 * glow, eye, 0.6 * glow + 0.2);
    cairo_save(cr);
    cairo_translate(cr, side * 32, -14);
    cairo_scale(cr, 16, mood == Mood::beaten ? 1.5 : 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_restore(cr);
    arena::SetColour(cr, mood == Mood::beaten ? Rgb{0.2, 0.15, 0.1} : arena::Lighten(eye, 0.5));
    cairo_fill(cr);
  }
  // The jaws, opening and closing, and the crystal between them.
  // The jaws move a quarter turn behind the eyes, so no two frames of the loop are alike.
  const double open = mood == Mood::winning ? 22 : 6 + 8 * (0.5 + 0.5 * std::cos(phase * 2 * pi));
  cairo_set_source_rgb(cr, 0.05, 0.02, 0.02);
  cairo_move_to(cr, -30, 40);
  cairo_curve_to(cr, -10, 40 - open * 0.2, 10, 40 - open * 0.2, 30, 40);
  cairo_curve_to(cr, 15, 40 + open, -15, 40 + open, -30, 40);
  cairo_fill(cr);
  if (mood != Mood::beaten) {
    const double cy = 44 + open * 0.3;
    const double turn = phase * 2 * pi;
    cairo_move_to(cr, 0, cy - 12);
    cairo_line_to(cr, 8 * std::cos(turn), cy);
    cairo_line_to(cr, 0, cy + 12);
    cairo_line_to(cr, -8 * std::cos(turn), cy);
    cairo_close_path(cr);
    arena::SetColour(cr, {0.5, 0.9, 1.0}, 0.95);
    cairo_fill(cr);
    arena::FillSoftGlow(cr, 0, cy, 22, {0.4, 0.8, 1.0}, 0.6);
  }
}

cairo_surface_t* Picture(double phase, Mood mood) {
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, size / 2.0, size / 2.0 + 12);
  // It hovers: the whole mask rises and sinks a little as it breathes.
  cairo_translate(cr, 0, 4 * std::sin(phase * 2 * pi));
  DrawFace(cr, phase, mood);
  return Finish(cr, surface);
}

}  // namespace

cairo_surface_t* DrawGuardianFrame(int frame) { return Picture(frame / 8.0, Mood::fighting); }

cairo_surface_t* DrawGuardianLost() { return Picture(0.25, Mood::winning); }

cairo_surface_t* DrawGuardianWon() {
  // The mask split down the middle, the halves falling apart, light pouring out of the crack.
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, size / 2.0, size / 2.0 + 12);
  arena::FillSoftGlow(cr, 0, 0, 120, {1.0, 0.9, 0.5}, 0.9);
  for (double side : {-1.0, 1.0}) {
    cairo_save(cr);
    cairo_rectangle(cr, side < 0 ? -130 : 0, -140, 130, 260);
    cairo_clip(cr);
    cairo_translate(cr, side * 14, 10);
    cairo_rotate(cr, side * 0.18);
    DrawFace(cr, 0, Mood::beaten);
    cairo_restore(cr);
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawGuardianMask() {
  // The outline as a soft white glow, drawn behind the mask when it is hurt.
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, size / 2.0, size / 2.0 + 12);
  for (int i = 8; i >= 1; --i) {
    cairo_save(cr);
    const double grow = 1 + i * 0.035;
    cairo_scale(cr, grow, grow);
    MaskPath(cr);
    HornPath(cr, -1);
    HornPath(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  return Finish(cr, surface);
}

}  // namespace scenery
