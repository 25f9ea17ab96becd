// SPDX-License-Identifier: GPL-3.0-or-later
// The chaingun and its parts (aiming cross, muzzle flash, bullet, ammunition gauge), the ship's
// laser shot and the fil: its wire segment and its crackling spark animation.
#include <cmath>

#include "weapon_common.h"

namespace weapon {

namespace {

cairo_pattern_t* MetalShade(double left, double right, double red, double green, double blue) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(left, 0, right, 0);
  const double stops[][2] = {{0, 0.3}, {0.3, 1}, {0.45, 1.25}, {0.75, 0.65}, {1, 0.22}};
  for (const auto& s : stops) {
    cairo_pattern_add_color_stop_rgb(shade, s[0], Clamp01(red * s[1]), Clamp01(green * s[1]),
                                     Clamp01(blue * s[1]));
  }
  return shade;
}

void FillShaded(cairo_t* cr, cairo_pattern_t* pattern) {
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

// One barrel cluster: a breech block and three tubes, centred on x, muzzles at the top.
void DrawBarrelCluster(cairo_t* cr, double x) {
  cairo_rectangle(cr, x - 9, 44, 18, 36);
  FillShaded(cr, MetalShade(x - 9, x + 9, 0.42, 0.45, 0.55));
  for (int k = -1; k <= 1; ++k) {
    const double tx = x + 4.2 * k;
    cairo_rectangle(cr, tx - 2.2, 7, 4.4, 38);
    FillShaded(cr, MetalShade(tx - 2.2, tx + 2.2, 0.55, 0.58, 0.68));
  }
  // Clamping rings and the muzzle collar.
  const double rings[][2] = {{6, 5}, {18, 3}, {33, 3}};
  for (const auto& r : rings) {
    cairo_rectangle(cr, x - 7.5, r[0], 15, r[1]);
    FillShaded(cr, MetalShade(x - 7.5, x + 7.5, 0.7, 0.72, 0.8));
  }
  // Vents on the breech and a glowing status light.
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(cr, x - 6, 52 + 6 * i, 12, 2);
  }
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.08, 0.8);
  cairo_fill(cr);
  AddGlow(cr, x, 74, 5, 0.3, 0.9, 1, 0.9);
}

// The chaingun, 128 x 128: twin barrel clusters pointing up from a turret hub at (64, 96), the
// point the gun turns about. The muzzles sit about 94 pixels from the hub, 20 degrees either side
// of the aim, where the game spawns the bullets.
cairo_surface_t* DrawChaingun() {
  cairo_surface_t* picture = NewPicture(128, 128);
  cairo_t* cr = cairo_create(picture);
  // Struts from the hub to each breech, then the cross beam.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 64 + side * 8, 88);
    cairo_line_to(cr, 64 + side * 32 + side * 7, 74);
    cairo_line_to(cr, 64 + side * 32 - side * 7, 66);
    cairo_line_to(cr, 64 - side * 6, 80);
    cairo_close_path(cr);
  }
  cairo_set_source_rgb(cr, 0.28, 0.3, 0.36);
  cairo_fill(cr);
  cairo_rectangle(cr, 30, 60, 68, 10);
  cairo_pattern_t* beam = cairo_pattern_create_linear(0, 60, 0, 70);
  cairo_pattern_add_color_stop_rgb(beam, 0, 0.75, 0.78, 0.85);
  cairo_pattern_add_color_stop_rgb(beam, 1, 0.22, 0.24, 0.3);
  FillShaded(cr, beam);
  DrawBarrelCluster(cr, 32);
  DrawBarrelCluster(cr, 96);
  // Turret hub with a red sensor lens.
  cairo_pattern_t* hub = cairo_pattern_create_radial(56, 88, 2, 64, 96, 24);
  cairo_pattern_add_color_stop_rgb(hub, 0, 0.9, 0.92, 1);
  cairo_pattern_add_color_stop_rgb(hub, 0.5, 0.45, 0.48, 0.58);
  cairo_pattern_add_color_stop_rgb(hub, 1, 0.12, 0.13, 0.18);
  cairo_arc(cr, 64, 96, 23, 0, 2 * pi);
  FillShaded(cr, hub);
  cairo_arc(cr, 64, 96, 23, 0, 2 * pi);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.1, 0.9);
  cairo_stroke(cr);
  for (int k = 0; k < 6; ++k) {
    const double a = k * pi / 3 + pi / 6;
    cairo_arc(cr, 64 + 18 * std::cos(a), 96 + 18 * std::sin(a), 1.6, 0, 2 * pi);
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.2);
    cairo_fill(cr);
  }
  cairo_pattern_t* lens = cairo_pattern_create_radial(61, 93, 1, 64, 96, 9);
  cairo_pattern_add_color_stop_rgb(lens, 0, 1, 0.85, 0.8);
  cairo_pattern_add_color_stop_rgb(lens, 0.35, 1, 0.15, 0.1);
  cairo_pattern_add_color_stop_rgb(lens, 1, 0.3, 0, 0);
  cairo_arc(cr, 64, 96, 9, 0, 2 * pi);
  FillShaded(cr, lens);
  cairo_destroy(cr);
  return picture;
}

