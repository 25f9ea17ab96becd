// SPDX-License-Identifier: GPL-3.0-or-later
#include "side_common.h"

namespace side {

void PaintInked(cairo_t* cr, Rgb base, double y0, double y1, double ink) {
  cairo_pattern_t* body = cairo_pattern_create_linear(0, y0, 0, y1);
  arena::AddStop(body, 0.0, arena::Lighten(base, 0.45));
  arena::AddStop(body, 0.5, base);
  arena::AddStop(body, 1.0, arena::Darken(base, 0.3));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, ink);
  arena::SetColour(cr, arena::Darken(base, 0.75));
  cairo_stroke(cr);
}

cairo_surface_t* Finished(cairo_t* cr, cairo_surface_t* surface) {
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

std::string_view InFolder(std::string_view fileName, std::string_view folder) {
  if (!arena::StartsWith(fileName, folder)) return {};
  return fileName.substr(folder.size());
}

}  // namespace side
