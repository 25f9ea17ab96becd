// SPDX-License-Identifier: GPL-3.0-or-later
#include "arena_common.h"

#include "generators.h"

namespace {
thread_local int pictureDetail = 1;
}  // namespace

void SetPictureDetail(int detail) { pictureDetail = detail; }
int PictureDetail() { return pictureDetail; }

#include <algorithm>
#include <cmath>
#include <string>

namespace arena {

Rgb RgbFromHex(unsigned hex) {
  return {((hex >> 16) & 255) / 255.0, ((hex >> 8) & 255) / 255.0, (hex & 255) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb c, double t) { return Mix(c, {1, 1, 1}, t); }
Rgb Darken(Rgb c, double t) { return Mix(c, {0, 0, 0}, t); }

Rgb HueColour(double hueDegrees, double saturation, double value) {
  double h = std::fmod(hueDegrees, 360.0);
  if (h < 0) h += 360.0;
  const double c = value * saturation;
  const double x = c * (1 - std::fabs(std::fmod(h / 60.0, 2.0) - 1));
  const double m = value - c;
  Rgb rgb{0, 0, 0};
  if (h < 60) rgb = {c, x, 0};
  else if (h < 120) rgb = {x, c, 0};
  else if (h < 180) rgb = {0, c, x};
  else if (h < 240) rgb = {0, x, c};
  else if (h < 300) rgb = {x, 0, c};
  else rgb = {c, 0, x};
  return {rgb.r + m, rgb.g + m, rgb.b + m};
}

cairo_surface_t* NewPicture(int width, int height) {
  // A fresh image surface is already cleared to transparent black.
  const int detail = ::PictureDetail();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * detail, height * detail);
  cairo_surface_set_device_scale(surface, detail, detail);
  return surface;
}

void SetColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
  cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
  cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

void FillGlossyTile(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base) {
  // Rim: the darkest tone, so neighbouring tiles read as separate pieces.
  RoundedRectPath(cr, x, y, w, h, r);
  SetColour(cr, Darken(base, 0.6));
  cairo_fill(cr);

  // Body: lit from above.
  RoundedRectPath(cr, x + 1, y + 1, w - 2, h - 2, r - 0.5);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
  AddStop(body, 0.0, Lighten(base, 0.45));
  AddStop(body, 0.45, base);
  AddStop(body, 1.0, Darken(base, 0.35));
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  // Bevel: bright upper-left edge, shaded lower-right edge.
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x + 2, y + h - 2.5);
  cairo_line_to(cr, x + 2, y + 1.5);
  cairo_line_to(cr, x + w - 2.5, y + 1.5);
  SetColour(cr, Lighten(base, 0.7), 0.85);
  cairo_stroke(cr);
  cairo_move_to(cr, x + w - 1.5, y + 2);
  cairo_line_to(cr, x + w - 1.5, y + h - 1.5);
  cairo_line_to(cr, x + 2, y + h - 1.5);
  SetColour(cr, Darken(base, 0.5), 0.8);
  cairo_stroke(cr);

  // Gloss cap over the upper half.
  RoundedRectPath(cr, x + 3, y + 2.5, w - 6, h * 0.42, r * 0.6);
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y + 2.5, 0, y + 2.5 + h * 0.42);
  cairo_pattern_add_color_stop_rgba(gloss, 0.0, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(gloss, 1.0, 1, 1, 1, 0.05);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
}

void FillSoftGlow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  AddStop(glow, 0.0, c, alpha);
  AddStop(glow, 0.35, c, alpha * 0.45);
  AddStop(glow, 0.7, c, alpha * 0.12);
  AddStop(glow, 1.0, c, 0.0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

void FillSphere(cairo_t* cr, double cx, double cy, double radius, Rgb base) {
  // Body: an offset radial gradient gives the lit side and the terminator.
  cairo_pattern_t* body = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                      radius * 0.05, cx, cy, radius);
  AddStop(body, 0.0, Lighten(base, 0.75));
  AddStop(body, 0.35, base);
  AddStop(body, 0.85, Darken(base, 0.55));
  AddStop(body, 1.0, Darken(base, 0.75));
  cairo_set_source(cr, body);
  cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  // Rim light from below: reflected light makes the ball read as glossy.
  cairo_pattern_t* rim = cairo_pattern_create_radial(cx, cy + radius * 0.15, radius * 0.6, cx,
                                                     cy, radius);
  AddStop(rim, 0.0, Lighten(base, 0.5), 0.0);
  AddStop(rim, 0.85, Lighten(base, 0.5), 0.0);
  AddStop(rim, 1.0, Lighten(base, 0.5), 0.45);
  cairo_set_source(cr, rim);
  cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);

  // Specular highlight.
  const double hx = cx - radius * 0.38, hy = cy - radius * 0.42;
  cairo_pattern_t* shine = cairo_pattern_create_radial(hx, hy, 0, hx, hy, radius * 0.42);
  cairo_pattern_add_color_stop_rgba(shine, 0.0, 1, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgba(shine, 0.5, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(shine, 1.0, 1, 1, 1, 0.0);
  cairo_set_source(cr, shine);
  cairo_arc(cr, hx, hy, radius * 0.42, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(shine);
}

void SweepShine(cairo_t* cr, double x, double width, double alpha) {
  cairo_pattern_t* band = cairo_pattern_create_linear(x - width, 0, x + width, 0);
  cairo_pattern_add_color_stop_rgba(band, 0.0, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(band, 0.5, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(band, 1.0, 1, 1, 1, 0.0);
  // Slanted: the band's pattern coordinate is u = x + 0.6 y, so it leans right going up and
  // crosses y = 0 at x.
  cairo_matrix_t skew;
  cairo_matrix_init(&skew, 1, 0, 0.6, 1, 0, 0);
  cairo_pattern_set_matrix(band, &skew);
  cairo_set_source(cr, band);
  cairo_paint(cr);
  cairo_pattern_destroy(band);
}

void SelectGameFont(cairo_t* cr, double size) {
  // League Spartan when installed; fontconfig falls back to the default sans otherwise.
  cairo_select_font_face(cr, "League Spartan", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void CentredTextPath(cairo_t* cr, std::string_view text, double cx, double cy, double size,
                     double maxWidth) {
  SelectGameFont(cr, size);
  const std::string str(text);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, str.c_str(), &ext);
  double squeeze = 1.0;
  if (maxWidth > 0 && ext.width > maxWidth) squeeze = maxWidth / ext.width;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, squeeze, 1.0);
  cairo_move_to(cr, -ext.x_bearing - ext.width / 2, -ext.y_bearing - ext.height / 2);
  cairo_text_path(cr, str.c_str());
  cairo_restore(cr);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

int TrailingNumber(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return -1;
  std::size_t start = dot;
  while (start > 0 && fileName[start - 1] >= '0' && fileName[start - 1] <= '9') --start;
  if (start == dot || dot - start > 6) return -1;
  int value = 0;
  for (std::size_t i = start; i < dot; ++i) value = value * 10 + (fileName[i] - '0');
  return value;
}

}  // namespace arena