// The aiming cross, 128 x 128: the game places it at pointer - 64, so the cross sits at the middle.
cairo_surface_t* DrawGunTarget() {
  cairo_surface_t* picture = NewPicture(128, 128);
  cairo_t* cr = cairo_create(picture);
  const double c = 64;
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_arc(cr, c, c, 17, 0, 2 * pi);
    for (int k = 0; k < 4; ++k) {
      const double a = k * pi / 2;
      cairo_move_to(cr, c + 7 * std::cos(a), c + 7 * std::sin(a));
      cairo_line_to(cr, c + 28 * std::cos(a), c + 28 * std::sin(a));
      const double d = a + pi / 4;
      cairo_new_sub_path(cr);
      cairo_arc(cr, c, c, 25, d - 0.28, d + 0.28);
    }
    cairo_set_line_width(cr, pass == 0 ? 7 : 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, pass == 0 ? 0x20FF60 : 0xB0FFB8, pass == 0 ? 0.3 : 1);
    cairo_stroke(cr);
  }
  AddGlow(cr, c, c, 5, 1, 0.3, 0.2, 1);
  cairo_arc(cr, c, c, 1.5, 0, 2 * pi);
  SetColour(cr, 0xFFE0D0, 1);
  cairo_fill(cr);
  cairo_destroy(cr);
  return picture;
}

// The muzzle flash, 64 x 64: a white-hot star that the game scales up and fades.
cairo_surface_t* DrawMuzzleFlash() {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  AddGlow(cr, 32, 32, 31, 1, 0.55, 0.1, 0.7);
  for (int k = 0; k < 16; ++k) {
    const double a = k * pi / 8;
    const double r = k % 2 == 0 ? 30 : 17;
    cairo_line_to(cr, 32 + r * std::cos(a), 32 + r * std::sin(a));
    const double b = a + pi / 16;
    cairo_line_to(cr, 32 + 5 * std::cos(b), 32 + 5 * std::sin(b));
  }
  cairo_close_path(cr);
  cairo_pattern_t* star = cairo_pattern_create_radial(32, 32, 0, 32, 32, 30);
  cairo_pattern_add_color_stop_rgba(star, 0, 1, 1, 0.9, 1);
  cairo_pattern_add_color_stop_rgba(star, 0.4, 1, 0.85, 0.3, 0.9);
  cairo_pattern_add_color_stop_rgba(star, 1, 1, 0.4, 0.05, 0);
  FillShaded(cr, star);
  AddGlow(cr, 32, 32, 10, 1, 1, 1, 1);
  cairo_destroy(cr);
  return picture;
}

// The bullet, 64 x 64, drawn at (x - 32, y - 32): a glowing tracer in the middle.
cairo_surface_t* DrawBullet() {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  AddGlow(cr, 32, 32, 16, 1, 0.45, 0.08, 0.55);
  AddGlow(cr, 32, 32, 8, 1, 0.9, 0.45, 1);
  cairo_arc(cr, 32, 32, 2.6, 0, 2 * pi);
  cairo_set_source_rgb(cr, 1, 1, 0.95);
  cairo_fill(cr);
  cairo_destroy(cr);
  return picture;
}

// The ammunition gauge, 256 x 256, drawn at the ship's position - 128 so it centres on the ship:
// five bars on an arc over the gun. State 0 is the full gauge (the game shows it while 8 to 10
// shots are left) and every later state has one bar fewer; state 5, all bars out, means empty.
cairo_surface_t* DrawAmmoGauge(int state) {
  cairo_surface_t* picture = NewPicture(256, 256);
  cairo_t* cr = cairo_create(picture);
  const int lit = 5 - state;
  const double up = -pi / 2;
  for (int i = 0; i < 5; ++i) {
    const double from = up + (-50 + 20 * i + 2) * pi / 180, to = up + (-50 + 20 * (i + 1) - 2) * pi / 180;
    cairo_new_path(cr);
    cairo_arc(cr, 128, 128, 118, from, to);
    cairo_arc_negative(cr, 128, 128, 104, to, from);
    cairo_close_path(cr);
    if (i < lit) {
      cairo_pattern_t* bar = cairo_pattern_create_radial(128, 128, 104, 128, 128, 118);
      cairo_pattern_add_color_stop_rgb(bar, 0, 1, 0.55, 0.05);
      cairo_pattern_add_color_stop_rgb(bar, 0.5, 1, 0.95, 0.5);
      cairo_pattern_add_color_stop_rgb(bar, 1, 1, 0.6, 0.1);
      cairo_set_source(cr, bar);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(bar);
      cairo_set_line_width(cr, 3);
      SetColour(cr, 0xFFB030, 0.45);
    } else {
      SetColour(cr, 0x202028, 0.45);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1.5);
      SetColour(cr, state == 5 ? 0xFF3020 : 0x9098A8, 0.8);
    }
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return picture;
}

