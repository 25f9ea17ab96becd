#pragma once
// The level's scenery: set up at level start (and after the screen is rebuilt), drawn first in
// every frame, also during the slide-in.

// Loads the level's style, panels and effect pictures, sets the monster spawn settings and
// fills the particle array.
void SetUpBackground();
// The background picture, the three panels and the level's effect, advanced by one step.
void DrawBackground();

// Quads the level's effect asked for in the last DrawBackground; past 64 none are drawn.
int SceneryQuadsDrawn();
