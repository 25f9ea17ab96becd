#pragma once
// The explosion procedures stay reachable from here for the callers that kill things.
#include "actors/explosions.h"

void StepMonsters();

// A monster dies at (x, y): a monster burst starts there and its sound plays. The caller
// removes the monster from the list.
void KillMonster(float x, float y);
