// SPDX-License-Identifier: GPL-3.0-or-later
// Balls in play: serving and gluing, and the per-frame ball pass with all its
// collisions (monsters, other balls, the ship, the walls and the fil, the bricks).
#pragma once

#include "core/ball_record.h"

// Adds a ball after the current one of the ball list and makes it current; bricks under it are
// erased silently.
void AddBall(float x, float y, float vx, float vy, int radius, int sprite);
// Silently erases the breakable bricks under a disc (rings of points 8 pixels apart).
void ClearRoom(float x, float y, float radius);
// Holds every ball on the ship for the given number of frames.
void GlueAllBalls(int frames);
// Lets every ball go and ends both the serve and the glue bonus.
void EndGlue();
// Lets the ball held by the glue bonus go; the bonus stays, so the ship catches it again.
void ReleaseGluedBalls();
// The per-frame ball pass with all its collisions.
void BallPass();
// Deletes the current ball; losing the last one (with none still to come out of a teleport)
// costs a life.
void LoseBall();
// Takes every ball out of play (a level ending through the door or the cleared test).
void RemoveAllBalls();
// Caps a velocity at the game's ball speed limit.
void LimitBallSpeed(Ball& ball);
