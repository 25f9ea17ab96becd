// SPDX-License-Identifier: GPL-3.0-or-later
// Bonus capsules: a broken brick drops its capsule, the capsule falls a pixel a frame and the
// ship catches it; its kind decides the bonus, the malus or the letter.
#pragma once

#include "core/capsule_record.h"
#include "levels/bricks.h"  // AddCapsule, DropCapsule

// Once per frame: counts the malus down, then moves, draws, animates and catches every capsule.
void CapsuleStep();

// What catching a capsule does: the common effect, the kind's own effect, the letter check.
// The catch picture and the capsule's removal are CapsuleStep's.
void CatchCapsule(int kind);

// Starts malus 0..3 (drawn at random by the malus capsule): the fil, fire and big balls end,
// then the malus's word and effect.
void StartMalus(int which);

// The switches of the weapons a capsule arms, shared with the console's commands: each sets
// the flag its weapon reads, and nothing else. A caught capsule adds its own sound, counters
// and word around them.
void ArmMissile();        // a missile is loaded
void SwitchOnChaingun();  // the gun fills itself with shots at its next step
void SwitchOnFil();       // the wire above the bottom
void SwitchOnLaser();
void SwitchOnGlue();      // balls stick to the ship
