#include "actors/monsters.h"

void StepMonsters() {}
