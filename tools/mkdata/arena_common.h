// SPDX-License-Identifier: GPL-3.0-or-later
// Shared Cairo helpers for the arena pictures: colours, paths, glossy fills, glows, the game
// font, and the frame-number parsing of catalogue names.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

namespace arena {

constexpr double pi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

Rgb RgbFromHex(unsigned hex);
Rgb Mix(Rgb a, Rgb b, double t);           // t = 0 gives a, 1 gives b
Rgb Lighten(Rgb c, double t);              // towards white
Rgb Darken(Rgb c, double t);               // towards black
Rgb HueColour(double hueDegrees, double saturation, double value);

// A new fully transparent ARGB32 surface.
cairo_surface_t* NewPicture(int width, int height);

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha = 1.0);

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

// A bevelled glossy tile: dark rim, vertical light-to-dark body, a gloss cap on the upper half.
void FillGlossyTile(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base);
// A soft radial glow: colour at the centre fading to nothing at the radius.
void FillSoftGlow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha);
// A lit sphere with a specular highlight towards the upper left.
void FillSphere(cairo_t* cr, double cx, double cy, double radius, Rgb base);
// A slanted band of light painted over the current clip, crossing y = 0 at x; moving x from
// frame to frame makes it sweep.
void SweepShine(cairo_t* cr, double x, double width, double alpha);

// The bold display face used for every lettering, with fixed, hint-free font options so the
// outlines come out the same on every run.
void SelectGameFont(cairo_t* cr, double size);
// Adds the outline of text to the path, its ink box centred on (cx, cy); maxWidth squeezes
// wide text horizontally (0 for no limit).
void CentredTextPath(cairo_t* cr, std::string_view text, double cx, double cy, double size,
                     double maxWidth = 0.0);

// Frame phase 0..1 of frame i of an n-frame loop.
inline double LoopPhase(int frame, int frames) { return static_cast<double>(frame) / frames; }

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
// The number written just before the extension ("red0007.png" -> 7, "silver-12.png" -> 12),
// or -1 when there are no digits there.
int TrailingNumber(std::string_view fileName);

}  // namespace arena
