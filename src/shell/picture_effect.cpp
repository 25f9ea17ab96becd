#include "shell/picture_effect.h"

void StartPictureEffect(int) {}
void StepPictureEffect() {}
