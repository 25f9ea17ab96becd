#include "levels/backgrounds.h"

void SetUpBackground() {}
void DrawBackground() {}
