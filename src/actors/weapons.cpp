#include "actors/weapons.h"

// The missiles come with their own subsystem; until then nothing can switch them on. The
// chaingun, the laser and the fil are in chaingun.cpp, laser.cpp and fil.cpp.
void StepMissiles() {}
void MissileTargetStep() {}
void LaunchMissile() {}
