// SPDX-License-Identifier: GPL-3.0-or-later
// The missile and everything around it: the 32-frame missile, the target marker and its caption,
// burning fragments, smoke puffs, the aiming gauge window and its needle.
#include <cmath>

#include "weapon_common.h"

namespace weapon {

namespace {

// A horizontal light-dark-light shading that makes a flat band read as a lit cylinder.
cairo_pattern_t* CylinderShade(double left, double right, double red, double green, double blue) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(left, 0, right, 0);
  const double stops[][2] = {{0, 0.35}, {0.28, 0.95}, {0.42, 1.15}, {0.7, 0.7}, {1, 0.25}};
  for (const auto& s : stops) {
    cairo_pattern_add_color_stop_rgb(shade, s[0], Clamp01(red * s[1]), Clamp01(green * s[1]),
                                     Clamp01(blue * s[1]));
  }
  return shade;
}

void FillWith(cairo_t* cr, cairo_pattern_t* pattern) {
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

// One fin at roll angle a: the root sits on the body, the tip further out. Its width on screen
// follows sin(a), its brightness the side it faces.
void DrawFin(cairo_t* cr, double a, double rootTop, double rootBottom, double tipTop, double tipBottom,
             double tipRadius) {
  const double centre = 16, bodyRadius = 5.5;
  const double s = std::sin(a);
  cairo_move_to(cr, centre + bodyRadius * s, rootTop);
  cairo_line_to(cr, centre + tipRadius * s, tipTop);
  cairo_line_to(cr, centre + tipRadius * s, tipBottom);
  cairo_line_to(cr, centre + bodyRadius * s, rootBottom);
  cairo_close_path(cr);
  const double light = 0.45 + 0.45 * std::cos(a - 0.6);
  cairo_set_source_rgb(cr, 0.95 * light + 0.1, 0.18 * light + 0.04, 0.12 * light + 0.03);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 0.1, 0.02, 0.02, 0.8);
  cairo_set_line_width(cr, 0.7);
  cairo_stroke(cr);
}

// Missile upright, 32 x 96, nose at the top. The picture's centre is the missile's centre: the
// nose tip lies about 50 pixels ahead of it (where the game tests for bricks) and the exhaust
// about 36 pixels behind (where it lays smoke). Over the 32 frames the missile rolls half a turn
// (four fins, so the cycle closes) and the flame flickers.
cairo_surface_t* DrawMissile(int frame) {
  cairo_surface_t* picture = NewPicture(32, 96);
  cairo_t* cr = cairo_create(picture);
  const double phase = 2 * pi * frame / 32;
  const double roll = pi * frame / 32;
  Rng rng = MakeRng(7000 + frame);

  // Exhaust flame below the nozzle.
  const double flameLength = 11 + 2.5 * std::sin(3 * phase) + 1.5 * std::sin(7 * phase + 1) +
                             RandomBetween(rng, -1, 1);
  AddGlow(cr, 16, 84, 12, 1, 0.45, 0.1, 0.55);
  for (int layer = 0; layer < 2; ++layer) {
    cairo_save(cr);
    cairo_translate(cr, 16, 78);
    if (layer == 0) cairo_scale(cr, 5, flameLength);
    else cairo_scale(cr, 2.6, flameLength * 0.6);
    cairo_pattern_t* flame = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    if (layer == 0) {
      cairo_pattern_add_color_stop_rgba(flame, 0, 1, 0.75, 0.2, 1);
      cairo_pattern_add_color_stop_rgba(flame, 0.6, 1, 0.35, 0.05, 0.8);
      cairo_pattern_add_color_stop_rgba(flame, 1, 0.8, 0.1, 0, 0);
    } else {
      cairo_pattern_add_color_stop_rgba(flame, 0, 1, 1, 0.95, 1);
      cairo_pattern_add_color_stop_rgba(flame, 1, 1, 0.9, 0.4, 0);
    }
    cairo_arc(cr, 0, 0, 1, 0, pi);
    FillWith(cr, flame);
    cairo_restore(cr);
  }

  // Nozzle.
  cairo_move_to(cr, 12, 73);
  cairo_line_to(cr, 20, 73);
  cairo_line_to(cr, 21.5, 79);
  cairo_line_to(cr, 10.5, 79);
  cairo_close_path(cr);
  FillWith(cr, CylinderShade(10.5, 21.5, 0.45, 0.45, 0.5));

  // Fins facing away are hidden behind the body; draw them first.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) {
      // Body and nose cone.
      cairo_rectangle(cr, 10.5, 19, 11, 55);
      FillWith(cr, CylinderShade(10.5, 21.5, 0.92, 0.92, 0.95));
      cairo_rectangle(cr, 10.5, 22, 11, 4);
      FillWith(cr, CylinderShade(10.5, 21.5, 0.95, 0.2, 0.12));
      cairo_move_to(cr, 10.5, 20);
      cairo_curve_to(cr, 10.5, 11, 14, 5, 16, 2);
      cairo_curve_to(cr, 18, 5, 21.5, 11, 21.5, 20);
      cairo_close_path(cr);
      FillWith(cr, CylinderShade(10.5, 21.5, 1, 0.25, 0.15));
      // Roll marks: two black bands painted on opposite sides of the body.
      for (int k = 0; k < 2; ++k) {
        const double a = roll + k * pi + 0.4;
        if (std::cos(a) <= 0.05) continue;
        const double x = 16 + 5.5 * std::sin(a);
        const double half = 1.6 * std::cos(a);
        cairo_rectangle(cr, x - half, 42, 2 * half, 16);
        cairo_set_source_rgba(cr, 0.08, 0.08, 0.12, 0.85);
        cairo_fill(cr);
      }
      cairo_rectangle(cr, 10.5, 64, 11, 2);
      cairo_set_source_rgba(cr, 0.2, 0.2, 0.25, 0.6);
      cairo_fill(cr);
    }
    for (int k = 0; k < 4; ++k) {
      const double a = roll + k * pi / 2;
      const bool front = std::cos(a) >= 0;
      if (front != (pass == 1)) continue;
      DrawFin(cr, a, 56, 75, 67, 79, 12.5);
      DrawFin(cr, a + pi / 4, 27, 35, 30, 34, 9);
    }
  }

  // A glint on the nose cone.
  AddGlow(cr, 14, 11, 3, 1, 1, 1, 0.7);
  cairo_destroy(cr);
  return picture;
}

