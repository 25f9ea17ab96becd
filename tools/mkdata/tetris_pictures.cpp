// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's pictures: six glossy piece tiles, the bug tile, the screen's two
// background layers, the row flash, the light spot, and the relief's height and colour maps.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "arena_common.h"
#include "generators.h"

namespace {

using namespace arena;

constexpr int tile = 32;
constexpr int screenW = 1024, screenH = 768;
constexpr int well = 32, wellSize = 640;   // the board on the screen
constexpr int reliefSize = 128;            // the lit texture's maps
constexpr int reliefTile = 32;             // the relief repeats in 4 x 4 plates

cairo_surface_t* DrawPieceTile(Rgb colour) {
  cairo_surface_t* surface = NewPicture(tile, tile);
  cairo_t* cr = cairo_create(surface);
  FillGlossyTile(cr, 0.5, 0.5, tile - 1, tile - 1, 5, colour);
  // A small cut facet in the middle catches the eye as the tile sparkles.
  cairo_move_to(cr, 16, 10);
  cairo_line_to(cr, 22, 16);
  cairo_line_to(cr, 16, 22);
  cairo_line_to(cr, 10, 16);
  cairo_close_path(cr);
  SetColour(cr, Lighten(colour, 0.55), 0.55);
  cairo_fill(cr);
  cairo_destroy(cr);
  return surface;
}

// A beetle on a dark plate: the cells the player must clear.
cairo_surface_t* DrawBugTile() {
  cairo_surface_t* surface = NewPicture(tile, tile);
  cairo_t* cr = cairo_create(surface);
  FillGlossyTile(cr, 0.5, 0.5, tile - 1, tile - 1, 5, RgbFromHex(0x2b1f3a));
  const Rgb shell = RgbFromHex(0xb8f040);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.4);
  SetColour(cr, RgbFromHex(0x101010));
  for (int side = -1; side <= 1; side += 2) {
    for (int leg = 0; leg < 3; ++leg) {
      const double y = 13 + leg * 4.5;
      cairo_move_to(cr, 16, y);
      cairo_line_to(cr, 16 + side * 10, y + (leg - 1) * 3.5);
    }
    cairo_move_to(cr, 16 + side * 2, 8);
    cairo_line_to(cr, 16 + side * 6, 3.5);
  }
  cairo_stroke(cr);
  // Head, then the shell in two glossy halves with spots.
  cairo_arc(cr, 16, 9, 3.5, 0, 2 * pi);
  SetColour(cr, RgbFromHex(0x181818));
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 16, 18);
  cairo_scale(cr, 7.0, 8.5);
  cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
  cairo_restore(cr);
  cairo_pattern_t* body = cairo_pattern_create_radial(13, 14, 1, 16, 18, 9);
  AddStop(body, 0.0, Lighten(shell, 0.6));
  AddStop(body, 0.5, shell);
  AddStop(body, 1.0, Darken(shell, 0.5));
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  cairo_move_to(cr, 16, 10);
  cairo_line_to(cr, 16, 26.5);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, Darken(shell, 0.7));
  cairo_stroke(cr);
  const double spots[4][2] = {{12.5, 16}, {19.5, 16}, {13, 22}, {19, 22}};
  for (const auto& s : spots) {
    cairo_arc(cr, s[0], s[1], 1.5, 0, 2 * pi);
    SetColour(cr, Darken(shell, 0.75));
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return surface;
}

