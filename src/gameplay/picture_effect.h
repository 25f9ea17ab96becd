// SPDX-License-Identifier: GPL-3.0-or-later
// The end-of-level picture: every white pixel of a small image launches a red ball from a
// swinging emitter above the playfield; the ball flies to its place in a ten-times enlarged
// copy of the image and wobbles there until the level ends.
#pragma once

#include "core/picture_balls.h"

constexpr int pictureBallFlight = 40;  // frames from launch to arrival, whatever the distance

void StartPictureEffect(int image);
// Once per frame while pictureEffectOn is set, after the heads-up display.
void StepPictureEffect();
