// SPDX-License-Identifier: GPL-3.0-or-later
// The credits' landscape: a height field of 76 x 76 points 1000 units apart, lit by a low sun,
// seen from a camera that drifts and turns above it, drawn as shaded triangles into a pixel
// buffer with distance fog.
#pragma once

#include <cstdint>

#include "core/credits_record.h"

constexpr int landscapePoints = 76;            // points along each side
constexpr float landscapeSpacing = 1000;       // units between neighbouring points
// The field spans x and z from -75000 to 0, so the camera's path circles its centre.
constexpr float landscapeOrigin = -75000;

// The camera's path: the yaw turns on by 0.004 each frame, the pitch looks 20 degrees down, and
// the position follows the clock (milliseconds).
constexpr float creditsYawStep = 0.004f;
constexpr float creditsPitch = -0.3490658f;
void StepCreditsCamera(CreditsCamera& camera, int64_t milliseconds);

// Heights and lit colours of the field; the same every time.
void BuildLandscape(Landscape& landscape);
float LandscapeHeight(const Landscape& landscape, int column, int row);

// Where a point of the world appears on a screen of the given size; false when it lies behind
// the camera (closer than the near plane).
bool ProjectToScreen(const CreditsCamera& camera, float x, float y, float z, int screenWidth,
                     int screenHeight, float& screenX, float& screenY);

// Draws sky, fog and field over the whole buffer (pixels 0x00RRGGBB, pitch in pixels).
void DrawLandscape(const Landscape& landscape, const CreditsCamera& camera, uint32_t* pixels,
                   int width, int height, int pitchPixels);
