// Ship steering: the mouse moves the ship, leans it, keeps it in the playfield, runs its size
// animation and lets it out through the open door.
#pragma once

// Once per frame of play: reads the mouse movement of the last snapshot and steers with it.
void StepShip();

// The whole steering step for a given movement (StepShip's body; tests drive it directly).
void SteerShip(float dx, float dy);

// Sets the size counter and, for a counter with a row in the size table, the body picture and
// the half-width of that row at once; other counters keep the ship as it is.
void SetShipSize(int counter);
