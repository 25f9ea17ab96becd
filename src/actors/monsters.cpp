#include "actors/monsters.h"

void StepMonsters() {}
void AddExplosion(float, float, int, int) {}
void StepExplosions() {}
