// SPDX-License-Identifier: GPL-3.0-or-later
// The single pictures of the arena: pointer, balls, halo, flares, the exit sign, the side panel
// and its scrolling readout, and the small word pictures of the end-of-level effect.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "arena_common.h"
#include "arena_families.h"

namespace arena {
namespace {

cairo_surface_t* Finish(cairo_t* cr, cairo_surface_t* surface) {
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

// 5 x 7 capitals for the word pictures; each row's bits read left (16) to right (1).
struct PixelLetter {
  char ch;
  uint8_t rows[7];
};

const PixelLetter pixelLetters[] = {
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}}, {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
};

const PixelLetter* FindPixelLetter(char ch) {
  for (const PixelLetter& letter : pixelLetters) {
    if (letter.ch == ch) return &letter;
  }
  return nullptr;
}

// Sets one opaque pixel of an ARGB32 surface.
void PutPixel(cairo_surface_t* surface, int x, int y, uint32_t argb) {
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::memcpy(data + y * stride + x * 4, &argb, 4);
}

}  // namespace

cairo_surface_t* DrawPointer() {
  cairo_surface_t* surface = NewPicture(32, 32);
  cairo_t* cr = cairo_create(surface);
  // The hot spot is the tip at the top-left corner: the menu draws the picture at the pointer.
  auto arrow = [cr]() {
    cairo_move_to(cr, 2, 2);
    cairo_line_to(cr, 2, 25);
    cairo_line_to(cr, 8, 19.5);
    cairo_line_to(cr, 12.5, 29);
    cairo_line_to(cr, 17, 27);
    cairo_line_to(cr, 12.5, 17.5);
    cairo_line_to(cr, 20.5, 17.5);
    cairo_close_path(cr);
  };
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_save(cr);
  cairo_translate(cr, 1.5, 1.5);
  arrow();
  cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
  cairo_fill(cr);
  cairo_restore(cr);
  arrow();
  cairo_set_line_width(cr, 2.2);
  cairo_set_source_rgb(cr, 0.02, 0.05, 0.12);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* face = cairo_pattern_create_linear(2, 2, 16, 26);
  cairo_pattern_add_color_stop_rgb(face, 0.0, 1.0, 1.0, 1.0);
  cairo_pattern_add_color_stop_rgb(face, 0.45, 0.55, 0.9, 1.0);
  cairo_pattern_add_color_stop_rgb(face, 1.0, 0.1, 0.45, 0.85);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // Gloss along the left edge.
  cairo_move_to(cr, 3.6, 5.5);
  cairo_line_to(cr, 3.6, 19);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
  cairo_stroke(cr);
  return Finish(cr, surface);
}

cairo_surface_t* DrawBall(int size) {
  if (size < 4) return nullptr;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  // Polished steel with a cool tint; half a pixel of margin keeps the edge antialiased.
  FillSphere(cr, size / 2.0, size / 2.0, size / 2.0 - 0.5, {0.62, 0.72, 0.88});
  return Finish(cr, surface);
}

cairo_surface_t* DrawRedBall() {
  cairo_surface_t* surface = NewPicture(16, 16);
  cairo_t* cr = cairo_create(surface);
  FillSphere(cr, 8, 8, 7.5, {0.9, 0.08, 0.05});
  return Finish(cr, surface);
}

cairo_surface_t* DrawHalo() {
  constexpr int size = 128;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  const double c = size / 2.0;
  // The game scales the halo to four times the ball's radius, so the ball's edge falls at half
  // the halo's radius: the corona is brightest there and fades out to the rim.
  cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0, c, c, c - 2);
  cairo_pattern_add_color_stop_rgba(glow, 0.0, 0.85, 0.92, 1.0, 0.1);
  cairo_pattern_add_color_stop_rgba(glow, 0.4, 0.75, 0.88, 1.0, 0.18);
  cairo_pattern_add_color_stop_rgba(glow, 0.52, 0.6, 0.8, 1.0, 0.32);
  cairo_pattern_add_color_stop_rgba(glow, 0.68, 0.4, 0.6, 1.0, 0.14);
  cairo_pattern_add_color_stop_rgba(glow, 0.85, 0.3, 0.5, 1.0, 0.04);
  cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.2, 0.4, 1.0, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  // Faint rays, so the halo's turning shows.
  cairo_translate(cr, c, c);
  for (int i = 0; i < 6; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * pi / 3 + (i % 2) * 0.2);
    cairo_scale(cr, c * (i % 2 ? 0.8 : 0.92), 3.0);
    cairo_arc(cr, 0.5, 0, 0.5, 0, 2 * pi);
    cairo_pattern_t* ray = cairo_pattern_create_linear(0, 0, 1, 0);
    cairo_pattern_add_color_stop_rgba(ray, 0.0, 0.9, 0.95, 1.0, 0.0);
    cairo_pattern_add_color_stop_rgba(ray, 0.55, 0.9, 0.95, 1.0, 0.18);
    cairo_pattern_add_color_stop_rgba(ray, 1.0, 0.9, 0.95, 1.0, 0.0);
    cairo_set_source(cr, ray);
    cairo_fill(cr);
    cairo_pattern_destroy(ray);
    cairo_restore(cr);
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawFlare(unsigned rgbHex) {
  constexpr int size = 32;
  const Rgb tint = RgbFromHex(rgbHex);
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  const double c = size / 2.0;
  // Spark: a hot core whitened from the tint, the tint itself around it, and a four-point
  // star that flickers as the game turns each spark at random.
  cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0, c, c, c - 1);
  AddStop(glow, 0.0, Lighten(tint, 0.6), 1.0);
  AddStop(glow, 0.2, Lighten(tint, 0.2), 0.85);
  AddStop(glow, 0.5, tint, 0.35);
  AddStop(glow, 1.0, tint, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  cairo_translate(cr, c, c);
  for (int i = 0; i < 2; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * pi / 2);
    cairo_scale(cr, c - 2.5, 1.4);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_pattern_t* streak = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(streak, 0.0, Lighten(tint, 0.5), 0.9);
    AddStop(streak, 1.0, tint, 0.0);
    cairo_set_source(cr, streak);
    cairo_fill(cr);
    cairo_pattern_destroy(streak);
    cairo_restore(cr);
  }
  return Finish(cr, surface);
}

