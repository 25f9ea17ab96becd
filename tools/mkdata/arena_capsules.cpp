// SPDX-License-Identifier: GPL-3.0-or-later
// Falling capsules, 32 x 32, 16 frames each: lettered pills that roll, the malus pill with its
// skull, and the spinning golden tokens of the B-O-N-U-S letters.
#include <cmath>
#include <string>
#include <string_view>

#include "arena_common.h"
#include "arena_families.h"

namespace arena {
namespace {

constexpr int capsuleSize = 32;
constexpr double pillWidth = 30, pillHeight = 20;

struct PillStyle {
  char code;      // the bonus folder's letter
  char letter;    // what the pill shows
  Rgb body;
  Rgb ink;        // letter colour
};

// Each bonus in a colour of its own; the extra life is the white pill with a red letter.
const PillStyle pillStyles[] = {
    {'t', 'T', {0.15, 0.4, 0.95}, {1, 1, 1}},    // triple: blue
    {'e', 'E', {0.1, 0.7, 0.2}, {1, 1, 1}},      // enlarge: green
    {'f', 'F', {0.98, 0.45, 0.05}, {1, 1, 0.8}}, // fire: orange
    {'l', 'L', {0.95, 0.2, 0.6}, {1, 1, 1}},     // laser: pink
    {'c', 'C', {0.9, 0.8, 0.05}, {0.2, 0.12, 0}},// glue: yellow
    {'m', 'M', {0.55, 0.6, 0.66}, {1, 1, 1}},    // missile: gunmetal
    {'b', 'B', {0.5, 0.15, 0.85}, {1, 1, 1}},    // door: violet
    {'r', 'R', {0.05, 0.75, 0.75}, {1, 1, 1}},   // row: teal
    {'s', 'S', {0.55, 0.85, 0.1}, {0.1, 0.2, 0}},// bigger: lime
    {'g', 'G', {0.6, 0.4, 0.15}, {1, 0.95, 0.8}},// chaingun: bronze
    {'p', 'P', {0.95, 0.95, 0.97}, {0.85, 0.05, 0.1}},  // extra life: white
};

// Rolling about the long axis: a lighter band travels down the front of the pill, and the
// gloss breathes with it.
void DrawPillBody(cairo_t* cr, Rgb body, int frame, double glow) {
  const double x = (capsuleSize - pillWidth) / 2, y = (capsuleSize - pillHeight) / 2;
  const double r = pillHeight / 2;
  const double phase = 2 * pi * LoopPhase(frame, 16);

  // Outer glow so the capsule stands out against the scenery.
  cairo_save(cr);
  cairo_scale(cr, 1.0, 0.75);
  FillSoftGlow(cr, capsuleSize / 2.0, capsuleSize / 2.0 / 0.75, 16, Lighten(body, 0.3), glow);
  cairo_restore(cr);

  RoundedRectPath(cr, x, y, pillWidth, pillHeight, r);
  SetColour(cr, Darken(body, 0.65));
  cairo_fill(cr);
  RoundedRectPath(cr, x + 1, y + 1, pillWidth - 2, pillHeight - 2, r - 1);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + pillHeight);
  AddStop(shade, 0.0, Darken(body, 0.35));
  AddStop(shade, 0.22, Lighten(body, 0.45));
  AddStop(shade, 0.5, body);
  AddStop(shade, 1.0, Darken(body, 0.55));
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  cairo_clip(cr);

  // Two seams half a turn apart; each shows while it is on the front half.
  for (int seam = 0; seam < 2; ++seam) {
    const double angle = phase + seam * pi;
    const double front = std::sin(angle);
    if (front <= 0) continue;
    const double sy = capsuleSize / 2.0 - (pillHeight / 2 - 1) * std::cos(angle);
    cairo_rectangle(cr, 0, sy - 1.2, capsuleSize, 2.4);
    SetColour(cr, Lighten(body, 0.6), 0.45 * front);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, sy + 1.2, capsuleSize, 0.8);
    SetColour(cr, Darken(body, 0.5), 0.4 * front);
    cairo_fill(cr);
  }
  // End caps: darker bands that make the pill shape read at a glance.
  cairo_rectangle(cr, x, y, 5, pillHeight);
  cairo_rectangle(cr, x + pillWidth - 5, y, 5, pillHeight);
  SetColour(cr, Darken(body, 0.3), 0.35);
  cairo_fill(cr);
  // Gloss.
  RoundedRectPath(cr, x + 4, y + 2, pillWidth - 8, 6, 3);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35 + 0.15 * std::cos(phase));
  cairo_fill(cr);
  cairo_reset_clip(cr);
}

