// SPDX-License-Identifier: GPL-3.0-or-later
// The missile: a MISSILE capsule loads one into the launcher over the ship, a marker locks onto
// a breakable brick, and a click fires a missile that curves towards it trailing smoke, destroys
// the brick it meets outright and throws burning fragments that break further bricks.
#pragma once

#include "core/missile_records.h"

constexpr int missileLoadingFrames = 150;  // the loaded missile rises into the launcher
constexpr float missileTurn = 0.01f;       // radians a frame towards the aim
constexpr float missileThrust = 0.08f;     // pixels per frame, added while below missileTopSpeed
constexpr float missileTopSpeed = 8;       // so a missile flies at most 8.08

// ---------------------------------------------------------------- launcher and target
// A MISSILE capsule was caught (the capsule shows its word): loads a missile unless one is
// ready or loading, since the launcher holds one.
void LoadMissile();

// Picks a random live breakable brick as the target. With none left nothing changes, and the
// next frame tries again.
void ChooseTarget();

// While a missile is ready and a target chosen: the turning ring and glow on the target and,
// once loaded, the scrolling caption; then follows the target brick, or chooses another when
// it has been destroyed.
void DrawTarget();

// Once a frame while a missile is ready (the main loop): chooses a target when there is none,
// then draws it.
void MissileTargetStep();

// The left button while a missile is ready: fires it unless it is still loading.
void LaunchMissile();

// Fires the loaded missile from the ship, aimed at the target and leaning with the gauge.
void FireMissile();

// The angle of the unit vector (ax, ay) from (0, 1), from 0 to 2 pi, turning towards -x as it
// grows. A vector almost square to (0, 1) counts as (0, 1) itself.
float VectorAngle(float ax, float ay);

// Once a frame while a missile is loaded: draws it rising into the launcher and counts the
// loading down, or, loaded, draws it under the gauge that swings with the clock; animates it.
void DrawLauncher();

// ---------------------------------------------------------------- flight
// Once a frame: the smoke, the launcher, every missile (drawn, moved, steered, and tested for
// bricks and monsters), then the fragments.
void StepMissiles();

// ---------------------------------------------------------------- smoke
// A puff 36 pixels behind the missile, in the first free slot; none when every slot is taken.
void EmitSmoke(const Missile& missile);

// Once a frame: draws every puff, then lets it drift, slow, grow and fade.
void StepSmoke();

// ---------------------------------------------------------------- fragments
// The burst of a destroyed brick: fragments from (x, y) into free slots while fewer than
// fragmentSlots fly.
void BurstFragments(float x, float y);

// Once a frame: draws every fragment, moves it along its parabola (not while the game stands
// still), and lets an armed fragment break the brick it meets.
void StepFragments();
