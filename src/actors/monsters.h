// SPDX-License-Identifier: GPL-3.0-or-later
// Monsters: flying creatures that glide in from the sides at random moments, then wander the
// playfield or hunt the ship or the first ball. Balls and weapons kill them with KillMonster.
#pragma once
// The explosion procedures stay reachable from here for the callers that kill things.
#include "actors/explosions.h"

// Once a frame inside the playfield's drawing: moves every monster (on one frame in four, and
// only while the game is neither paused, complete nor over), draws it, then maybe spawns one
// under the level's spawn settings.
void StepMonsters();

// Adds a monster of the given kind (the picture of its first frame) at the top of one side, at
// random, gliding in horizontally; vx and vy are its speeds, vx towards the inside.
void SpawnMonster(int kind, float vx, float vy);

// The burst and the sound of a monster dying at (x, y); the caller removes the monster.
void KillMonster(float x, float y);
