#include "gameplay/capsules.h"

void StepCapsules() {}
// Capsules fall and are caught once the capsule list joins the game.
void AddCapsule(float, float, int) {}
