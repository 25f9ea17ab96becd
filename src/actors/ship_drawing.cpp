#include "actors/ship_drawing.h"

void DrawShip() {}
