#pragma once
// The explosion procedures stay reachable from here for the callers that kill things.
#include "actors/explosions.h"

void StepMonsters();

// A monster dies at (x, y): its burst joins the monster explosions and its sound plays. The
// caller removes the monster.
void KillMonster(float x, float y);
