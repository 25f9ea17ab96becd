// SPDX-License-Identifier: GPL-3.0-or-later
// The sweets game, the console's "SUGAR": balloons drift across a pink sky, each carrying a
// sweet on a swinging string. A launcher at the bottom, aimed with the mouse, shoots a ball that
// bounces off the sides. A popped balloon lets its sweet fall, and a sweet that reaches the
// bottom scores 10; hitting a sweet costs 5; an empty balloon pops for 5. It plays until Escape,
// with a frame loop of its own.
#pragma once

// No balloons, score 0, normal speed, the shot resting; loads the sky's pictures.
void SetUpSweets();

// One frame: keys, the shot's launch, a new balloon every 4 s, the speed-up every 30 s; then
// the sky, the balloons with their hits, the launcher, the shot, the flash and the score are
// drawn, and the frame is presented. True once Escape has ended the game.
bool SweetsFrame();

// Set-up, then frames until the player leaves.
void RunSweets();
