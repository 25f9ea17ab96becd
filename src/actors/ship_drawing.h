// SPDX-License-Identifier: GPL-3.0-or-later
// Ship drawing: the craft banked by its lean, the paddle body of the current width, and the
// breathing energy glow.
#pragma once

// Once per frame of play: drifts the ship right after it has left through the door, then draws
// the craft, the body and the glow.
void DrawShip();

// The paddle body's width: its picture's, times the difficulty's ship width.
int ShipBodyWidth();

// The craft and the paddle body alone, without glow or drift (the level slide-in draws these).
void DrawShipPictures();
