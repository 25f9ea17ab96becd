// SPDX-License-Identifier: GPL-3.0-or-later
// The ball record: a ball in play and the sparks of its fire trail.
#pragma once

constexpr int flareCount = 10;

// One spark of the fire trail: the ball logic gives it its size and picture, the drawing keeps
// the trail position.
struct Flare {
  float trailX, trailY;
  float distance;  // drawn size in pixels, square
  int sprite;
};

struct Ball {
  float x, y;                  // centre
  float vx, vy;                // pixels per frame
  float gravity;               // added to vy at the end of every pass
  float mass;                  // only the ball-against-ball exchange reads it
  float radius;
  int removeAtFrameEnd;        // entered a teleport: deleted at the end of the pass
  int glued;
  float glueOffset;            // while glued, x is the ship's x plus this
  int sprite;
  int lastBrick;               // index of the last distinct brick touched, -1 before any
  int lastBrickFrame;          // frame at which lastBrick was set
  int repeatHits;              // contacts with lastBrick since then
  float snapshotX, snapshotY;  // centre when lastBrick was set
  float snapshotVx, snapshotVy;
  float stuckUx, stuckUy, stuckSpeed;  // the snapshot's direction and speed, for the anti-stuck bounce
  Flare flares[flareCount];
};
