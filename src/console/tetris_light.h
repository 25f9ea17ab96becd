// SPDX-License-Identifier: GPL-3.0-or-later
// The falling-blocks game's lit background: a 128 x 128 relief made from the bump map (height)
// and the diffuse map (colour), lit by a light that wanders slowly over it.
#pragma once

#include <cstdint>

constexpr int litSize = 128;               // texels on each side

// Reads the bump and diffuse images into the light's tables and makes the lit texture (sprite
// and quad obj::tetrisLitBackground). Call after the pack is loaded.
void PrepareLitBackground();

// Where the light is at clock time t (ms), in texels of the lit texture, and its strength 0..1.
struct LightPlace {
  float x, y, height, strength;
};
LightPlace LightAt(int64_t t);

// Relights the texture for clock time t (ms): colour times the light falling on each texel's
// slope, with a highlight where the slope mirrors the light towards the player.
void RelightBackground(int64_t t);
