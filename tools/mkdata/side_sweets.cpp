// SPDX-License-Identifier: GPL-3.0-or-later
// The sweets sky's pictures: six glossy balloons with their strings, 25 sweets (a jelly ring,
// biscuits, a wrapped sweet, chocolate, jellies, Turkish delight, gummy bears, liquorice, a
// jelly snake and lollipops), a star of the sky, the striped launcher, its ball and the flash
// of a hit.
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
using arena::RgbFromHex;
using arena::SetColour;
using side::PaintInked;

constexpr int balloonWidth = 64, balloonHeight = 112;  // the body above, the string below
constexpr int sweetSize = 40;

// A light spot on a shiny surface.
void Gloss(cairo_t* cr, double x, double y, double rx, double ry, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_restore(cr);
}

// Sugar grains scattered in a fixed pattern over the current clip.
void Sugar(cairo_t* cr, double x0, double y0, double w, double h) {
  SetColour(cr, {1, 1, 1}, 0.8);
  for (int i = 0; i < 40; ++i) {
    const double x = x0 + std::fmod(i * 7.37, 1.0) * w + std::fmod(i * 0.61, 1.0) * 3;
    const double y = y0 + std::fmod(i * 0.618034, 1.0) * h;
    cairo_rectangle(cr, x, y, 1.2, 1.2);
  }
  cairo_fill(cr);
}

cairo_surface_t* DrawBalloon(Rgb colour) {
  cairo_surface_t* surface = arena::NewPicture(balloonWidth, balloonHeight);
  cairo_t* cr = cairo_create(surface);
  // The string, waving down to the sweet.
  cairo_move_to(cr, 32, 72);
  cairo_curve_to(cr, 26, 84, 38, 96, 32, 112);
  cairo_set_line_width(cr, 1.4);
  SetColour(cr, {0.35, 0.3, 0.35});
  cairo_stroke(cr);
  // The knot.
  cairo_move_to(cr, 32, 66);
  cairo_line_to(cr, 27, 74);
  cairo_line_to(cr, 37, 74);
  cairo_close_path(cr);
  PaintInked(cr, Darken(colour, 0.1), 66, 74, 1);
  // The body, a little narrower at the bottom.
  cairo_move_to(cr, 32, 68);
  cairo_curve_to(cr, 14, 62, 4, 46, 4, 32);
  cairo_curve_to(cr, 4, 14, 16, 3, 32, 3);
  cairo_curve_to(cr, 48, 3, 60, 14, 60, 32);
  cairo_curve_to(cr, 60, 46, 50, 62, 32, 68);
  cairo_close_path(cr);
  cairo_pattern_t* body = cairo_pattern_create_radial(22, 20, 2, 32, 34, 40);
  arena::AddStop(body, 0, Lighten(colour, 0.55));
  arena::AddStop(body, 0.45, colour);
  arena::AddStop(body, 1, Darken(colour, 0.45));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_line_width(cr, 1.4);
  SetColour(cr, Darken(colour, 0.6));
  cairo_stroke(cr);
  Gloss(cr, 21, 19, 7, 11, 0.85);
  Gloss(cr, 46, 50, 4, 4, 0.35);
  return side::Finished(cr, surface);
}

void JellyRing(cairo_t* cr) {
  cairo_arc(cr, 20, 20, 17, 0, 2 * pi);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 20, 20, 7, 2 * pi, 0);
  PaintInked(cr, RgbFromHex(0xf06aa8), 3, 37);
  cairo_arc(cr, 20, 20, 17, pi, 2 * pi);
  cairo_arc_negative(cr, 20, 20, 7, 2 * pi, pi);
  cairo_close_path(cr);
  SetColour(cr, {1, 1, 1}, 0.55);
  cairo_fill(cr);
  cairo_arc(cr, 20, 20, 17, 0, 2 * pi);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 20, 20, 7, 2 * pi, 0);
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(cr);
  Sugar(cr, 2, 2, 36, 36);
  cairo_restore(cr);
}