// A bar of light the width of the board, brightest along its middle and fading at both ends.
cairo_surface_t* DrawLine() {
  cairo_surface_t* surface = NewPicture(wellSize, tile);
  cairo_t* cr = cairo_create(surface);
  cairo_pattern_t* across = cairo_pattern_create_linear(0, 0, 0, tile);
  AddStop(across, 0.0, RgbFromHex(0x40c0ff), 0.0);
  AddStop(across, 0.35, RgbFromHex(0x90e8ff), 0.7);
  AddStop(across, 0.5, RgbFromHex(0xffffff), 1.0);
  AddStop(across, 0.65, RgbFromHex(0x90e8ff), 0.7);
  AddStop(across, 1.0, RgbFromHex(0x40c0ff), 0.0);
  cairo_pattern_t* along = cairo_pattern_create_linear(0, 0, wellSize, 0);
  cairo_pattern_add_color_stop_rgba(along, 0.0, 0, 0, 0, 0.2);
  cairo_pattern_add_color_stop_rgba(along, 0.15, 0, 0, 0, 1.0);
  cairo_pattern_add_color_stop_rgba(along, 0.85, 0, 0, 0, 1.0);
  cairo_pattern_add_color_stop_rgba(along, 1.0, 0, 0, 0, 0.2);
  cairo_set_source(cr, across);
  cairo_mask(cr, along);
  cairo_pattern_destroy(across);
  cairo_pattern_destroy(along);
  cairo_destroy(cr);
  return surface;
}

cairo_surface_t* DrawLight() {
  cairo_surface_t* surface = NewPicture(128, 128);
  cairo_t* cr = cairo_create(surface);
  FillSoftGlow(cr, 64, 64, 64, RgbFromHex(0xfff4e0), 1.0);
  FillSoftGlow(cr, 64, 64, 18, RgbFromHex(0xffffff), 0.8);
  cairo_destroy(cr);
  return surface;
}

// The screen behind everything: a deep blue fall-off with a faint diagonal weave.
cairo_surface_t* DrawFond() {
  cairo_surface_t* surface = NewPicture(screenW, screenH);
  cairo_t* cr = cairo_create(surface);
  cairo_pattern_t* sky = cairo_pattern_create_radial(700, 300, 50, 600, 400, 800);
  AddStop(sky, 0.0, RgbFromHex(0x1c2c58));
  AddStop(sky, 1.0, RgbFromHex(0x05060e));
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  cairo_set_line_width(cr, 1.0);
  for (int k = -screenH; k < screenW; k += 24) {
    cairo_move_to(cr, k, 0);
    cairo_line_to(cr, k + screenH, screenH);
    cairo_move_to(cr, k + screenH, 0);
    cairo_line_to(cr, k, screenH);
  }
  SetColour(cr, RgbFromHex(0x6080ff), 0.05);
  cairo_stroke(cr);
  cairo_destroy(cr);
  return surface;
}

void MetalFrame(cairo_t* cr, double x, double y, double w, double h, double border) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  RoundedRectPath(cr, x - border, y - border, w + 2 * border, h + 2 * border, border);
  cairo_rectangle(cr, x, y, w, h);
  cairo_pattern_t* metal = cairo_pattern_create_linear(x - border, y - border, x + w, y + h);
  AddStop(metal, 0.0, RgbFromHex(0x9aa8c8));
  AddStop(metal, 0.5, RgbFromHex(0x3a4668));
  AddStop(metal, 1.0, RgbFromHex(0x1a2038));
  cairo_set_source(cr, metal);
  cairo_fill(cr);
  cairo_pattern_destroy(metal);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // A glowing inner edge where the frame meets its window.
  cairo_rectangle(cr, x - 1.5, y - 1.5, w + 3, h + 3);
  cairo_set_line_width(cr, 2.0);
  SetColour(cr, RgbFromHex(0x40c8ff), 0.8);
  cairo_stroke(cr);
}

// The frames over the screen: round the board, the next piece and the score, open inside.
cairo_surface_t* DrawBackground2() {
  cairo_surface_t* surface = NewPicture(screenW, screenH);
  cairo_t* cr = cairo_create(surface);
  MetalFrame(cr, well, well, wellSize, wellSize, 14);
  // The next piece's window (four cells) and the score's plate.
  MetalFrame(cr, 834 - 16, 85 - 16, 4 * tile + 32, 4 * tile + 32, 10);
  RoundedRectPath(cr, 910 - 95, 296, 190, 80, 10);
  SetColour(cr, RgbFromHex(0x050a18), 0.75);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2.0);
  SetColour(cr, RgbFromHex(0x4070c0), 0.9);
  cairo_stroke(cr);
  cairo_destroy(cr);
  return surface;
}

