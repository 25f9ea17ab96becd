#pragma once
void StepMonsters();
// Explosion animations: frames from firstFrame, the third value as the game gives it.
void AddExplosion(float x, float y, int firstFrame, int size);
void StepExplosions();
