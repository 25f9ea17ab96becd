#include "levels/scenery_effects.h"

void SetUpGuardianScene() { game.launchLocked = 1; }
void DrawGuardianScene() {}