double Smooth(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// The relief: raised plates with bevelled edges; on alternate plates a ring with a boss in
// the middle, on the others a cross. Heights 0..1; it repeats every plate, so it tiles.
double ReliefHeight(int x, int y) {
  const double u = (x % reliefTile) + 0.5, v = (y % reliefTile) + 0.5;
  const bool ringPlate = ((x / reliefTile) + (y / reliefTile)) % 2 == 0;
  const double edge = std::min({u, reliefTile - u, v, reliefTile - v});
  double h = 0.15 + 0.6 * Smooth(0.5, 6.0, edge);
  const double du = u - reliefTile / 2.0, dv = v - reliefTile / 2.0;
  const double r = std::sqrt(du * du + dv * dv);
  if (ringPlate) {
    h -= 0.35 * std::exp(-((r - 9.5) / 1.4) * ((r - 9.5) / 1.4));
    h += 0.25 * std::pow(std::max(0.0, 1.0 - r / 5.0), 1.5);
  } else {
    const double arm = std::min(std::fabs(du), std::fabs(dv));
    if (r < 11) h -= 0.3 * std::exp(-(arm / 1.3) * (arm / 1.3));
  }
  return std::clamp(h, 0.0, 1.0);
}

void PutPixel(cairo_surface_t* surface, int x, int y, double r, double g, double b) {
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  auto byte = [](double c) { return static_cast<uint32_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
  reinterpret_cast<uint32_t*>(data + y * stride)[x] = 0xFF000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
}

cairo_surface_t* DrawBump() {
  cairo_surface_t* surface = NewPicture(reliefSize, reliefSize);
  cairo_surface_flush(surface);
  for (int y = 0; y < reliefSize; ++y) {
    for (int x = 0; x < reliefSize; ++x) {
      const double h = ReliefHeight(x, y);
      PutPixel(surface, x, y, h, h, h);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

// Steel-blue plates, each a slightly different hue, with copper in the grooves.
cairo_surface_t* DrawDiffuse() {
  cairo_surface_t* surface = NewPicture(reliefSize, reliefSize);
  cairo_surface_flush(surface);
  const Rgb copper = RgbFromHex(0x7a4a28);
  for (int y = 0; y < reliefSize; ++y) {
    for (int x = 0; x < reliefSize; ++x) {
      const int plate = (x / reliefTile) * 3 + (y / reliefTile) * 5;
      const Rgb steel = HueColour(205 + 12 * (plate % 4), 0.45, 0.6);
      const double h = ReliefHeight(x, y);
      const Rgb c = Mix(copper, steel, Smooth(0.2, 0.55, h));
      PutPixel(surface, x, y, c.r, c.g, c.b);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace

cairo_surface_t* DrawTetrisPicture(const std::string& fileName) {
  const std::string folder = "MiniGames/Tetris/";
  if (fileName.rfind(folder, 0) != 0) return nullptr;
  const std::string name = fileName.substr(folder.size());
  struct Named { const char* name; unsigned colour; };
  const Named tiles[] = {{"Tile_green.png", 0x30c850},  {"Tile_red.png", 0xe03838},
                         {"Tile_Blue.png", 0x3868e8},   {"Tile_Yellow.png", 0xf0c828},
                         {"Tile_Purple.png", 0xa040e0}, {"Tile_Cyan.png", 0x28d0e0}};
  for (const Named& t : tiles) {
    if (name == t.name) return DrawPieceTile(RgbFromHex(t.colour));
  }
  if (name == "Tile_Bug.png") return DrawBugTile();
  if (name == "Line.png") return DrawLine();
  if (name == "Light.png") return DrawLight();
  if (name == "Fond.png") return DrawFond();
  if (name == "Background_2.png") return DrawBackground2();
  if (name == "Bump.png") return DrawBump();
  if (name == "Diffuse.png") return DrawDiffuse();
  return nullptr;
}
