// SPDX-License-Identifier: GPL-3.0-or-later
// The records of the credits screen: its text, its scroll and fade, and the camera flying over
// its landscape. One instance lives in the game record while the screen is open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A viewpoint: position in landscape units (y up) and angles in radians. Yaw turns the view
// about the vertical axis (0 looks along +z, a quarter turn looks along +x), a negative pitch
// looks down, roll tilts the picture.
struct CreditsCamera {
  float x = -37500;
  float y = 7000;
  float z = -37500;
  float pitch = 0;
  float yaw = 0;
  float roll = 0;
};

// The height field, row by row (z), point by point (x) within a row, and the colour of each of
// its triangles as the sun lights it: two per cell, cell by cell in the same order.
struct Landscape {
  std::vector<float> heights;
  std::vector<uint32_t> faceColours;  // 0x00RRGGBB
};

struct CreditsState {
  std::vector<std::string> lines;
  std::vector<int> lineX;        // left edge of each line, centred on x 512
  float scrollOffset = 768;      // y of the first line in the coming frame
  float fadeVolume = 100;        // the music's volume while leaving
  bool leaving = false;          // Escape was pressed: the music fades, then the screen closes
  CreditsCamera camera;
  Landscape landscape;
};
