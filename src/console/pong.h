// SPDX-License-Identifier: GPL-3.0-or-later
// Pong, the console's "1972": the player's paddle on the left follows the mouse, the computer's
// on the right follows the ball in zones that change at random; the first to 10 points wins.
// It takes over the screen with a frame loop of its own and reports to the console's history.
#pragma once

// Paddle and ball pictures and the score font; the console's set-up runs it.
void SetUpPong();
// The ball still in the middle for 750 ms in a random diagonal direction, both paddles
// centred, a new computer mode.
void NewPongServe();
// Both scores 0; the game music is silenced for the match.
void NewPongMatch();
// One frame: draws, moves, scores, bounces, plays the computer, then presents the frame.
// True once the game is over (won and shown for 4 s, or left with Escape): the closing lines
// are in the history and the music is back.
bool PongFrame();
// Frames until the game is over.
void RunPong();