void Biscuit(cairo_t* cr, bool round) {
  const Rgb dough = RgbFromHex(0xd9a45a);
  if (round) {
    for (int i = 0; i < 16; ++i) {
      const double a = i * pi / 8;
      cairo_line_to(cr, 20 + 18 * std::cos(a), 20 + 18 * std::sin(a));
      cairo_line_to(cr, 20 + 16 * std::cos(a + pi / 16), 20 + 16 * std::sin(a + pi / 16));
    }
    cairo_close_path(cr);
    PaintInked(cr, dough, 2, 38);
    for (int i = 0; i < 5; ++i) {
      const double a = i * 2 * pi / 5;
      cairo_arc(cr, 20 + 8 * std::cos(a), 20 + 8 * std::sin(a), 1.6, 0, 2 * pi);
      cairo_new_sub_path(cr);
    }
    cairo_arc(cr, 20, 20, 1.6, 0, 2 * pi);
    SetColour(cr, Darken(dough, 0.5));
    cairo_fill(cr);
    return;
  }
  // A rectangular biscuit dipped halfway in chocolate.
  arena::RoundedRectPath(cr, 3, 10, 34, 20, 3);
  PaintInked(cr, dough, 10, 30);
  arena::RoundedRectPath(cr, 20, 9, 18, 22, 3);
  PaintInked(cr, RgbFromHex(0x5a3018), 9, 31);
  for (double x : {8.0, 13.0}) {
    for (double y : {15.0, 24.0}) {
      cairo_arc(cr, x, y, 1.3, 0, 2 * pi);
      cairo_new_sub_path(cr);
    }
  }
  SetColour(cr, Darken(dough, 0.5));
  cairo_fill(cr);
  Gloss(cr, 27, 14, 6, 2, 0.5);
}

void Wrapped(cairo_t* cr) {
  const Rgb paper = RgbFromHex(0x2fb0e8);
  for (int side : {-1, 1}) {
    cairo_move_to(cr, 20 + side * 9, 20);
    cairo_line_to(cr, 20 + side * 19, 11);
    cairo_line_to(cr, 20 + side * 17, 20);
    cairo_line_to(cr, 20 + side * 19, 29);
    cairo_close_path(cr);
    PaintInked(cr, Lighten(paper, 0.2), 11, 29, 1.2);
  }
  Ellipse(cr, 20, 20, 11, 9);
  PaintInked(cr, paper, 11, 29);
  cairo_save(cr);
  Ellipse(cr, 20, 20, 11, 9);
  cairo_clip(cr);
  cairo_set_line_width(cr, 2.5);
  SetColour(cr, {1, 1, 1}, 0.8);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, 14 + 6 * i, 10);
    cairo_line_to(cr, 24 + 6 * i, 30);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  Gloss(cr, 16, 15, 4, 2.5, 0.8);
}

void Chocolate(cairo_t* cr) {
  const Rgb choc = RgbFromHex(0x6b3a1c);
  arena::RoundedRectPath(cr, 4, 4, 32, 32, 3);
  PaintInked(cr, choc, 4, 36);
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      arena::RoundedRectPath(cr, 7 + 14 * i, 7 + 14 * j, 12, 12, 2);
      PaintInked(cr, Lighten(choc, 0.08), 7 + 14 * j, 19 + 14 * j, 1);
    }
  }
  Gloss(cr, 12, 10, 4, 2, 0.5);
}

void Jelly(cairo_t* cr, Rgb colour) {
  cairo_move_to(cr, 5, 34);
  cairo_curve_to(cr, 4, 14, 12, 5, 20, 5);
  cairo_curve_to(cr, 28, 5, 36, 14, 35, 34);
  cairo_curve_to(cr, 26, 37, 14, 37, 5, 34);
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  PaintInked(cr, colour, 5, 36);
  Sugar(cr, 4, 4, 32, 32);
  cairo_restore(cr);
  Gloss(cr, 14, 14, 4, 6, 0.7);
}

