// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the weapon, monster and explosion pictures: a seeded random generator (the
// data must come out byte for byte the same on every build), smooth noise, glows and direct pixel
// writes for the pictures that are computed pixel by pixel.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace weapon {

constexpr double pi = 3.14159265358979323846;

// Random numbers: splitmix64 on a seed of our choosing, never the clock.
struct Rng {
  uint64_t state;
};
Rng MakeRng(uint64_t seed);
uint32_t NextRandom(Rng& rng);
double RandomUnit(Rng& rng);                        // [0, 1)
double RandomBetween(Rng& rng, double low, double high);

double Clamp01(double value);
double SmoothStep(double edge0, double edge1, double value);
double Mix(double a, double b, double t);

// Smooth value noise in [0, 1]; Fractal sums octaves and stays in [0, 1].
double Noise3(double x, double y, double z, uint32_t seed);
double Fractal3(double x, double y, double z, uint32_t seed, int octaves);

// A new transparent ARGB32 picture.
cairo_surface_t* NewPicture(int width, int height);

// A soft round glow: the colour at full alpha in the middle fading to nothing at the radius.
void AddGlow(cairo_t* cr, double x, double y, double radius, double red, double green, double blue,
             double alpha);

// Writes one pixel with straight (not premultiplied) colour and alpha in [0, 1]. The caller
// flushes the surface before and marks it dirty after a batch of writes.
void PutPixel(cairo_surface_t* surface, int x, int y, double red, double green, double blue,
              double alpha);

// Sets cr's source colour from 0xRRGGBB and an alpha.
void SetColour(cairo_t* cr, uint32_t rgb, double alpha);

// True when fileName is prefix + a 4-digit frame number below count + suffix; frame receives it.
bool MatchFrame(const std::string& fileName, const std::string& prefix, const std::string& suffix,
                int count, int& frame);

// The family drawers the dispatcher tries in turn; each returns nullptr for a name not its own.
cairo_surface_t* DrawMissilePicture(const std::string& fileName);
cairo_surface_t* DrawGunPicture(const std::string& fileName);
cairo_surface_t* DrawExplosionPicture(const std::string& fileName);
cairo_surface_t* DrawMonsterPicture(const std::string& fileName);
cairo_surface_t* DrawMiscWeaponPicture(const std::string& fileName);

}  // namespace weapon
