#include "levels/backgrounds.h"

#include "media/media.h"

void SetUpBackground() {}

// Until the level backgrounds are drawn, a black screen under everything keeps the frames
// from smearing into each other.
void DrawBackground() { ClearScreen(0); }
