// SPDX-License-Identifier: GPL-3.0-or-later
// The five monsters, 64 x 64 each. How the game picks a frame shapes each animation:
//   02_ (16) frame follows horizontal speed, so frame 0 leans left and frame 15 leans right;
//   03_ (16) a looping wing beat;
//   06_ (16) frame 0 is shown most of the time, the rest play as a short burst from it;
//   04_ and 05_ (32) looping cycles that close on themselves.
#include <algorithm>
#include <cmath>

#include "weapon_common.h"

namespace weapon {

namespace {

void FillPattern(cairo_t* cr, cairo_pattern_t* pattern, bool keepPath = false) {
  cairo_set_source(cr, pattern);
  if (keepPath) cairo_fill_preserve(cr);
  else cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

// A lit sphere-like fill: bright towards the upper left, dark rim.
cairo_pattern_t* GlossyBall(double x, double y, double radius, double red, double green, double blue) {
  cairo_pattern_t* ball = cairo_pattern_create_radial(x - radius * 0.35, y - radius * 0.4, radius * 0.1, x, y,
                                                      radius * 1.05);
  cairo_pattern_add_color_stop_rgb(ball, 0, Clamp01(red + 0.5), Clamp01(green + 0.5), Clamp01(blue + 0.5));
  cairo_pattern_add_color_stop_rgb(ball, 0.45, red, green, blue);
  cairo_pattern_add_color_stop_rgb(ball, 1, red * 0.25, green * 0.25, blue * 0.25);
  return ball;
}

void Highlight(cairo_t* cr, double x, double y, double width, double height) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, width, height);
  cairo_pattern_t* shine = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.85);
  cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  FillPattern(cr, shine);
  cairo_restore(cr);
}

// An eye: white, coloured iris and pupil looking by (lookX, lookY); lid closes it by closed 0..1.
void DrawEye(cairo_t* cr, double x, double y, double radius, double lookX, double lookY, double closed,
             double irisRed, double irisGreen, double irisBlue) {
  cairo_save(cr);
  cairo_arc(cr, x, y, radius, 0, 2 * pi);
  cairo_pattern_t* white = cairo_pattern_create_radial(x - radius * 0.3, y - radius * 0.3, 0, x, y, radius);
  cairo_pattern_add_color_stop_rgb(white, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(white, 1, 0.7, 0.72, 0.8);
  FillPattern(cr, white);
  cairo_arc(cr, x, y, radius, 0, 2 * pi);
  cairo_clip(cr);
  const double ix = x + lookX * radius * 0.4, iy = y + lookY * radius * 0.4;
  cairo_arc(cr, ix, iy, radius * 0.58, 0, 2 * pi);
  cairo_set_source_rgb(cr, irisRed, irisGreen, irisBlue);
  cairo_fill(cr);
  cairo_arc(cr, ix, iy, radius * 0.28, 0, 2 * pi);
  cairo_set_source_rgb(cr, 0.02, 0.02, 0.04);
  cairo_fill(cr);
  cairo_arc(cr, ix - radius * 0.2, iy - radius * 0.22, radius * 0.14, 0, 2 * pi);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  if (closed > 0) {
    // Upper and lower lids meeting in the middle.
    const double reach = radius * closed;
    cairo_rectangle(cr, x - radius, y - radius, 2 * radius, reach);
    cairo_rectangle(cr, x - radius, y + radius - reach, 2 * radius, reach);
    cairo_set_source_rgb(cr, 0.75, 0.28, 0.05);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  cairo_arc(cr, x, y, radius, 0, 2 * pi);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.1, 0.8);
  cairo_stroke(cr);
}

// 02_: a green one-eyed glider that banks into its motion; lean runs from -1 (left) to 1 (right).
cairo_surface_t* DrawGlider(int frame) {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  const double lean = (frame - 7.5) / 7.5;
  // Thruster glow trails behind the motion.
  if (std::fabs(lean) > 0.05) {
    AddGlow(cr, 32 - lean * 20, 38, 4 + 7 * std::fabs(lean), 0.5, 1, 0.4, 0.8 * std::fabs(lean));
  }
  cairo_translate(cr, 32, 32);
  cairo_rotate(cr, lean * 0.45);
  // Wings: the trailing wing lifts, the leading one dips.
  for (int side = -1; side <= 1; side += 2) {
    const double lift = 7 + 6 * lean * side;
    cairo_move_to(cr, side * 12, -4);
    cairo_curve_to(cr, side * 22, -10 + lift * 0.3 - 6, side * 28, -12 + lift * 0.2, side * 30, -6 + lift * 0.7);
    cairo_curve_to(cr, side * 24, -3 + lift * 0.5, side * 20, 4, side * 12, 6);
    cairo_close_path(cr);
    cairo_pattern_t* wing = cairo_pattern_create_linear(side * 12, 0, side * 30, 0);
    cairo_pattern_add_color_stop_rgb(wing, 0, 0.15, 0.6, 0.3);
    cairo_pattern_add_color_stop_rgb(wing, 1, 0.55, 1, 0.5);
    FillPattern(cr, wing, true);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0.15, 0.05, 0.9);
    cairo_stroke(cr);
  }
  cairo_save(cr);
  cairo_scale(cr, 1, 0.88);
  cairo_arc(cr, 0, 0, 17, 0, 2 * pi);
  cairo_restore(cr);
  FillPattern(cr, GlossyBall(0, 0, 17, 0.2, 0.8, 0.35), true);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0, 0.12, 0.04, 0.9);
  cairo_stroke(cr);
  DrawEye(cr, lean * 4, -2, 8, lean, 0.1, 0, 0.9, 0.2, 0.1);
  // A grin under the eye, lopsided towards the motion.
  cairo_move_to(cr, -6 + lean * 3, 9);
  cairo_curve_to(cr, -2 + lean * 3, 12 + lean, 2 + lean * 3, 12 - lean, 6 + lean * 3, 9);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgb(cr, 0.02, 0.15, 0.05);
  cairo_stroke(cr);
  Highlight(cr, -7, -9, 5, 3);
  cairo_destroy(cr);
  return picture;
}

