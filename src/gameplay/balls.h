#pragma once
void AddBall(float x, float y, float vx, float vy, int radius, int sprite);
void GlueAllBalls(int frames);
void EndGlue();
// The per-frame ball pass with all its collisions.
void BallPass();
// Takes every ball out of play (a level ending through the door or the cleared test).
void RemoveAllBalls();
