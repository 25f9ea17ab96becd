// SPDX-License-Identifier: GPL-3.0-or-later
// The player's ship: the craft in its eleven lean poses, the paddle body in six widths plus its
// energy cycle, and the glow drawn additively under it.
//
// How the layers line up. The game draws the craft centred on the ship position (shipX, shipY)
// and the body centred horizontally on shipX with its top edge 96 pixels above shipY; the ship's
// catching box reaches 40 pixels above shipY. So:
//   - craft pictures are 128 x 64 with the craft's centre at (64, 32), which lands on shipY;
//   - body pictures are 110 tall; their paddle bar is centred on row 96, i.e. exactly on shipY,
//     across the craft's wing roots; the shield dome above the bar peaks at row 56, 40 pixels
//     above the bar, where balls and capsules meet the catching box; rows 0..55 hold only faint
//     rising energy, and rows 104..110 the bar's under-glow.
#include <algorithm>
#include <cmath>

#include "arena_common.h"
#include "arena_families.h"

namespace arena {
namespace {

constexpr int craftWidth = 128, craftHeight = 64;
constexpr int bodyHeight = 110;
constexpr double barCentreY = 96;   // shipY in body-picture rows
constexpr double domeTopY = 56;     // 40 above the bar: the top of the catching box
constexpr int bodyWidths[] = {80, 90, 100, 110, 120, 130};
constexpr int energyPhases = 6;     // bodies 5..10 (the widest) cycle as one loop

const Rgb hullSteel{0.55, 0.62, 0.75};
const Rgb energyCyan{0.3, 0.85, 1.0};

void WingPath(cairo_t* cr, double side) {
  cairo_move_to(cr, side * 10, -8);
  cairo_curve_to(cr, side * 30, -6, side * 48, -2, side * 61, 3);
  cairo_line_to(cr, side * 60, 9);
  cairo_curve_to(cr, side * 44, 9, side * 26, 12, side * 12, 14);
  cairo_close_path(cr);
}

void DrawWing(cairo_t* cr, double side, double light) {
  WingPath(cr, side);
  cairo_pattern_t* skin = cairo_pattern_create_linear(0, -8, 0, 14);
  AddStop(skin, 0.0, Lighten(hullSteel, 0.35 + light));
  AddStop(skin, 0.5, Darken(hullSteel, 0.1 - light));
  AddStop(skin, 1.0, Darken(hullSteel, 0.55));
  cairo_set_source(cr, skin);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(skin);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.05, 0.07, 0.12, 0.9);
  cairo_stroke(cr);
  // Racing stripe and leading-edge highlight.
  cairo_move_to(cr, side * 30, -3.5);
  cairo_curve_to(cr, side * 40, -2, side * 50, 0.5, side * 58, 4);
  cairo_set_line_width(cr, 2.2);
  cairo_set_source_rgba(cr, 0.95, 0.25, 0.15, 0.9);
  cairo_stroke(cr);
  cairo_move_to(cr, side * 12, -7.2);
  cairo_curve_to(cr, side * 30, -5.2, side * 48, -1.2, side * 60, 3.6);
  cairo_set_line_width(cr, 0.9);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55 + light);
  cairo_stroke(cr);
  // Wing-tip light.
  FillSoftGlow(cr, side * 59, 6, 6, side < 0 ? Rgb{1, 0.3, 0.3} : Rgb{0.3, 1, 0.5}, 0.9);
}

void DrawEnginePod(cairo_t* cr, double x, double light) {
  FillSoftGlow(cr, x, 23, 9, {0.4, 0.7, 1.0}, 0.9);
  RoundedRectPath(cr, x - 5.5, -4, 11, 25, 4);
  cairo_pattern_t* pod = cairo_pattern_create_linear(x - 5.5, 0, x + 5.5, 0);
  AddStop(pod, 0.0, Darken(hullSteel, 0.6));
  AddStop(pod, 0.4, Lighten(hullSteel, 0.3 + light));
  AddStop(pod, 1.0, Darken(hullSteel, 0.5));
  cairo_set_source(cr, pod);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pod);
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgba(cr, 0.05, 0.07, 0.12, 0.9);
  cairo_stroke(cr);
  // Nozzle with its hot core.
  cairo_rectangle(cr, x - 4, 18, 8, 3.5);
  cairo_set_source_rgb(cr, 0.15, 0.15, 0.2);
  cairo_fill(cr);
  FillSoftGlow(cr, x, 22, 4.5, {0.85, 0.95, 1.0}, 1.0);
}

