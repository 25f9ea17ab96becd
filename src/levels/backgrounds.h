#pragma once
// The level's scenery: set up at level start, drawn first in every frame.
void SetUpBackground();
void DrawBackground();
