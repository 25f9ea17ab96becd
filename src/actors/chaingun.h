// SPDX-License-Identifier: GPL-3.0-or-later
// The chaingun: a twin-barrelled gun over the ship, aimed with the mouse pointer and fired with
// the left button, ten shots a capsule; its bullets and muzzle flashes.
//
// StepChaingun (weapons.h), once a frame while the gun is up: fills it on its first frame, aims
// it at the pointer, fires a shot from each barrel in turn while the button is held and the
// media clock allows, and draws the gun, the aiming cross and the pulsing gauge. After the last
// shot the gun shows its empty gauge for one more frame and goes; the ship steers again.
#pragma once

#include <cstdint>

// Milliseconds of the media clock between two shots: at most four a second.
constexpr int64_t shotInterval = 250;

// Once a frame: moves each bullet, speeding it up, draws it, and lets it destroy the first
// breakable brick it touches; a bullet that leaves the screen is dropped.
void StepBullets();

// Once a frame: draws each flash, grows and fades it, and removes it once it has faded out.
void StepMuzzleFlashes();
