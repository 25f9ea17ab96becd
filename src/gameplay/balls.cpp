#include "gameplay/balls.h"

// Balls come with the ball subsystem.
void AddBall(float, float, float, float, int, int) {}
void GlueAllBalls(int) {}
void EndGlue() {}
void BallPass() {}
void RemoveAllBalls() {}