void Delight(cairo_t* cr) {
  const Rgb rose = RgbFromHex(0xf3a0c0);
  // A cube seen from above and in front.
  cairo_move_to(cr, 6, 14);
  cairo_line_to(cr, 16, 6);
  cairo_line_to(cr, 36, 6);
  cairo_line_to(cr, 26, 14);
  cairo_close_path(cr);
  PaintInked(cr, Lighten(rose, 0.35), 6, 14, 1.2);
  cairo_move_to(cr, 26, 14);
  cairo_line_to(cr, 36, 6);
  cairo_line_to(cr, 36, 26);
  cairo_line_to(cr, 26, 34);
  cairo_close_path(cr);
  PaintInked(cr, Darken(rose, 0.15), 6, 34, 1.2);
  cairo_rectangle(cr, 6, 14, 20, 20);
  PaintInked(cr, rose, 14, 34, 1.2);
  cairo_save(cr);
  cairo_rectangle(cr, 4, 4, 34, 32);
  cairo_clip(cr);
  Sugar(cr, 5, 5, 31, 30);
  cairo_restore(cr);
}

void GummyBear(cairo_t* cr, Rgb colour) {
  cairo_save(cr);
  cairo_push_group(cr);
  // Ears, head, body, arms and feet as one translucent jelly.
  for (double x : {13.0, 27.0}) {
    cairo_arc(cr, x, 6, 3.5, 0, 2 * pi);
    cairo_new_sub_path(cr);
  }
  cairo_arc(cr, 20, 11, 8, 0, 2 * pi);
  cairo_new_sub_path(cr);
  Ellipse(cr, 20, 26, 10, 11);
  Ellipse(cr, 10, 22, 4, 3.5);
  Ellipse(cr, 30, 22, 4, 3.5);
  Ellipse(cr, 13, 35, 5, 3.5);
  Ellipse(cr, 27, 35, 5, 3.5);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_pattern_t* jelly = cairo_pattern_create_linear(0, 2, 0, 39);
  arena::AddStop(jelly, 0, Lighten(colour, 0.4));
  arena::AddStop(jelly, 1, Darken(colour, 0.25));
  cairo_set_source(cr, jelly);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(jelly);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Darken(colour, 0.5));
  cairo_stroke(cr);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.92);
  cairo_restore(cr);
  Gloss(cr, 17, 9, 3, 2.5, 0.8);
  Gloss(cr, 16, 22, 3, 5, 0.55);
  for (double x : {17.0, 23.0}) {
    cairo_arc(cr, x, 11, 1.2, 0, 2 * pi);
    SetColour(cr, Darken(colour, 0.6));
    cairo_fill(cr);
  }
}