cairo_surface_t* DrawNextLevelDoor() {
  constexpr int size = 64;
  cairo_surface_t* surface = NewPicture(size, size);
  cairo_t* cr = cairo_create(surface);
  const Rgb green{0.25, 1.0, 0.4};
  FillSoftGlow(cr, 34, 38, 30, green, 0.45);
  // The gate: an open frame on the right, the way out.
  RoundedRectPath(cr, 46, 8, 12, 52, 3);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgba(cr, 0.02, 0.1, 0.04, 0.9);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  SetColour(cr, Lighten(green, 0.4));
  cairo_stroke(cr);
  RoundedRectPath(cr, 48.5, 10.5, 7, 47, 2);
  cairo_pattern_t* light = cairo_pattern_create_linear(48, 0, 56, 0);
  AddStop(light, 0.0, green, 0.2);
  AddStop(light, 1.0, Lighten(green, 0.7), 0.9);
  cairo_set_source(cr, light);
  cairo_fill(cr);
  cairo_pattern_destroy(light);
  // Two chevrons pointing into it.
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 2; ++i) {
    const double x = 10 + i * 15;
    cairo_move_to(cr, x, 24);
    cairo_line_to(cr, x + 11, 36);
    cairo_line_to(cr, x, 48);
    cairo_set_line_width(cr, 9);
    cairo_set_source_rgba(cr, 0.02, 0.1, 0.04, 0.9);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 5.5);
    cairo_pattern_t* chevron = cairo_pattern_create_linear(0, 24, 0, 48);
    AddStop(chevron, 0.0, Lighten(green, 0.7));
    AddStop(chevron, 1.0, Darken(green, 0.25));
    cairo_set_source(cr, chevron);
    cairo_stroke(cr);
    cairo_pattern_destroy(chevron);
  }
  // The sign's word.
  CentredTextPath(cr, "EXIT", 27, 12, 14, 40);
  cairo_set_line_width(cr, 2.5);
  cairo_set_source_rgba(cr, 0.02, 0.1, 0.04, 0.9);
  cairo_stroke_preserve(cr);
  SetColour(cr, Lighten(green, 0.5));
  cairo_fill(cr);
  return Finish(cr, surface);
}

