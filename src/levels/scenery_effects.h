// The effects of the level scenery, one set-up and one drawing step each. Internal to
// src/levels: backgrounds.cpp picks them by level number.
#pragma once

#include "core/game_state.h"

// Every effect quad goes through here, so the frame's count can be checked.
void DrawSceneryQuad(int quad, int x, int y, int alpha = 255);
// Zooms the quad to size x size and draws it centred on (cx, cy) in playfield coordinates.
void DrawCentredQuad(int quad, float cx, float cy, int size, int alpha = 255);

constexpr int maxSceneryQuads = 64;

inline BackgroundParticle* Particles() { return game.backgroundParticles.data(); }

// The numbered effects.
void SetUpLightning();
void DrawLightning();
void SetUpFallingStars();
void DrawFallingStars();
void SetUpFountain(int sprite, bool spinning);
void DrawFountain();
void DrawStarFountain();
void SetUpClouds();
void DrawClouds();

// The flares: glows, bars, plates, streaks, branches, stars, the heart.
void SetUpFlares(int level);
void DrawFlares(int level);

// The picture effects: rippling water, drops, the sprite drawn into, the psyche layers.
void SetUpWater();
void DrawWater();
void SetUpDrops();
void DrawDrops();
void SetUpDrawnSprite();
void DrawDrawnSprite();
void SetUpPsyche();
void DrawPsyche();

// Level 50: the set-up resumes the fight when the screen was only rebuilt; the step counts,
// aims, strikes and takes the balls' hits (not while the game is paused); the drawing draws.
void SetUpGuardianScene();
void StepGuardianScene();
void DrawGuardianScene();
