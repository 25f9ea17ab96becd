#pragma once
// The explosion procedures stay reachable from here for the callers that kill things.
#include "actors/explosions.h"

void StepMonsters();
