// SPDX-License-Identifier: GPL-3.0-or-later
// The duck shoot, the console's "DUCK": figures ride three rails of a shooting gallery, right,
// then left, then right again, a little faster at each turn; the player moves a cannon with the
// mouse and shoots upwards. Ducks raise a counter that starts at 10, the other figures lower it,
// and a duck that gets through all three rails costs 5. The game ends when the counter reaches
// 0 or on Escape. It takes over the screen with a frame loop of its own.
#pragma once

// Empty gallery, counter 10, no speed-up yet; loads the gallery's pictures.
void SetUpDuckShoot();

// One frame: keys, figures, a new figure once a second, the speed-up every 30 s, bullets and
// hits, cannon and shooting; then draws and presents the frame. True once the game is over
// (the counter at 0 or below, or Escape): the closing tones are playing.
bool DuckShootFrame();

// Set-up, then frames until the game is over.
void RunDuckShoot();
