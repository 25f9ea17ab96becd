#include "shell/ship_steering.h"

void StepShip() {}