// 03_: a purple bat with glowing eyes, one full wing beat over the 16 frames.
cairo_surface_t* DrawBat(int frame) {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  const double phase = 2 * pi * frame / 16;
  const double beat = std::sin(phase);         // 1 wings up, -1 wings down
  const double bob = -2.5 * beat;
  cairo_translate(cr, 32, 33 + bob);
  for (int side = -1; side <= 1; side += 2) {
    const double tipX = side * (29 - 3 * std::fabs(beat)), tipY = -2 - 17 * beat;
    const double elbowX = side * 18, elbowY = -4 - 11 * beat;
    cairo_move_to(cr, side * 7, -3);
    cairo_curve_to(cr, side * 10, -6 - 8 * beat, elbowX - side * 3, elbowY - 3, elbowX, elbowY);
    cairo_line_to(cr, tipX, tipY);
    // Scalloped trailing edge back to the body.
    // On the down stroke the membrane hangs below the arm, so keep it a hand deep.
    const double ends[][2] = {{side * 22.0, std::max(6 - 6 * beat, tipY * 0.6 + 10)},
                              {side * 14.0, std::max(7 - 3 * beat, elbowY + 10)},
                              {side * 6.0, 7}};
    double fromX = tipX, fromY = tipY;
    for (const auto& e : ends) {
      const double midX = (fromX + e[0]) / 2, midY = (fromY + e[1]) / 2 - 3;
      cairo_curve_to(cr, midX, midY, midX, midY, e[0], e[1]);
      fromX = e[0];
      fromY = e[1];
    }
    cairo_close_path(cr);
    cairo_pattern_t* wing = cairo_pattern_create_linear(0, -18, 0, 10);
    cairo_pattern_add_color_stop_rgb(wing, 0, 0.75, 0.35, 0.95);
    cairo_pattern_add_color_stop_rgb(wing, 1, 0.25, 0.05, 0.4);
    FillPattern(cr, wing, true);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0.1, 0, 0.15, 0.9);
    cairo_stroke(cr);
    // Finger bones.
    cairo_move_to(cr, elbowX, elbowY);
    cairo_line_to(cr, ends[0][0], ends[0][1]);
    cairo_move_to(cr, elbowX, elbowY);
    cairo_line_to(cr, ends[1][0], ends[1][1]);
    cairo_set_line_width(cr, 0.8);
    cairo_set_source_rgba(cr, 0.95, 0.7, 1, 0.6);
    cairo_stroke(cr);
  }
  // Ears, body and glowing eyes.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, side * 3, -8);
    cairo_line_to(cr, side * 8, -17);
    cairo_line_to(cr, side * 9, -6);
    cairo_close_path(cr);
  }
  cairo_set_source_rgb(cr, 0.4, 0.12, 0.55);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_scale(cr, 1, 1.15);
  cairo_arc(cr, 0, 0, 10, 0, 2 * pi);
  cairo_restore(cr);
  FillPattern(cr, GlossyBall(0, 0, 11, 0.55, 0.2, 0.75));
  for (int side = -1; side <= 1; side += 2) {
    AddGlow(cr, side * 4, -2, 5, 1, 0.9, 0.2, 0.9);
    cairo_arc(cr, side * 4, -2, 1.6, 0, 2 * pi);
    cairo_set_source_rgb(cr, 1, 1, 0.7);
    cairo_fill(cr);
  }
  // Fangs.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, side * 1.5, 5);
    cairo_line_to(cr, side * 3.5, 5);
    cairo_line_to(cr, side * 2.5, 8.5);
    cairo_close_path(cr);
  }
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  Highlight(cr, -4, -7, 3.5, 2);
  cairo_destroy(cr);
  return picture;
}

