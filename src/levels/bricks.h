// SPDX-License-Identifier: GPL-3.0-or-later
// The level's bricks: the queries weapons and balls make, and the legs of the moving ones.
#pragma once

#include "core/brick_record.h"

// A capsule of the given kind (its first picture) starts falling from (x, y), at the end of
// the capsule list.
void AddCapsule(float x, float y, int kind);
// A broken brick drops the capsule it holds, if any, from its centre.
void DropCapsule(const Brick& brick);

// Puts the brick on waypoint leg and sets it off towards the next one (needs 2 waypoints or more).
void StartLeg(Brick& b);

// The brick at index in the brick list (an index FindBrickAtPoint or FindBrickInBox gave, in
// range); the list's cursor does not move.
Brick& BrickAt(int index);

// Index of the first live brick whose 64 x 20 box strictly contains the point, or -1.
int FindBrickAtPoint(int px, int py);
// Index of the first live brick whose box overlaps the rectangle (touching edges count), or -1.
int FindBrickInBox(int left, int top, int right, int bottom);
// Silently destroys the first live brick of a kind below 162 containing the point (no capsule,
// no score): 0, or -1 when there was none.
int EraseBrickAtPoint(int px, int py);
