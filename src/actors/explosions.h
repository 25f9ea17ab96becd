// SPDX-License-Identifier: GPL-3.0-or-later
// Explosions: the short bursts where a brick or a monster dies, and the big fireballs of the
// ship's destruction and of some level scenery. They live in three lists of the game state,
// drawn and aged once a frame in this order: brick bursts, monster bursts, fireballs.
#pragma once

#include "core/effect_records.h"

// A brick burst at (x, y), added after the current element of the brick explosion list.
void AddExplosion(float x, float y);

// The general form the main loop uses: frames from firstFrame with a size. The fireball's
// first frame makes a fireball of that size; any other picture a brick burst (size unused).
void AddExplosion(float x, float y, int firstFrame, int size);

// A fireball centred on (x, y), drawn size x size pixels.
void AddFireball(float x, float y, int size);

// Once a frame inside the playfield's drawing: draws every element at its frame and moves it
// on; an element past its last frame is removed instead.
void StepExplosions();