// 06_: an orange spiky puffer with one big eye. Frame 0 is its resting look; across the burst it
// puffs up, bristles, blinks twice and settles back to frame 0.
cairo_surface_t* DrawPuffer(int frame) {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  const double burst = std::pow(std::sin(pi * frame / 16), 2);
  const double blink = std::max({0.0, 1 - std::fabs(frame - 5) / 2.5, 1 - std::fabs(frame - 11) / 2.0});
  const double radius = 15 + 3 * burst;
  const double spikeLength = 5 + 8 * burst;
  const double turn = 0.35 * burst;
  if (burst > 0) AddGlow(cr, 32, 32, 31, 1, 0.6, 0.1, 0.45 * burst);
  cairo_translate(cr, 32, 32);
  for (int k = 0; k < 12; ++k) {
    const double a = k * pi / 6 + turn;
    const double ca = std::cos(a), sa = std::sin(a);
    const double baseHalf = 0.22;
    cairo_move_to(cr, radius * 0.9 * std::cos(a - baseHalf), radius * 0.9 * std::sin(a - baseHalf));
    cairo_line_to(cr, (radius + spikeLength) * ca, (radius + spikeLength) * sa);
    cairo_line_to(cr, radius * 0.9 * std::cos(a + baseHalf), radius * 0.9 * std::sin(a + baseHalf));
    cairo_close_path(cr);
  }
  cairo_set_source_rgb(cr, 1, 0.85 + 0.1 * burst, 0.35 + 0.4 * burst);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 0.4, 0.1, 0, 0.9);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, radius, 0, 2 * pi);
  FillPattern(cr, GlossyBall(0, 0, radius, 1, 0.45 + 0.2 * burst, 0.05), true);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.35, 0.08, 0, 0.9);
  cairo_stroke(cr);
  DrawEye(cr, 0, -1, 7 + 2 * burst, 0, 0, blink, 0.1, 0.5, 0.9);
  Highlight(cr, -radius * 0.45, -radius * 0.55, radius * 0.3, radius * 0.18);
  cairo_destroy(cr);
  return picture;
}

// 04_: the ship hunter, a red-eyed saw drone. Its four blades turn a quarter turn and its ring of
// eight lights turns an eighth the other way over the 32 frames, so the cycle closes.
cairo_surface_t* DrawSawDrone(int frame) {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  const double phase = 2 * pi * frame / 32;
  const double spin = frame * (pi / 2) / 32;
  const double pulse = 0.5 + 0.5 * std::cos(2 * phase);
  AddGlow(cr, 32, 32, 30, 1, 0.1, 0.05, 0.25 + 0.25 * pulse);
  cairo_translate(cr, 32, 32);
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_rotate(cr, spin + k * pi / 2);
    // A curved sickle blade.
    cairo_move_to(cr, 8, -5);
    cairo_curve_to(cr, 18, -10, 27, -6, 30, 2);
    cairo_curve_to(cr, 24, -1, 18, 1, 10, 6);
    cairo_close_path(cr);
    cairo_pattern_t* steel = cairo_pattern_create_linear(8, -8, 26, 4);
    cairo_pattern_add_color_stop_rgb(steel, 0, 0.45, 0.48, 0.55);
    cairo_pattern_add_color_stop_rgb(steel, 0.6, 0.95, 0.96, 1);
    cairo_pattern_add_color_stop_rgb(steel, 1, 0.6, 0.62, 0.7);
    FillPattern(cr, steel, true);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, 0.8, 0.1, 0.05);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 0, 14, 0, 2 * pi);
  FillPattern(cr, GlossyBall(0, 0, 14, 0.4, 0.42, 0.5));
  for (int k = 0; k < 8; ++k) {
    const double a = -frame * (pi / 4) / 32 + k * pi / 4;
    const double glow = 0.5 + 0.5 * std::cos(phase + k * pi / 4 * 2);
    AddGlow(cr, 11 * std::cos(a), 11 * std::sin(a), 2.5, 1, 0.3 + 0.5 * glow, 0.1, 0.6 + 0.4 * glow);
  }
  cairo_pattern_t* eye = cairo_pattern_create_radial(-2, -2, 0.5, 0, 0, 7);
  cairo_pattern_add_color_stop_rgb(eye, 0, 1, 0.9, 0.8);
  cairo_pattern_add_color_stop_rgb(eye, 0.4, 1, 0.1 + 0.2 * pulse, 0.05);
  cairo_pattern_add_color_stop_rgb(eye, 1, 0.25, 0, 0);
  cairo_arc(cr, 0, 0, 7, 0, 2 * pi);
  FillPattern(cr, eye);
  AddGlow(cr, 0, 0, 9 + 4 * pulse, 1, 0.2, 0.1, 0.5 * pulse);
  Highlight(cr, -5, -7, 4, 2.2);
  cairo_destroy(cr);
  return picture;
}

