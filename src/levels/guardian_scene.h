// The guardian scene of level 50, set up, stepped and drawn through the level scenery. Each
// frame of play its step looks for balls that strike the guardian.
#pragma once

#include "gameplay/balls.h"

constexpr int guardianLevel = 50;
constexpr int guardianFrames = 8;
constexpr float guardianHitRadius = 70;

// True when the ball struck the guardian while it can be hurt: the ball is moved out of it and
// reflected, and the guardian loses a hit.
bool GuardianTakesBall(Ball& ball);
