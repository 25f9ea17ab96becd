#include "gameplay/sprite_effects.h"

void ShowMessage(const std::string&, int) {}
void StepSpriteEffects() {}
