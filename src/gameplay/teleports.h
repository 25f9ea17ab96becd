// SPDX-License-Identifier: GPL-3.0-or-later
// Teleport bricks: a ball that enters one is taken out of play and comes out above another
// teleport brick a moment later.
#pragma once

#include "core/ball_record.h"
#include "core/teleport_record.h"

// Sends the ball into the teleport brick with the given index when a free target exists:
// false (and nothing changes) when every other teleport brick is busy.
bool EnterTeleport(Ball& ball, int sourceBrick);
// Once a frame at the end of the ball pass.
void AdvanceTeleports();
// True while a ball that entered a teleport has yet to come out.
bool TeleportInFlight();
