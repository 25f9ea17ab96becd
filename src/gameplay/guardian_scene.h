// SPDX-License-Identifier: GPL-3.0-or-later
// The guardian scene of level 50: a fight in the place of the bricks. The loop sets it up and
// draws it with the level's scenery; each frame of play its step looks for balls that strike the
// guardian.
#pragma once

#include "core/ball_record.h"

constexpr int guardianFrames = 8;
constexpr float guardianHitRadius = 70;

// True when the ball struck the guardian while it can be hurt: the ball is moved out of it and
// reflected, and the guardian loses a hit.
bool GuardianTakesBall(Ball& ball);

// Level 50: the set-up resumes the fight when the screen was only rebuilt; the step counts,
// aims, strikes and takes the balls' hits (not while the game is paused); the drawing draws.
void SetUpGuardianScene();
void StepGuardianScene();
void DrawGuardianScene();

// The level's scenery as the loop sets it up and draws it: the background, then on the
// guardian's level its scene (its step, then its drawing).
void SetUpScenery();
void DrawScenery();
