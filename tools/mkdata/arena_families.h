// SPDX-License-Identifier: GPL-3.0-or-later
// The arena picture families. Each procedure draws one picture and returns a new surface, or
// nullptr for an argument outside its family. The dispatcher (arena_pictures.cpp) maps the
// catalogue's file names onto these.
#pragma once

#include <cairo.h>

#include <string_view>

namespace arena {

// Bricks, 64 x 20. family: "red", "green", "blue", "yellow", "magenta", "cyan", "white",
// "black", "ub", "tp", "3c", "2c", "1c"; frame 0..15.
cairo_surface_t* DrawBrick(std::string_view family, int frame);

// Capsules, 32 x 32. code: one of "t e f l c m b r s g p" (the bonus's folder letter), "malus",
// or a letter token "B", "O", "N", "U", "S"; frame 0..15.
cairo_surface_t* DrawCapsule(std::string_view code, int frame);

// The craft, 128 x 64, centred on the ship position. lean: -5 (most left) .. 5 (most right).
cairo_surface_t* DrawShipCraft(int lean);
// The paddle body: index 0..10 (Bouclier.00 .. .10); widths 80..130, height 110.
cairo_surface_t* DrawShipBody(int index);
// The additive glow under the ship, 128 x 128.
cairo_surface_t* DrawShipEnergy();

// A bitmap-font glyph, 64 x 64. gold selects the gold face; ch is the character drawn.
cairo_surface_t* DrawGlyph(char ch, bool gold);

// Everything else.
cairo_surface_t* DrawPointer();
cairo_surface_t* DrawBall(int size);
cairo_surface_t* DrawRedBall();
cairo_surface_t* DrawHalo();
cairo_surface_t* DrawFlare(unsigned rgbHex);
cairo_surface_t* DrawNextLevelDoor();
cairo_surface_t* DrawPanel();
cairo_surface_t* DrawPanelReadout();
// The small black pictures whose pure white pixels spell a word (at most 72 wide).
cairo_surface_t* DrawPixelWord(std::string_view word);

}  // namespace arena
