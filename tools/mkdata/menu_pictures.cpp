// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's pictures and the pause picture. The menu shows most of its pictures with the
// black colour key, so those are drawn over black and every near-black pixel is made pure black:
// no dark fringe is left around the shapes. The quads' pictures keep their own alpha.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "arena_common.h"
#include "generators.h"

namespace {

using namespace arena;

constexpr int screenW = 1024;
constexpr int screenH = 768;

const Rgb cyan = RgbFromHex(0x40D8FF);
const Rgb violet = RgbFromHex(0xA050FF);
const Rgb gold = RgbFromHex(0xFFC830);
const Rgb orange = RgbFromHex(0xFF6A10);
const Rgb ice = RgbFromHex(0xE8F6FF);

// Makes a picture opaque over black for the colour key: shapes stay, the rest is pure black.
cairo_surface_t* Keyed(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  constexpr uint32_t darkest = 28;  // below this in every channel a pixel would read as a fringe
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t p;
      std::memcpy(&p, data + y * stride + x * 4, 4);
      // Premultiplied colour is the colour over black already.
      const uint32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      p = (r < darkest && g < darkest && b < darkest) ? 0xFF000000u : (p | 0xFF000000u);
      std::memcpy(data + y * stride + x * 4, &p, 4);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

// The outline of text with its ink box's left edge at x and its centre at cy.
void LeftTextPath(cairo_t* cr, std::string_view text, double x, double cy, double size) {
  SelectGameFont(cr, size);
  const std::string str(text);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, str.c_str(), &ext);
  cairo_move_to(cr, x - ext.x_bearing, cy - ext.y_bearing - ext.height / 2);
  cairo_text_path(cr, str.c_str());
}

// Glossy lettering: a dark rim, a vertical gradient face and a bright upper edge.
void GlossyLetters(cairo_t* cr, double top, double bottom, Rgb light, Rgb dark, double rim) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, rim);
  SetColour(cr, Darken(dark, 0.55));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* face = cairo_pattern_create_linear(0, top, 0, bottom);
  AddStop(face, 0.0, Lighten(light, 0.7));
  AddStop(face, 0.45, light);
  AddStop(face, 0.55, dark);
  AddStop(face, 1.0, Lighten(dark, 0.25));
  cairo_set_source(cr, face);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(face);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Lighten(light, 0.8), 0.8);
  cairo_stroke(cr);
}

cairo_surface_t* DrawTitle() {
  cairo_surface_t* s = NewPicture(600, 160);
  cairo_t* cr = cairo_create(s);
  // A glow behind the word, strong enough to survive the colour key.
  for (int i = 0; i < 6; ++i) FillSoftGlow(cr, 60 + i * 100, 80, 90, orange, 0.35);
  LeftTextPath(cr, "KALDOVIRENT", 24, 78, 92);
  cairo_path_t* word = cairo_copy_path(cr);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, "KALDOVIRENT", &ext);
  // Squeeze to the picture's width when the face runs wide.
  cairo_new_path(cr);
  const double fit = std::min(1.0, 556.0 / ext.width);
  cairo_translate(cr, 24 * (1 - fit), 0);
  cairo_scale(cr, fit, 1.0);
  cairo_append_path(cr, word);
  cairo_path_destroy(word);
  GlossyLetters(cr, 30, 125, gold, orange, 7);
  cairo_destroy(cr);
  return Keyed(s);
}

// The intro's emblem: a ring around a glowing ball, the brick-breaker's own sign. `flash` draws
// it white-hot for the flash that follows the zoom.
cairo_surface_t* DrawEmblem(bool flash) {
  cairo_surface_t* s = NewPicture(256, 256);
  cairo_t* cr = cairo_create(s);
  const Rgb tint = flash ? ice : cyan;
  FillSoftGlow(cr, 128, 128, 128, tint, flash ? 0.7 : 0.45);
  cairo_set_line_width(cr, 14);
  cairo_arc(cr, 128, 128, 92, 0, 2 * pi);
  SetColour(cr, flash ? ice : Mix(cyan, violet, 0.4), 0.9);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 4);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 128, 128, 108, 0.2 * pi, 0.8 * pi);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 128, 128, 108, 1.2 * pi, 1.8 * pi);
  SetColour(cr, tint, 0.8);
  cairo_stroke(cr);
  if (flash) {
    FillSoftGlow(cr, 128, 128, 60, RgbFromHex(0xFFFFFF), 1.0);
  } else {
    FillSphere(cr, 128, 128, 46, RgbFromHex(0x3070FF));
  }
  CentredTextPath(cr, "K", 128, 130, 64);
  SetColour(cr, flash ? RgbFromHex(0xFFFFFF) : ice, 0.95);
  cairo_fill(cr);
  cairo_destroy(cr);
  return s;
}

