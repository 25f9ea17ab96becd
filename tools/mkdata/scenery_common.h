// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the scenery pictures: repeatable value noise, pixel painting of whole
// surfaces, and the finishing of a Cairo context.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>

#include "arena_common.h"

namespace scenery {

using arena::Rgb;
using arena::pi;

// Smooth value noise on a lattice, 0..1, the same for the same seed on every run.
double Noise(double x, double y, uint32_t seed);
// Sum of octaves of Noise, each at twice the frequency and half the weight; 0..1.
double Fractal(double x, double y, int octaves, uint32_t seed);
// A repeatable hash of a pixel, 0..1 (film grain, stars).
double Hash(int x, int y, uint32_t seed);
// The normal picture's pixel a point of the painted picture lies in: grain and stars hashed per
// pixel keep their size in the picture drawn at twice the size.
int NormalPixel(double v);

double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double v);

// A new opaque picture painted pixel by pixel: colour(x, y) at the centre of every pixel, in the
// picture's own coordinates (whole numbers at the normal size, quarters between them when drawn
// at twice the size).
cairo_surface_t* PaintOpaque(int width, int height, const std::function<Rgb(double, double)>& colour);
// A new picture with alpha painted pixel by pixel: colour and alpha 0..1.
cairo_surface_t* PaintWithAlpha(int width, int height,
                                const std::function<Rgb(double, double, double&)>& colour);

cairo_surface_t* Finish(cairo_t* cr, cairo_surface_t* surface);

}  // namespace scenery
