// SPDX-License-Identifier: GPL-3.0-or-later
// Pure arithmetic that every layer shares: rounding to a whole pixel, pi and degrees.
#pragma once

#include <cmath>
#include <numbers>

// The nearest whole number, a half going to the even neighbour (the arena's positions, sizes and
// angles). A float argument rounds exactly as in float: the widening to double is exact.
inline int Nearest(double value) { return static_cast<int>(std::lrint(value)); }

// The nearest whole number, a half going away from zero: the side games, the menu and the
// screens round this way, and their recorded play depends on it, so they keep it.
inline int RoundHalfAway(double value) { return static_cast<int>(std::lround(value)); }

// The arena's headings and angles are floats; the side games' trigonometry is in double.
constexpr float pi = std::numbers::pi_v<float>;
constexpr double piDouble = std::numbers::pi;
constexpr float Radians(float degrees) { return degrees * pi / 180; }
constexpr double RadiansDouble(double degrees) { return degrees * piDouble / 180; }