// Uniform across its width so five tiles make one band; bright in the middle, fading up and down.
cairo_surface_t* DrawHorizontalBand(int width, int height, Rgb core, Rgb edge, double peak) {
  cairo_surface_t* s = NewPicture(width, height);
  cairo_t* cr = cairo_create(s);
  cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 0, height);
  AddStop(band, 0.0, edge, 0.0);
  AddStop(band, 0.35, edge, peak * 0.45);
  AddStop(band, 0.5, core, peak);
  AddStop(band, 0.65, edge, peak * 0.45);
  AddStop(band, 1.0, edge, 0.0);
  cairo_set_source(cr, band);
  cairo_paint(cr);
  cairo_pattern_destroy(band);
  cairo_destroy(cr);
  return s;
}

cairo_surface_t* DrawSubtitle() {
  cairo_surface_t* s = NewPicture(screenW, 40);
  cairo_t* cr = cairo_create(s);
  LeftTextPath(cr, "A BRICK-BREAKER ARCADE GAME", 40, 20, 26);
  GlossyLetters(cr, 6, 34, ice, cyan, 3);
  cairo_destroy(cr);
  return Keyed(s);
}

// A thin lit border with corner brackets; the inside stays see-through.
cairo_surface_t* DrawFrame() {
  cairo_surface_t* s = NewPicture(screenW, screenH);
  cairo_t* cr = cairo_create(s);
  cairo_set_line_width(cr, 2);
  RoundedRectPath(cr, 10, 10, screenW - 20, screenH - 20, 18);
  SetColour(cr, Mix(cyan, violet, 0.5), 0.9);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const double arm = 70;
  const double corners[4][4] = {{18, 18, 1, 1},
                                {screenW - 18.0, 18, -1, 1},
                                {18, screenH - 18.0, 1, -1},
                                {screenW - 18.0, screenH - 18.0, -1, -1}};
  for (const auto& c : corners) {
    cairo_move_to(cr, c[0] + c[2] * arm, c[1]);
    cairo_line_to(cr, c[0], c[1]);
    cairo_line_to(cr, c[0], c[1] + c[3] * arm);
    SetColour(cr, cyan);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  return Keyed(s);
}

// An item: a small glossy brick and its word; the picture is the zone the pointer hovers.
cairo_surface_t* DrawItem(std::string_view word, Rgb brick) {
  cairo_surface_t* s = NewPicture(560, 44);
  cairo_t* cr = cairo_create(s);
  FillGlossyTile(cr, 90, 10, 48, 24, 5, brick);
  LeftTextPath(cr, word, 160, 22, 36);
  GlossyLetters(cr, 4, 40, ice, Mix(cyan, violet, 0.3), 4);
  cairo_destroy(cr);
  return Keyed(s);
}

cairo_surface_t* DrawFooter() {
  cairo_surface_t* s = NewPicture(screenW, 100);
  cairo_t* cr = cairo_create(s);
  CentredTextPath(cr, "Point at an item and click, or use Up, Down and Enter", screenW / 2.0, 22, 22,
                  900);
  SetColour(cr, Mix(ice, cyan, 0.3));
  cairo_fill(cr);
  CentredTextPath(cr, "Made by the Kaldovirent team with SDL2, OpenAL Soft, Cairo and other free software",
                  screenW / 2.0, 52, 17, 900);
  SetColour(cr, Mix(cyan, violet, 0.5));
  cairo_fill(cr);
  cairo_destroy(cr);
  return Keyed(s);
}

// The head of the sweep: a bright comet pointing right, its tail fading to the left.
cairo_surface_t* DrawSweepHead() {
  cairo_surface_t* s = NewPicture(64, 42);
  cairo_t* cr = cairo_create(s);
  cairo_pattern_t* tail = cairo_pattern_create_linear(0, 0, 50, 0);
  AddStop(tail, 0.0, cyan, 0.0);
  AddStop(tail, 1.0, ice, 1.0);
  cairo_set_source(cr, tail);
  cairo_move_to(cr, 0, 21);
  cairo_curve_to(cr, 20, 12, 36, 9, 46, 10);
  cairo_line_to(cr, 46, 32);
  cairo_curve_to(cr, 36, 33, 20, 30, 0, 21);
  cairo_fill(cr);
  cairo_pattern_destroy(tail);
  FillSoftGlow(cr, 46, 21, 18, ice, 1.0);
  FillSphere(cr, 46, 21, 9, RgbFromHex(0xBFEFFF));
  cairo_destroy(cr);
  return Keyed(s);
}

cairo_surface_t* DrawGlowDot(int size, Rgb c, double alpha) {
  cairo_surface_t* s = NewPicture(size, size);
  cairo_t* cr = cairo_create(s);
  FillSoftGlow(cr, size / 2.0, size / 2.0, size / 2.0, c, alpha);
  FillSoftGlow(cr, size / 2.0, size / 2.0, size / 6.0, ice, alpha);
  cairo_destroy(cr);
  return s;
}

// Small deterministic dice for the background's stars.
uint32_t NextDice(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

// 1024 x 768, tiling vertically: every shape that crosses the bottom edge is drawn again at the
// top, and the colours run through one whole cycle from the top to the bottom.
cairo_surface_t* DrawBackground() {
  cairo_surface_t* s = NewPicture(screenW, screenH);
  cairo_t* cr = cairo_create(s);
  const Rgb deep = RgbFromHex(0x070A1E);
  const Rgb dusk = RgbFromHex(0x1A0B34);
  for (int y = 0; y < screenH; ++y) {
    const double k = 0.5 - 0.5 * std::cos(2 * pi * y / screenH);
    SetColour(cr, Mix(deep, dusk, k));
    cairo_rectangle(cr, 0, y, screenW, 1);
    cairo_fill(cr);
  }
  // A faint grid of brick cells, 64 x 32: 768 is a whole number of rows.
  cairo_set_line_width(cr, 1);
  for (int x = 0; x <= screenW; x += 64) {
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, screenH);
  }
  for (int y = 0; y < screenH; y += 32) {
    cairo_move_to(cr, 0, y + 0.5);
    cairo_line_to(cr, screenW, y + 0.5);
  }
  SetColour(cr, violet, 0.10);
  cairo_stroke(cr);
  uint32_t dice = 0x4B41u;
  // Ghost bricks drifting in the grid.
  for (int i = 0; i < 26; ++i) {
    const int cx = static_cast<int>(NextDice(dice) % 16) * 64;
    const int cy = static_cast<int>(NextDice(dice) % 24) * 32;
    const Rgb c = HueColour(NextDice(dice) % 360, 0.7, 0.9);
    RoundedRectPath(cr, cx + 3, cy + 3, 58, 26, 5);
    SetColour(cr, c, 0.10);
    cairo_fill_preserve(cr);
    SetColour(cr, c, 0.22);
    cairo_stroke(cr);
  }
  // Stars, each drawn twice so the join between the bottom and the top does not show.
  for (int i = 0; i < 220; ++i) {
    const double x = NextDice(dice) % screenW;
    const double y = NextDice(dice) % screenH;
    const double r = 0.6 + (NextDice(dice) % 100) / 60.0;
    const double a = 0.3 + (NextDice(dice) % 100) / 150.0;
    for (double dy : {0.0, -static_cast<double>(screenH)}) {
      FillSoftGlow(cr, x, y + dy, r * 3, ice, a * 0.5);
      cairo_arc(cr, x, y + dy, r, 0, 2 * pi);
      SetColour(cr, ice, a);
      cairo_fill(cr);
    }
  }
  cairo_destroy(cr);
  return s;
}

// The menu's own pointer: its tip is the picture's top-left corner. 20 x 24 keeps it shorter
// than the gap between two items, so it never touches two at once.
cairo_surface_t* DrawMenuPointer() {
  cairo_surface_t* s = NewPicture(20, 24);
  cairo_t* cr = cairo_create(s);
  cairo_move_to(cr, 1.5, 1.5);
  cairo_line_to(cr, 1.5, 20);
  cairo_line_to(cr, 6.5, 15.5);
  cairo_line_to(cr, 10, 22.5);
  cairo_line_to(cr, 13.5, 21);
  cairo_line_to(cr, 10, 14);
  cairo_line_to(cr, 16.5, 14);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2);
  SetColour(cr, RgbFromHex(0x304060));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* face = cairo_pattern_create_linear(0, 0, 12, 22);
  AddStop(face, 0.0, RgbFromHex(0xFFFFFF));
  AddStop(face, 1.0, cyan);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  cairo_destroy(cr);
  return Keyed(s);
}