// The laser shot, 12 x 32: a bright red beam with a white core, brightest at its head (the top).
cairo_surface_t* DrawLaserShot() {
  cairo_surface_t* picture = NewPicture(12, 32);
  cairo_surface_flush(picture);
  for (int y = 0; y < 32; ++y) {
    const double py = y + 0.5;
    const double fade = SmoothStep(0, 5, py) * SmoothStep(32, 18, py) * (1.1 - 0.3 * py / 32);
    for (int x = 0; x < 12; ++x) {
      const double dx = std::fabs(x + 0.5 - 6);
      const double core = std::exp(-(dx / 1.2) * (dx / 1.2)), glow = std::exp(-(dx / 3.2) * (dx / 3.2));
      const double alpha = Clamp01((core + 0.8 * glow) * fade);
      PutPixel(picture, x, y, 1, core * 0.95 + 0.15, core * 0.9 + 0.2 * glow, alpha);
    }
  }
  cairo_surface_mark_dirty(picture);
  return picture;
}

// A piece of the fil, 24 x 16: a glowing wire along y = 8 that tiles seamlessly every 24 pixels.
cairo_surface_t* DrawFilSegment() {
  cairo_surface_t* picture = NewPicture(24, 16);
  cairo_surface_flush(picture);
  for (int y = 0; y < 16; ++y) {
    const double dy = std::fabs(y + 0.5 - 8);
    const double core = std::exp(-(dy / 1.1) * (dy / 1.1)), glow = std::exp(-(dy / 3.5) * (dy / 3.5));
    for (int x = 0; x < 24; ++x) {
      const double bead = 0.8 + 0.2 * std::cos(2 * pi * (x + 0.5) / 24);
      const double alpha = Clamp01(core + 0.75 * glow * bead);
      PutPixel(picture, x, y, core + 0.15, core * 0.5 + 0.75, 1, alpha);
    }
  }
  cairo_surface_mark_dirty(picture);
  return picture;
}

// A crackling spark along the whole fil, 720 x 16, drawn at the wire's left end: a fresh jagged
// arc each frame and bright knots that run along the wire once per cycle of 22 frames.
cairo_surface_t* DrawFilSpark(int frame) {
  cairo_surface_t* picture = NewPicture(720, 16);
  cairo_t* cr = cairo_create(picture);
  Rng rng = MakeRng(9000 + frame);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int arc = 0; arc < 2; ++arc) {
    const double amplitude = arc == 0 ? 4.2 : 2.5;
    double offset = 0;
    cairo_new_path(cr);
    for (int x = 0; x <= 720; x += 6) {
      offset = Mix(offset, RandomBetween(rng, -amplitude, amplitude), 0.7);
      cairo_line_to(cr, x, 8 + offset);
    }
    const double widths[] = {5, 2, 0.9};
    const uint32_t colours[] = {0x3070FF, 0x80E0FF, 0xFFFFFF};
    const double alphas[] = {0.22, 0.55, arc == 0 ? 0.95 : 0.6};
    for (int layer = 0; layer < 3; ++layer) {
      cairo_set_line_width(cr, widths[layer]);
      SetColour(cr, colours[layer], alphas[layer]);
      cairo_stroke_preserve(cr);
    }
  }
  cairo_new_path(cr);
  for (int k = 0; k < 5; ++k) {
    const double x = std::fmod(k * 144 + frame * 720.0 / 22, 720);
    AddGlow(cr, x, 8, 8, 0.6, 0.9, 1, 0.9);
    AddGlow(cr, x, 8, 3, 1, 1, 1, 1);
  }
  cairo_destroy(cr);
  return picture;
}

}  // namespace

cairo_surface_t* DrawGunPicture(const std::string& fileName) {
  int frame = 0;
  if (MatchFrame(fileName, "gfx/bonus/f/fil", ".png", 22, frame)) return DrawFilSpark(frame);
  if (fileName == "gfx/bonus/f/Laser.png") return DrawFilSegment();
  if (fileName == "gfx/ship/laser.png") return DrawLaserShot();
  if (fileName == "gfx/bonus/m/Chaingun.png") return DrawChaingun();
  if (fileName == "gfx/bonus/m/GunTarget.png") return DrawGunTarget();
  if (fileName == "gfx/bonus/m/ChaingunMuzzle.png") return DrawMuzzleFlash();
  if (fileName == "gfx/bonus/m/Bullet.png") return DrawBullet();
  const std::string ammo = "gfx/bonus/m/Ammo_0";
  if (fileName.size() == ammo.size() + 5 && fileName.compare(0, ammo.size(), ammo) == 0 &&
      fileName[ammo.size()] >= '0' && fileName[ammo.size()] <= '5' &&
      fileName.compare(ammo.size() + 1, 4, ".png") == 0) {
    return DrawAmmoGauge(fileName[ammo.size()] - '0');
  }
  return nullptr;
}

}  // namespace weapon
