// Teleport bricks: a ball that enters one is taken out of play and comes out above another
// teleport brick a moment later.
#pragma once

#include "core/settings.h"

struct Ball;

// One ball in transit between two teleport bricks.
struct Teleport {
  float vx, vy, radius;  // of the ball that entered
  int sprite;
  int sourceBrick;       // indices in the brick list
  int targetBrick;
  int timer;             // frames since entry
};

// Frames from entry to the two fading ghosts, to the ball's return, and to the bricks' release.
constexpr int teleportGhostFrame = frameRate / 2;
constexpr int teleportExitFrame = frameRate / 2 + frameRate;
constexpr int teleportFreeFrame = 4 * frameRate;

// Sends the ball into the teleport brick with the given index when a free target exists:
// false (and nothing changes) when every other teleport brick is busy.
bool EnterTeleport(Ball& ball, int sourceBrick);
// Once a frame at the end of the ball pass.
void AdvanceTeleports();
// True while a ball that entered a teleport has yet to come out.
bool TeleportInFlight();