// Centred on the frozen screen while the game waits; opaque (the pause draws it as an image).
cairo_surface_t* DrawPausePicture() {
  cairo_surface_t* s = NewPicture(440, 150);
  cairo_t* cr = cairo_create(s);
  SetColour(cr, RgbFromHex(0x0B1026));
  cairo_paint(cr);
  cairo_set_line_width(cr, 4);
  cairo_rectangle(cr, 4, 4, 432, 142);
  SetColour(cr, cyan);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 10.5, 10.5, 419, 129);
  SetColour(cr, violet, 0.8);
  cairo_stroke(cr);
  CentredTextPath(cr, "PAUSED", 220, 62, 58);
  GlossyLetters(cr, 35, 90, gold, orange, 4);
  CentredTextPath(cr, "Click in the window to play on", 220, 114, 20, 400);
  SetColour(cr, ice);
  cairo_fill(cr);
  cairo_destroy(cr);
  return s;
}

// The desktop's icon of the game: bricks, a ball and the ship on a dark rounded tile; keeps
// its alpha (the corners are see-through).
cairo_surface_t* DrawDesktopIcon() {
  constexpr double side = 256;
  cairo_surface_t* s = NewPicture(static_cast<int>(side), static_cast<int>(side));
  cairo_t* cr = cairo_create(s);
  RoundedRectPath(cr, 8, 8, side - 16, side - 16, 40);
  cairo_pattern_t* night = cairo_pattern_create_linear(0, 8, 0, side - 8);
  AddStop(night, 0.0, RgbFromHex(0x1A2458));
  AddStop(night, 1.0, RgbFromHex(0x060818));
  cairo_set_source(cr, night);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(night);
  cairo_set_line_width(cr, 6);
  SetColour(cr, Mix(cyan, violet, 0.35));
  cairo_stroke(cr);

  cairo_save(cr);
  RoundedRectPath(cr, 11, 11, side - 22, side - 22, 37);
  cairo_clip(cr);
  const Rgb rows[] = {RgbFromHex(0xE04040), gold, RgbFromHex(0x30C060)};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      // A gap in the lowest row, where the ball broke through.
      if (row == 2 && column == 2) continue;
      FillGlossyTile(cr, 30 + column * 50, 36 + row * 26, 46, 22, 5, rows[row]);
    }
  }
  FillSoftGlow(cr, 150, 150, 40, cyan, 0.6);
  FillSphere(cr, 150, 150, 17, RgbFromHex(0x3070FF));
  FillSoftGlow(cr, 118, 204, 70, violet, 0.35);
  FillGlossyTile(cr, 68, 194, 100, 22, 11, RgbFromHex(0x5A6A90));
  FillGlossyTile(cr, 58, 196, 20, 18, 6, orange);
  FillGlossyTile(cr, 158, 196, 20, 18, 6, orange);
  cairo_restore(cr);
  cairo_destroy(cr);
  return s;
}

}  // namespace

