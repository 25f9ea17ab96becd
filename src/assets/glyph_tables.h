// SPDX-License-Identifier: GPL-3.0-or-later
// The two bitmap fonts: which characters have a glyph, and the glyph's number (its picture is
// "gfx/fonts/silver/silver-<number>.png" or ".../gold/gold-<number>.png"). The silver glyph of
// character c is quad 1524 + c, the gold one quad 1780 + c.
#pragma once

#include <array>
#include <string_view>

constexpr int silverGlyphBase = 1524;
constexpr int goldGlyphBase = 1780;

// Characters in glyph-number order: the n-th character (from 1) has glyph number n.
constexpr std::string_view silverGlyphOrder = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!'()-.?:0123456789, ";
constexpr std::string_view goldGlyphOrder = "ABCDEFGHIJKLMNOPQRSTUVWXYZ()-0123456789.:,'\"?!^ ";

using GlyphTable = std::array<int, 256>;  // character code -> glyph number, 0 for none

constexpr GlyphTable BuildGlyphTable(std::string_view order) {
  GlyphTable table{};
  for (std::size_t i = 0; i < order.size(); ++i) {
    table[static_cast<unsigned char>(order[i])] = static_cast<int>(i) + 1;
  }
  return table;
}

constexpr GlyphTable silverGlyphs = BuildGlyphTable(silverGlyphOrder);
constexpr GlyphTable goldGlyphs = BuildGlyphTable(goldGlyphOrder);
