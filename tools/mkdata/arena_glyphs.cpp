// SPDX-License-Identifier: GPL-3.0-or-later
// The silver and gold bitmap-font glyphs, 64 x 64 with alpha. The game draws them stretched to
// 36 x 36 at a 20-pixel step, so each letter keeps its ink inside the middle 40 columns and
// sits on a common baseline: punctuation then lands where it belongs in a line of text.
#include <string>

#include "arena_common.h"
#include "arena_families.h"

namespace arena {
namespace {

constexpr int glyphSize = 64;
constexpr double fontSize = 56;
constexpr double baseline = 53;     // capitals stand from about row 13 to this row
constexpr double maxInkWidth = 40;

struct Metal {
  Rgb light, mid, dark, outline;
};

const Metal silver{{1.0, 1.0, 1.0}, {0.68, 0.71, 0.76}, {0.35, 0.37, 0.42}, {0.06, 0.07, 0.1}};
const Metal gold{{1.0, 0.96, 0.7}, {0.95, 0.7, 0.15}, {0.55, 0.3, 0.02}, {0.15, 0.07, 0.0}};

// Adds the glyph's outline on the common baseline, centred horizontally, squeezed if wide.
void GlyphPath(cairo_t* cr, char ch) {
  SelectGameFont(cr, fontSize);
  const std::string text(1, ch);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  const double squeeze = ext.width > maxInkWidth ? maxInkWidth / ext.width : 1.0;
  cairo_save(cr);
  cairo_translate(cr, glyphSize / 2.0, baseline);
  cairo_scale(cr, squeeze, 1.0);
  cairo_move_to(cr, -ext.x_bearing - ext.width / 2, 0);
  cairo_text_path(cr, text.c_str());
  cairo_restore(cr);
}

}  // namespace

cairo_surface_t* DrawGlyph(char ch, bool useGold) {
  cairo_surface_t* surface = NewPicture(glyphSize, glyphSize);
  if (ch == ' ') return surface;  // the space glyph is an empty picture
  const Metal& metal = useGold ? gold : silver;
  cairo_t* cr = cairo_create(surface);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  // Drop shadow, then the dark outline, then the metal face.
  cairo_save(cr);
  cairo_translate(cr, 2, 2.5);
  GlyphPath(cr, ch);
  cairo_restore(cr);
  cairo_set_line_width(cr, 6);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);

  GlyphPath(cr, ch);
  cairo_set_line_width(cr, 5);
  SetColour(cr, metal.outline);
  cairo_stroke_preserve(cr);
  // Polished metal: bright top, a dark horizon just below the middle, a lit lower half.
  cairo_pattern_t* face = cairo_pattern_create_linear(0, 12, 0, baseline);
  AddStop(face, 0.0, metal.light);
  AddStop(face, 0.42, metal.mid);
  AddStop(face, 0.52, metal.dark);
  AddStop(face, 0.6, metal.mid);
  AddStop(face, 1.0, Lighten(metal.mid, 0.35));
  cairo_set_source(cr, face);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(face);
  // Fine inner edge for the bevel.
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, metal.light, 0.5);
  cairo_stroke(cr);

  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace arena
