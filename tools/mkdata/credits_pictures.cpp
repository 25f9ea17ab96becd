// SPDX-License-Identifier: GPL-3.0-or-later
// The credits screen's picture: the title over a band that fades from black to nothing, so the
// credits text slides out of sight beneath it instead of being cut at the screen's edge.
#include "arena_common.h"
#include "generators.h"

namespace {

using namespace arena;

constexpr int titleWidth = 1024;
constexpr int titleHeight = 180;

cairo_surface_t* DrawCreditsTitle() {
  cairo_surface_t* surface = NewPicture(titleWidth, titleHeight);
  cairo_t* cr = cairo_create(surface);

  // The band: opaque black behind the lettering, clear at its bottom edge.
  cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 0, titleHeight);
  AddStop(band, 0.0, Rgb{0, 0, 0}, 1.0);
  AddStop(band, 0.55, Rgb{0, 0, 0}, 0.92);
  AddStop(band, 1.0, Rgb{0, 0, 0}, 0.0);
  cairo_set_source(cr, band);
  cairo_paint(cr);
  cairo_pattern_destroy(band);

  const Rgb ice = RgbFromHex(0x9FE8FF), deep = RgbFromHex(0x1060D0), gold = RgbFromHex(0xFFC040);
  FillSoftGlow(cr, titleWidth / 2.0, 62, 330, RgbFromHex(0x2080FF), 0.22);

  // The name: a soft blue halo, a dark rim, then a cold metal fill lit from above.
  CentredTextPath(cr, "KALDOVIRENT", titleWidth / 2.0, 62, 78, 900);
  cairo_path_t* name = cairo_copy_path(cr);
  SetColour(cr, RgbFromHex(0x3090FF), 0.25);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 14);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 7);
  cairo_stroke_preserve(cr);
  SetColour(cr, RgbFromHex(0x02122A));
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* metal = cairo_pattern_create_linear(0, 25, 0, 100);
  AddStop(metal, 0.0, Rgb{1, 1, 1});
  AddStop(metal, 0.45, ice);
  AddStop(metal, 0.5, deep);
  AddStop(metal, 1.0, Lighten(deep, 0.35));
  cairo_set_source(cr, metal);
  cairo_fill(cr);
  cairo_pattern_destroy(metal);
  cairo_new_path(cr);
  cairo_append_path(cr, name);
  cairo_path_destroy(name);
  cairo_clip(cr);
  SweepShine(cr, 300, 90, 0.25);
  cairo_reset_clip(cr);

  // The word under it, warm against the cold name, between two thin rules.
  CentredTextPath(cr, "C R E D I T S", titleWidth / 2.0, 128, 30);
  SetColour(cr, Darken(gold, 0.7), 0.9);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  SetColour(cr, gold);
  cairo_fill(cr);
  for (int side = -1; side <= 1; side += 2) {
    cairo_pattern_t* rule = cairo_pattern_create_linear(titleWidth / 2.0 + side * 150, 0,
                                                        titleWidth / 2.0 + side * 400, 0);
    AddStop(rule, 0.0, gold, 0.9);
    AddStop(rule, 1.0, gold, 0.0);
    cairo_set_source(cr, rule);
    const double x0 = side < 0 ? titleWidth / 2.0 - 400 : titleWidth / 2.0 + 150;
    cairo_rectangle(cr, x0, 127, 250, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);
  }

  cairo_destroy(cr);
  return surface;
}

}  // namespace

cairo_surface_t* DrawCreditsPicture(const std::string& fileName) {
  if (fileName == "GFX\\Credits\\Title_Credit.png") return DrawCreditsTitle();
  return nullptr;
}
