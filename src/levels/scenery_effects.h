// SPDX-License-Identifier: GPL-3.0-or-later
// The effects of the level scenery, one set-up and one drawing step each. Internal to
// src/levels: backgrounds.cpp picks them by level number.
#pragma once

#include "core/game_state.h"
#include "levels/backgrounds.h"

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
void ReleaseWater();  // the water's table, kept only while its level is played
void DrawWater();
void SetUpDrops();
void DrawDrops();
void SetUpDrawnSprite();
void DrawDrawnSprite();
void SetUpPsyche();
void DrawPsyche();
