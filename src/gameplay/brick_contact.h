// SPDX-License-Identifier: GPL-3.0-or-later
// What a ball does to the bricks it touches: the back-out, the bounce off the mean contact
// direction, each brick kind's reaction and the guard against a ball caught on one brick.
#pragma once

// After this many contacts with the same brick the ball is sent back the way it first came.
constexpr int stuckContactLimit = 150;

// The brick step of the ball pass, for the current ball of the ball list.
void CollideWithBricks();