// A tiny stroke font for the target caption: each glyph is polylines on a 4 x 6 grid, written as
// digit pairs "xy" and separated by '|'.
const char* GlyphStrokes(char c) {
  switch (c) {
    case 'A': return "06 02 20 42 46|03 43";
    case 'C': return "41 30 10 01 05 16 36 45";
    case 'D': return "00 30 41 45 36 06 00";
    case 'E': return "40 00 06 46|03 33";
    case 'G': return "41 30 10 01 05 16 36 45 43 23";
    case 'I': return "00 40|20 26|06 46";
    case 'K': return "00 06|40 03 46";
    case 'L': return "00 06 46";
    case 'M': return "06 00 23 40 46";
    case 'N': return "06 00 46 40";
    case 'O': return "10 30 41 45 36 16 05 01 10";
    case 'R': return "06 00 30 41 42 33 03|33 46";
    case 'S': return "41 30 10 01 02 13 33 44 45 36 16 05";
    case 'T': return "00 40|20 26";
    case '0': return "10 30 41 45 36 16 05 01 10|05 41";
    case '1': return "11 20 26|06 46";
    case '2': return "01 10 30 41 42 06 46";
    case '3': return "01 10 30 41 42 33 13|33 44 45 36 16 05";
    case '4': return "44 04 30 36";
    case '5': return "40 00 02 32 43 45 36 06";
    case '6': return "30 10 01 05 16 36 45 43 34 03";
    case '7': return "00 40 26";
    case '8': return "10 30 41 42 33 13 02 01 10|13 04 05 16 36 45 44 33";
    case '9': return "43 13 02 01 10 30 41 45 36 16";
    case ':': return "21 22|24 25";
    case '>': return "11 33 15";
    default: return "";
  }
}