void DrawHull(cairo_t* cr, double canopyShift) {
  cairo_move_to(cr, 0, -29);
  cairo_curve_to(cr, 10, -27, 17, -14, 17, -2);
  cairo_curve_to(cr, 17, 10, 12, 22, 0, 25);
  cairo_curve_to(cr, -12, 22, -17, 10, -17, -2);
  cairo_curve_to(cr, -17, -14, -10, -27, 0, -29);
  cairo_close_path(cr);
  cairo_pattern_t* hull = cairo_pattern_create_linear(-17 + canopyShift, 0, 17 + canopyShift, 0);
  AddStop(hull, 0.0, Darken(hullSteel, 0.55));
  AddStop(hull, 0.35, Lighten(hullSteel, 0.5));
  AddStop(hull, 0.55, hullSteel);
  AddStop(hull, 1.0, Darken(hullSteel, 0.6));
  cairo_set_source(cr, hull);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(hull);
  cairo_set_line_width(cr, 1.3);
  cairo_set_source_rgba(cr, 0.05, 0.07, 0.12, 0.95);
  cairo_stroke(cr);
  // Canopy.
  cairo_save(cr);
  cairo_translate(cr, canopyShift, -12);
  cairo_scale(cr, 7.5, 11);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_restore(cr);
  cairo_pattern_t* glass = cairo_pattern_create_linear(0, -23, 0, -1);
  AddStop(glass, 0.0, {0.55, 0.95, 1.0});
  AddStop(glass, 0.5, {0.1, 0.45, 0.85});
  AddStop(glass, 1.0, {0.02, 0.08, 0.25});
  cairo_set_source(cr, glass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(glass);
  cairo_set_source_rgba(cr, 0.02, 0.04, 0.1, 0.9);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, canopyShift - 2.5, -16);
  cairo_scale(cr, 2.2, 4.5);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
  cairo_fill(cr);
  // Nose light.
  FillSoftGlow(cr, 0, 17, 5, {1.0, 0.6, 0.2}, 0.9);
}

// Horizontal span (left, right) of the energy dome at height t above the bar (0 bar, 1 top):
// a squarish super-ellipse, so the dome is nearly flat over most of the catching width.
double DomeHalfWidth(double halfWidth, double t) {
  return halfWidth * std::pow(std::max(0.0, 1 - std::pow(t, 4.0)), 0.25);
}

void DomePath(cairo_t* cr, double cx, double halfWidth) {
  const double height = barCentreY - 4 - domeTopY;
  cairo_move_to(cr, cx - halfWidth, barCentreY - 4);
  for (int i = 1; i <= 40; ++i) {
    const double t = i / 40.0;
    cairo_line_to(cr, cx - DomeHalfWidth(halfWidth, t), barCentreY - 4 - height * t);
  }
  for (int i = 40; i >= 0; --i) {
    const double t = i / 40.0;
    cairo_line_to(cr, cx + DomeHalfWidth(halfWidth, t), barCentreY - 4 - height * t);
  }
  cairo_close_path(cr);
}

