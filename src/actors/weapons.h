// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The weapon steps of every frame, and the mouse-button actions that fire them.
void StepFilAndLaser();
void StepChaingun();
void FireLaser();
