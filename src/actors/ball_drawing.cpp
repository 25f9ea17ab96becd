#include "actors/ball_drawing.h"

void DrawBalls() {}