void Liquorice(cairo_t* cr, int kind) {
  const Rgb black = {0.1, 0.08, 0.1};
  const Rgb pink = RgbFromHex(0xf27eb8), yellow = RgbFromHex(0xf7d83a), white = {0.96, 0.95, 0.9};
  switch (kind) {
    case 1: {  // a wheel with a pink sweet at its heart
      cairo_arc(cr, 20, 20, 17, 0, 2 * pi);
      PaintInked(cr, black, 3, 37);
      cairo_set_line_width(cr, 1.2);
      SetColour(cr, {0.35, 0.3, 0.35});
      for (double a = 0; a < 6 * pi; a += 0.1) {
        const double r = 5 + a * 0.6;
        cairo_line_to(cr, 20 + r * std::cos(a), 20 + r * std::sin(a));
      }
      cairo_stroke(cr);
      cairo_arc(cr, 20, 20, 5, 0, 2 * pi);
      PaintInked(cr, pink, 15, 25, 1);
      break;
    }
    case 2: {  // a layered square: black, white, yellow, white, black
      const Rgb layers[] = {black, white, yellow, white, black};
      for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, 6, 6 + 5.6 * i, 28, 5.6);
        SetColour(cr, layers[i]);
        cairo_fill(cr);
      }
      cairo_rectangle(cr, 6, 6, 28, 28);
      cairo_set_line_width(cr, 1.4);
      SetColour(cr, black);
      cairo_stroke(cr);
      break;
    }
    case 3:  // a twisted rope
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_move_to(cr, 6, 34);
      cairo_line_to(cr, 34, 6);
      cairo_set_line_width(cr, 9);
      SetColour(cr, RgbFromHex(0xc0202a));
      cairo_stroke(cr);
      cairo_set_line_width(cr, 2);
      SetColour(cr, RgbFromHex(0x70101a));
      for (int i = 0; i < 6; ++i) {
        const double t = 8 + i * 4.6;
        cairo_move_to(cr, t - 3, 40 - t - 3);
        cairo_line_to(cr, t + 3, 40 - t + 1);
      }
      cairo_stroke(cr);
      break;
    case 4:  // a round one coated in blue sugar dots around black
      cairo_arc(cr, 20, 20, 15, 0, 2 * pi);
      PaintInked(cr, RgbFromHex(0x3a7ee8), 5, 35);
      cairo_save(cr);
      cairo_arc(cr, 20, 20, 15, 0, 2 * pi);
      cairo_clip(cr);
      Sugar(cr, 5, 5, 30, 30);
      cairo_restore(cr);
      cairo_arc(cr, 20, 20, 6, 0, 2 * pi);
      PaintInked(cr, black, 14, 26, 1);
      break;
    case 5:  // a tube with a pink filling
      arena::RoundedRectPath(cr, 4, 13, 32, 14, 5);
      PaintInked(cr, black, 13, 27);
      Ellipse(cr, 33, 20, 3.5, 7);
      PaintInked(cr, black, 13, 27, 1);
      Ellipse(cr, 33, 20, 2, 4);
      SetColour(cr, pink);
      cairo_fill(cr);
      break;
    default:  // a pipe with a red ember
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_move_to(cr, 6, 30);
      cairo_line_to(cr, 26, 30);
      cairo_set_line_width(cr, 5);
      SetColour(cr, black);
      cairo_stroke(cr);
      arena::RoundedRectPath(cr, 24, 12, 12, 20, 4);
      PaintInked(cr, black, 12, 32);
      Ellipse(cr, 30, 13, 5, 2.2);
      SetColour(cr, RgbFromHex(0xff3a2a));
      cairo_fill(cr);
      break;
  }
  Gloss(cr, 14, 12, 4, 2.5, 0.45);
}

void Snake(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto path = [cr]() {
    cairo_move_to(cr, 5, 32);
    cairo_curve_to(cr, 10, 18, 18, 40, 24, 24);
    cairo_curve_to(cr, 28, 12, 34, 14, 35, 8);
  };
  path();
  cairo_set_line_width(cr, 9);
  SetColour(cr, RgbFromHex(0x1e8a30));
  cairo_stroke(cr);
  path();
  cairo_set_line_width(cr, 7);
  SetColour(cr, RgbFromHex(0x5ed04a));
  cairo_stroke(cr);
  path();
  cairo_set_line_width(cr, 7);
  const double dashes[] = {3, 5};
  cairo_set_dash(cr, dashes, 2, 0);
  SetColour(cr, RgbFromHex(0xf5e23a));
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_arc(cr, 35, 8, 4.5, 0, 2 * pi);
  PaintInked(cr, RgbFromHex(0xe8402a), 4, 12, 1);
  cairo_arc(cr, 36, 7, 1, 0, 2 * pi);
  SetColour(cr, {0, 0, 0});
  cairo_fill(cr);
}

