#pragma once
void StepShip();
