#pragma once
void DrawBalls();