void Lollipop(cairo_t* cr, int kind) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 20, 24);
  cairo_line_to(cr, 20, 39);
  cairo_set_line_width(cr, 3);
  SetColour(cr, {0.95, 0.93, 0.88});
  cairo_stroke(cr);
  if (kind == 2) {  // a heart
    cairo_move_to(cr, 20, 28);
    cairo_curve_to(cr, 4, 18, 6, 2, 20, 9);
    cairo_curve_to(cr, 34, 2, 36, 18, 20, 28);
    cairo_close_path(cr);
    PaintInked(cr, RgbFromHex(0xe8283a), 4, 28);
    Gloss(cr, 13, 11, 3.5, 2.5, 0.8);
    return;
  }
  const Rgb a = kind == 1 ? RgbFromHex(0xf23a8a) : RgbFromHex(0x2ab8f0);
  const Rgb b = kind == 1 ? Rgb{1, 1, 1} : RgbFromHex(0xf7e03a);
  cairo_arc(cr, 20, 14, 12, 0, 2 * pi);
  PaintInked(cr, b, 2, 26);
  // The swirl: a spiral band of the second colour.
  cairo_save(cr);
  cairo_arc(cr, 20, 14, 11.5, 0, 2 * pi);
  cairo_clip(cr);
  cairo_set_line_width(cr, 3.2);
  SetColour(cr, a);
  for (double t = 0; t < 5 * pi; t += 0.08) {
    const double r = t * 0.78;
    cairo_line_to(cr, 20 + r * std::cos(t), 14 + r * std::sin(t));
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  Gloss(cr, 15, 9, 4, 3, 0.8);
}

cairo_surface_t* DrawSweet(std::string_view stem) {
  cairo_surface_t* surface = arena::NewPicture(sweetSize, sweetSize);
  cairo_t* cr = cairo_create(surface);
  const struct { const char* name; unsigned colour; } bears[] = {
      {"nounours_bleu", 0x3a6ef0}, {"nounours_jaune", 0xf7c818}, {"nounours_rose", 0xf77ab8},
      {"nounours_rouge", 0xe82a2a}, {"nounours_vert", 0x42c83a}};
  const struct { const char* name; unsigned colour; } jellies[] = {
      {"gel", 0xf04a4a}, {"gel2", 0x52c8f0}, {"gel3", 0xa0e040}, {"gel4", 0xf0a030}};
  bool drawn = true;
  if (stem == "anneau") JellyRing(cr);
  else if (stem == "biscuit") Biscuit(cr, true);
  else if (stem == "biscuit2") Biscuit(cr, false);
  else if (stem == "bonbon_emballe") Wrapped(cr);
  else if (stem == "choco") Chocolate(cr);
  else if (stem == "loukoum") Delight(cr);
  else if (stem == "serpent") Snake(cr);
  else if (stem == "reglisse") Liquorice(cr, 1);
  else if (arena::StartsWith(stem, "reglisse") && stem.size() == 9 && stem[8] >= '2' && stem[8] <= '6') {
    Liquorice(cr, stem[8] - '0');
  } else if (stem == "sucette") Lollipop(cr, 1);
  else if (stem == "sucette2") Lollipop(cr, 2);
  else if (stem == "sucette3") Lollipop(cr, 3);
  else drawn = false;
  for (const auto& bear : bears) {
    if (stem == bear.name) {
      GummyBear(cr, RgbFromHex(bear.colour));
      drawn = true;
    }
  }
  for (const auto& jelly : jellies) {
    if (stem == jelly.name) {
      Jelly(cr, RgbFromHex(jelly.colour));
      drawn = true;
    }
  }
  side::Finished(cr, surface);
  if (drawn) return surface;
  cairo_surface_destroy(surface);
  return nullptr;
}

// A soft white star; the game draws it faint and turning.
cairo_surface_t* DrawStar() {
  cairo_surface_t* surface = arena::NewPicture(64, 64);
  cairo_t* cr = cairo_create(surface);
  arena::FillSoftGlow(cr, 32, 32, 30, {1, 1, 1}, 0.5);
  for (int i = 0; i < 10; ++i) {
    const double a = -pi / 2 + i * pi / 5;
    const double r = i % 2 == 0 ? 26 : 10;
    cairo_line_to(cr, 32 + r * std::cos(a), 32 + r * std::sin(a));
  }
  cairo_close_path(cr);
  SetColour(cr, {1, 1, 1});
  cairo_fill(cr);
  return side::Finished(cr, surface);
}