void StrokeText(cairo_t* cr, const char* text, double x, double y, double unit) {
  for (const char* c = text; *c; ++c, x += 6 * unit) {
    const char* s = GlyphStrokes(*c);
    bool first = true;
    for (; *s; ++s) {
      if (*s == '|') {
        first = true;
      } else if (*s != ' ') {
        const double px = x + (s[0] - '0') * unit, py = y + (s[1] - '0') * unit;
        if (first) cairo_move_to(cr, px, py);
        else cairo_line_to(cr, px, py);
        first = false;
        ++s;
      }
    }
  }
}

// The caption: 128 x 64 of read-out lines that tile vertically, since the game scrolls the
// texture through the quad. Nothing crosses the top or bottom edge.
cairo_surface_t* DrawTargetText() {
  cairo_surface_t* picture = NewPicture(128, 64);
  cairo_t* cr = cairo_create(picture);
  const char* lines[] = {"TARGET", "LOCKED", "DIST 0482", "ARMED"};
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 4; ++i) {
      const double y = 2.5 + 16 * i;
      StrokeText(cr, ">", 4, y, 1.4);
      StrokeText(cr, lines[i], 16, y, 1.4);
      cairo_move_to(cr, 16, y + 9.5);
      cairo_line_to(cr, 16 + 18 * (i + 2), y + 9.5);
    }
    if (pass == 0) {
      cairo_set_line_width(cr, 3);
      SetColour(cr, 0xFF7A10, 0.35);
    } else {
      cairo_set_line_width(cr, 1.3);
      SetColour(cr, 0xFFD070, 1);
    }
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return picture;
}

// The ring of the target marker, 96 x 96, drawn additively and turned by the game: brackets and
// pointers make the turning visible.
cairo_surface_t* DrawTargetRing() {
  cairo_surface_t* picture = NewPicture(96, 96);
  cairo_t* cr = cairo_create(picture);
  const double c = 48;
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_arc(cr, c, c, 33, 0, 2 * pi);
    cairo_new_sub_path(cr);
    for (int k = 0; k < 4; ++k) {
      const double a = k * pi / 2 + pi / 4;
      cairo_new_sub_path(cr);
      cairo_arc(cr, c, c, 41, a - 0.3, a + 0.3);
    }
    cairo_set_line_width(cr, pass == 0 ? 8 : 2.5);
    SetColour(cr, pass == 0 ? 0xFF3010 : 0xFF8A30, pass == 0 ? 0.3 : 1);
    cairo_stroke(cr);
  }
  // Inward pointers and fine ticks.
  for (int k = 0; k < 4; ++k) {
    const double a = k * pi / 2;
    const double ca = std::cos(a), sa = std::sin(a);
    cairo_move_to(cr, c + 31 * ca - 4 * sa, c + 31 * sa + 4 * ca);
    cairo_line_to(cr, c + 23 * ca, c + 23 * sa);
    cairo_line_to(cr, c + 31 * ca + 4 * sa, c + 31 * sa - 4 * ca);
    cairo_close_path(cr);
  }
  SetColour(cr, 0xFFD060, 0.95);
  cairo_fill(cr);
  for (int k = 0; k < 24; ++k) {
    const double a = k * pi / 12;
    cairo_move_to(cr, c + 36 * std::cos(a), c + 36 * std::sin(a));
    cairo_line_to(cr, c + 38.5 * std::cos(a), c + 38.5 * std::sin(a));
  }
  cairo_set_line_width(cr, 1);
  SetColour(cr, 0xFFB050, 0.8);
  cairo_stroke(cr);
  cairo_destroy(cr);
  return picture;
}

