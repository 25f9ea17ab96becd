// SPDX-License-Identifier: GPL-3.0-or-later
// What a weapon's projectile does to the brick or the monster it meets, the same for every
// weapon (laser, chaingun, missile and its fragments): the capsule falls, the brick bursts with
// a bang heard where the projectile was, and the weapon's own score is added.
#pragma once

#include "levels/bricks.h"

// Destroys a live brick, whatever hits it still needed, for a ball or a weapon: its capsule
// starts falling from the brick's centre, a brick burst starts there, the explosion sound plays
// panned by hitterX (the ball's brick or the projectile), and score is added.
void DestroyBrick(Brick& brick, float hitterX, int score);

// The first monster whose picture box (its centre plus and minus half the size of its picture;
// left and top edges inside, right and bottom outside) contains the point dies and leaves the
// monster list; true when there was one.
bool KillMonsterAtPoint(float x, float y);