cairo_surface_t* DrawMenuPicture(const std::string& fileName) {
  const std::string_view name = fileName;
  if (name == "menu/title.png") return DrawTitle();
  if (name == "menu/intro_letters.png") return DrawEmblem(false);
  if (name == "menu/flash_letters.png") return DrawEmblem(true);
  if (name == "menu/flash_band.png") return DrawHorizontalBand(256, 160, ice, gold, 1.0);
  if (name == "menu/subtitle.png") return DrawSubtitle();
  if (name == "menu/frame.png") return DrawFrame();
  if (name == "menu/item_start.png") return DrawItem("START GAME", RgbFromHex(0x30C060));
  if (name == "menu/item_options.png") return DrawItem("OPTIONS", RgbFromHex(0xE0B020));
  if (name == "menu/item_high_scores.png") return DrawItem("HIGH SCORES", RgbFromHex(0xB040E0));
  if (name == "menu/item_credits.png") return DrawItem("CREDITS", RgbFromHex(0x3080FF));
  if (name == "menu/item_quit.png") return DrawItem("QUIT", RgbFromHex(0xE04040));
  if (name == "menu/footer.png") return DrawFooter();
  if (name == "menu/sweep_head.png") return DrawSweepHead();
  if (name == "menu/spark.png") return DrawGlowDot(8, gold, 1.0);
  if (name == "menu/glow.png") return DrawGlowDot(128, cyan, 0.55);
  if (name == "menu/band.png") return DrawHorizontalBand(128, 106, cyan, violet, 0.55);
  if (name == "menu/background.png") return DrawBackground();
  if (name == "menu/pointer.png") return DrawMenuPointer();
  if (name == "gfx/gamepaused.png") return DrawPausePicture();
  if (name == desktopIconFile) return DrawDesktopIcon();
  return nullptr;
}
