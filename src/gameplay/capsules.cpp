#include "gameplay/capsules.h"

void StepCapsules() {}