void DrawBody(cairo_t* cr, int width, int phase) {
  const double cx = width / 2.0;
  const double loop = static_cast<double>(phase) / energyPhases;
  const double half = width / 2.0 - 3;

  // Sparks rising off the dome: each climbs one sixth of its track per phase and fades out
  // towards the top of the picture.
  constexpr double track = 54;
  for (int i = 0; i < 7; ++i) {
    const double x = cx + (i - 3) * (half / 3.6) + ((i * 5) % 3 - 1) * 2.0;
    const double climb = std::fmod(loop * track + i * 23.0, track);
    const double y = domeTopY + 2 - climb;
    const double fade = 1 - climb / track;
    FillSoftGlow(cr, x, y, 4, energyCyan, 0.6 * fade);
    cairo_arc(cr, x, y, 0.9, 0, 2 * pi);
    SetColour(cr, Lighten(energyCyan, 0.6), 0.8 * fade);
    cairo_fill(cr);
  }

  // The shield dome: faint inside, bright skin, brighter towards the bar.
  DomePath(cr, cx, half);
  cairo_pattern_t* field = cairo_pattern_create_linear(0, domeTopY, 0, barCentreY);
  AddStop(field, 0.0, energyCyan, 0.12);
  AddStop(field, 0.6, energyCyan, 0.04);
  AddStop(field, 1.0, energyCyan, 0.22);
  cairo_set_source(cr, field);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(field);
  cairo_set_line_width(cr, 3.5);
  SetColour(cr, energyCyan, 0.25);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Lighten(energyCyan, 0.5), 0.75);
  cairo_stroke(cr);
  // A ripple band running over the dome's skin through the cycle.
  DomePath(cr, cx, half);
  cairo_clip(cr);
  const double rippleY = domeTopY + (barCentreY - domeTopY) * std::fmod(loop + 0.15, 1.0);
  cairo_pattern_t* ripple = cairo_pattern_create_linear(0, rippleY - 5, 0, rippleY + 5);
  AddStop(ripple, 0.0, energyCyan, 0.0);
  AddStop(ripple, 0.5, Lighten(energyCyan, 0.6), 0.3);
  AddStop(ripple, 1.0, energyCyan, 0.0);
  cairo_set_source(cr, ripple);
  cairo_paint(cr);
  cairo_pattern_destroy(ripple);
  cairo_reset_clip(cr);

  // Under-glow of the bar.
  cairo_save(cr);
  cairo_translate(cr, cx, barCentreY);
  cairo_scale(cr, width / 2.0, 12);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_pattern_t* under = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  AddStop(under, 0.0, energyCyan, 0.5);
  AddStop(under, 1.0, energyCyan, 0.0);
  cairo_set_source(cr, under);
  cairo_fill(cr);
  cairo_pattern_destroy(under);
  cairo_restore(cr);

  // The paddle bar: chrome with an energy core, rounded emitter caps at both ends.
  const double barTop = barCentreY - 6, barHeight = 12;
  RoundedRectPath(cr, 1, barTop, width - 2, barHeight, 6);
  cairo_set_source_rgb(cr, 0.04, 0.06, 0.1);
  cairo_fill(cr);
  RoundedRectPath(cr, 2, barTop + 1, width - 4, barHeight - 2, 5);
  cairo_pattern_t* chrome = cairo_pattern_create_linear(0, barTop, 0, barTop + barHeight);
  cairo_pattern_add_color_stop_rgb(chrome, 0.0, 0.95, 0.97, 1.0);
  cairo_pattern_add_color_stop_rgb(chrome, 0.35, 0.55, 0.62, 0.72);
  cairo_pattern_add_color_stop_rgb(chrome, 0.55, 0.25, 0.3, 0.4);
  cairo_pattern_add_color_stop_rgb(chrome, 1.0, 0.6, 0.66, 0.75);
  cairo_set_source(cr, chrome);
  cairo_fill(cr);
  cairo_pattern_destroy(chrome);
  // Energy core line with a bright pulse running from the centre to both ends.
  RoundedRectPath(cr, 12, barCentreY - 1.3, width - 24, 2.6, 1.3);
  SetColour(cr, energyCyan, 0.9);
  cairo_fill(cr);
  const double pulseOffset = (width / 2.0 - 12) * loop;
  for (double side : {-1.0, 1.0}) FillSoftGlow(cr, cx + side * pulseOffset, barCentreY, 7, {0.85, 1, 1}, 0.9);
  for (double x : {7.0, width - 7.0}) {
    FillSoftGlow(cr, x, barCentreY, 9, energyCyan, 0.7);
    FillSphere(cr, x, barCentreY, 5.2, {0.2, 0.65, 0.95});
  }
}

}  // namespace

cairo_surface_t* DrawShipCraft(int lean) {
  if (lean < -5 || lean > 5) return nullptr;
  cairo_surface_t* surface = NewPicture(craftWidth, craftHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, craftWidth / 2.0, craftHeight / 2.0);
  // Banking: the craft rolls towards its direction of travel; rolling foreshortens the wings and
  // lights the raised wing more.
  cairo_rotate(cr, lean * 3.2 * pi / 180);
  cairo_scale(cr, 1 - 0.035 * std::abs(lean), 1.0);
  const double raisedLight = 0.04 * std::abs(lean);
  const double leftLight = lean > 0 ? raisedLight : -raisedLight / 2;
  const double rightLight = lean < 0 ? raisedLight : -raisedLight / 2;
  DrawWing(cr, -1, leftLight);
  DrawWing(cr, 1, rightLight);
  DrawEnginePod(cr, -22, leftLight);
  DrawEnginePod(cr, 22, rightLight);
  DrawHull(cr, lean * 1.0);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

cairo_surface_t* DrawShipBody(int index) {
  if (index < 0 || index > 10) return nullptr;
  const int width = bodyWidths[std::min(index, 5)];
  const int phase = index >= 5 ? index - 5 : 0;
  cairo_surface_t* surface = NewPicture(width, bodyHeight);
  cairo_t* cr = cairo_create(surface);
  DrawBody(cr, width, phase);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

cairo_surface_t* DrawShipEnergy() {
  constexpr int size = 128;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  // A wide, flat glow: it lights the bar and the craft rather than a round area around them.
  cairo_save(cr);
  cairo_translate(cr, size / 2.0, size / 2.0);
  cairo_scale(cr, 1.0, 0.55);
  cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, size / 2.0 - 2);
  AddStop(glow, 0.0, {0.75, 0.95, 1.0}, 0.7);
  AddStop(glow, 0.25, energyCyan, 0.45);
  AddStop(glow, 0.6, {0.1, 0.35, 1.0}, 0.18);
  AddStop(glow, 1.0, {0.1, 0.2, 1.0}, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  cairo_restore(cr);
  // A softer round part so the glow also reaches up over the dome.
  FillSoftGlow(cr, size / 2.0, size / 2.0, size / 2.0 - 2, {0.2, 0.5, 1.0}, 0.25);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace arena