// A candy-striped arrow pointing up, turning about its centre; the ball rests in the cup at its
// foot, 48 pixels below the centre.
cairo_surface_t* DrawLauncher() {
  cairo_surface_t* surface = arena::NewPicture(56, 128);
  cairo_t* cr = cairo_create(surface);
  const Rgb red = RgbFromHex(0xe8283a);
  auto arrow = [cr]() {
    cairo_move_to(cr, 28, 4);
    cairo_line_to(cr, 50, 34);
    cairo_line_to(cr, 36, 34);
    cairo_line_to(cr, 36, 100);
    cairo_line_to(cr, 20, 100);
    cairo_line_to(cr, 20, 34);
    cairo_line_to(cr, 6, 34);
    cairo_close_path(cr);
  };
  arrow();
  SetColour(cr, {1, 1, 1});
  cairo_fill(cr);
  cairo_save(cr);
  arrow();
  cairo_clip(cr);
  SetColour(cr, red);
  for (int i = -4; i < 14; ++i) {
    cairo_move_to(cr, 0, 14 + 10 * i);
    cairo_line_to(cr, 56, -2 + 10 * i);
    cairo_line_to(cr, 56, 3 + 10 * i);
    cairo_line_to(cr, 0, 19 + 10 * i);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
  cairo_pattern_t* shade = cairo_pattern_create_linear(6, 0, 50, 0);
  cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(shade, 0.5, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.3);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
  cairo_restore(cr);
  arrow();
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 1.8);
  SetColour(cr, Darken(red, 0.6));
  cairo_stroke(cr);
  // The cup the ball rests in.
  cairo_arc(cr, 28, 112, 14, 0, 2 * pi);
  PaintInked(cr, RgbFromHex(0x8a4ad8), 98, 126);
  cairo_arc(cr, 28, 112, 9, 0, 2 * pi);
  SetColour(cr, Darken(RgbFromHex(0x8a4ad8), 0.5));
  cairo_fill(cr);
  return side::Finished(cr, surface);
}

cairo_surface_t* DrawShot() {
  cairo_surface_t* surface = arena::NewPicture(20, 20);
  cairo_t* cr = cairo_create(surface);
  arena::FillSphere(cr, 10, 10, 9, RgbFromHex(0xf6d33a));
  return side::Finished(cr, surface);
}

// A burst of rays around a bright heart.
cairo_surface_t* DrawFlash() {
  cairo_surface_t* surface = arena::NewPicture(96, 96);
  cairo_t* cr = cairo_create(surface);
  arena::FillSoftGlow(cr, 48, 48, 46, {1, 1, 0.7}, 0.7);
  for (int i = 0; i < 24; ++i) {
    const double a = i * pi / 12;
    const double r = i % 2 == 0 ? 44 : 24;
    cairo_line_to(cr, 48 + r * std::cos(a), 48 + r * std::sin(a));
  }
  cairo_close_path(cr);
  PaintInked(cr, RgbFromHex(0xffd040), 6, 90, 1.5);
  arena::FillSoftGlow(cr, 48, 48, 20, {1, 1, 1}, 1);
  return side::Finished(cr, surface);
}

}  // namespace

cairo_surface_t* DrawSweetsPicture(const std::string& fileName) {
  const std::string_view name = side::InFolder(fileName, "MiniGames\\sugar\\gfx/");
  if (name.empty() || !arena::EndsWith(name, ".png")) return nullptr;
  const std::string_view stem = name.substr(0, name.size() - 4);
  const struct { const char* name; unsigned colour; } balloons[] = {
      {"ballon_bleu", 0x2a5cf0}, {"ballon_cyan", 0x2ad0e8}, {"ballon_jaune", 0xf7d420},
      {"ballon_rose", 0xf27ac0}, {"ballon_rouge", 0xe8222e}, {"ballon_vert", 0x3ac84a}};
  for (const auto& balloon : balloons) {
    if (stem == balloon.name) return DrawBalloon(RgbFromHex(balloon.colour));
  }
  if (stem == "star") return DrawStar();
  if (stem == "fleche") return DrawLauncher();
  if (stem == "balle") return DrawShot();
  if (stem == "clac") return DrawFlash();
  return DrawSweet(stem);
}