// The glow under the ring, 96 x 96: a soft light with four rays so its turning shows.
cairo_surface_t* DrawTargetLight() {
  cairo_surface_t* picture = NewPicture(96, 96);
  cairo_t* cr = cairo_create(picture);
  AddGlow(cr, 48, 48, 46, 1, 0.3, 0.08, 0.75);
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_translate(cr, 48, 48);
    cairo_rotate(cr, k * pi / 2 + pi / 8);
    cairo_scale(cr, 46, 4);
    cairo_pattern_t* ray = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(ray, 0, 1, 0.85, 0.5, 0.9);
    cairo_pattern_add_color_stop_rgba(ray, 1, 1, 0.4, 0.1, 0);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    FillWith(cr, ray);
    cairo_restore(cr);
  }
  AddGlow(cr, 48, 48, 10, 1, 0.95, 0.8, 0.9);
  cairo_destroy(cr);
  return picture;
}

// A burning fragment thrown by an impact, 64 x 64: a charred jagged shard with glowing cracks in
// a halo of flame. Each of the four has its own shape.
cairo_surface_t* DrawFragment(int index) {
  cairo_surface_t* picture = NewPicture(64, 64);
  cairo_t* cr = cairo_create(picture);
  Rng rng = MakeRng(8100 + index);
  AddGlow(cr, 32, 32, 31, 1, 0.4, 0.05, 0.85);
  AddGlow(cr, 32 + RandomBetween(rng, -4, 4), 30, 18, 1, 0.8, 0.3, 0.6);
  const int corners = 6 + index;
  double xs[12], ys[12];
  for (int i = 0; i < corners; ++i) {
    const double a = 2 * pi * (i + RandomBetween(rng, -0.3, 0.3)) / corners;
    const double r = RandomBetween(rng, 10, 19);
    xs[i] = 32 + r * std::cos(a);
    ys[i] = 32 + r * std::sin(a) * 0.8;
    if (i == 0) cairo_move_to(cr, xs[i], ys[i]);
    else cairo_line_to(cr, xs[i], ys[i]);
  }
  cairo_close_path(cr);
  cairo_pattern_t* charred = cairo_pattern_create_linear(20, 18, 44, 46);
  cairo_pattern_add_color_stop_rgb(charred, 0, 0.42, 0.36, 0.33);
  cairo_pattern_add_color_stop_rgb(charred, 1, 0.09, 0.07, 0.07);
  cairo_set_source(cr, charred);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(charred);
  cairo_set_line_width(cr, 1.6);
  SetColour(cr, 0xFF8A20, 0.9);
  cairo_stroke(cr);
  // Glowing cracks from the middle towards a few corners.
  for (int i = 0; i < corners; i += 2) {
    cairo_move_to(cr, 32, 32);
    cairo_line_to(cr, Mix(32, xs[i], 0.5) + RandomBetween(rng, -2, 2), Mix(32, ys[i], 0.5));
    cairo_line_to(cr, Mix(32, xs[i], 0.85), Mix(32, ys[i], 0.85));
  }
  cairo_set_line_width(cr, 1);
  SetColour(cr, 0xFFC040, 0.9);
  cairo_stroke(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = RandomBetween(rng, 0, 2 * pi), r = RandomBetween(rng, 18, 27);
    AddGlow(cr, 32 + r * std::cos(a), 32 + r * std::sin(a), 2.5, 1, 0.9, 0.5, 1);
  }
  cairo_destroy(cr);
  return picture;
}