void DrawPillLetter(cairo_t* cr, char letter, Rgb ink) {
  const std::string text(1, letter);
  const bool darkInk = ink.r + ink.g + ink.b < 1.5;
  CentredTextPath(cr, text, capsuleSize / 2.0, capsuleSize / 2.0 + 0.5, 16, 13);
  cairo_set_line_width(cr, 2.2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (darkInk) cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  else cairo_set_source_rgba(cr, 0, 0, 0, 0.75);
  cairo_stroke_preserve(cr);
  SetColour(cr, ink);
  cairo_fill(cr);
}

void DrawSkull(cairo_t* cr, double cx, double cy) {
  const Rgb bone{0.95, 0.92, 0.85};
  cairo_set_line_width(cr, 1.6);
  // Cranium and jaw as one outline, stroked dark first for contrast on the red pill.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy - 1.2, 5.4, pi * 0.8, pi * 2.2);
  cairo_line_to(cr, cx + 3.2, cy + 4.8);
  cairo_line_to(cr, cx - 3.2, cy + 4.8);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 0.1, 0, 0, 0.9);
  cairo_stroke_preserve(cr);
  SetColour(cr, bone);
  cairo_fill(cr);
  // Eye sockets, nose and teeth.
  cairo_set_source_rgb(cr, 0.25, 0.0, 0.02);
  cairo_arc(cr, cx - 2.2, cy - 1.0, 1.6, 0, 2 * pi);
  cairo_fill(cr);
  cairo_arc(cr, cx + 2.2, cy - 1.0, 1.6, 0, 2 * pi);
  cairo_fill(cr);
  cairo_move_to(cr, cx, cy + 0.8);
  cairo_line_to(cr, cx - 0.9, cy + 2.2);
  cairo_line_to(cr, cx + 0.9, cy + 2.2);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.6);
  for (double tx : {-1.6, 0.0, 1.6}) {
    cairo_move_to(cr, cx + tx, cy + 3.2);
    cairo_line_to(cr, cx + tx, cy + 4.8);
  }
  cairo_stroke(cr);
}

void DrawMalus(cairo_t* cr, int frame) {
  // A slow, ominous throb of the glow; the pill rolls like the others.
  const double throb = 0.5 + 0.5 * std::sin(2 * pi * LoopPhase(frame, 16));
  DrawPillBody(cr, {0.45, 0.02, 0.05}, frame, 0.35 + 0.45 * throb);
  // Minus marks on the caps: this one takes something away.
  cairo_set_line_width(cr, 1.6);
  cairo_set_source_rgba(cr, 1.0, 0.6, 0.5, 0.9);
  for (double x : {5.0, capsuleSize - 9.0}) {
    cairo_move_to(cr, x, capsuleSize / 2.0);
    cairo_line_to(cr, x + 4, capsuleSize / 2.0);
  }
  cairo_stroke(cr);
  DrawSkull(cr, capsuleSize / 2.0, capsuleSize / 2.0 - 0.5);
}

// A golden coin spinning about its vertical axis; its face never narrows so far that the
// letter can no longer be read.
void DrawLetterToken(cairo_t* cr, char letter, int frame) {
  const double phase = 2 * pi * LoopPhase(frame, 16);
  const double squeeze = 0.5 + 0.5 * std::fabs(std::cos(phase));
  const double cx = capsuleSize / 2.0, cy = capsuleSize / 2.0, r = 13.5;
  const Rgb gold{0.95, 0.72, 0.15};
  FillSoftGlow(cr, cx, cy, 16, {1.0, 0.85, 0.4}, 0.5);
  // Edge: visible beside the face as the coin turns.
  const double edgeShift = 2.0 * std::sin(phase) * (1 - squeeze) * 2;
  cairo_save(cr);
  cairo_translate(cr, cx + edgeShift, cy);
  cairo_scale(cr, squeeze, 1.0);
  cairo_arc(cr, 0, 0, r, 0, 2 * pi);
  cairo_restore(cr);
  SetColour(cr, Darken(gold, 0.45));
  cairo_fill(cr);

  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, squeeze, 1.0);
  cairo_arc(cr, 0, 0, r, 0, 2 * pi);
  cairo_pattern_t* face = cairo_pattern_create_linear(-r, -r, r, r);
  AddStop(face, 0.0, Lighten(gold, 0.6));
  AddStop(face, 0.45, gold);
  AddStop(face, 1.0, Darken(gold, 0.4));
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // Raised rim.
  cairo_arc(cr, 0, 0, r - 2, 0, 2 * pi);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Darken(gold, 0.35), 0.8);
  cairo_stroke(cr);
  cairo_arc(cr, 0.4, 0.6, r - 2.6, pi * 0.9, pi * 1.6);
  SetColour(cr, Lighten(gold, 0.7), 0.7);
  cairo_stroke(cr);
  // Embossed letter.
  CentredTextPath(cr, std::string(1, letter), 0.6, 1.1, 17, 14);
  cairo_set_source_rgba(cr, 1, 1, 0.85, 0.7);
  cairo_fill(cr);
  CentredTextPath(cr, std::string(1, letter), 0, 0.5, 17, 14);
  cairo_set_source_rgb(cr, 0.42, 0.22, 0.02);
  cairo_fill(cr);
  cairo_restore(cr);
  // A glint that crosses the face as it turns.
  const double glintX = cx + r * squeeze * 0.6 * std::cos(phase * 2);
  FillSoftGlow(cr, glintX, cy - 6, 5, {1, 1, 1}, 0.8);
}

}  // namespace

cairo_surface_t* DrawCapsule(std::string_view code, int frame) {
  if (frame < 0 || frame > 15) return nullptr;
  const PillStyle* style = nullptr;
  for (const PillStyle& s : pillStyles) {
    if (code.size() == 1 && code[0] == s.code) style = &s;
  }
  const bool malus = code == "malus";
  const bool token = code.size() == 1 && std::string_view("BONUS").find(code[0]) != std::string_view::npos;
  if (!style && !malus && !token) return nullptr;

  cairo_surface_t* surface = NewPicture(capsuleSize, capsuleSize);
  cairo_t* cr = cairo_create(surface);
  if (style) {
    const double pulse = 0.5 + 0.5 * std::sin(2 * pi * LoopPhase(frame, 16));
    DrawPillBody(cr, style->body, frame, 0.25 + 0.3 * pulse);
    DrawPillLetter(cr, style->letter, style->ink);
  } else if (malus) {
    DrawMalus(cr, frame);
  } else {
    DrawLetterToken(cr, code[0], frame);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace arena