cairo_surface_t* DrawPanel() {
  // Frame around the scrolling readout: the game shows it at (851, 600) and the readout at
  // (864, 630), so the readout's window is at (13, 30) here, 124 x 97.
  constexpr int width = 150, height = 150;
  constexpr double windowX = 13, windowY = 30, windowW = 124, windowH = 97;
  cairo_surface_t* art = NewPicture(width, height);
  cairo_t* cr = cairo_create(art);
  RoundedRectPath(cr, 1, 1, width - 2, height - 2, 12);
  cairo_pattern_t* metal = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.55, 0.6, 0.7);
  cairo_pattern_add_color_stop_rgb(metal, 0.15, 0.3, 0.34, 0.42);
  cairo_pattern_add_color_stop_rgb(metal, 0.85, 0.16, 0.18, 0.24);
  cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.35, 0.38, 0.46);
  cairo_set_source(cr, metal);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(metal);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgb(cr, 0.05, 0.06, 0.09);
  cairo_stroke(cr);
  // Recessed window (the readout covers its inside).
  RoundedRectPath(cr, windowX - 4, windowY - 4, windowW + 8, windowH + 8, 4);
  cairo_set_source_rgb(cr, 0.03, 0.04, 0.06);
  cairo_fill(cr);
  cairo_move_to(cr, windowX - 4, windowY + windowH + 4.5);
  cairo_line_to(cr, windowX + windowW + 4.5, windowY + windowH + 4.5);
  cairo_line_to(cr, windowX + windowW + 4.5, windowY - 4);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_stroke(cr);
  // Label plate.
  RoundedRectPath(cr, 30, 6, 90, 16, 4);
  cairo_set_source_rgb(cr, 0.06, 0.08, 0.12);
  cairo_fill(cr);
  CentredTextPath(cr, "POWER", 75, 14.5, 12, 70);
  cairo_set_source_rgb(cr, 0.35, 0.9, 1.0);
  cairo_fill(cr);
  // Status lamps and screws.
  const Rgb lamps[] = {{0.2, 1, 0.3}, {1, 0.8, 0.1}, {1, 0.25, 0.2}};
  for (int i = 0; i < 3; ++i) {
    FillSoftGlow(cr, 60 + i * 15, 139, 6, lamps[i], 0.6);
    FillSphere(cr, 60 + i * 15, 139, 3, lamps[i]);
  }
  for (double x : {10.0, width - 10.0}) {
    for (double y : {12.0, height - 12.0}) FillSphere(cr, x, y, 3, {0.6, 0.62, 0.66});
  }
  cairo_destroy(cr);
  cairo_surface_flush(art);

  // The game keys out pure magenta instead of using alpha: every pixel is either the art,
  // fully opaque, or exactly magenta, so no pink fringe can show around the frame.
  cairo_surface_t* keyed = NewPicture(width, height);
  const unsigned char* src = cairo_image_surface_get_data(art);
  const int stride = cairo_image_surface_get_stride(art);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t pixel;
      std::memcpy(&pixel, src + y * stride + x * 4, 4);
      const uint32_t alpha = pixel >> 24;
      if (alpha < 128) {
        PutPixel(keyed, x, y, 0xFFFF00FFu);
      } else {
        auto channel = [&](int shift) { return std::min(255u, ((pixel >> shift) & 255) * 255 / alpha); };
        PutPixel(keyed, x, y, 0xFF000000u | channel(16) << 16 | channel(8) << 8 | channel(0));
      }
    }
  }
  cairo_surface_mark_dirty(keyed);
  cairo_surface_destroy(art);
  return keyed;
}

