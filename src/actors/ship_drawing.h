#pragma once
void DrawShip();
