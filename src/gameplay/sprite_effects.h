// SPDX-License-Identifier: GPL-3.0-or-later
// Sprite effects: short-lived pictures that move and fade on their own (teleport ghosts, the
// rising image of a caught capsule) and the floating texts in gold glyphs.
#pragma once

#include <string>

#include "core/effect_records.h"

// Appends an effect to the end of the sprite effect list.
void AddSpriteEffect(float x, float y, float vx, float vy, int sprite, float frameStep, int age,
                     int lifetime, float alpha, float alphaStep, int delay, int hold);

// A word in gold glyphs centred on the playfield that holds for delay frames, then splits
// into an upper and a lower copy that drift apart and fade.
void ShowMessage(const std::string& text, int delay);

// Once per frame while the playfield is drawn: draws and advances every effect, in list order,
// and deletes the finished ones.
void StepSpriteEffects();
