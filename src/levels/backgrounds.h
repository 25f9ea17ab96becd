// SPDX-License-Identifier: GPL-3.0-or-later
// The level's scenery: set up at level start (and after the screen is rebuilt), drawn first in
// every frame, also during the slide-in. The guardian's level has only its background picture
// here: its scene plays in gameplay/guardian_scene.
#pragma once

// Loads the level's style, panels and effect pictures, sets the monster spawn settings and
// fills the particle array.
void SetUpBackground();
// The background picture, the three panels and the level's effect, advanced by one step.
void DrawBackground();

// Quads the level's effect asked for in the last DrawBackground; past 64 none are drawn.
int SceneryQuadsDrawn();

// The scenery's quads, for the effects and the guardian's scene. Every effect quad goes
// through here, so the frame's count can be checked.
constexpr int maxSceneryQuads = 64;
void DrawSceneryQuad(int quad, int x, int y, int alpha = 255);
// Zooms the quad to size x size and draws it centred on (cx, cy) in playfield coordinates.
void DrawCentredQuad(int quad, float cx, float cy, int size, int alpha = 255);
