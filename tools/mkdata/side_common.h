// SPDX-License-Identifier: GPL-3.0-or-later
// Shared Cairo helpers for the pictures of the console's side games: painted shapes with an
// ink outline, and the picture names under each game's folder.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

#include "arena_common.h"

namespace side {

using arena::Rgb;

// Fills the current path with the colour lit from above (light at y0, shaded at y1), then
// strokes it in dark ink; the path is used up.
void PaintInked(cairo_t* cr, Rgb base, double y0, double y1, double ink = 1.6);
cairo_surface_t* Finished(cairo_t* cr, cairo_surface_t* surface);
// The name with the folder prefix removed, or an empty view when it has another prefix.
std::string_view InFolder(std::string_view fileName, std::string_view folder);

}  // namespace side
