#pragma once
void AddBall(float x, float y, float vx, float vy, int radius, int sprite);
void GlueAllBalls(int frames);
void EndGlue();
// The per-frame ball pass with all its collisions.
void BallPass();
