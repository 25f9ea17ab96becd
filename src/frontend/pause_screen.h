// SPDX-License-Identifier: GPL-3.0-or-later
// The focus-loss pause: when the game's window stops being the one in front, the game freezes
// behind a blurred picture of its last frame until the player clicks in the window again.
#pragma once

#include <cstdint>
#include <vector>

// The pause check of every frame (the menu's and the game's): 1 when play may go on with the
// current screen, 0 after a pause, when the caller must rebuild its screen and reload its
// pictures. Returns only after a left or right click in the window (or a pad's A or Start); a
// key does not end the pause, and the autopilot leaves it alone. Closing the window during the
// pause ends the program with success.
int FocusCheck();

// The filter's work area: 769 x 769 colours (0x00RRGGBB) indexed [x][y], at x * 769 + y. The
// picture fills x and y 0 to 767; the last row and column start black.
constexpr int pauseFilterSide = 769;
constexpr int pausePictureSide = 768;

// Smears each colour channel in its own direction, with a slow vertical ripple of 4 pixels. It
// works in place, in one pass, so later pixels read the already filtered values of earlier ones.
void FilterPausePicture(std::vector<uint32_t>& pixels);

// Draws the filtered picture of the current screen with the pause picture centred on it into
// the image obj::pauseResult (the screen's size). Also writes the grab to "paused.bmp"; where that
// file cannot be written, the picture comes from memory all the same.
void MakePausePicture();