// A smoke puff, 64 x 64: soft grey clumps with noisy density, fully transparent at the edge so
// the game can scale it up to 256 pixels without a visible border.
cairo_surface_t* DrawSmoke(int index) {
  cairo_surface_t* picture = NewPicture(64, 64);
  Rng rng = MakeRng(8500 + index);
  double bx[5], by[5], br[5];
  const int blobs = 3 + index % 3;
  for (int i = 0; i < blobs; ++i) {
    const double a = RandomBetween(rng, 0, 2 * pi), r = RandomBetween(rng, 0, 9);
    bx[i] = 32 + r * std::cos(a);
    by[i] = 32 + r * std::sin(a);
    br[i] = RandomBetween(rng, 14, 19);
  }
  cairo_surface_flush(picture);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      double density = 0;
      for (int i = 0; i < blobs; ++i) {
        const double dx = (px - bx[i]) / br[i], dy = (py - by[i]) / br[i];
        density += std::exp(-(dx * dx + dy * dy));
      }
      const double noise = Fractal3(px / 14, py / 14, index * 3.7, 900 + index, 4);
      const double edge = SmoothStep(31.5, 10, std::hypot(px - 32, py - 32));
      const double alpha = Clamp01(density * (0.15 + 1.2 * noise)) * edge * 0.85;
      const double shade = 0.5 + 0.3 * noise + 0.12 * (64 - px - py) / 64;
      PutPixel(picture, x, y, shade, shade, shade * 1.03, alpha);
    }
  }
  cairo_surface_mark_dirty(picture);
  return picture;
}

// Dial geometry: both the window and the needle are 256 x 256 and placed at the same corner
// (centred over the ship), so the needle turns about the dial's centre.
constexpr double dialCentre = 128;

void DialPoint(double angleFromUp, double radius, double& x, double& y) {
  x = dialCentre + radius * std::sin(angleFromUp);
  y = dialCentre - radius * std::cos(angleFromUp);
}

