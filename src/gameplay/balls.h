// Balls in play: the record, serving and gluing, and the per-frame ball pass with all its
// collisions (monsters, other balls, the ship, the walls and the fil, the bricks).
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

// Adds a ball after the current one of the ball list and makes it current; bricks under it are
// erased silently.
void AddBall(float x, float y, float vx, float vy, int radius, int sprite);
// Silently erases the breakable bricks under a disc (rings of points 8 pixels apart).
void ClearRoom(float x, float y, float radius);
// Holds every ball on the ship for the given number of frames.
void GlueAllBalls(int frames);
// Lets every ball go and ends both the serve and the glue bonus.
void EndGlue();
// Lets the ball held by the glue bonus go; the bonus stays, so the ship catches it again.
void ReleaseGluedBalls();
// The per-frame ball pass with all its collisions.
void BallPass();
// Deletes the current ball; losing the last one (with none still to come out of a teleport)
// costs a life.
void LoseBall();
// Takes every ball out of play (a level ending through the door or the cleared test).
void RemoveAllBalls();
// Caps a velocity at the game's ball speed limit.
void LimitBallSpeed(Ball& ball);