cairo_surface_t* DrawPanelReadout() {
  // The game scrolls this picture up one row at a time through a 98-row loop, so everything on
  // it repeats every 98 rows: 14 lines of 7 rows each.
  constexpr int width = 124, height = 98, lineHeight = 7, lines = height / lineHeight;
  cairo_surface_t* surface = NewPicture(width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0.01, 0.05, 0.06);
  cairo_paint(cr);
  // Grid columns.
  cairo_set_line_width(cr, 1);
  for (int x = 0; x < width; x += 20) {
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, height);
  }
  cairo_set_source_rgba(cr, 0.1, 0.5, 0.55, 0.35);
  cairo_stroke(cr);
  for (int line = 0; line < lines; ++line) {
    const double y = line * lineHeight;
    // Energy bar of a varying length, its colour going from cyan to amber with the length.
    const double level = 0.3 + 0.65 * (0.5 + 0.5 * std::sin(line * 1.7 + 0.4)) *
                                   (0.6 + 0.4 * std::cos(line * 0.9));
    const double barWidth = 4 + 70 * level;
    const Rgb colour = Mix({0.2, 0.95, 1.0}, {1.0, 0.7, 0.15}, level);
    for (double x = 4; x < 4 + barWidth; x += 4) {
      cairo_rectangle(cr, x, y + 1, 3, lineHeight - 2);
    }
    SetColour(cr, colour, 0.9);
    cairo_fill(cr);
    // A small readout of blocks on the right: a few "digits" drawn as pixel columns.
    for (int d = 0; d < 5; ++d) {
      const int value = (line * 7 + d * 13 + line * d) % 10;
      const double x = 84 + d * 7;
      for (int bit = 0; bit < 4; ++bit) {
        if ((value >> bit) & 1) cairo_rectangle(cr, x + (bit % 2) * 3, y + 1 + (bit / 2) * 3, 2, 2);
      }
    }
    cairo_set_source_rgba(cr, 0.5, 1.0, 0.6, 0.85);
    cairo_fill(cr);
  }
  // Scanlines.
  for (int y = 0; y < height; y += 2) cairo_rectangle(cr, 0, y, width, 1);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_fill(cr);
  return Finish(cr, surface);
}

cairo_surface_t* DrawPixelWord(std::string_view word) {
  // Letters at double size (each font pixel 2 x 2), 2 pixels apart, centred in a 72 x 16
  // picture: enlarged ten times by the effect, the word spans the playfield.
  constexpr int width = 72, height = 16, scale = 2, gap = 2;
  const int wordWidth = static_cast<int>(word.size()) * (5 * scale + gap) - gap;
  if (word.empty() || wordWidth > width) return nullptr;
  for (char ch : word) {
    if (!FindPixelLetter(ch)) return nullptr;
  }
  cairo_surface_t* surface = NewPicture(width, height);
  cairo_surface_flush(surface);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) PutPixel(surface, x, y, 0xFF000000u);
  }
  const int left = (width - wordWidth) / 2, top = (height - 7 * scale) / 2;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const PixelLetter* letter = FindPixelLetter(word[i]);
    const int letterX = left + static_cast<int>(i) * (5 * scale + gap);
    for (int row = 0; row < 7; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (!((letter->rows[row] >> (4 - col)) & 1)) continue;
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx) {
            PutPixel(surface, letterX + col * scale + dx, top + row * scale + dy, 0xFFFFFFFFu);
          }
        }
      }
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace arena