// 05_: the ball hunter, a cyan jellyfish whose bell breathes and whose tentacles wave, one full
// stroke over the 32 frames.
cairo_surface_t* DrawJelly(int frame) {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  const double phase = 2 * pi * frame / 32;
  const double width = 20 + 3 * std::sin(phase), height = 19 - 3 * std::sin(phase);
  const double baseY = 30;
  AddGlow(cr, 32, 26, 28, 0.2, 0.8, 1, 0.3);
  // Tentacles first, behind the bell.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int k = 0; k < 6; ++k) {
    const double x0 = 32 + (k - 2.5) * width * 0.3;
    cairo_move_to(cr, x0, baseY);
    for (int s = 1; s <= 8; ++s) {
      const double y = baseY + s * 3.2;
      const double sway = (1.2 + s * 0.45) * std::sin(phase - s * 0.55 + k * 1.3);
      cairo_line_to(cr, x0 + sway + (k - 2.5) * s * 0.25, y);
    }
    cairo_set_line_width(cr, k % 2 == 0 ? 2.2 : 1.5);
    cairo_set_source_rgba(cr, 0.5, 0.95, 1, 0.85);
    cairo_stroke(cr);
  }
  // Bell with a wavy hem.
  cairo_move_to(cr, 32 - width, baseY);
  cairo_curve_to(cr, 32 - width, baseY - height * 1.3, 32 + width, baseY - height * 1.3, 32 + width, baseY);
  for (int s = 1; s <= 8; ++s) {
    const double x = 32 + width - s * width / 4;
    const double sag = (s % 2 == 1 ? 3.5 : 0) + std::sin(phase + s) * 0.8;
    cairo_line_to(cr, x, baseY + sag);
  }
  cairo_close_path(cr);
  cairo_pattern_t* bell = cairo_pattern_create_radial(26, baseY - height * 0.8, 1, 32, baseY - height * 0.3, width * 1.2);
  cairo_pattern_add_color_stop_rgba(bell, 0, 0.85, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgba(bell, 0.5, 0.2, 0.75, 0.95, 0.85);
  cairo_pattern_add_color_stop_rgba(bell, 1, 0.05, 0.3, 0.6, 0.9);
  FillPattern(cr, bell, true);
  cairo_set_line_width(cr, 1.3);
  cairo_set_source_rgba(cr, 0.7, 1, 1, 0.9);
  cairo_stroke(cr);
  // A glowing heart circling inside the bell.
  const double heartX = 32 + 5 * std::cos(phase), heartY = baseY - height * 0.45 + 2.5 * std::sin(phase);
  AddGlow(cr, heartX, heartY, 8, 1, 0.4, 0.9, 0.9);
  AddGlow(cr, heartX, heartY, 3, 1, 0.95, 1, 1);
  Highlight(cr, 25, baseY - height * 0.85, 6, 3);
  cairo_destroy(cr);
  return picture;
}

}  // namespace

cairo_surface_t* DrawMonsterPicture(const std::string& fileName) {
  int frame = 0;
  if (MatchFrame(fileName, "gfx/monster/02_", ".png", 16, frame)) return DrawGlider(frame);
  if (MatchFrame(fileName, "gfx/monster/03_", ".png", 16, frame)) return DrawBat(frame);
  if (MatchFrame(fileName, "gfx/monster/06_", ".png", 16, frame)) return DrawPuffer(frame);
  if (MatchFrame(fileName, "gfx/monster/04_", ".png", 32, frame)) return DrawSawDrone(frame);
  if (MatchFrame(fileName, "gfx/monster/05_", ".png", 32, frame)) return DrawJelly(frame);
  return nullptr;
}

}  // namespace weapon
