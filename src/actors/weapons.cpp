#include "actors/weapons.h"

// Weapons come with the weapon subsystems; until then nothing can switch them on.
void StepFilAndLaser() {}
void StepChaingun() {}
void FireLaser() {}
