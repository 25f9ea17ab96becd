// SPDX-License-Identifier: GPL-3.0-or-later
// Ship steering: the mouse, the keys and the pad move the ship; steering leans it, keeps it in
// the playfield, runs its size animation and lets it out through the open door.
#pragma once

// Once per frame of play: adds the mouse movement of the last snapshots to the speed the arrow
// keys (or A and D) and the pad's stick or d-pad have gathered, each at its run's percentage,
// and steers with the sum.
void StepShip();

// The whole steering step for a given movement (StepShip's body; tests drive it directly).
void SteerShip(float dx, float dy);

// Sets the size counter and, for a counter with a row in the size table, the body picture and
// the half-width of that row at once; other counters keep the ship as it is.
void SetShipSize(int counter);