// The gauge window: a glass fan over the needle's swing of 45 degrees either side, with a
// coloured scale and ticks.
cairo_surface_t* DrawGaugeWindow() {
  cairo_surface_t* picture = NewPicture(256, 256);
  cairo_t* cr = cairo_create(picture);
  const double up = -pi / 2, spread = 52 * pi / 180;
  cairo_arc(cr, dialCentre, dialCentre, 122, up - spread, up + spread);
  cairo_arc_negative(cr, dialCentre, dialCentre, 34, up + spread, up - spread);
  cairo_close_path(cr);
  cairo_pattern_t* glass = cairo_pattern_create_radial(dialCentre, dialCentre, 34, dialCentre, dialCentre, 122);
  cairo_pattern_add_color_stop_rgba(glass, 0, 0.02, 0.05, 0.14, 0.55);
  cairo_pattern_add_color_stop_rgba(glass, 1, 0.05, 0.12, 0.3, 0.85);
  cairo_set_source(cr, glass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(glass);
  cairo_set_line_width(cr, 2.5);
  SetColour(cr, 0x60D0FF, 0.95);
  cairo_stroke(cr);

  // Scale band: green in the middle, amber, then red towards the ends of the swing.
  struct Zone { double from, to; uint32_t colour; };
  const Zone zones[] = {{-45, -30, 0xFF3020}, {-30, -12, 0xFFB020}, {-12, 12, 0x40FF60},
                        {12, 30, 0xFFB020},   {30, 45, 0xFF3020}};
  for (const Zone& z : zones) {
    cairo_new_path(cr);
    cairo_arc(cr, dialCentre, dialCentre, 106, up + z.from * pi / 180, up + z.to * pi / 180);
    cairo_set_line_width(cr, 8);
    SetColour(cr, z.colour, 0.85);
    cairo_stroke(cr);
  }
  for (int degrees = -45; degrees <= 45; degrees += 5) {
    const double a = degrees * pi / 180;
    const bool major = degrees % 15 == 0;
    double x0, y0, x1, y1;
    DialPoint(a, major ? 84 : 92, x0, y0);
    DialPoint(a, 100, x1, y1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, major ? 2.2 : 1.2);
    SetColour(cr, 0xD8F4FF, 0.95);
    cairo_stroke(cr);
  }
  // Glossy reflection along the top of the glass.
  cairo_arc(cr, dialCentre, dialCentre, 118, up - spread * 0.9, up + spread * 0.9);
  cairo_arc_negative(cr, dialCentre, dialCentre, 112, up + spread * 0.9, up - spread * 0.9);
  cairo_close_path(cr);
  SetColour(cr, 0xFFFFFF, 0.25);
  cairo_fill(cr);
  // Hub socket.
  cairo_arc(cr, dialCentre, dialCentre, 12, 0, 2 * pi);
  SetColour(cr, 0x103050, 0.9);
  cairo_fill_preserve(cr);
  SetColour(cr, 0x60D0FF, 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_destroy(cr);
  return picture;
}

// The needle: pointing straight up from the dial's centre, with a glow and a hub.
cairo_surface_t* DrawGaugeNeedle() {
  cairo_surface_t* picture = NewPicture(256, 256);
  cairo_t* cr = cairo_create(picture);
  cairo_move_to(cr, dialCentre, dialCentre + 22);
  cairo_line_to(cr, dialCentre, 12);
  cairo_set_line_width(cr, 9);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, 0xFF5020, 0.3);
  cairo_stroke(cr);
  cairo_move_to(cr, dialCentre - 3.5, dialCentre);
  cairo_line_to(cr, dialCentre - 0.8, 12);
  cairo_line_to(cr, dialCentre + 0.8, 12);
  cairo_line_to(cr, dialCentre + 3.5, dialCentre);
  cairo_line_to(cr, dialCentre + 2.5, dialCentre + 22);
  cairo_line_to(cr, dialCentre - 2.5, dialCentre + 22);
  cairo_close_path(cr);
  cairo_pattern_t* metal = cairo_pattern_create_linear(dialCentre - 3.5, 0, dialCentre + 3.5, 0);
  cairo_pattern_add_color_stop_rgb(metal, 0, 0.8, 0.15, 0.05);
  cairo_pattern_add_color_stop_rgb(metal, 0.45, 1, 0.8, 0.5);
  cairo_pattern_add_color_stop_rgb(metal, 1, 0.6, 0.1, 0.02);
  FillWith(cr, metal);
  cairo_pattern_t* hub = cairo_pattern_create_radial(dialCentre - 3, dialCentre - 3, 1, dialCentre, dialCentre, 9);
  cairo_pattern_add_color_stop_rgb(hub, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(hub, 0.5, 0.6, 0.65, 0.75);
  cairo_pattern_add_color_stop_rgb(hub, 1, 0.2, 0.22, 0.3);
  cairo_arc(cr, dialCentre, dialCentre, 9, 0, 2 * pi);
  FillWith(cr, hub);
  cairo_destroy(cr);
  return picture;
}

}  // namespace

cairo_surface_t* DrawMissilePicture(const std::string& fileName) {
  int frame = 0;
  if (MatchFrame(fileName, "gfx/bonus/m/missile", ".png", 32, frame)) return DrawMissile(frame);
  if (fileName == "gfx/bonus/m/Target_Normal.png") return DrawTargetRing();
  if (fileName == "gfx/bonus/m/Target_Light.png") return DrawTargetLight();
  if (fileName == "gfx/bonus/m/Target_text.png") return DrawTargetText();
  if (fileName == "gfx/bonus/m/P_Tool_Window.png") return DrawGaugeWindow();
  if (fileName == "gfx/bonus/m/P_Tool_Bar.png") return DrawGaugeNeedle();
  const std::string decal = "gfx/bonus/m/missile_decal_";
  if (fileName.size() == decal.size() + 5 && fileName.compare(0, decal.size(), decal) == 0 &&
      fileName[decal.size()] >= '1' && fileName[decal.size()] <= '4' &&
      fileName.compare(decal.size() + 1, 4, ".png") == 0) {
    return DrawFragment(fileName[decal.size()] - '1');
  }
  const std::string smoke = "gfx/bonus/m/smoke_";
  if (fileName.size() == smoke.size() + 5 && fileName.compare(0, smoke.size(), smoke) == 0 &&
      fileName[smoke.size()] >= 'a' && fileName[smoke.size()] <= 'e' &&
      fileName.compare(smoke.size() + 1, 4, ".png") == 0) {
    return DrawSmoke(fileName[smoke.size()] - 'a');
  }
  return nullptr;
}

}  // namespace weapon
