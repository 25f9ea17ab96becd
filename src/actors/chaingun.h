// The chaingun: a twin-barrelled gun over the ship, aimed with the mouse pointer and fired with
// the left button, ten shots a capsule; its bullets and muzzle flashes. StepChaingun is declared
// with the other weapon steps in weapons.h.
#pragma once

#include <cstdint>

// Milliseconds of the media clock between two shots: at most four a second.
constexpr int64_t shotInterval = 250;

// Once a frame: moves each bullet, speeding it up, draws it, and lets it destroy the first
// breakable brick it touches; a bullet that leaves the screen is dropped.
void StepBullets();

// Once a frame: draws each flash, grows and fades it, and removes it once it has faded out.
void StepMuzzleFlashes();
